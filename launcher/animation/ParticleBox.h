#pragma once

#include "common/core/CircleSet.h"
#include "common/core/ParticleKernel.h"
#include "common/core/ScreenScale.h"

#include <array>
#include <cstdint>
#include <optional>

class Random;

// x, y, z; or, for a particle's circle, left, top and size.
using Triple = std::array<float, 3>;

// What tells the launcher's background apart from the calibration run: the
// box, the picture box that shows it, its projection, where the lower walls
// stand and how particles look.
class BoxConstants {
public:
    // An empty box, until one of the two below is set.
    BoxConstants() = default;
    // The launcher's background, scaled for the screen; its back face is
    // offset by a fifth of the box.
    static BoxConstants background(const ScreenScale &scale);
    // Invisible particles in a fixed 6000-twip box.
    static BoxConstants calibration();

    float DiametreBola() const { return m_DiametreBola; }
    // AmpladaRecinte, AlturaRecinte, FonsRecinte.
    float extent(int axis) const { return m_extents[std::size_t(axis)]; }
    float lowerWall(int axis) const { return m_lowerWalls[std::size_t(axis)]; }
    float upperWall(int axis) const { return extent(axis) - m_DiametreBola; }
    float FonsX() const { return m_FonsX; }
    float FonsY() const { return m_FonsY; }
    float FonsDiagonal() const { return m_FonsDiagonal; }
    float FonsAngle() const { return m_FonsAngle; }
    float AmpladaCaja() const { return m_AmpladaCaja; }
    float AlturaCaja() const { return m_AlturaCaja; }
    bool shrinksWithDepth() const { return m_shrinkWithDepth; }
    // Every particle in this colour; without it each gets a random blue-green.
    const std::optional<Rgb> &colour() const { return m_colour; }

private:
    void setBackOffset(float fonsX, float fonsY);

    float m_DiametreBola = 0;
    Triple m_extents{};
    Triple m_lowerWalls{};
    float m_FonsX = 0;
    float m_FonsY = 0;
    float m_FonsDiagonal = 0;
    float m_FonsAngle = 0;
    float m_AmpladaCaja = 0;
    float m_AlturaCaja = 0;
    bool m_shrinkWithDepth = true;
    std::optional<Rgb> m_colour;
};

// Particles moving in a box drawn in oblique perspective, one circle each.
class ParticleBox {
public:
    static constexpr std::int16_t NombreCercles = 400;

    ParticleBox(CircleSet &circles, Random &random);

    void setConstants(const BoxConstants &constants);

    // Hides every circle and creates `count` particles, placed with at most
    // nine draws each and sent in random directions at one diameter per tick.
    void create(std::int16_t count);
    // No particle, every circle hidden.
    void clear();
    // One more particle, shown at once; none beyond the circles there are.
    void add(const Triple &position, const Triple &velocity, Rgb colour);
    // One tick: contacts, walls, motion and projection of every particle.
    void step();
    // Restacks overlapping circles so that a still picture shows nearer
    // particles in front.
    void Ordena_Profunditat();

    std::int16_t NombreBoles() const { return m_NombreBoles; }
    Triple position(int i) const { return {m_BolaX[i], m_BolaY[i], m_BolaZ[i]}; }
    Triple velocity(int i) const { return {m_VelX[i], m_VelY[i], m_VelZ[i]}; }
    // Left, top and size of particle i's circle.
    Triple screen(int i) const { return {m_PantX[i], m_PantY[i], m_DiamPant[i]}; }

private:
    // Contacts are sought in blocks of this many particles; the tables have
    // room for a whole last block.
    static constexpr int ContactBlock = 16;
    using Table = std::array<float, (kernel::TableSize + ContactBlock - 1) / ContactBlock * ContactBlock>;

    Rgb drawColour();
    Triple drawPlace();
    bool overlapsAny(const Triple &at) const;
    Triple drawVelocity();
    void project(int i);
    void Xoc_Boles(int j);
    int nextNear(int j, int from) const;
    void touch(int i, int j);

    BoxConstants m_constants;
    kernel::ObliqueView m_view;
    CircleSet &m_circles;
    Random &m_random;
    std::int16_t m_NombreBoles = 0;
    Table m_BolaX{}, m_BolaY{}, m_BolaZ{};
    Table m_VelX{}, m_VelY{}, m_VelZ{};
    Table m_PantX{}, m_PantY{}, m_DiamPant{};
};
