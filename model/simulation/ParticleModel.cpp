#include "model/simulation/ParticleModel.h"

#include "common/core/ParticleKernel.h"

#include <cmath>
#include <utility>

namespace {

constexpr Rgb BaseOutline{255, 160, 160};
constexpr Rgb BaseFill{255, 200, 160};
// The falling block is drawn 5 % smaller than the resting one.
constexpr double FallingShrink = 0.95;

} // namespace

std::array<std::int16_t, 401> Omple_TaulaVelocitats()
{
    std::array<std::int16_t, 401> TaulaVelocitats{};
    // Each band ends at round(400 / d + previous end), the first after "end" −1.
    int previousEnd = -1;
    std::int16_t low = 10;
    for (double d : {50.0, 25.0, 12.5, 6.25, 5.0}) {
        const int end = static_cast<int>(std::nearbyint(400 / d + previousEnd));
        for (int i = previousEnd + 1; i <= end; ++i) {
            TaulaVelocitats[i] = low;
            TaulaVelocitats[399 - i] = static_cast<std::int16_t>(110 - low);
        }
        previousEnd = end;
        low = static_cast<std::int16_t>(low + 10);
    }
    return TaulaVelocitats;
}

ParticleModel::ParticleModel(const Scene &scene, Surface &Caja, Random &random)
    : m_scene(scene)
    , m_caja(Caja)
    , m_random(random)
    , m_particles(scene, Caja.circles())
    , m_ySolid(scene.YSolidInici)
{
}

void ParticleModel::buildScene(const SolidSize &size)
{
    m_bolesAresta = size.BolesAresta;
    m_nombreBoles = size.NombreBolesOptim;
    m_diametreBola = m_scene.DiametreBolaBase;
    Reinicia_Escena();
}

void ParticleModel::drop()
{
    m_bolesDissoltes = 0;
    m_solidCaient = true;
    m_ySolid = m_scene.YSolidInici;
    m_base.redraw(m_caja, m_scene.ColorFons, m_scene.ColorFons);
}

void ParticleModel::tick()
{
    if (m_solidCaient)
        Pas_Caiguda();
    if (m_dissolent)
        Allibera_Bola();
    if (m_bolesDissoltes <= 0 || m_solidCaient)
        return;
    const int n = BolesDissoltes();
    Barreja_Llista(n);
    m_particles.exchangeVelocitiesAndMove(m_ordreDissolucio, m_llistaBarrejada, n, m_diametreBola);
}

void ParticleModel::returnSolid()
{
    Reinicia_Escena();
    Assigna_Velocitats(0);
}

void ParticleModel::changeEdge(int edge)
{
    m_bolesAresta = static_cast<std::int16_t>(edge);
    m_nombreBoles = static_cast<std::int16_t>(edge * edge * edge);
    returnSolid();
}

void ParticleModel::changeDiameter(float diameter)
{
    m_diametreBola = diameter;
    returnSolid();
}

void ParticleModel::freeze()
{
    m_particles.restackOverlapping(m_nombreBoles);
}

bool ParticleModel::markAt(float X, float Y)
{
    const int i = m_particles.particleAt(X, Y, m_nombreBoles);
    if (i >= 0)
        m_particles.toggleMark(i);
    return i >= 0;
}

void ParticleModel::hideCircles()
{
    m_particles.hideCircles(m_nombreBoles);
}

void ParticleModel::Reinicia_Escena()
{
    m_ySolid = m_scene.YSolidInici;
    m_bolesDissoltes = 0;
    m_solidCaient = false;
    m_dissolent = false;
    Dibuixa_Vas(m_caja, m_scene, m_upper, m_solution);
    Construeix_Solid();
}

void ParticleModel::placeSolid(float diameter)
{
    m_solid = CSolido(m_scene.XSolid, m_ySolid, m_scene.ZSolid);
    m_solid.Vibracio_Boles(m_particles, diameter, 0, m_bolesAresta, m_bolesAresta, m_bolesAresta);
}

