#include "model/simulation/ParticleSet.h"

#include <cmath>
#include <stdexcept>

namespace {

// Particles at the back are drawn at 90 % of their size at the front.
constexpr double DepthShrink = 1 - 0.9;

// The polar angle of an offset from the beaker's axis, in radians. The axis
// itself has none; 0 stands in for it there.
double polarAngle(double dx, double dz)
{
    if (dx == 0)
        return dz == 0 ? 0 : dz / std::abs(dz) * kernel::Pi / 2;
    double angle = std::atan(dz / dx);
    if (dx < 0)
        angle += kernel::Pi;
    return angle;
}

// A particle's place around the beaker's axis, seen from above.
struct CoordenadesEix {
    float DxEix;
    float DzEix;
    float DistanciaEix;

    // Asked only of a particle past the wall: an arctangent for every
    // particle on every tick was two fifths of the simulation's time.
    float AngleEix() const { return static_cast<float>(polarAngle(DxEix, DzEix)); }
};

CoordenadesEix Coordenades_Polars(const Scene &scene, float BolaX, float BolaZ, float D)
{
    const float dx = BolaX - scene.RadiVas - 20 * scene.Unitat + D / 2;
    const float dz = BolaZ - scene.RadiVas + D / 2;
    return {dx, dz, static_cast<float>(std::sqrt(double(dx) * dx + double(dz) * dz))};
}

} // namespace

ParticleSet::ParticleSet(const Scene &scene, CircleSet &circles)
    : m_scene(scene)
    , m_cercle(circles)
{
}

float ParticleSet::axisX() const
{
    return 20 * m_scene.Unitat + m_scene.RadiVas;
}

void ParticleSet::project(int i, float diameter)
{
    m_view.setAngle(m_scene.FonsAngle);
    const double depth = double(m_bolaZ[i]) / (m_scene.DiametreVasActual - diameter);
    m_pantX[i] = m_view.screenX(m_bolaX[i], depth, m_scene.FonsDiagonal);
    m_pantY[i] = m_view.screenY(m_bolaY[i], depth, m_scene.FonsDiagonal);
}

void ParticleSet::showCircle(int i)
{
    m_cercle.place(i, m_pantX[i], m_pantY[i], m_diamPant[i]);
    // Deeper layers are placed later and so end up behind.
    m_cercle.sendToBack(i);
    m_cercle[i].visible = true;
}

void ParticleSet::hideCircles(int count)
{
    for (int i = 0; i < count; ++i)
        m_cercle[i].visible = false;
}

void ParticleSet::addToSolid(int count, float diameter, Rgb fill, Rgb border)
{
    // With only the template left, it becomes the first particle.
    int first = m_cercle.count() - 1;
    if (first > 0)
        ++first;
    const int last = first + count - 1;
    // A count beyond the tables is the caller's fault; never write past them.
    if (last >= MaxBoles)
        throw std::out_of_range("more particles than the tables hold");
    if (last >= m_cercle.count())
        m_cercle.resize(last + 1);
    for (int i = first; i <= last; ++i) {
        Circle &c = m_cercle[i];
        c.fill = fill;
        c.border = border;
        c.size = diameter;
        m_bolaEnSolid[i] = true;
    }
}

void ParticleSet::placeInSolid(int i, float x, float y, float z, float shown, float diameter)
{
    m_bolaX[i] = x;
    m_bolaY[i] = y;
    m_bolaZ[i] = z;
    m_diamPant[i] = shown;
    project(i, diameter);
    showCircle(i);
}

void ParticleSet::setVelocity(int i, float vx, float vy, float vz)
{
    m_velX[i] = vx;
    m_velY[i] = vy;
    m_velZ[i] = vz;
}

void ParticleSet::release(int i)
{
    m_bolaEnSolid[i] = false;
}

void ParticleSet::exchangeVelocitiesAndMove(const Table<std::int16_t> &order, const Table<std::int16_t> &shuffled,
                                            int n, float D)
{
    const Table<float> CopiaVelX = m_velX;
    const Table<float> CopiaVelY = m_velY;
    const Table<float> CopiaVelZ = m_velZ;
    for (int i = 0; i < n; ++i) {
        const int p = order[i];
        const int q = shuffled[i];
        setVelocity(p, CopiaVelX[q], CopiaVelY[q], CopiaVelZ[q]);
        Mou_Bola(p, D);
    }
}

