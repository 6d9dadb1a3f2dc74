#pragma once

// Both programs were laid out for a screen 1024 pixels wide and scale every
// length by one factor on screens of about 800 and 1152 pixels.
struct ScreenScale {
    float EscalaPantalla = 1.0f;
    bool AjustarPantalla = false;
};

constexpr float TwipsPerPixel = 15.0f;

ScreenScale screenScaleForWidth(float widthTwips);

// Above 1152 pixels the 1152 layout is shown larger as one piece: the
// largest factor at which a 1152 × 864 screen's worth fits the available
// area; 1 on 1152 pixels and below.
float zoomForScreen(float widthPixels, float availableWidthPixels, float availableHeightPixels);

// The program's zoom, set once at start-up; every conversion below follows it.
void setZoom(float factor);
float zoom();

// Layouts are kept in twips as single-precision values and turned into
// whole pixels only where something is placed on screen.
int twipsToPixels(float twips);
// The same, unrounded, for drawing.
float twipsToPixelsF(float twips);
float pixelsToTwips(double pixels);

// Each value becomes itself times the factor, formed in double precision and
// kept in single precision.
float scaled(float value, float factor);
