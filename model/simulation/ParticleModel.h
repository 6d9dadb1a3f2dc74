#pragma once

#include "model/simulation/ParticleSet.h"
#include "common/core/Random.h"
#include "common/surface/Surface.h"
#include "model/drawing/Vessel.h"

#include <cstdint>

// The solid's fall into the beaker, the release of its particles and their
// motion through the solution, one clock tick at a time. It draws the beaker
// and the base on the picture surface and moves the surface's circles.
class ParticleModel : public ParticleSet {
public:
    ParticleModel(Scene &scene, Surface &Caja, Random &random);

    // The tick's work: fall, release, then exchange and move.
    void tick();

    void Reinicia_Escena();
    void Construeix_Solid();
    void Assigna_Velocitats(std::int16_t Inici);
    void Velocitat_Aleatoria(int i);
    void Omple_TaulaVelocitats();
    void Barreja_Llista(int n);
    void Pas_Caiguda();
    void Allibera_Bola();
    // The released particles hand their velocities round at random, then move.
    void exchangeVelocitiesAndMove();
    void Mou_Bola(int i, float D);
    void Rebot_Paret(int i);
    // A particle's place around the beaker's axis, seen from above.
    struct CoordenadesEix {
        float DxEix = 0;
        float DzEix = 0;
        float DistanciaEix = 0;
        float AngleEix = 0;
    };
    CoordenadesEix Coordenades_Polars(int i, float D) const;

    // Draws the base again over itself in the background colour.
    void eraseBase();

    float YSolid = 0;
    bool SolidCaient = false;
    bool Dissolent = false;
    float BolesDissoltes = 0;
    Table<std::int16_t> OrdreDissolucio{};
    Table<std::int16_t> LlistaDissoltes{};
    Table<std::int16_t> LlistaBarrejada{};
    Table<std::int16_t> TaulaVelocitats{};

    CSolido Solid;

private:
    struct BaseGeometry {
        float Lx = 0;
        float Ix = 0;
        float Iy = 0;
        float Ax = 0;
        float Ay = 0;
    };

    void land();
    int released() const { return static_cast<int>(BolesDissoltes); }
    int drawSpeedEntry();
    float axisX() const;

    Surface &m_caja;
    Random &m_random;
    CCilindro m_upper;
    CCilindro m_solution;
    CBase m_base;
    BaseGeometry m_baseGeometry;
};
