#pragma once

#include "common/core/ScreenScale.h"

class QFont;
class QWidget;

// Layouts are kept in twips as single-precision values and turned into
// pixels only where a widget is placed (15 twips per pixel at a zoom of 1).
// Font sizes are the design's points; on screen they grow with the zoom.
struct TwipRect {
    float left = 0;
    float top = 0;
    float width = 0;
    float height = 0;
};

void setTwipRect(QWidget *widget, const TwipRect &rect);
TwipRect twipRect(const QWidget *widget);
void moveTwips(QWidget *widget, float left, float top);

void setFontPoints(QFont &font, float points);
void setFontPoints(QWidget *widget, float points);
float fontPoints(const QWidget *widget);

void scaleTwipRect(QWidget *widget, float factor);
void scaleTwipRectAndFont(QWidget *widget, float factor);
