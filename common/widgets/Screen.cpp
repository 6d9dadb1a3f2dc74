#include "common/widgets/Screen.h"

#include "common/core/ScreenScale.h"
#include "common/widgets/TwipGeometry.h"

#include <QApplication>
#include <QProxyStyle>
#include <QScreen>
#include <QWidget>
#include <algorithm>
#include <cmath>

namespace {

// The style's own lengths (a check box's square, a scroll bar's width, a
// button's margins) grow with the zoom like the rest of the window.
class ZoomedStyle : public QProxyStyle {
public:
    int pixelMetric(PixelMetric metric, const QStyleOption *option, const QWidget *widget) const override
    {
        const int pixels = QProxyStyle::pixelMetric(metric, option, widget);
        // A negative metric means "none" or "no limit".
        return pixels > 0 ? std::max(1, int(std::lround(pixels * zoom()))) : pixels;
    }

    // A menu item's room around its caption is fixed in the base style,
    // while its check column follows the item's height: with zoomed text
    // the caption would be cut.
    QSize sizeFromContents(ContentsType type, const QStyleOption *option, const QSize &contents,
                           const QWidget *widget) const override
    {
        QSize size = QProxyStyle::sizeFromContents(type, option, contents, widget);
        if (type == CT_MenuItem)
            size.setWidth(contents.width() + int(std::lround((size.width() - contents.width()) * zoom())));
        return size;
    }
};

} // namespace

float screenWidthTwips()
{
    const QScreen *screen = QGuiApplication::primaryScreen();
    return screen ? static_cast<float>(screen->geometry().width()) * TwipsPerPixel : 15360.0f;
}

float screenZoom()
{
    const QScreen *screen = QGuiApplication::primaryScreen();
    if (!screen)
        return 1;
    const QRect available = screen->availableGeometry();
    return zoomForScreen(float(screen->geometry().width()), float(available.width()), float(available.height()));
}

void useZoom(float factor)
{
    QFont font = QApplication::font();
    const float designPoints = float(font.pointSizeF()) / zoom();
    setZoom(factor);
    if (factor != 1 && !dynamic_cast<ZoomedStyle *>(QApplication::style()))
        QApplication::setStyle(new ZoomedStyle);
    if (designPoints <= 0)
        return;
    setFontPoints(font, designPoints);
    QApplication::setFont(font);
}

int unusedScreenWidth()
{
    const QScreen *screen = QGuiApplication::primaryScreen();
    if (!screen || zoom() == 1)
        return 0;
    return std::max(0, screen->availableGeometry().width() - twipsToPixels(1152 * TwipsPerPixel));
}

void maximise(QWidget *window)
{
    if (const QScreen *screen = window->screen())
        window->setGeometry(screen->availableGeometry());
    window->setWindowState(window->windowState() | Qt::WindowMaximized);
}
