#pragma once

#include "common/core/CircleSet.h"
#include "common/core/ParticleKernel.h"

#include <array>
#include <cstdint>
#include <optional>

class Random;

// What tells the launcher's background apart from the calibration run: the
// box, its projection, where the lower walls stand and how particles look.
struct BoxConstants {
    float DiametreBola = 0;
    float AmpladaRecinte = 0;
    float AlturaRecinte = 0;
    float FonsRecinte = 0;
    float FonsX = 0;
    float FonsY = 0;
    float FonsDiagonal = 0;
    float FonsAngle = 0;
    std::array<float, 3> lowerWalls{}; // x, y, z
    bool shrinkWithDepth = true;
    // Every particle in this colour; without it each gets a random blue-green.
    std::optional<Rgb> colour;
};

// The launcher's background at the reference scale, before the back face's
// offset is known.
BoxConstants backgroundBoxConstants();

// Sets the back face's offset and the diagonal and angle derived from it.
void setBackOffset(BoxConstants &c, float fonsX, float fonsY);

// Particles moving in a box drawn in oblique perspective, one circle each.
class ParticleBox {
public:
    static constexpr std::int16_t NombreCercles = 400;
    static constexpr int TableSize = kernel::TableSize;
    // Contacts are sought in blocks of this many particles; the tables have
    // room for a whole last block.
    static constexpr int ContactBlock = 16;
    using Table = std::array<float, (TableSize + ContactBlock - 1) / ContactBlock * ContactBlock>;

    ParticleBox(CircleSet &circles, Random &random);

    void setConstants(const BoxConstants &constants);
    const BoxConstants &constants() const { return c; }

    // Hides every circle and creates `count` particles, placed with at most
    // nine draws each and sent in random directions at one diameter per tick.
    void create(std::int16_t count);
    // One tick: contacts, walls, motion and projection of every particle.
    void step();
    void Xoc_Boles(int j);
    void Ordena_Profunditat();
    // Screen place and size of particle i, applied to its circle.
    void project(int i);

    std::int16_t NombreBoles = 0;
    Table BolaX{}, BolaY{}, BolaZ{};
    Table VelX{}, VelY{}, VelZ{};
    Table PantX{}, PantY{}, DiamPant{};

private:
    void paint(int n);
    void place(int n);
    bool overlapsEarlier(int n) const;
    void aim(int n);
    void bounce(float &position, float &velocity, float lower, float upper) const;
    int nextNear(int j, int from) const;
    void touch(int i, int j);

    BoxConstants c;
    kernel::ObliqueView m_view;
    CircleSet &m_circles;
    Random &m_random;
};
