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

// What every particle carries and the circles that show it: a particle is
// put in the solid, given a velocity, released, moved one step, marked.
class ParticleSet {
public:
    ParticleSet(const Scene &scene, CircleSet &circles);

    // Read-only views; only indices 0 … the solid's count − 1 are in use.
    const Table<float> &BolaX() const { return m_bolaX; }
    const Table<float> &BolaY() const { return m_bolaY; }
    const Table<float> &BolaZ() const { return m_bolaZ; }
    const Table<float> &VelX() const { return m_velX; }
    const Table<float> &VelY() const { return m_velY; }
    const Table<float> &VelZ() const { return m_velZ; }
    const Table<float> &PantX() const { return m_pantX; }
    const Table<float> &PantY() const { return m_pantY; }
    const Table<float> &DiamPant() const { return m_diamPant; }
    const Table<bool> &BolaEnSolid() const { return m_bolaEnSolid; }
    const CircleSet &Cercle() const { return m_cercle; }
    float FactorEspai() const { return m_factorEspai; }

    // Gives the solid `count` more circles of one size and colour, after the
    // highest one in use (or in place of the lone template).
    void addToSolid(int count, float diameter, Rgb fill, Rgb border);
    // Places a particle of the solid at (x, y, z), its circle `shown` wide;
    // the depth is measured against the beaker's diameter less `diameter`.
    void placeInSolid(int i, float x, float y, float z, float shown, float diameter);
    void hideCircles(int count);
    void setVelocity(int i, float vx, float vy, float vz);
    void release(int i);

    // Each particle of `order` takes the velocity of the one at the same
    // place in `shuffled`, then moves one step.
    void exchangeVelocitiesAndMove(const Table<std::int16_t> &order, const Table<std::int16_t> &shuffled, int n,
                                   float D);
    // One step of particle i: walls, surface and floor, then its circle.
    void Mou_Bola(int i, float D);

    // The first of `count` particles whose circle's square holds the point, or −1.
    int particleAt(float X, float Y, int count) const;
    void toggleMark(int i);
    // Overlapping released circles are placed again, the larger one first, so
    // that the smaller (deeper) one stays in front in a still picture.
    void restackOverlapping(int count);

private:
    void Rebot_Paret(int i);
    void project(int i, float diameter);
    void showCircle(int i);
    void replace(int i);
    float axisX() const;

    const Scene &m_scene;
    CircleSet &m_cercle;
    kernel::ObliqueView m_view;
    float m_factorEspai = 1;

    Table<float> m_bolaX{};
    Table<float> m_bolaY{};
    Table<float> m_bolaZ{};
    Table<float> m_velX{};
    Table<float> m_velY{};
    Table<float> m_velZ{};
    Table<float> m_pantX{};
    Table<float> m_pantY{};
    Table<float> m_diamPant{};
    Table<bool> m_bolaEnSolid{};
};

// The solid block: its corner (x, height of the bottom row, z) and the
// places of its particles on the lattice.
class CSolido {
public:
    CSolido() = default;
    CSolido(float XB, float YB, float ZB);

    void Crea_Boles(ParticleSet &Frm, std::int16_t Num, float Dia, Rgb fill, Rgb border);
    void Vibracio_Boles(ParticleSet &Frm, float Dia, std::int16_t NB0, std::int16_t Nx, std::int16_t Ny,
                        std::int16_t Nz) const;

private:
    float m_xb = 0;
    float m_yb = 0;
    float m_zb = 0;
};
