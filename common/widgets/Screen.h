#pragma once

class QWidget;

// Width of the screen a window opens maximised on, in twips.
float screenWidthTwips();

// Maximises a window, also where no window manager does it (a bare X server).
void maximise(QWidget *window);
