#pragma once

#include "common/core/CircleSet.h"

#include <QColor>

inline QColor toColour(Rgb rgb)
{
    return QColor(rgb.r, rgb.g, rgb.b);
}
