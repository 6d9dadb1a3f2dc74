#include "CatalanQt.h"
#include "DesignFonts.h"
#include "LauncherApp.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Kinetra"));
    loadCatalanQt(app);
    useDesignFonts();
    return LauncherApp::run(app);
}
