#include "common/widgets/CatalanQt.h"
#include "common/widgets/DesignFonts.h"
#include "launcher/calibration/LauncherApp.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QGuiApplication::setDesktopFileName(QStringLiteral("org.kinetra.Kinetra"));
    QApplication::setApplicationName(QStringLiteral("Kinetra"));
    loadCatalanQt(app);
    useDesignFonts();
    return LauncherApp::run(app);
}
