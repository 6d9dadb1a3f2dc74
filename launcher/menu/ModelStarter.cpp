#include "launcher/menu/ModelStarter.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>

bool startDetachedProgram(const QString &program, QString &error)
{
    const QString path = QDir::current().absoluteFilePath(program);
    // The process start reports a missing file only vaguely, if at all.
    if (!QFileInfo(path).isFile()) {
        error = QStringLiteral("No s'ha trobat el programa %1").arg(program);
        return false;
    }
    QProcess process;
    process.setProgram(path);
    process.setWorkingDirectory(QDir::currentPath());
    if (process.startDetached())
        return true;
    error = process.errorString();
    return false;
}
