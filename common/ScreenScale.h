#pragma once

// Both programs were laid out for a screen 1024 pixels wide and scale every
// length by one factor on screens of about 800 and 1152 pixels.
struct ScreenScale {
    float EscalaPantalla = 1.0f;
    bool AjustarPantalla = false;
};

constexpr float TwipsPerPixel = 15.0f;

ScreenScale screenScaleForWidth(float widthTwips);

// Width of the screen a window opens maximised on, in twips.
float screenWidthTwips();

class QWidget;

// Maximises a window, also where no window manager does it (a bare X server).
void maximise(QWidget *window);
