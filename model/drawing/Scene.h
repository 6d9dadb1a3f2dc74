#pragma once

#include "common/core/CircleSet.h"

// The beaker scene's dimensions in twips: set by the layout, completed by the
// vessel drawing and read by the particles to keep them inside the beaker.
struct Scene {
    float DiametreVas = 4000;
    float AlturaDissolucio = 3000;
    float AlturaCaja = 10000;
    float AlturaBuida = 2000;
    float MargeSuperior = 2500;
    float Unitat = 10;
    float NivellPerspectiva = 1.0f;

    float Perspectiva = 0;
    float FonsX = 0;
    float FonsY = 0;
    float FonsDiagonal = 0;
    float FonsAngle = 0;
    float DiametreVasActual = 0;
    float AmpladaCaja = 0;
    float RadiVas = 0;

    float DiametreBolaBase = 64;
    float XSolid = 2100;
    float YSolidInici = 2000;
    float ZSolid = 2000;

    Rgb ColorFons{255, 255, 200};
    Rgb ColorDissolucio{225, 255, 200};
    Rgb ColorSuperficie{170, 255, 185};
};

// The perspective of the beaker, from its diameter and the perspective level.
void computeVessel(Scene &scene);

// Where a particle's top touches the solution's surface.
float surfaceLevel(const Scene &scene);
// Where the bottom of a particle of the given diameter touches the floor.
float floorLevel(const Scene &scene, float diameter);
