#include "suite/SuiteFolder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

#include <algorithm>
#include <filesystem>
#include <system_error>

const QStringList SuiteFolder::PrivateFiles = {
    QStringLiteral("Dades.txt"),
    QStringLiteral("InformExemConcentra.doc"),
    QStringLiteral("InformFitxa.doc"),
};

namespace {

constexpr QFileDevice::Permissions OwnerOnlyFolder = QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner;
constexpr QFileDevice::Permissions OwnerOnlyFile = QFile::ReadOwner | QFile::WriteOwner;

bool isSound(const QFileInfo &copy)
{
    return copy.isFile() && !copy.isSymLink() && copy.isReadable() && copy.size() > 0;
}

bool isLinkTo(const QFileInfo &entry, const QString &target)
{
    return entry.isSymLink() && entry.symLinkTarget() == target;
}

bool isTaken(const QString &path)
{
    const QFileInfo info(path);
    return info.exists() || info.isSymLink();
}

// A read-only home may hold a complete suite folder: a mode already right is
// left alone rather than set again.
bool setPermissions(const QString &path, QFileDevice::Permissions wanted)
{
    const QFileDevice::Permissions owner = QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner;
    const QFileDevice::Permissions others = QFile::ReadGroup | QFile::WriteGroup | QFile::ExeGroup | QFile::ReadOther
                                            | QFile::WriteOther | QFile::ExeOther;
    const QFileDevice::Permissions now = QFile::permissions(path) & (owner | others);
    return now == wanted || QFile::setPermissions(path, wanted);
}

QString asideName(const QString &entry)
{
    QString aside;
    for (int n = 1; aside.isEmpty() || isTaken(aside); ++n)
        aside = entry + QLatin1Char('.') + QString::number(n);
    return aside;
}

} // namespace

SuiteFolder::SuiteFolder(const QString &path)
    : m_path(QDir::cleanPath(path))
{
}

QString SuiteFolder::modelsPath() const
{
    return m_path + QStringLiteral("/Arxius_models");
}

QString SuiteFolder::failureMessage() const
{
    const QString where = QDir::toNativeSeparators(m_obstaclePath);
    QString reason;
    switch (m_obstacle) {
    case Obstacle::Folder:
        reason = QStringLiteral("%1 és una carpeta, però hi ha d'haver un fitxer. Canvieu-li el nom o moveu-la a un altre lloc.").arg(where);
        break;
    case Obstacle::Link:
        reason = QStringLiteral("%1 és un enllaç, però hi ha d'haver una carpeta pròpia. Canvieu-li el nom o esborreu l'enllaç.").arg(where);
        break;
    case Obstacle::File:
        reason = QStringLiteral("%1 és un fitxer, però hi ha d'haver una carpeta. Canvieu-li el nom o moveu-lo a un altre lloc.").arg(where);
        break;
    case Obstacle::None:
    case Obstacle::Unwritable:
        reason = QStringLiteral("Cal que la carpeta personal tingui permís d'escriptura i espai lliure.");
        break;
    }
    return QStringLiteral("No s'ha pogut preparar la carpeta de treball %1.\n%2").arg(QDir::toNativeSeparators(m_path), reason);
}

bool SuiteFolder::prepare(const QStringList &installedModelFolders)
{
    m_obstacle = Obstacle::None;
    if (!makePrivateFolder(m_path) || !makePrivateFolder(modelsPath()))
        return false;
    for (const QString &folder : installedModelFolders) {
        const QFileInfoList files = QDir(folder).entryInfoList(QDir::Files | QDir::NoDotAndDotDot, QDir::Name);
        for (const QFileInfo &file : files) {
            const bool ready = PrivateFiles.contains(file.fileName()) ? restorePrivate(file.absoluteFilePath())
                                                                       : linkInstalled(file.absoluteFilePath());
            if (!ready)
                return false;
        }
    }
    removeDanglingLinks();
    return true;
}

// Homes are often readable by every account on school computers, so the
// pupil's notes and reports are shut away from the other pupils here.
bool SuiteFolder::makePrivateFolder(const QString &folder)
{
    const QFileInfo info(folder);
    if (info.isSymLink())
        return blockedBy(Obstacle::Link, folder);
    if (info.exists() && !info.isDir())
        return blockedBy(Obstacle::File, folder);
    if (!QDir().mkpath(folder) || !setPermissions(folder, OwnerOnlyFolder))
        return blockedBy(Obstacle::Unwritable, folder);
    return true;
}

// A link left from an earlier installation may point where the files no
// longer are; it is replaced.
bool SuiteFolder::linkInstalled(const QString &installedFile)
{
    const QString entry = modelsPath() + QLatin1Char('/') + QFileInfo(installedFile).fileName();
    if (isLinkTo(QFileInfo(entry), installedFile))
        return true;
    return clearEntry(entry) && (QFile::link(installedFile, entry) || blockedBy(Obstacle::Unwritable, entry));
}

bool SuiteFolder::restorePrivate(const QString &installedFile)
{
    const QString entry = modelsPath() + QLatin1Char('/') + QFileInfo(installedFile).fileName();
    if (isSound(QFileInfo(entry)))
        return true;
    if (!moveAside(entry))
        return false;
    if (!QFile::copy(installedFile, entry) || !setPermissions(entry, OwnerOnlyFile))
        return blockedBy(Obstacle::Unwritable, entry);
    return true;
}

// Where a link belongs, only a link goes; whatever else stands there may
// hold a pupil's work, so it is kept under a new name.
bool SuiteFolder::clearEntry(const QString &entry)
{
    if (QFileInfo(entry).isSymLink())
        return QFile::remove(entry) || blockedBy(Obstacle::Unwritable, entry);
    return moveAside(entry);
}

// A pupil's copy that is damaged (an unreadable one is saved by chmod u+r),
// or a link in its place, is kept under a new name: a link is renamed, not
// followed, and its target stays as it was.
bool SuiteFolder::moveAside(const QString &entry)
{
    const QFileInfo info(entry);
    if (!isTaken(entry))
        return true;
    if (info.isDir() && !info.isSymLink())
        return blockedBy(Obstacle::Folder, entry);
    std::error_code error;
    std::filesystem::rename(QFile::encodeName(entry).toStdString(),
                            QFile::encodeName(asideName(entry)).toStdString(), error);
    return !error || blockedBy(Obstacle::Unwritable, entry);
}

bool SuiteFolder::blockedBy(Obstacle obstacle, const QString &where)
{
    m_obstacle = obstacle;
    m_obstaclePath = where;
    return false;
}

// Files an upgrade no longer ships; what was put aside from a pupil's copy
// stays.
void SuiteFolder::removeDanglingLinks()
{
    const QFileInfoList entries = QDir(modelsPath()).entryInfoList(QDir::System | QDir::Files | QDir::NoDotAndDotDot);
    for (const QFileInfo &entry : entries) {
        const bool pupils = std::any_of(PrivateFiles.begin(), PrivateFiles.end(),
                                        [&entry](const QString &name) { return entry.fileName().startsWith(name); });
        if (entry.isSymLink() && !entry.exists() && !pupils)
            QFile::remove(entry.absoluteFilePath());
    }
}

QString userSuiteFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + QStringLiteral("/kinetra");
}
