#include "common/core/PupilCopy.h"

#include "common/core/CompanionFiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

QString pupilCopyOf(const QString &shippedPath, const QString &folder)
{
    const QString name = QFileInfo(shippedPath).fileName();
    if (folder.isEmpty() || !pupilFiles().contains(name))
        return shippedPath;
    const QString copy = folder + QLatin1Char('/') + name;
    const QFileInfo existing(copy);
    if (existing.isSymLink() || existing.isJunction())
        return shippedPath;
    if (existing.isFile())
        return copy;
    if (!QDir().mkpath(folder) || !QFile::copy(shippedPath, copy))
        return shippedPath;
    // An installation's files may be read-only; the pupil's copy is not.
    QFile::setPermissions(copy, QFile::permissions(copy) | QFile::WriteOwner | QFile::WriteUser);
    return copy;
}
