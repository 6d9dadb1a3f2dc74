#include "launcher/animation/ParticleBox.h"

#include "common/core/ParticleKernel.h"
#include "common/core/Random.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr int MaxRejectedDraws = 8;

// Reversed at a wall, moved, and kept inside.
void bounce(float &position, float &velocity, float lower, float upper)
{
    if (!(position > lower))
        velocity = -velocity;
    if (!(upper > position))
        velocity = -velocity;
    position += velocity;
    position = std::clamp(position, lower, upper);
}

// j takes i's velocity through a whole-number temporary and moves along the
// line of centres to one diameter from i.
template <typename Table>
void exchange(Table &position, Table &velocity, int i, int j, float r)
{
    const float t = std::nearbyint(velocity[i]);
    velocity[i] = velocity[j];
    velocity[j] = t;
    position[j] = position[i] - (position[i] - position[j]) / r;
}

} // namespace

BoxConstants BoxConstants::background(const ScreenScale &scale)
{
    BoxConstants c;
    const float e = scale.AjustarPantalla ? scale.EscalaPantalla : 1.0f;
    c.m_DiametreBola = scaled(400, e);
    c.m_extents.fill(scaled(5000, e));
    c.m_AmpladaCaja = c.m_AlturaCaja = scaled(3400, e);
    c.m_lowerWalls = {-1000, -1500, 0};
    c.setBackOffset(static_cast<float>(0.2 * c.extent(0)), static_cast<float>(0.2 * c.extent(1)));
    return c;
}

BoxConstants BoxConstants::calibration()
{
    BoxConstants c;
    c.m_DiametreBola = 256;
    c.m_extents.fill(6000);
    c.m_AmpladaCaja = c.m_AlturaCaja = 8000;
    c.setBackOffset(1500, 1500);
    c.m_shrinkWithDepth = false;
    c.m_colour = Rgb{192, 255, 255};
    return c;
}

void BoxConstants::setBackOffset(float fonsX, float fonsY)
{
    m_FonsX = fonsX;
    m_FonsY = fonsY;
    m_FonsDiagonal = static_cast<float>(std::sqrt(double(fonsX) * fonsX + double(fonsY) * fonsY));
    m_FonsAngle = static_cast<float>(std::atan(double(fonsY) / fonsX));
}

ParticleBox::ParticleBox(CircleSet &circles, Random &random)
    : m_circles(circles)
    , m_random(random)
{
    if (m_circles.count() < NombreCercles)
        m_circles.resize(NombreCercles);
}

void ParticleBox::setConstants(const BoxConstants &constants)
{
    m_constants = constants;
    m_view.setAngle(m_constants.FonsAngle());
}

void ParticleBox::create(std::int16_t count)
{
    clear();
    m_random.reseedFromClock();
    for (int n = 0; n < std::min(count, NombreCercles); ++n) {
        const Rgb colour = drawColour();
        const Triple place = drawPlace();
        add(place, drawVelocity(), colour);
    }
}

void ParticleBox::clear()
{
    m_NombreBoles = 0;
    for (int i = 0; i < NombreCercles; ++i)
        m_circles[i].visible = false;
}

void ParticleBox::add(const Triple &position, const Triple &velocity, Rgb colour)
{
    if (m_NombreBoles >= NombreCercles)
        return;
    const int n = m_NombreBoles++;
    m_BolaX[n] = position[0];
    m_BolaY[n] = position[1];
    m_BolaZ[n] = position[2];
    m_VelX[n] = velocity[0];
    m_VelY[n] = velocity[1];
    m_VelZ[n] = velocity[2];
    m_circles[n].fill = colour;
    m_circles[n].border = colour;
    project(n);
    m_circles[n].visible = true;
}

Rgb ParticleBox::drawColour()
{
    if (m_constants.colour())
        return *m_constants.colour();
    return {75, 175, static_cast<int>(std::floor(m_random.uniform() * 255 + 1))};
}

Triple ParticleBox::drawPlace()
{
    const auto draw = [this](int axis) {
        const float room = m_constants.extent(axis) - m_constants.DiametreBola() - 1;
        return static_cast<float>(std::floor(m_random.uniform() * room));
    };
    Triple at;
    int rejected = 0;
    do
        at = {draw(0), draw(1), draw(2)};
    while (overlapsAny(at) && ++rejected <= MaxRejectedDraws);
    return at;
}

