#include "common/widgets/CatalanQt.h"
#include "common/widgets/DesignFonts.h"
#include "common/widgets/EnterKey.h"
#include "common/widgets/Screen.h"
#include "launcher/calibration/LauncherApp.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QGuiApplication::setDesktopFileName(QStringLiteral("org.kinetra.Kinetra"));
    QApplication::setApplicationName(QStringLiteral("Kinetra"));
    loadCatalanQt(app);
    useDesignFonts();
    useZoom(screenZoom());
    pressButtonsWithEnter(app);
    return LauncherApp::run(app);
}
