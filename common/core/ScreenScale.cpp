#include "common/core/ScreenScale.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr float DesignWidth = 1152;
constexpr float DesignHeight = 864;

float programZoom = 1;

} // namespace

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

float zoomForScreen(float widthPixels, float availableWidthPixels, float availableHeightPixels)
{
    if (!(widthPixels > DesignWidth))
        return 1;
    return std::max(1.0f, std::min(availableWidthPixels / DesignWidth, availableHeightPixels / DesignHeight));
}

void setZoom(float factor)
{
    programZoom = factor > 0 ? factor : 1;
}

float zoom()
{
    return programZoom;
}

int twipsToPixels(float twips)
{
    return static_cast<int>(std::nearbyint(twipsToPixelsF(twips)));
}

float twipsToPixelsF(float twips)
{
    return twips / TwipsPerPixel * programZoom;
}

float pixelsToTwips(double pixels)
{
    return static_cast<float>(pixels * TwipsPerPixel / programZoom);
}

float scaled(float value, float factor)
{
    return static_cast<float>(static_cast<double>(value) * static_cast<double>(factor));
}
