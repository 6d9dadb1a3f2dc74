#include "model/drawing/Scene.h"

#include "common/core/ScreenScale.h"

#include <cmath>

namespace {

Scene referenceScene()
{
    Scene s{};
    s.DiametreVas = 4000;
    s.AlturaDissolucio = 3000;
    s.AlturaCaja = 10000;
    s.AlturaBuida = 2000;
    s.MargeSuperior = 2500;
    s.Unitat = 10;
    s.NivellPerspectiva = 1.0f;
    s.DiametreBolaBase = 64;
    s.XSolid = 2100;
    s.YSolidInici = 2000;
    s.ZSolid = 2000;
    s.ColorFons = {255, 255, 200};
    s.ColorDissolucio = {225, 255, 200};
    s.ColorSuperficie = {170, 255, 185};
    return s;
}

// The perspective of the beaker, from its diameter and the perspective level.
void computeVessel(Scene &s)
{
    s.Perspectiva = s.NivellPerspectiva / 10 + 0.05f;
    s.DiametreVasActual = s.DiametreVas;
    s.FonsX = s.DiametreVas * s.Perspectiva;
    s.FonsY = s.DiametreVas * s.Perspectiva;
    s.FonsDiagonal = static_cast<float>(std::sqrt(double(s.FonsY) * s.FonsY + double(s.FonsX) * s.FonsX));
    s.FonsAngle = static_cast<float>(std::atan(double(s.FonsY) / s.FonsX));
    s.RadiVas = s.DiametreVas / 2;
    s.AmpladaCaja = s.FonsX + s.DiametreVas + 40 * s.Unitat;
}

} // namespace

Scene sceneAtScale(float e)
{
    Scene s = referenceScene();
    if (e != 1)
        for (float *value : {&s.DiametreBolaBase, &s.Unitat, &s.AlturaCaja, &s.MargeSuperior, &s.DiametreVas,
                             &s.AlturaBuida, &s.AlturaDissolucio, &s.XSolid, &s.YSolidInici, &s.ZSolid})
            *value = scaled(*value, e);
    computeVessel(s);
    return s;
}

float surfaceLevel(const Scene &s)
{
    return s.MargeSuperior + s.AlturaBuida + s.FonsY;
}

float floorLevel(const Scene &s, float diameter)
{
    return surfaceLevel(s) + s.AlturaDissolucio - diameter;
}
