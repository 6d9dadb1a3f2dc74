#include "common/widgets/Screen.h"

#include "common/core/ScreenScale.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

float screenWidthTwips()
{
    const QScreen *screen = QGuiApplication::primaryScreen();
    return screen ? static_cast<float>(screen->geometry().width()) * TwipsPerPixel : 15360.0f;
}

void maximise(QWidget *window)
{
    if (const QScreen *screen = window->screen())
        window->setGeometry(screen->availableGeometry());
    window->setWindowState(window->windowState() | Qt::WindowMaximized);
}
