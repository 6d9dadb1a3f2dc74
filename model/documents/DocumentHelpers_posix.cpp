#include "model/documents/DocumentCommands.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QStandardPaths>

namespace {

// The bridge is built for the system's own interpreter, which another one
// earlier on the PATH may lack.
QString pythonInterpreter()
{
    const QString system = QStringLiteral("/usr/bin/python3");
    if (QFileInfo(system).isExecutable())
        return system;
    const QString found = QStandardPaths::findExecutable(QStringLiteral("python3"));
    return found.isEmpty() ? QStringLiteral("python3") : found;
}

} // namespace

DocumentCommands::HelperProgram DocumentCommands::defaultOpener()
{
    return {QStringLiteral("xdg-open"), {}};
}

// The helper gives up a little sooner and ends the Writer it started; this
// stops a helper that could not, so the pupil hears within 45 s.
DocumentCommands::HelperProgram DocumentCommands::defaultReportHelper()
{
    return {pythonInterpreter(), {QCoreApplication::applicationDirPath() + QStringLiteral("/informe.py")}, 42};
}
