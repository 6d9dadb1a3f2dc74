#include "LauncherApp.h"

#include <QApplication>

int LauncherApp::run(QApplication &app)
{
    return app.exec();
}