bool ParticleBox::overlapsAny(const Triple &at) const
{
    const float diameterSquared = m_constants.DiametreBola() * m_constants.DiametreBola();
    for (int k = 0; k < m_NombreBoles; ++k) {
        const float dx = at[0] - m_BolaX[k];
        const float dy = at[1] - m_BolaY[k];
        const float dz = at[2] - m_BolaZ[k];
        if (diameterSquared > dx * dx + dy * dy + dz * dz)
            return true;
    }
    return false;
}

Triple ParticleBox::drawVelocity()
{
    const float velocitat = m_constants.DiametreBola();
    m_random.reseedFromClock();
    const auto angleA = static_cast<float>(m_random.uniform() * 180);
    const std::array<float, 3> cosines = kernel::directionCosines(angleA, m_random.uniform());
    const std::array<float, 3> dealt = kernel::dealCosines(cosines, m_random.uniform());
    return {velocitat * dealt[0], velocitat * dealt[1], velocitat * dealt[2]};
}

void ParticleBox::project(int i)
{
    const BoxConstants &c = m_constants;
    const float prof = m_BolaZ[i] / c.upperWall(2);
    m_PantX[i] = m_view.screenX(m_BolaX[i], prof, c.FonsDiagonal());
    m_PantY[i] = m_view.screenY(m_BolaY[i] + c.FonsY(), prof, c.FonsDiagonal());
    m_DiamPant[i] = c.shrinksWithDepth() ? static_cast<float>(std::fabs(1 - prof * 0.2) * c.DiametreBola())
                                         : c.DiametreBola();
    m_circles.place(i, m_PantX[i], m_PantY[i], m_DiamPant[i]);
}

void ParticleBox::step()
{
    const BoxConstants &c = m_constants;
    for (int i = 0; i < m_NombreBoles; ++i) {
        Xoc_Boles(i);
        bounce(m_BolaX[i], m_VelX[i], c.lowerWall(0), c.upperWall(0));
        bounce(m_BolaY[i], m_VelY[i], c.lowerWall(1), c.upperWall(1));
        bounce(m_BolaZ[i], m_VelZ[i], c.lowerWall(2), c.upperWall(2));
        project(i);
    }
}

void ParticleBox::Xoc_Boles(int j)
{
    for (int i = nextNear(j, j + 1); i < m_NombreBoles; i = nextNear(j, i + 1))
        touch(i, j);
}

// The first particle from `from` on within two diameters of j: only those
// can touch it. Whole blocks are tested at once, which the compiler turns
// into vector code, and the rare block with a near particle is searched.
int ParticleBox::nextNear(int j, int from) const
{
    const float x = m_BolaX[j];
    const float y = m_BolaY[j];
    const float z = m_BolaZ[j];
    const float farApart = 4 * m_constants.DiametreBola() * m_constants.DiametreBola();
    const auto squared = [&](int i) {
        const float dx = m_BolaX[i] - x;
        const float dy = m_BolaY[i] - y;
        const float dz = m_BolaZ[i] - z;
        return dx * dx + dy * dy + dz * dz;
    };
    for (int start = from; start < m_NombreBoles; start += ContactBlock) {
        const int block = std::min(start, int(m_BolaX.size()) - ContactBlock);
        int near = 0;
        for (int k = 0; k < ContactBlock; ++k)
            near += squared(block + k) <= farApart;
        if (near == 0)
            continue;
        const int end = std::min(start + ContactBlock, int(m_NombreBoles));
        for (int i = start; i < end; ++i)
            if (squared(i) <= farApart)
                return i;
    }
    return m_NombreBoles;
}

void ParticleBox::touch(int i, int j)
{
    const float dx = m_BolaX[i] - m_BolaX[j];
    const float dy = m_BolaY[i] - m_BolaY[j];
    const float dz = m_BolaZ[i] - m_BolaZ[j];
    const float r = std::sqrt(dx * dx + dy * dy + dz * dz) / m_constants.DiametreBola();
    if (!(r > 0 && r <= 1))
        return;
    exchange(m_BolaX, m_VelX, i, j, r);
    exchange(m_BolaY, m_VelY, i, j, r);
    exchange(m_BolaZ, m_VelZ, i, j, r);
}

void ParticleBox::Ordena_Profunditat()
{
    for (int i = 0; i < m_NombreBoles; ++i) {
        for (int k = i + 1; k < m_NombreBoles; ++k) {
            const double dist = std::hypot(double(m_PantX[k]) - m_PantX[i], double(m_PantY[k]) - m_PantY[i]);
            if (!((m_DiamPant[i] + m_DiamPant[k]) / 2 > dist))
                continue;
            if (std::floor(m_DiamPant[k] / m_DiamPant[i]) == 0)
                m_circles.bringToFront(i);
            else
                m_circles.sendToBack(i);
        }
    }
}
