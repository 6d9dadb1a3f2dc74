#pragma once

#include "model/drawing/Scene.h"
#include "common/surface/Surface.h"

#include <cstdint>

// Draws one upright cylinder in perspective: rim and floor as ellipses, two
// sides, and three flood-filled regions.
class CCilindro {
public:
    struct Colours {
        Rgb top;
        Rgb bottom;
        Rgb sides;
        Rgb fillTop;
        Rgb fillBottom;
        Rgb fillBody;
    };

    void Cilindro(Surface &Caixa, float Lx, float Ly, float Ix, float Iy, float pr, std::int16_t Lext,
                  std::int16_t Lint, float Control_Linea, const Colours &colours);
};

// Draws the flat base under the solid as a filled parallelogram.
class CBase {
public:
    void Dibujo_Base(Surface &Caixa, float Lx, float Ix, float Iy, float Ax, float Ay, Rgb outline, Rgb fill);
    // Draws it again with the geometry it was last drawn with.
    void redraw(Surface &Caixa, Rgb outline, Rgb fill) const;

private:
    float m_lx = 0;
    float m_ix = 0;
    float m_iy = 0;
    float m_ax = 0;
    float m_ay = 0;
};

// Resizes and clears the surface and draws the empty upper part and the solution.
void Dibuixa_Vas(Surface &Caja, const Scene &scene, CCilindro &upper, CCilindro &solution);
