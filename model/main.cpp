#include "CatalanQt.h"
#include "DesignFonts.h"
#include "ModelApp.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    loadCatalanQt(app);
    useDesignFonts();
    return ModelApp::run(app);
}
