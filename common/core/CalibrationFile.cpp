#include "common/core/CalibrationFile.h"

#include "common/core/NumberForm.h"
#include "common/core/PrivateFolder.h"
#include "common/core/RegularFile.h"

#include <QFile>
#include <algorithm>
#include <cmath>
#include <limits>
#include <optional>

namespace {

constexpr int MinimumEdge = 4;
constexpr int MaximumEdge = 7;
// Far more than the two short lines the launcher writes: whatever else a
// file at the path holds is never loaded, however large it is.
constexpr qint64 MostBytesRead = 256;

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
    const RegularFile file(path, RegularFile::Access::Read);
    const auto contents = file.isOpen() ? file.readAtMost(MostBytesRead) : std::nullopt;
    const auto item = contents ? secondItem(*contents) : std::nullopt;
    if (!item)
        return {};
    return solidSizeForCount(readNumber(*item));
}

bool writeCalibration(const QString &path, float timeBudget, std::int16_t count)
{
    const RegularFile file(path, RegularFile::Access::Write);
    return file.isOpen() && file.replaceWith(shortForm(timeBudget) + "\r\n" + shortForm(count) + "\r\n");
}

bool deleteCalibration(const QString &path)
{
    return !QFile::exists(path) || QFile::remove(path);
}
