#include "model/simulation/ParticleSet.h"

#include <cmath>
#include <stdexcept>

ParticleSet::ParticleSet(Scene &scene, CircleSet &Cercle)
    : scene(scene)
    , Cercle(Cercle)
{
}

void ParticleSet::project(int i, float diameter)
{
    m_view.setAngle(scene.FonsAngle);
    const double depth = double(BolaZ[i]) / (scene.DiametreVasActual - diameter);
    PantX[i] = m_view.screenX(BolaX[i], depth, scene.FonsDiagonal);
    PantY[i] = m_view.screenY(BolaY[i], depth, scene.FonsDiagonal);
}

void ParticleSet::showCircle(int i)
{
    Cercle.place(i, PantX[i], PantY[i], DiamPant[i]);
    // Deeper layers are placed later and so end up behind.
    Cercle.sendToBack(i);
    Cercle[i].visible = true;
}

void ParticleSet::hideCircles()
{
    for (int i = 0; i < NombreBoles; ++i)
        Cercle[i].visible = false;
}

void CSolido::Crea_Boles(ParticleSet &Frm, std::int16_t Num, float Dia, Rgb fill, Rgb border)
{
    // With only the template left, it becomes the first particle.
    int first = Frm.Cercle.count() - 1;
    if (first > 0)
        ++first;
    const int last = first + Num - 1;
    // A count beyond the tables is the caller's fault; never write past them.
    if (last >= MaxBoles)
        throw std::out_of_range("more particles than the tables hold");
    if (last >= Frm.Cercle.count())
        Frm.Cercle.resize(last + 1);
    for (int i = first; i <= last; ++i) {
        Circle &c = Frm.Cercle[i];
        c.fill = fill;
        c.border = border;
        c.size = Dia;
        Frm.BolaEnSolid[i] = true;
    }
}

void CSolido::Vibracio_Boles(ParticleSet &Frm, float Dia, std::int16_t NB0, std::int16_t Nx, std::int16_t Ny,
                             std::int16_t Nz)
{
    const double s = Dia * 1.9 / 2;
    const double o = (Frm.FactorEspai - 1) / 2.0;
    const int layer = Nx * Ny;
    for (int L = 0; L < Nz; ++L) {
        for (int k = 0; k < layer; ++k) {
            const int i = NB0 + k + L * layer;
            Frm.BolaX[i] = static_cast<float>(((k % Nx) * Frm.FactorEspai - o) * s + XB);
            Frm.BolaY[i] = static_cast<float>(YB - ((k / Nx) * Frm.FactorEspai - o) * s);
            Frm.BolaZ[i] = static_cast<float>(((L % Nz) * Frm.FactorEspai - o) * s + ZB);
            Frm.DiamPant[i] = static_cast<float>(s);
            Frm.project(i, Dia);
            Frm.showCircle(i);
        }
    }
}
