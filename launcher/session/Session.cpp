#include "launcher/session/Session.h"

#include "common/core/CalibrationFile.h"
#include "common/core/CompanionFiles.h"

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

Session::Session(ProgramStarter starter)
    : m_starter(std::move(starter))
{
}

void Session::setModelStarter(ProgramStarter starter)
{
    m_starter = std::move(starter);
}

bool Session::startModel(QString &fault)
{
    return m_starter(modelProgramPath(), fault);
}

bool Session::leave(QString &fault)
{
    if (m_left)
        return false;
    m_left = true;
    const QString path = calibrationFilePath();
    if (!deleteCalibration(path))
        fault = QStringLiteral("No s'ha pogut esborrar el fitxer %1").arg(QDir::toNativeSeparators(path));
    return true;
}
