#pragma once

#include "Scene.h"

class Concentracio;

// The main window's reference layout, for a screen 1024 pixels wide.
void Disposa_Controls(Concentracio &window, Scene &scene);

// Rescales the reference layout once, for screens of about 800 or 1152 pixels.
void Escala_Controls(Concentracio &window, Scene &scene, float EscalaPantalla);

// Loads the illustration; the box takes the picture's size plus its border,
// or stays empty at its place when the file is missing or unreadable.
void loadIllustration(Concentracio &window, const char *path);
