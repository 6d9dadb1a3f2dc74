#include "common/widgets/DesignPalette.h"

#include <QWidget>

namespace {

const QColor ButtonFace(212, 208, 200);
const QColor GreyText(128, 128, 128);
const QColor SelectionBlue(0, 0, 128);

} // namespace

QPalette designPalette(const QColor &background, const QColor &text)
{
    // Bevels and shadows follow from the button face and the window.
    QPalette palette(ButtonFace, background);
    palette.setColor(QPalette::WindowText, text);
    palette.setColor(QPalette::Base, Qt::white);
    palette.setColor(QPalette::AlternateBase, Qt::white);
    palette.setColor(QPalette::Text, Qt::black);
    palette.setColor(QPalette::ButtonText, Qt::black);
    palette.setColor(QPalette::Highlight, SelectionBlue);
    palette.setColor(QPalette::HighlightedText, Qt::white);
    palette.setColor(QPalette::PlaceholderText, GreyText);
    for (QPalette::ColorRole role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
        palette.setColor(QPalette::Disabled, role, GreyText);
    return palette;
}

void useDesignPalette(QWidget *widget, const QColor &background, const QColor &text)
{
    widget->setPalette(designPalette(background, text));
    widget->setAutoFillBackground(true);
}
