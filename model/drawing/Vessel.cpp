#include "model/drawing/Vessel.h"

#include "common/core/ParticleKernel.h"

#include <cmath>

namespace {

constexpr Rgb BeakerOutline{150, 0, 255};
using kernel::Pi;

} // namespace

void CCilindro::Cilindro(Surface &Caixa, float Lx, float Ly, float Ix, float Iy, float pr, std::int16_t Lext,
                         std::int16_t Lint, float Control_Linea, const Colours &c)
{
    const float cx = Ix + Lx / 2;
    const float r = Lx / 2;
    const float sidesTop = (1 - Control_Linea) * Iy;
    Caixa.setLineWidth(Lext);
    Caixa.drawEllipse(cx, Iy, r, c.top, pr);
    Caixa.drawArc(cx, Iy + Ly, r, c.bottom, Pi, 0, pr);
    Caixa.setLineWidth(Lint);
    Caixa.drawArc(cx, Iy + Ly, r, c.bottom, 0, Pi, pr);
    Caixa.setLineWidth(Lext);
    Caixa.drawLine(Ix, sidesTop, Ix, Iy + Ly, c.sides);
    Caixa.drawLine(Ix + Lx, sidesTop, Ix + Lx, Iy + Ly, c.sides);
    Caixa.floodFill(cx, Iy, c.fillTop);
    Caixa.floodFill(cx, Iy + Ly, c.fillBottom);
    Caixa.floodFill(Ix + 0.1f * Lx, Iy + 0.5f * Ly, c.fillBody);
}

void CBase::Dibujo_Base(Surface &Caixa, float Lx, float Ix, float Iy, float Ax, float Ay, Rgb outline, Rgb fill)
{
    m_lx = Lx;
    m_ix = Ix;
    m_iy = Iy;
    m_ax = Ax;
    m_ay = Ay;
    redraw(Caixa, outline, fill);
}

void CBase::redraw(Surface &Caixa, Rgb outline, Rgb fill) const
{
    const float Lx = m_lx;
    const float Ix = m_ix;
    const float Iy = m_iy;
    const float Ax = m_ax;
    const float Ay = m_ay;
    Caixa.setLineWidth(2);
    Caixa.drawLine(Ix, Iy + Ay, Ix + Lx, Iy + Ay, outline);
    Caixa.drawLine(Ix + Lx, Iy + Ay, Ix + Ax + Lx, Iy, outline);
    Caixa.drawLine(Ix, Iy + Ay, Ix + Ax, Iy, outline);
    Caixa.drawLine(Ix + Ax, Iy, Ix + Ax + Lx, Iy, outline);
    Caixa.floodFill(Ix + (Lx + Ax) / 2, Iy + Ay / 2, fill);
}

void Dibuixa_Vas(Surface &Caja, const Scene &s, CCilindro &upper, CCilindro &solution)
{
    Caja.setBackground(s.ColorFons);
    Caja.resize(s.AmpladaCaja, s.AlturaCaja);
    const float d = s.DiametreVas * 1.02f;
    const float x = 14 * s.Unitat + s.FonsX / 2;
    const float a = s.FonsX * 1.03f / s.DiametreVas;
    upper.Cilindro(Caja, d, s.AlturaBuida, x, s.FonsY / 2 + s.MargeSuperior, a, 2, 1, 0,
                   {BeakerOutline, s.ColorSuperficie, BeakerOutline, s.ColorFons, s.ColorDissolucio, s.ColorFons});
    solution.Cilindro(Caja, d, s.AlturaDissolucio * 1.01f, x, s.MargeSuperior + s.AlturaBuida + s.FonsY / 2, a, 2, 1,
                      0.1f,
                      {s.ColorSuperficie, BeakerOutline, BeakerOutline, s.ColorDissolucio, s.ColorDissolucio,
                       s.ColorDissolucio});
}
