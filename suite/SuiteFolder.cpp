#include "suite/SuiteFolder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

const QStringList SuiteFolder::PrivateFiles = {
    QStringLiteral("Dades.txt"),
    QStringLiteral("InformExemConcentra.doc"),
    QStringLiteral("InformFitxa.doc"),
};

namespace {

bool isSound(const QFileInfo &copy)
{
    return copy.isFile() && !copy.isSymLink() && copy.isReadable() && copy.size() > 0;
}

bool isLinkTo(const QFileInfo &entry, const QString &target)
{
    return entry.isSymLink() && entry.symLinkTarget() == target;
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
    return QStringLiteral("No s'ha pogut preparar la carpeta de treball %1.\n"
                          "Cal que la carpeta personal tingui permís d'escriptura i espai lliure.")
        .arg(QDir::toNativeSeparators(m_path));
}

bool SuiteFolder::prepare(const QStringList &installedModelFolders)
{
    if (!QDir().mkpath(modelsPath()))
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

// A link left from an earlier installation may point where the files no
// longer are; it is replaced.
bool SuiteFolder::linkInstalled(const QString &installedFile)
{
    const QString entry = modelsPath() + QLatin1Char('/') + QFileInfo(installedFile).fileName();
    if (isLinkTo(QFileInfo(entry), installedFile))
        return true;
    return removeEntry(entry) && QFile::link(installedFile, entry);
}

bool SuiteFolder::restorePrivate(const QString &installedFile)
{
    const QString entry = modelsPath() + QLatin1Char('/') + QFileInfo(installedFile).fileName();
    if (isSound(QFileInfo(entry)))
        return true;
    if (!removeEntry(entry) || !QFile::copy(installedFile, entry))
        return false;
    QFile copy(entry);
    return copy.setPermissions(copy.permissions() | QFile::ReadOwner | QFile::WriteOwner);
}

bool SuiteFolder::removeEntry(const QString &entry)
{
    const QFileInfo info(entry);
    return (!info.exists() && !info.isSymLink()) || QFile::remove(entry);
}

// Files an upgrade no longer ships.
void SuiteFolder::removeDanglingLinks()
{
    const QFileInfoList entries = QDir(modelsPath()).entryInfoList(QDir::System | QDir::Files | QDir::NoDotAndDotDot);
    for (const QFileInfo &entry : entries) {
        if (entry.isSymLink() && !entry.exists())
            QFile::remove(entry.absoluteFilePath());
    }
}

QString userSuiteFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + QStringLiteral("/kinetra");
}
