// Any file contents: the reader gives a solid of edge 4 to 7 and no more.
#include "common/core/CalibrationFile.h"
#include "FuzzChecks.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    // Memory-backed where there is such a folder: the file is rewritten for every input.
    static const QString folder = QDir(QStringLiteral("/dev/shm")).exists() ? QStringLiteral("/dev/shm") : QDir::tempPath();
    static const QTemporaryDir dir(folder + QStringLiteral("/fuzz_calibration-XXXXXX"));
    static const QString path = dir.filePath(QStringLiteral("Optim_boles.txt"));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return 0;
    file.write(reinterpret_cast<const char *>(data), static_cast<qint64>(size));
    file.close();
    const SolidSize solid = readCalibration(path);
    const std::string detail(reinterpret_cast<const char *>(data), size);
    require(solid.BolesAresta >= 4 && solid.BolesAresta <= 7, "edge 4 to 7", detail);
    require(solid.NombreBolesOptim == solid.BolesAresta * solid.BolesAresta * solid.BolesAresta, "a cube", detail);
    return 0;
}
