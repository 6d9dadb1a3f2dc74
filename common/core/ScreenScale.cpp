#include "common/core/ScreenScale.h"

#include <cmath>

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

int twipsToPixels(float twips)
{
    return static_cast<int>(std::nearbyint(twips / TwipsPerPixel));
}

float scaled(float value, float factor)
{
    return static_cast<float>(static_cast<double>(value) * static_cast<double>(factor));
}
