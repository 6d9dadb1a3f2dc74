#pragma once

#include <QPalette>

class QColor;
class QLabel;
class QWidget;

void setColour(QWidget *widget, QPalette::ColorRole role, const QColor &colour);

// Sizes a label to its caption plus a margin, keeping its place.
void fitToText(QLabel *label, float marginTwips = 0);