void ParticleSet::Mou_Bola(int i, float D)
{
    const float S = surfaceLevel(m_scene);
    const float B = floorLevel(m_scene, D);
    const float W = m_scene.RadiVas - D / 2;
    const float cx = axisX();

    m_bolaX[i] += D / 2;
    m_bolaZ[i] += D / 2;
    const double dx = m_bolaX[i] - cx;
    const double dz = m_bolaZ[i] - m_scene.RadiVas;
    if (double(W) * W <= dx * dx + dz * dz)
        Rebot_Paret(i);
    m_bolaX[i] -= D / 2;
    m_bolaZ[i] -= D / 2;

    m_bolaX[i] += m_velX[i];
    m_bolaZ[i] += m_velZ[i];
    if (S >= m_bolaY[i])
        m_velY[i] = -m_velY[i];
    if (B <= m_bolaY[i])
        m_velY[i] = -m_velY[i];
    m_bolaY[i] += m_velY[i];

    if (const CoordenadesEix eix = Coordenades_Polars(m_scene, m_bolaX[i], m_bolaZ[i], D); eix.DistanciaEix > W) {
        const double angle = eix.AngleEix();
        m_bolaX[i] = static_cast<float>(cx + W * std::cos(angle) - D / 2);
        m_bolaZ[i] = static_cast<float>(W * std::sin(angle) + m_scene.RadiVas - D / 2);
    }
    if (m_bolaY[i] < S)
        m_bolaY[i] = S;
    if (m_bolaY[i] > B)
        m_bolaY[i] = B;

    m_diamPant[i] =
        static_cast<float>(std::abs(1 - m_bolaZ[i] / (m_scene.DiametreVasActual - D) * DepthShrink) * D);
    project(i, m_diamPant[i]);
    m_cercle.place(i, m_pantX[i], m_pantY[i], m_diamPant[i]);
}

void ParticleSet::Rebot_Paret(int i)
{
    const double theta = polarAngle(m_bolaX[i] - axisX(), m_bolaZ[i] - m_scene.RadiVas);
    const double c = std::cos(theta);
    const double s = std::sin(theta);
    const double vx = m_velX[i];
    const double vz = m_velZ[i];
    m_velX[i] = static_cast<float>(vx * (s * s - c * c) - 2 * vz * s * c);
    m_velZ[i] = static_cast<float>(-2 * vx * s * c - (s * s - c * c) * vz);
}

int ParticleSet::particleAt(float X, float Y, int count) const
{
    for (int i = 0; i < count; ++i) {
        const float half = m_diamPant[i] / 2;
        if (std::abs(X - m_pantX[i] - half) <= half && std::abs(Y - m_pantY[i] - half) <= half)
            return i;
    }
    return -1;
}

void ParticleSet::toggleMark(int i)
{
    Circle &c = m_cercle[i];
    const bool marked = c.fill != FillBola;
    c.fill = marked ? FillBola : FillMarcada;
    c.border = marked ? BorderBola : BorderMarcada;
}

// Moving a circle brings it to the front.
void ParticleSet::replace(int i)
{
    m_cercle.place(i, m_pantX[i], m_pantY[i], m_diamPant[i]);
    m_cercle.bringToFront(i);
}

void ParticleSet::restackOverlapping(int count)
{
    for (int i = 0; i < count; ++i) {
        if (m_bolaEnSolid[i])
            continue;
        for (int j = i + 1; j < count; ++j) {
            const double distance = std::hypot(double(m_pantX[i]) - m_pantX[j], double(m_pantY[i]) - m_pantY[j]);
            if ((m_diamPant[i] + m_diamPant[j]) / 2 <= distance)
                continue;
            const bool iSmaller = m_diamPant[i] <= m_diamPant[j];
            replace(iSmaller ? j : i);
            replace(iSmaller ? i : j);
        }
    }
}

CSolido::CSolido(float XB, float YB, float ZB)
    : m_xb(XB)
    , m_yb(YB)
    , m_zb(ZB)
{
}

void CSolido::Crea_Boles(ParticleSet &Frm, std::int16_t Num, float Dia, Rgb fill, Rgb border)
{
    Frm.addToSolid(Num, Dia, fill, border);
}

void CSolido::Vibracio_Boles(ParticleSet &Frm, float Dia, std::int16_t NB0, std::int16_t Nx, std::int16_t Ny,
                             std::int16_t Nz) const
{
    const float spacing = Frm.FactorEspai();
    const double s = Dia * 1.9 / 2;
    const double o = (spacing - 1) / 2.0;
    const int layer = Nx * Ny;
    for (int L = 0; L < Nz; ++L) {
        for (int k = 0; k < layer; ++k) {
            const int i = NB0 + k + L * layer;
            Frm.placeInSolid(i, static_cast<float>(((k % Nx) * spacing - o) * s + m_xb),
                             static_cast<float>(m_yb - ((k / Nx) * spacing - o) * s),
                             static_cast<float>(((L % Nz) * spacing - o) * s + m_zb), static_cast<float>(s), Dia);
        }
    }
}
