#include "common/widgets/CatalanQt.h"
#include "common/widgets/MessageBox.h"
#include "suite/SuiteFolder.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cstdio>
#include <unistd.h>
#include <vector>

namespace {

// The installation is found from where this command really is, so an
// unpacked or relocated package runs as well as an installed one.
QString installedPath(const char *fromCommand)
{
    const QString command = QFileInfo(QStringLiteral("/proc/self/exe")).canonicalFilePath();
    return QDir::cleanPath(QFileInfo(command).absolutePath() + QLatin1Char('/') + QLatin1String(fromCommand));
}

// --help and --version answer and end here, where no display is needed;
// anything else goes on to the launcher.
void answerOptions(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("kinetra"));
    QCoreApplication::setApplicationVersion(QStringLiteral(KINETRA_VERSION));
    loadCatalanQt(app);
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Models de química per a secundària: la concentració de les dissolucions."));
    parser.addHelpOption();
    parser.addVersionOption();
    parser.process(app);
}

// Without one the launcher would abort, so the user's folder is left alone.
bool hasDisplay()
{
    return qEnvironmentVariableIsSet("QT_QPA_PLATFORM") || !qEnvironmentVariableIsEmpty("DISPLAY")
        || !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
}

int fail(int argc, char *argv[], const QString &text)
{
    std::fputs(qPrintable(text + QLatin1Char('\n')), stderr);
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Kinetra"));
    loadCatalanQt(app);
    showMessage(nullptr, text);
    return 1;
}

} // namespace

int main(int argc, char *argv[])
{
    answerOptions(argc, argv);
    if (!hasDisplay()) {
        std::fputs("kinetra: cal una sessió gràfica; obriu-lo des de l'escriptori.\n", stderr);
        return 1;
    }
    const QString programs = installedPath(KINETRA_PROGRAMS_FROM_COMMAND);
    const QString data = installedPath(KINETRA_DATA_FROM_COMMAND);
    SuiteFolder folder(userSuiteFolder());
    const QStringList modelFolders = {programs + QStringLiteral("/Arxius_models"), data + QStringLiteral("/Arxius_models")};
    if (!folder.prepare(modelFolders) || chdir(QFile::encodeName(folder.path()).constData()) != 0)
        return fail(argc, argv, folder.failureMessage());

    const QString launcherPath = programs + QStringLiteral("/Kinetra");
    QByteArray launcher = QFile::encodeName(launcherPath);
    std::vector<char *> arguments(argv, argv + argc);
    arguments[0] = launcher.data();
    arguments.push_back(nullptr);
    execv(launcher.constData(), arguments.data());
    return fail(argc, argv, QStringLiteral("No s'ha trobat el programa %1").arg(launcherPath));
}
