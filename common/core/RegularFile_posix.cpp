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

qint64 RegularFile::readSome(char *data, qint64 size) const
{
    return ::read(int(m_handle), data, std::size_t(size));
}

qint64 RegularFile::writeSome(const char *data, qint64 size) const
{
    return ::write(int(m_handle), data, std::size_t(size));
}

bool RegularFile::truncateAndRewind() const
{
    return ::ftruncate(int(m_handle), 0) == 0 && ::lseek(int(m_handle), 0, SEEK_SET) == 0;
}

bool RegularFile::flushToDisk() const
{
    return ::fsync(int(m_handle)) == 0;
}
