#pragma once

#include "common/surface/Colour.h"
#include "common/widgets/TwipGeometry.h"

#include <QColor>
#include <QPalette>
#include <QWidget>

class QLabel;

// A control as both programs' windows create them: a named child, placed in
// twips where a place is given, with its font in points where one is given.
template <typename W>
W *control(QWidget *parent, const char *name)
{
    auto *w = new W(parent);
    w->setObjectName(QLatin1String(name));
    return w;
}

template <typename W>
W *control(QWidget *parent, const char *name, const TwipRect &rect, float fontPoints = 0)
{
    W *w = control<W>(parent, name);
    setTwipRect(w, rect);
    if (fontPoints > 0)
        setFontPoints(w, fontPoints);
    return w;
}

void setColour(QWidget *widget, QPalette::ColorRole role, const QColor &colour);
// A plain background, filled by the widget itself.
void setBackground(QWidget *widget, const QColor &colour);

// Sizes a label to its caption plus a margin, keeping its place.
void fitToText(QLabel *label, float marginTwips = 0);