void ParticleModel::Construeix_Solid()
{
    m_caja.circles().resize(1);
    m_solid = CSolido(m_scene.XSolid, m_ySolid, m_scene.ZSolid);
    m_solid.Crea_Boles(m_particles, m_nombreBoles, m_diametreBola, FillBola, BorderBola);
    m_base = CBase();
    m_base.Dibujo_Base(m_caja, m_bolesAresta * m_particles.FactorEspai() * m_diametreBola * 3, 0.95f * m_scene.XSolid,
                       m_scene.YSolidInici - m_scene.FonsY / 1.5f, m_scene.FonsX / 2, m_scene.FonsY / 2, BaseOutline,
                       BaseFill);
    placeSolid(m_diametreBola);
}

int ParticleModel::drawSpeedEntry(const std::array<std::int16_t, 401> &TaulaVelocitats)
{
    int r = 0;
    for (int IntentsVelocitat = 0; IntentsVelocitat < 1000; ++IntentsVelocitat) {
        r = static_cast<int>(m_random.uniform() * 400);
        if (TaulaVelocitats[r] != 0)
            break;
    }
    return TaulaVelocitats[r];
}

void ParticleModel::Velocitat_Aleatoria(int i, const std::array<std::int16_t, 401> &TaulaVelocitats)
{
    m_random.reseedFromClock();
    const double AngleA = m_random.uniform() * 180 + 60;
    const std::array<double, 3> cosines = kernel::directionCosines(AngleA, m_random.uniform());
    const double v = std::nearbyint(drawSpeedEntry(TaulaVelocitats) * double(m_scene.NivellPerspectiva) / 58);
    const double speed = v * m_particles.FactorEspai() * 128;
    const std::array<double, 3> dealt = kernel::dealCosines(cosines, m_random.uniform());
    m_particles.setVelocity(i, static_cast<float>(speed * dealt[0]), static_cast<float>(speed * dealt[1]),
                            static_cast<float>(speed * dealt[2]));
}

void ParticleModel::Assigna_Velocitats(std::int16_t Inici)
{
    const std::array<std::int16_t, 401> TaulaVelocitats = Omple_TaulaVelocitats();
    const int layer = m_bolesAresta * m_bolesAresta;
    for (int L = 0; L < m_bolesAresta; ++L)
        for (int k = 0; k < layer; ++k)
            Velocitat_Aleatoria(Inici * m_nombreBoles + k + L * layer, TaulaVelocitats);
}

void ParticleModel::Barreja_Llista(int n)
{
    m_random.reseedFromClock();
    for (int i = 0; i < n; ++i)
        m_llistaBarrejada[i] = m_llistaDissoltes[i];
    for (int k = 0; k < n; ++k) {
        const int r = static_cast<int>((n - k) * m_random.uniform());
        std::swap(m_llistaBarrejada[n - k - 1], m_llistaBarrejada[r]);
    }
}

void ParticleModel::land()
{
    m_solidCaient = false;
    m_ySolid = m_scene.YSolidInici;
    m_dissolent = true;
    for (int i = 0; i < m_nombreBoles; ++i)
        m_llistaDissoltes[i] = static_cast<std::int16_t>(i);
    Barreja_Llista(m_nombreBoles);
    for (int i = 0; i < m_nombreBoles; ++i)
        m_ordreDissolucio[i] = m_llistaBarrejada[i];
    Assigna_Velocitats(0);
}

void ParticleModel::Pas_Caiguda()
{
    if (floorLevel(m_scene, m_diametreBola) <= m_ySolid) {
        land();
        return;
    }
    hideCircles();
    const bool inSolution = surfaceLevel(m_scene) - m_particles.FactorEspai() * m_diametreBola <= m_ySolid;
    m_ySolid += inSolution ? m_diametreBola : 2 * m_diametreBola;
    placeSolid(static_cast<float>(FallingShrink * m_diametreBola));
}

void ParticleModel::Allibera_Bola()
{
    if (m_bolesDissoltes >= m_nombreBoles) {
        m_dissolent = false;
        return;
    }
    const int k = BolesDissoltes();
    const int p = m_ordreDissolucio[k];
    m_particles.release(p);
    m_llistaDissoltes[k] = static_cast<std::int16_t>(p);
    m_bolesDissoltes += 1;
}
