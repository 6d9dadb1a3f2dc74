#include "common/widgets/CatalanQt.h"
#include "common/widgets/MessageBox.h"
#include "suite/SuiteFolder.h"

#include <QApplication>
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
