#pragma once

// Both programs were laid out for a screen 1024 pixels wide and scale every
// length by one factor on screens of about 800 and 1152 pixels.
struct ScreenScale {
    float EscalaPantalla = 1.0f;
    bool AjustarPantalla = false;
};

constexpr float TwipsPerPixel = 15.0f;

ScreenScale screenScaleForWidth(float widthTwips);

// Layouts are kept in twips as single-precision values and turned into
// whole pixels only where something is placed on screen.
int twipsToPixels(float twips);

// Each value becomes itself times the factor, formed in double precision and
// kept in single precision.
float scaled(float value, float factor);
