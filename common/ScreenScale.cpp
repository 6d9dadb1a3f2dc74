#include "ScreenScale.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

ScreenScale screenScaleForWidth(float widthTwips)
{
    ScreenScale scale;
    if (widthTwips > 16000) {
        scale.EscalaPantalla = 1.125f;
        scale.AjustarPantalla = true;
    }
    if (widthTwips < 14000) {
        scale.EscalaPantalla = 0.78125f;
        scale.AjustarPantalla = true;
    }
    return scale;
}

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
