#pragma once

#include "common/core/CircleSet.h"
#include "common/core/ParticleKernel.h"
#include "model/drawing/Scene.h"

#include <array>
#include <cstdint>

constexpr int MaxBoles = kernel::TableSize;

template <typename T>
using Table = std::array<T, MaxBoles>;

constexpr Rgb FillBola{0, 160, 255};
constexpr Rgb BorderBola{0, 0, 255};
constexpr Rgb FillMarcada{255, 0, 0};
constexpr Rgb BorderMarcada{0, 0, 0};

// What every particle carries, the sizes of the set, and the circles that
// show it. Only indices 0 … NombreBoles − 1 are in use.
struct ParticleSet {
    ParticleSet(Scene &scene, CircleSet &Cercle);

    // Turns a position in the beaker into its circle's Left and Top; the depth
    // is measured against the beaker's diameter less the given one.
    void project(int i, float diameter);
    void showCircle(int i);
    void hideCircles();

    Scene &scene;
    CircleSet &Cercle;

    Table<float> BolaX{};
    Table<float> BolaY{};
    Table<float> BolaZ{};
    Table<float> VelX{};
    Table<float> VelY{};
    Table<float> VelZ{};
    Table<float> PantX{};
    Table<float> PantY{};
    Table<float> DiamPant{};
    Table<bool> BolaEnSolid{};

    std::int16_t BolesAresta = 4;
    std::int16_t NombreBolesOptim = 64;
    std::int16_t NombreBolesTriat = 64;
    std::int16_t NombreBoles = 64;
    float DiametreBolaTriat = 64;
    float DiametreBola = 64;
    float FactorEspai = 1;

private:
    kernel::ObliqueView m_view;
};

// The solid block: its corner (x, height of the bottom row, z), the circles
// of its particles and their places on the lattice.
class CSolido {
public:
    void Crea_Boles(ParticleSet &Frm, std::int16_t Num, float Dia, Rgb fill, Rgb border);
    void Vibracio_Boles(ParticleSet &Frm, float Dia, std::int16_t NB0, std::int16_t Nx, std::int16_t Ny,
                        std::int16_t Nz);

    float XB = 0;
    float YB = 0;
    float ZB = 0;
};
