#include "ModelApp.h"

#include "Concentracio.h"

#include <QApplication>

int ModelApp::run(QApplication &app)
{
    Concentracio window;
    window.show();
    return app.exec();
}
