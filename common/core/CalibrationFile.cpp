#include "common/core/CalibrationFile.h"

#include "common/core/NumberForm.h"

#include "common/core/PrivateFolder.h"

#include <QFile>
#include <algorithm>
#include <cmath>
#include <limits>
#include <optional>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr int MinimumEdge = 4;
constexpr int MaximumEdge = 7;

// Items are fields up to a comma or a line end, leading blanks skipped.
// Both reads share one buffer, so only the second item counts.
std::optional<std::string> secondItem(const QByteArray &contents)
{
    std::string buffer;
    int items = 0;
    std::size_t pos = 0;
    const std::string text = contents.toStdString();
    while (items < 2 && pos < text.size()) {
        while (pos < text.size() && text[pos] == ' ')
            ++pos;
        const std::size_t end = text.find_first_of(",\r\n", pos);
        buffer = text.substr(pos, end == std::string::npos ? std::string::npos : end - pos);
        ++items;
        pos = end == std::string::npos ? text.size() : end + 1;
        if (end != std::string::npos && text[end] == '\r' && pos < text.size() && text[pos] == '\n')
            ++pos;
    }
    if (items < 2)
        return std::nullopt;
    return buffer;
}

// Owns a descriptor that is open only on a regular file: a planted link is
// not followed, and a FIFO or device neither blocks nor is accepted.
class RegularFile {
public:
    RegularFile(const QString &path, int flags)
        : m_fd(::open(QFile::encodeName(path).constData(), flags | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, 0600))
    {
        struct stat info {};
        if (m_fd >= 0 && (::fstat(m_fd, &info) != 0 || !S_ISREG(info.st_mode))) {
            ::close(m_fd);
            m_fd = -1;
        }
    }
    ~RegularFile()
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    RegularFile(const RegularFile &) = delete;
    RegularFile &operator=(const RegularFile &) = delete;

    bool isOpen() const { return m_fd >= 0; }

    std::optional<QByteArray> readAll() const
    {
        QByteArray contents;
        char chunk[4096];
        for (;;) {
            const ssize_t got = ::read(m_fd, chunk, sizeof chunk);
            if (got < 0)
                return std::nullopt;
            if (got == 0)
                return contents;
            contents.append(chunk, got);
        }
    }

    bool replaceWith(const std::string &text) const
    {
        if (::ftruncate(m_fd, 0) != 0)
            return false;
        std::size_t done = 0;
        while (done < text.size()) {
            const ssize_t put = ::write(m_fd, text.data() + done, text.size() - done);
            if (put <= 0)
                return false;
            done += static_cast<std::size_t>(put);
        }
        return ::fsync(m_fd) == 0;
    }

private:
    int m_fd;
};

} // namespace

QString calibrationFilePath()
{
    const QString folder = privateFolder();
    return folder.isEmpty() ? QString() : folder + QStringLiteral("/Optim_boles.txt");
}

SolidSize solidSizeForCount(double count)
{
    SolidSize size;
    const double rounded = std::nearbyint(count);
    if (!(rounded >= std::numeric_limits<std::int16_t>::min()
          && rounded <= std::numeric_limits<std::int16_t>::max()))
        return size;
    const double edge = rounded > 0 ? std::nearbyint(std::pow(rounded, 1.0 / 3.0)) : 0;
    size.BolesAresta = static_cast<std::int16_t>(std::clamp<double>(edge, MinimumEdge, MaximumEdge));
    size.NombreBolesOptim = static_cast<std::int16_t>(size.BolesAresta * size.BolesAresta * size.BolesAresta);
    return size;
}

SolidSize readCalibration(const QString &path)
{
    const RegularFile file(path, O_RDONLY);
    const auto contents = file.isOpen() ? file.readAll() : std::nullopt;
    const auto item = contents ? secondItem(*contents) : std::nullopt;
    if (!item)
        return {};
    return solidSizeForCount(readNumber(*item));
}

bool writeCalibration(const QString &path, float timeBudget, std::int16_t count)
{
    const RegularFile file(path, O_WRONLY | O_CREAT);
    return file.isOpen() && file.replaceWith(shortForm(timeBudget) + "\r\n" + shortForm(count) + "\r\n");
}

bool deleteCalibration(const QString &path)
{
    return !QFile::exists(path) || QFile::remove(path);
}
