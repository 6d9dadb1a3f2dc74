#pragma once

class QWidget;

// Width of the screen a window opens maximised on, in twips.
float screenWidthTwips();

// The zoom for the screen the windows open on (see zoomForScreen).
float screenZoom();
// Makes it the program's zoom, the interface font of menus and messages
// included; the windows made afterwards follow it.
void useZoom(float factor);

// What the zoomed 1152 layout leaves free at the right of the screen, in
// pixels: none on 1152 pixels and below, some where the height sets the zoom.
int unusedScreenWidth();

// Maximises a window, also where no window manager does it (a bare X server).
void maximise(QWidget *window);
