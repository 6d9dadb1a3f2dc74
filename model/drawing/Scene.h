#pragma once

#include "common/core/CircleSet.h"

// The beaker scene's dimensions in twips, read by the vessel drawing and by
// the particles to keep them inside the beaker. Made only by sceneAtScale.
struct Scene {
    float DiametreVas;
    float AlturaDissolucio;
    float AlturaCaja;
    float AlturaBuida;
    float MargeSuperior;
    float Unitat;
    float NivellPerspectiva;

    float Perspectiva;
    float FonsX;
    float FonsY;
    float FonsDiagonal;
    float FonsAngle;
    float DiametreVasActual;
    float AmpladaCaja;
    float RadiVas;

    float DiametreBolaBase;
    float XSolid;
    float YSolidInici;
    float ZSolid;

    Rgb ColorFons;
    Rgb ColorDissolucio;
    Rgb ColorSuperficie;
};

// The scene laid out for a screen 1024 pixels wide (factor 1), or that
// layout rescaled by the screen's factor, with the beaker's perspective.
Scene sceneAtScale(float EscalaPantalla);

// Where a particle's top touches the solution's surface.
float surfaceLevel(const Scene &scene);
// Where the bottom of a particle of the given diameter touches the floor.
float floorLevel(const Scene &scene, float diameter);
