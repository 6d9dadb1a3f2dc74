#include "model/simulation/ParticleModel.h"

#include "common/core/ParticleKernel.h"

#include <cmath>
#include <utility>

namespace {

constexpr Rgb BaseOutline{255, 160, 160};
constexpr Rgb BaseFill{255, 200, 160};
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

} // namespace

ParticleModel::ParticleModel(Scene &scene, Surface &Caja, Random &random)
    : ParticleSet(scene, Caja.circles())
    , YSolid(scene.YSolidInici)
    , m_caja(Caja)
    , m_random(random)
{
}

float ParticleModel::axisX() const
{
    return 20 * scene.Unitat + scene.RadiVas;
}

void ParticleModel::tick()
{
    if (SolidCaient)
        Pas_Caiguda();
    if (Dissolent)
        Allibera_Bola();
    if (BolesDissoltes <= 0 || SolidCaient)
        return;
    exchangeVelocitiesAndMove();
}

void ParticleModel::Reinicia_Escena()
{
    DiametreBola = DiametreBolaTriat;
    NombreBoles = NombreBolesTriat;
    YSolid = scene.YSolidInici;
    BolesDissoltes = 0;
    SolidCaient = false;
    Dissolent = false;
    Dibuixa_Vas(m_caja, scene, m_upper, m_solution);
    Construeix_Solid();
}

void ParticleModel::Construeix_Solid()
{
    Cercle.resize(1);
    Solid = CSolido();
    Solid.Crea_Boles(*this, NombreBoles, DiametreBola, FillBola, BorderBola);
    Solid.XB = scene.XSolid;
    Solid.YB = YSolid;
    Solid.ZB = scene.ZSolid;
    m_base = CBase();
    m_baseGeometry = {BolesAresta * FactorEspai * DiametreBola * 3, 0.95f * scene.XSolid,
                      scene.YSolidInici - scene.FonsY / 1.5f, scene.FonsX / 2, scene.FonsY / 2};
    const BaseGeometry &g = m_baseGeometry;
    m_base.Dibujo_Base(m_caja, g.Lx, g.Ix, g.Iy, g.Ax, g.Ay, BaseOutline, BaseFill);
    Solid.Vibracio_Boles(*this, DiametreBola, 0, BolesAresta, BolesAresta, BolesAresta);
}

void ParticleModel::eraseBase()
{
    const BaseGeometry &g = m_baseGeometry;
    m_base.Dibujo_Base(m_caja, g.Lx, g.Ix, g.Iy, g.Ax, g.Ay, scene.ColorFons, scene.ColorFons);
}

void ParticleModel::Omple_TaulaVelocitats()
{
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
}

int ParticleModel::drawSpeedEntry()
{
    int r = 0;
    for (int IntentsVelocitat = 0; IntentsVelocitat < 1000; ++IntentsVelocitat) {
        r = static_cast<int>(m_random.uniform() * 400);
        if (TaulaVelocitats[r] != 0)
            break;
    }
    return TaulaVelocitats[r];
}

void ParticleModel::Velocitat_Aleatoria(int i)
{
    m_random.reseedFromClock();
    const double AngleA = m_random.uniform() * 180 + 60;
    const std::array<double, 3> cosines = kernel::directionCosines(AngleA, m_random.uniform());
    const double v = std::nearbyint(drawSpeedEntry() * double(scene.NivellPerspectiva) / 58);
    const double speed = v * FactorEspai * 128;
    const std::array<double, 3> dealt = kernel::dealCosines(cosines, m_random.uniform());
    VelX[i] = static_cast<float>(speed * dealt[0]);
    VelY[i] = static_cast<float>(speed * dealt[1]);
    VelZ[i] = static_cast<float>(speed * dealt[2]);
}

void ParticleModel::Assigna_Velocitats(std::int16_t Inici)
{
    Omple_TaulaVelocitats();
    const int layer = BolesAresta * BolesAresta;
    for (int L = 0; L < BolesAresta; ++L)
        for (int k = 0; k < layer; ++k)
            Velocitat_Aleatoria(Inici * NombreBoles + k + L * layer);
}

void ParticleModel::Barreja_Llista(int n)
{
    m_random.reseedFromClock();
    for (int i = 0; i < n; ++i)
        LlistaBarrejada[i] = LlistaDissoltes[i];
    for (int k = 0; k < n; ++k) {
        const int r = static_cast<int>((n - k) * m_random.uniform());
        std::swap(LlistaBarrejada[n - k - 1], LlistaBarrejada[r]);
    }
}

