#include "common/widgets/CatalanQt.h"
#include "common/widgets/DesignFonts.h"
#include "common/widgets/EnterKey.h"
#include "common/widgets/Screen.h"
#include "model/startup/ModelApp.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QGuiApplication::setDesktopFileName(QStringLiteral("org.kinetra.Concentracio"));
    loadCatalanQt(app);
    useDesignFonts();
    useZoom(screenZoom());
    pressButtonsWithEnter(app);
    return ModelApp::run(app);
}
