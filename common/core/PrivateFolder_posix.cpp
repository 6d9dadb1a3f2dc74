#include "common/core/PrivateFolder.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>

#include <sys/stat.h>
#include <unistd.h>

namespace {

// The folder itself, not a link to one, owned by this user and closed to
// everyone else.
bool isOwnClosedFolder(const QByteArray &path)
{
    struct stat info {};
    if (::lstat(path.constData(), &info) != 0 || !S_ISDIR(info.st_mode) || info.st_uid != ::geteuid())
        return false;
    return (info.st_mode & 077) == 0 || ::chmod(path.constData(), 0700) == 0;
}

QString ownFallbackFolder()
{
    const QString parent = QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation);
    if (parent.isEmpty() || !QDir().mkpath(parent))
        return {};
    const QString folder = parent + QStringLiteral("/kinetra-runtime");
    const QByteArray native = QFile::encodeName(folder);
    ::mkdir(native.constData(), 0700);
    return isOwnClosedFolder(native) ? folder : QString();
}

} // namespace

QString privateFolder()
{
    const QString runtime = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    return runtime.isEmpty() ? ownFallbackFolder() : runtime;
}
