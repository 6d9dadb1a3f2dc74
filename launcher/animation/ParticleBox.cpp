#include "launcher/animation/ParticleBox.h"

#include "common/core/ParticleKernel.h"
#include "common/core/Random.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr int MaxRejectedDraws = 8;

// j takes i's velocity through a whole-number temporary and moves along the
// line of centres to one diameter from i.
void exchange(ParticleBox::Table &position, ParticleBox::Table &velocity, int i, int j, float r)
{
    const float t = std::nearbyint(velocity[i]);
    velocity[i] = velocity[j];
    velocity[j] = t;
    position[j] = position[i] - (position[i] - position[j]) / r;
}

} // namespace

BoxConstants backgroundBoxConstants()
{
    BoxConstants c;
    c.DiametreBola = 400;
    c.AmpladaRecinte = c.AlturaRecinte = c.FonsRecinte = 5000;
    c.lowerWalls = {-1000, -1500, 0};
    return c;
}

void setBackOffset(BoxConstants &c, float fonsX, float fonsY)
{
    c.FonsX = fonsX;
    c.FonsY = fonsY;
    c.FonsDiagonal = static_cast<float>(std::sqrt(double(fonsX) * fonsX + double(fonsY) * fonsY));
    c.FonsAngle = static_cast<float>(std::atan(double(fonsY) / fonsX));
}

void ParticleBox::setConstants(const BoxConstants &constants)
{
    c = constants;
    m_view.setAngle(c.FonsAngle);
}

ParticleBox::ParticleBox(CircleSet &circles, Random &random)
    : m_circles(circles)
    , m_random(random)
{
    if (m_circles.count() < NombreCercles)
        m_circles.resize(NombreCercles);
}

void ParticleBox::create(std::int16_t count)
{
    NombreBoles = std::min(count, NombreCercles);
    for (int i = 0; i < NombreCercles; ++i)
        m_circles[i].visible = false;
    m_random.reseedFromClock();
    for (int n = 0; n < NombreBoles; ++n) {
        paint(n);
        place(n);
        project(n);
        m_circles[n].visible = true;
        aim(n);
    }
}

void ParticleBox::paint(int n)
{
    Rgb colour{75, 175, 0};
    if (c.colour)
        colour = *c.colour;
    else
        colour.b = static_cast<int>(std::floor(m_random.uniform() * 255 + 1));
    m_circles[n].fill = colour;
    m_circles[n].border = colour;
}

void ParticleBox::place(int n)
{
    const auto draw = [this](float extent) {
        return static_cast<float>(std::floor(m_random.uniform() * (extent - c.DiametreBola - 1)));
    };
    int rejected = 0;
    do {
        BolaX[n] = draw(c.AmpladaRecinte);
        BolaY[n] = draw(c.AlturaRecinte);
        BolaZ[n] = draw(c.FonsRecinte);
    } while (overlapsEarlier(n) && ++rejected <= MaxRejectedDraws);
}

bool ParticleBox::overlapsEarlier(int n) const
{
    const float diameterSquared = c.DiametreBola * c.DiametreBola;
    for (int k = 0; k < n; ++k) {
        const float dx = BolaX[n] - BolaX[k];
        const float dy = BolaY[n] - BolaY[k];
        const float dz = BolaZ[n] - BolaZ[k];
        if (diameterSquared > dx * dx + dy * dy + dz * dz)
            return true;
    }
    return false;
}

void ParticleBox::aim(int n)
{
    const float velocitat = c.DiametreBola;
    m_random.reseedFromClock();
    const auto angleA = static_cast<float>(m_random.uniform() * 180);
    const std::array<float, 3> cosines = kernel::directionCosines(angleA, m_random.uniform());
    const std::array<float, 3> dealt = kernel::dealCosines(cosines, m_random.uniform());
    VelX[n] = velocitat * dealt[0];
    VelY[n] = velocitat * dealt[1];
    VelZ[n] = velocitat * dealt[2];
}

