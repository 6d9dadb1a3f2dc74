#include "common/core/RegularFile.h"

#include <QFile>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

RegularFile::RegularFile(const QString &path, Access access)
{
    const int flags = access == Access::Read ? O_RDONLY : O_WRONLY | O_CREAT;
    const int fd = ::open(QFile::encodeName(path).constData(), flags | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, 0600);
    struct stat info {};
    if (fd >= 0 && (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode))) {
        ::close(fd);
        return;
    }
    m_handle = fd;
}

RegularFile::~RegularFile()
{
    if (isOpen())
        ::close(int(m_handle));
}

std::optional<QByteArray> RegularFile::readAtMost(qint64 limit) const
{
    QByteArray contents(limit, Qt::Uninitialized);
    qint64 done = 0;
    while (done < limit) {
        const ssize_t got = ::read(int(m_handle), contents.data() + done, std::size_t(limit - done));
        if (got < 0)
            return std::nullopt;
        if (got == 0)
            break;
        done += got;
    }
    contents.truncate(done);
    return contents;
}

bool RegularFile::replaceWith(const std::string &text) const
{
    if (::ftruncate(int(m_handle), 0) != 0)
        return false;
    std::size_t done = 0;
    while (done < text.size()) {
        const ssize_t put = ::write(int(m_handle), text.data() + done, text.size() - done);
        if (put <= 0)
            return false;
        done += static_cast<std::size_t>(put);
    }
    return ::fsync(int(m_handle)) == 0;
}
