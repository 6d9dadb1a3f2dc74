#pragma once

#include <QString>
#include <QStringList>

// A user's own suite folder: the programs address their companion files as
// "Arxius_models/<name>" relative to the current directory and save the
// pupil's documents in place, so every user gets a folder whose
// Arxius_models links the installation's read-only files and holds private
// copies of the files a pupil writes.
class SuiteFolder
{
public:
    // The files a pupil writes; every other shipped file is linked.
    static const QStringList PrivateFiles;

    explicit SuiteFolder(const QString &path);

    // Makes sure the folder is complete for the installation whose
    // Arxius_models folders are given. A pupil's file is never deleted: a
    // damaged copy (empty, unreadable, or not a file of its own) and a file
    // where a link belongs are renamed aside ("Dades.txt.1") before the
    // shipped form takes their place. Returns false when something blocks
    // the folder; failureMessage() then says what.
    bool prepare(const QStringList &installedModelFolders);

    QString path() const { return m_path; }
    QString modelsPath() const;
    // The Catalan text the user reads when prepare() failed.
    QString failureMessage() const;

private:
    enum class Obstacle { None, Unwritable, Folder, Link, File };

    bool makePrivateFolder(const QString &folder);
    bool linkInstalled(const QString &installedFile);
    bool restorePrivate(const QString &installedFile);
    bool clearEntry(const QString &entry);
    bool moveAside(const QString &entry);
    bool blockedBy(Obstacle obstacle, const QString &where);
    void removeDanglingLinks();

    QString m_path;
    Obstacle m_obstacle = Obstacle::None;
    QString m_obstaclePath;
};

// The user's suite folder in the XDG data home.
QString userSuiteFolder();