void ParticleBox::project(int i)
{
    const float prof = BolaZ[i] / (c.FonsRecinte - c.DiametreBola);
    PantX[i] = m_view.screenX(BolaX[i], prof, c.FonsDiagonal);
    PantY[i] = m_view.screenY(BolaY[i] + c.FonsY, prof, c.FonsDiagonal);
    DiamPant[i] = c.shrinkWithDepth ? static_cast<float>(std::fabs(1 - prof * 0.2) * c.DiametreBola)
                                    : c.DiametreBola;
    m_circles.place(i, PantX[i], PantY[i], DiamPant[i]);
}

void ParticleBox::bounce(float &position, float &velocity, float lower, float upper) const
{
    if (!(position > lower))
        velocity = -velocity;
    if (!(upper > position))
        velocity = -velocity;
    position += velocity;
    position = std::clamp(position, lower, upper);
}

void ParticleBox::step()
{
    const auto &low = c.lowerWalls;
    for (int i = 0; i < NombreBoles; ++i) {
        Xoc_Boles(i);
        bounce(BolaX[i], VelX[i], low[0], c.AmpladaRecinte - c.DiametreBola);
        bounce(BolaY[i], VelY[i], low[1], c.AlturaRecinte - c.DiametreBola);
        bounce(BolaZ[i], VelZ[i], low[2], c.FonsRecinte - c.DiametreBola);
        project(i);
    }
}

void ParticleBox::Xoc_Boles(int j)
{
    for (int i = nextNear(j, j + 1); i < NombreBoles; i = nextNear(j, i + 1))
        touch(i, j);
}

// The first particle from `from` on within two diameters of j: only those
// can touch it. Whole blocks are tested at once, which the compiler turns
// into vector code, and the rare block with a near particle is searched.
int ParticleBox::nextNear(int j, int from) const
{
    const float x = BolaX[j];
    const float y = BolaY[j];
    const float z = BolaZ[j];
    const float farApart = 4 * c.DiametreBola * c.DiametreBola;
    const auto squared = [&](int i) {
        const float dx = BolaX[i] - x;
        const float dy = BolaY[i] - y;
        const float dz = BolaZ[i] - z;
        return dx * dx + dy * dy + dz * dz;
    };
    for (int start = from; start < NombreBoles; start += ContactBlock) {
        const int block = std::min(start, int(BolaX.size()) - ContactBlock);
        int near = 0;
        for (int k = 0; k < ContactBlock; ++k)
            near += squared(block + k) <= farApart;
        if (near == 0)
            continue;
        const int end = std::min(start + ContactBlock, int(NombreBoles));
        for (int i = start; i < end; ++i)
            if (squared(i) <= farApart)
                return i;
    }
    return NombreBoles;
}

void ParticleBox::touch(int i, int j)
{
    const float dx = BolaX[i] - BolaX[j];
    const float dy = BolaY[i] - BolaY[j];
    const float dz = BolaZ[i] - BolaZ[j];
    const float r = std::sqrt(dx * dx + dy * dy + dz * dz) / c.DiametreBola;
    if (!(r > 0 && r <= 1))
        return;
    exchange(BolaX, VelX, i, j, r);
    exchange(BolaY, VelY, i, j, r);
    exchange(BolaZ, VelZ, i, j, r);
}

void ParticleBox::Ordena_Profunditat()
{
    for (int i = 0; i < NombreBoles; ++i) {
        for (int k = i + 1; k < NombreBoles; ++k) {
            const double dist = std::hypot(double(PantX[k]) - PantX[i], double(PantY[k]) - PantY[i]);
            if (!((DiamPant[i] + DiamPant[k]) / 2 > dist))
                continue;
            if (std::floor(DiamPant[k] / DiamPant[i]) == 0)
                m_circles.bringToFront(i);
            else
                m_circles.sendToBack(i);
        }
    }
}
