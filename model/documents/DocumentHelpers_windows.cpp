#include "model/documents/DocumentCommands.h"

#include <QCoreApplication>
#include <QDir>

namespace {

// Word or LibreOffice may take long to start the first time of a session;
// past this the chain is ended and the pupil told.
constexpr int ReportSecondsAllowed = 90;

} // namespace

// The shell's own association, as the desktop's Open does.
DocumentCommands::HelperProgram DocumentCommands::defaultOpener()
{
    return {};
}

// The script host is part of every Windows; the script drives Word through
// its automation server, or else LibreOffice through its own.
DocumentCommands::HelperProgram DocumentCommands::defaultReportHelper()
{
    const QString script = QDir::toNativeSeparators(QCoreApplication::applicationDirPath() + QStringLiteral("/informe.vbs"));
    return {QStringLiteral("cscript.exe"), {QStringLiteral("//NoLogo"), QStringLiteral("//B"), script},
            ReportSecondsAllowed};
}