void ParticleModel::land()
{
    SolidCaient = false;
    YSolid = scene.YSolidInici;
    Dissolent = true;
    for (int i = 0; i < NombreBoles; ++i)
        LlistaDissoltes[i] = static_cast<std::int16_t>(i);
    Barreja_Llista(NombreBoles);
    for (int i = 0; i < NombreBoles; ++i)
        OrdreDissolucio[i] = LlistaBarrejada[i];
    Assigna_Velocitats(0);
}

void ParticleModel::Pas_Caiguda()
{
    if (floorLevel(scene, DiametreBola) <= YSolid) {
        land();
        return;
    }
    hideCircles();
    const bool inSolution = surfaceLevel(scene) - FactorEspai * DiametreBola <= YSolid;
    YSolid += inSolution ? DiametreBola : 2 * DiametreBola;
    Solid.XB = scene.XSolid;
    Solid.YB = YSolid;
    Solid.ZB = scene.ZSolid;
    Solid.Vibracio_Boles(*this, static_cast<float>(0.95 * DiametreBola), 0, BolesAresta, BolesAresta, BolesAresta);
}

void ParticleModel::Allibera_Bola()
{
    if (BolesDissoltes >= NombreBoles) {
        Dissolent = false;
        return;
    }
    const int k = released();
    const int p = OrdreDissolucio[k];
    BolaEnSolid[p] = false;
    LlistaDissoltes[k] = static_cast<std::int16_t>(p);
    BolesDissoltes += 1;
}

void ParticleModel::exchangeVelocitiesAndMove()
{
    const int n = released();
    Barreja_Llista(n);
    const Table<float> CopiaVelX = VelX;
    const Table<float> CopiaVelY = VelY;
    const Table<float> CopiaVelZ = VelZ;
    for (int i = 0; i < n; ++i) {
        const int p = OrdreDissolucio[i];
        const int q = LlistaBarrejada[i];
        VelX[p] = CopiaVelX[q];
        VelY[p] = CopiaVelY[q];
        VelZ[p] = CopiaVelZ[q];
        Mou_Bola(p, DiametreBola);
    }
}

void ParticleModel::Mou_Bola(int i, float D)
{
    const float S = surfaceLevel(scene);
    const float B = floorLevel(scene, DiametreBola);
    const float W = scene.RadiVas - D / 2;
    const float cx = axisX();

    BolaX[i] += D / 2;
    BolaZ[i] += D / 2;
    const double dx = BolaX[i] - cx;
    const double dz = BolaZ[i] - scene.RadiVas;
    if (double(W) * W <= dx * dx + dz * dz)
        Rebot_Paret(i);
    BolaX[i] -= D / 2;
    BolaZ[i] -= D / 2;

    BolaX[i] += VelX[i];
    BolaZ[i] += VelZ[i];
    if (S >= BolaY[i])
        VelY[i] = -VelY[i];
    if (B <= BolaY[i])
        VelY[i] = -VelY[i];
    BolaY[i] += VelY[i];

    if (const CoordenadesEix eix = Coordenades_Polars(i, D); eix.DistanciaEix > W) {
        BolaX[i] = static_cast<float>(cx + W * std::cos(double(eix.AngleEix)) - D / 2);
        BolaZ[i] = static_cast<float>(W * std::sin(double(eix.AngleEix)) + scene.RadiVas - D / 2);
    }
    if (BolaY[i] < S)
        BolaY[i] = S;
    if (BolaY[i] > B)
        BolaY[i] = B;

    DiamPant[i] = static_cast<float>(std::abs(1 - BolaZ[i] / (scene.DiametreVasActual - D) * DepthShrink) * D);
    project(i, DiamPant[i]);
    Cercle.place(i, PantX[i], PantY[i], DiamPant[i]);
}

ParticleModel::CoordenadesEix ParticleModel::Coordenades_Polars(int i, float D) const
{
    CoordenadesEix eix;
    eix.DxEix = BolaX[i] - scene.RadiVas - 20 * scene.Unitat + D / 2;
    eix.DzEix = BolaZ[i] - scene.RadiVas + D / 2;
    eix.DistanciaEix = static_cast<float>(std::sqrt(double(eix.DxEix) * eix.DxEix + double(eix.DzEix) * eix.DzEix));
    eix.AngleEix = static_cast<float>(polarAngle(eix.DxEix, eix.DzEix));
    return eix;
}

void ParticleModel::Rebot_Paret(int i)
{
    const double theta = polarAngle(BolaX[i] - axisX(), BolaZ[i] - scene.RadiVas);
    const double c = std::cos(theta);
    const double s = std::sin(theta);
    const double vx = VelX[i];
    const double vz = VelZ[i];
    VelX[i] = static_cast<float>(vx * (s * s - c * c) - 2 * vz * s * c);
    VelZ[i] = static_cast<float>(-2 * vx * s * c - (s * s - c * c) * vz);
}
