#pragma once

#include <QColor>
#include <QPalette>

class QWidget;

// Where the design gives a window or panel its colours, the whole palette is
// the design's, for it and every control inside it, so that no desktop theme
// (dark or high-contrast included) puts its own text on the design's
// background: captions in the design's text colour, text boxes white with
// black text, buttons a light grey face with black text, as on the desktop
// the layout was drawn for.
QPalette designPalette(const QColor &background, const QColor &text = Qt::black);

// Gives the widget, and what it holds, that palette, and fills its background.
void useDesignPalette(QWidget *widget, const QColor &background, const QColor &text = Qt::black);
