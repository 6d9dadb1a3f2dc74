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
    // Arxius_models folders are given. A private copy is never overwritten,
    // but a damaged one (missing, empty, unreadable, or not a file of its
    // own) is copied again. Returns false when the folder cannot be written.
    bool prepare(const QStringList &installedModelFolders);

    QString path() const { return m_path; }
    QString modelsPath() const;
    // The Catalan text the user reads when prepare() failed.
    QString failureMessage() const;

private:
    bool linkInstalled(const QString &installedFile);
    bool restorePrivate(const QString &installedFile);
    bool removeEntry(const QString &entry);
    void removeDanglingLinks();

    QString m_path;
};

// The user's suite folder in the XDG data home.
QString userSuiteFolder();
