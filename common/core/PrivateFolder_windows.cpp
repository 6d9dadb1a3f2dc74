#include "common/core/PrivateFolder.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

// Windows has no session runtime folder (Qt gives the home folder itself);
// the user's local application data folder is closed to other accounts by
// the profile's own permissions. A link or junction planted there is refused.
QString privateFolder()
{
    const QString parent = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    if (parent.isEmpty())
        return {};
    const QString folder = parent + QStringLiteral("/Kinetra");
    QDir().mkpath(folder);
    const QFileInfo info(folder);
    if (!info.isDir() || info.isSymLink() || info.isJunction())
        return {};
    return folder;
}
