#include "common/widgets/Controls.h"

#include <QLabel>

void setColour(QWidget *widget, QPalette::ColorRole role, const QColor &colour)
{
    QPalette pal = widget->palette();
    pal.setColor(role, colour);
    widget->setPalette(pal);
}

void setBackground(QWidget *widget, const QColor &colour)
{
    setColour(widget, QPalette::Window, colour);
    widget->setAutoFillBackground(true);
}

void fitToText(QLabel *label, float marginTwips)
{
    TwipRect r = twipRect(label);
    const QSize text = label->sizeHint();
    r.width = pixelsToTwips(text.width()) + marginTwips;
    r.height = pixelsToTwips(text.height()) + marginTwips;
    setTwipRect(label, r);
}
