#include "DocumentCommands.h"

#include "Concentracio.h"
#include "MessageBox.h"
#include "frmAjuda.h"

#include <QApplication>
#include <QClipboard>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QUrl>

const QString DocumentCommands::MissatgeFallada = QStringLiteral("El procés requerit ha fallat");
const QString DocumentCommands::TitolFitxa = QStringLiteral("Concentració de les dissolucions");

namespace {

struct ShellDocument {
    QAction *Concentracio::*item;
    const char *file;
};

const ShellDocument ShellDocuments[] = {
    {&Concentracio::ArxiuText, "Dades.txt"},
    {&Concentracio::FinPre, "T_Concentra.pps"},
    {&Concentracio::FinTeo, "T_Concentra.pdf"},
    {&Concentracio::FinProp, "P_Concentra.pdf"},
    {&Concentracio::FinGuia, "G_Concentra.pdf"},
};

QString companionPath(const QString &file)
{
    return Directori_Actual() + QStringLiteral("Arxius_models/") + file;
}

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

QString Directori_Actual()
{
    QString directory = QDir::currentPath();
    if (!directory.endsWith(QLatin1Char('/')))
        directory += QLatin1Char('/');
    return directory;
}

DocumentCommands::ReportHelper DocumentCommands::defaultReportHelper()
{
    return {pythonInterpreter(), {QCoreApplication::applicationDirPath() + QStringLiteral("/informe.py")}};
}

DocumentCommands::DocumentCommands(Concentracio &window, float escalaPantalla)
    : QObject(&window)
    , mainWindow(window)
    , escala(escalaPantalla)
    , opener(QDesktopServices::openUrl)
    , helper(defaultReportHelper())
{
    for (const ShellDocument &document : ShellDocuments) {
        const QString file = QString::fromLatin1(document.file);
        connect(window.*document.item, &QAction::triggered, this, [this, file] { openWithDesktop(file); });
    }
    connect(window.ArxiuInformExem, &QAction::triggered, this,
            [this] { openReport(QStringLiteral("InformExemConcentra.doc"), QString()); });
    connect(window.ArxiuInformFitxa, &QAction::triggered, this, [this] {
        QGuiApplication::clipboard()->setText(TitolFitxa);
        openReport(QStringLiteral("InformFitxa.doc"), TitolFitxa);
    });
    connect(window.mnuAjuda, &QAction::triggered, this, &DocumentCommands::showHelp);
}

void DocumentCommands::setOpener(Opener newOpener)
{
    opener = std::move(newOpener);
}

void DocumentCommands::setReportHelper(ReportHelper newHelper)
{
    helper = std::move(newHelper);
}

frmAjuda *DocumentCommands::ajuda() const
{
    return finestraAjuda;
}

// The desktop may accept a file that is not there and fail later, out of
// sight; a missing file is a failure here and now.
void DocumentCommands::openWithDesktop(const QString &file)
{
    const QString path = companionPath(file);
    if (!QFileInfo(path).isFile() || !opener(QUrl::fromLocalFile(path)))
        fail();
}

// Writer may take many seconds to start: the helper runs on its own while
// the window keeps answering, and its exit status tells the outcome.
void DocumentCommands::openReport(const QString &file, const QString &title)
{
    const QString path = companionPath(file);
    if (!QFileInfo(path).isFile())
        return fail();
    QStringList arguments = helper.arguments;
    if (!title.isEmpty())
        arguments << QStringLiteral("--title") << title;
    arguments << path;

    auto *process = new QProcess(this);
    process->setStandardOutputFile(QProcess::nullDevice());
    process->setProcessChannelMode(QProcess::ForwardedErrorChannel);
    connect(process, &QProcess::finished, this, [this, process](int code, QProcess::ExitStatus status) {
        process->deleteLater();
        reportDone(status == QProcess::NormalExit && code == 0);
    });
    // A crash also ends in finished(); only a failed start does not.
    connect(process, &QProcess::errorOccurred, this, [this, process](QProcess::ProcessError error) {
        if (error != QProcess::FailedToStart)
            return;
        process->deleteLater();
        reportDone(false);
    });
    QApplication::setOverrideCursor(Qt::WaitCursor);
    process->start(helper.program, arguments);
}

void DocumentCommands::reportDone(bool succeeded)
{
    QApplication::restoreOverrideCursor();
    if (!succeeded)
        fail();
    emit reportFinished(succeeded);
}

// A closed help window is gone, and with it whatever was typed into it.
void DocumentCommands::showHelp()
{
    if (!finestraAjuda || !finestraAjuda->isVisible()) {
        delete finestraAjuda;
        finestraAjuda = new frmAjuda(escala, &mainWindow);
    }
    finestraAjuda->show();
    finestraAjuda->raise();
    finestraAjuda->activateWindow();
}

void DocumentCommands::fail()
{
    showMessage(&mainWindow, MissatgeFallada);
}
