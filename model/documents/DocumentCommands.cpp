#include "model/documents/DocumentCommands.h"

#include "common/core/CompanionFiles.h"
#include "common/core/PrivateFolder.h"
#include "common/core/PupilCopy.h"
#include "common/widgets/MessageBox.h"
#include "model/documents/HelperGroup.h"
#include "model/documents/frmAjuda.h"

#include <QApplication>
#include <QClipboard>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QTimer>
#include <QUrl>

const QString DocumentCommands::MissatgeFallada = QStringLiteral("El procés requerit ha fallat");
const QString DocumentCommands::TitolFitxa = QStringLiteral("Concentració de les dissolucions");

namespace {

struct ShellDocument {
    Comanda command;
    const char *file;
};

const ShellDocument ShellDocuments[] = {
    {Comanda::ArxiuText, "Dades.txt"},
    {Comanda::FinPre, "T_Concentra.pps"},
    {Comanda::FinTeo, "T_Concentra.pdf"},
    {Comanda::FinProp, "P_Concentra.pdf"},
    {Comanda::FinGuia, "G_Concentra.pdf"},
};

QString companionPath(const QString &file)
{
    return pupilCopyOf(Directori_Actual() + companionFile(file));
}

// The display the window is on: each display has a Writer of its own, so
// the report opens where it was chosen.
QStringList displayArguments()
{
    const QString display = qEnvironmentVariable("DISPLAY");
    if (QGuiApplication::platformName() != QLatin1String("xcb") || display.isEmpty())
        return {};
    return {QStringLiteral("--display"), display};
}

} // namespace

QString Directori_Actual()
{
    QString directory = QDir::currentPath();
    if (!directory.endsWith(QLatin1Char('/')))
        directory += QLatin1Char('/');
    return directory;
}

DocumentCommands::DocumentCommands(Concentracio &window, float escalaPantalla)
    : QObject(&window)
    , m_mainWindow(window)
    , m_escala(escalaPantalla)
    , m_opener(defaultOpener())
    , m_helper(defaultReportHelper())
{
}

void DocumentCommands::command(Comanda chosen)
{
    for (const ShellDocument &document : ShellDocuments)
        if (document.command == chosen)
            return openWithDesktop(QString::fromLatin1(document.file));
    switch (chosen) {
    case Comanda::ArxiuInformExem:
        return openReport(QStringLiteral("InformExemConcentra.doc"), QString());
    case Comanda::ArxiuInformFitxa:
        QGuiApplication::clipboard()->setText(TitolFitxa);
        return openReport(QStringLiteral("InformFitxa.doc"), TitolFitxa);
    case Comanda::Ajuda:
        return showHelp();
    default:
        return;
    }
}

void DocumentCommands::setOpener(HelperProgram newOpener)
{
    m_opener = std::move(newOpener);
}

void DocumentCommands::setReportHelper(HelperProgram newHelper)
{
    m_helper = std::move(newHelper);
}

frmAjuda *DocumentCommands::ajuda() const
{
    return m_finestraAjuda;
}

// The desktop may accept a file that is not there and fail later, out of
// sight; a missing file is a failure here and now. A file with no program
// associated shows only in the opener's exit status, which may come as late
// as the viewer's end, so it is awaited without blocking.
void DocumentCommands::openWithDesktop(const QString &file)
{
    const QString path = companionPath(file);
    if (!QFileInfo(path).isFile())
        return fail();
    if (m_opener.program.isEmpty())
        return openerDone(QDesktopServices::openUrl(QUrl::fromLocalFile(path)));
    runHelper(m_opener, {path}, [this](bool succeeded) { openerDone(succeeded); });
}

void DocumentCommands::openerDone(bool succeeded)
{
    if (!succeeded)
        fail();
    emit openerFinished(succeeded);
}

// Writer may take many seconds to start: the helper runs on its own while
// the window keeps answering, and its exit status tells the outcome. Once it
// has ended, choosing the report again brings the open document forward.
void DocumentCommands::openReport(const QString &file, const QString &title)
{
    const QString path = companionPath(file);
    if (!QFileInfo(path).isFile())
        return fail();
    if (m_reportsOpening.contains(path))
        return;
    // Writer's pipe is named by a secret kept where only this user may look.
    QStringList arguments{QStringLiteral("--private"), privateFolder()};
    arguments << displayArguments();
    if (!title.isEmpty())
        arguments << QStringLiteral("--title") << title;
    arguments << path;
    m_reportsOpening.insert(path);
    QApplication::setOverrideCursor(Qt::WaitCursor);
    runHelper(m_helper, arguments, [this, path](bool succeeded) { reportDone(path, succeeded); });
}

void DocumentCommands::runHelper(const HelperProgram &program, const QStringList &arguments,
                                 std::function<void(bool)> done)
{
    auto *process = new QProcess(this);
    process->setStandardInputFile(QProcess::nullDevice());
    process->setStandardOutputFile(QProcess::nullDevice());
    process->setProcessChannelMode(QProcess::ForwardedErrorChannel);
    // A crash also ends in finished(); only a failed start, which comes
    // within start(), does not. Its failure message waits until start() has
    // returned: the message's own event loop would delete the process while
    // this function still uses it.
    connect(process, &QProcess::errorOccurred, this, [this, process, done](QProcess::ProcessError error) {
        if (error != QProcess::FailedToStart)
            return;
        process->deleteLater();
        QMetaObject::invokeMethod(this, [done] { done(false); }, Qt::QueuedConnection);
    });
    // A limited helper's chain ends with it; the desktop's opener starts
    // viewers that must outlive it.
    const bool limited = program.secondsAllowed > 0;
    if (limited)
        startInOwnGroup(*process);
    process->start(program.program, program.arguments + arguments);
    const qint64 group = limited ? process->processId() : 0;
    connect(process, &QProcess::finished, this, [process, done, group](int code, QProcess::ExitStatus status) {
        endLeftovers(group);
        process->deleteLater();
        done(status == QProcess::NormalExit && code == 0);
    });
    if (limited)
        QTimer::singleShot(program.secondsAllowed * 1000, process, [group] { stopGroup(group); });
}

void DocumentCommands::reportDone(const QString &path, bool succeeded)
{
    m_reportsOpening.remove(path);
    QApplication::restoreOverrideCursor();
    if (!succeeded)
        fail();
    emit reportFinished(succeeded);
}

// A closed help window is gone, and with it whatever was typed into it.
void DocumentCommands::showHelp()
{
    if (!m_finestraAjuda || !m_finestraAjuda->isVisible()) {
        delete m_finestraAjuda;
        m_finestraAjuda = new frmAjuda(m_escala, &m_mainWindow);
    }
    m_finestraAjuda->show();
    m_finestraAjuda->raise();
    m_finestraAjuda->activateWindow();
}

void DocumentCommands::fail()
{
    showMessage(&m_mainWindow, MissatgeFallada);
}
