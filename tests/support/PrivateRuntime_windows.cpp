#include "tests/support/LauncherSupport.h"

#include "common/core/CalibrationFile.h"
#include "common/core/PrivateFolder.h"

namespace {

void clearCalibration()
{
    const QString path = calibrationFilePath();
    QFile::remove(path);
    QDir(path).removeRecursively();
}

} // namespace

PrivateRuntime::PrivateRuntime()
{
    clearCalibration();
}

PrivateRuntime::~PrivateRuntime()
{
    clearCalibration();
}

QString PrivateRuntime::path() const
{
    return privateFolder();
}
