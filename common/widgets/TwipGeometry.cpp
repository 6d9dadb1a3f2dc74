#include "common/widgets/TwipGeometry.h"

#include "common/core/ScreenScale.h"

#include <QFont>
#include <QRectF>
#include <QVariant>
#include <QWidget>

namespace {
constexpr const char *RectProperty = "twipRect";
}

void setTwipRect(QWidget *widget, const TwipRect &rect)
{
    widget->setProperty(RectProperty, QRectF(rect.left, rect.top, rect.width, rect.height));
    widget->setGeometry(twipsToPixels(rect.left), twipsToPixels(rect.top), twipsToPixels(rect.width),
                        twipsToPixels(rect.height));
}

TwipRect twipRect(const QWidget *widget)
{
    const QVariant stored = widget->property(RectProperty);
    if (stored.isValid()) {
        const QRectF r = stored.toRectF();
        return {float(r.x()), float(r.y()), float(r.width()), float(r.height())};
    }
    const QRect g = widget->geometry();
    return {pixelsToTwips(g.x()), pixelsToTwips(g.y()), pixelsToTwips(g.width()), pixelsToTwips(g.height())};
}

void moveTwips(QWidget *widget, float left, float top)
{
    TwipRect r = twipRect(widget);
    r.left = left;
    r.top = top;
    setTwipRect(widget, r);
}

void setFontPoints(QFont &font, float points)
{
    font.setPointSizeF(points * zoom());
}

void setFontPoints(QWidget *widget, float points)
{
    QFont font = widget->font();
    setFontPoints(font, points);
    widget->setFont(font);
}

float fontPoints(const QWidget *widget)
{
    return static_cast<float>(widget->font().pointSizeF()) / zoom();
}

void scaleTwipRect(QWidget *widget, float factor)
{
    const TwipRect r = twipRect(widget);
    setTwipRect(widget, {scaled(r.left, factor), scaled(r.top, factor), scaled(r.width, factor),
                         scaled(r.height, factor)});
}

void scaleTwipRectAndFont(QWidget *widget, float factor)
{
    scaleTwipRect(widget, factor);
    setFontPoints(widget, scaled(fontPoints(widget), factor));
}
