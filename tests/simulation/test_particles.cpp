#include "model/simulation/ParticleModel.h"

#include <QtTest>
#include <algorithm>
#include <cmath>
#include <memory>

namespace {

constexpr double Pi = 3.14159265358979;

// A beaker at the reference layout with a solid of the given edge at its start.
struct Rig {
    explicit Rig(int edge, std::uint64_t seed = 12345)
        : random(seed)
        , model(scene, surface, random)
    {
        model.BolesAresta = static_cast<std::int16_t>(edge);
        model.NombreBolesTriat = static_cast<std::int16_t>(edge * edge * edge);
        model.DiametreBolaTriat = scene.DiametreBolaBase;
        model.Reinicia_Escena();
    }

    void drop()
    {
        model.SolidCaient = true;
        model.YSolid = scene.YSolidInici;
    }

    int ticksUntilLanding()
    {
        int ticks = 0;
        while (model.SolidCaient) {
            model.tick();
            ++ticks;
        }
        return ticks;
    }

    Scene scene;
    Surface surface;
    Random random;
    ParticleModel model;
};

float axisX(const Scene &s)
{
    return 20 * s.Unitat + s.RadiVas;
}

// Puts particle i's centre at a distance and polar angle from the axis.
void placeCentre(Rig &rig, int i, double distance, double angle, float y)
{
    const float half = rig.model.DiametreBola / 2;
    rig.model.BolaX[i] = static_cast<float>(axisX(rig.scene) + distance * std::cos(angle) - half);
    rig.model.BolaZ[i] = static_cast<float>(rig.scene.RadiVas + distance * std::sin(angle) - half);
    rig.model.BolaY[i] = y;
}

double centreDistance(const Rig &rig, int i)
{
    const double half = rig.model.DiametreBola / 2.0;
    return std::hypot(rig.model.BolaX[i] + half - axisX(rig.scene), rig.model.BolaZ[i] + half - rig.scene.RadiVas);
}

bool finite(float v)
{
    return std::isfinite(v);
}

} // namespace

class TestParticles : public QObject {
    Q_OBJECT

private slots:
    void lattice_data();
    void lattice();
    void latticeStacksDeeperLayersBehind();
    void creaBolesFollowsTheHighestCircle();
    void fallingBlockIsSmaller();
    void levels();
    void fall_data();
    void fall();
    void landingReleasesFirstParticle();
    void dissolvingLasts65Ticks();
    void speedTable_data();
    void speedTable();
    void speedProbabilities();
    void exchangeHandsVelocitiesRound();
    void wallReflection_data();
    void wallReflection();
    void wallBounceTurnsInward();
    void surfaceAndFloor_data();
    void surfaceAndFloor();
    void centreOnAxis();
    void longRunStaysInside();
};

void TestParticles::lattice_data()
{
    QTest::addColumn<int>("i");
    QTest::addColumn<float>("x");
    QTest::addColumn<float>("y");
    QTest::addColumn<float>("z");
    QTest::newRow("first") << 0 << 2100.0f << 2000.0f << 2000.0f;
    QTest::newRow("next along x") << 1 << 2160.8f << 2000.0f << 2000.0f;
    QTest::newRow("one row up") << 4 << 2100.0f << 1939.2f << 2000.0f;
    QTest::newRow("next layer back") << 16 << 2100.0f << 2000.0f << 2060.8f;
    QTest::newRow("last") << 63 << 2282.4f << 1817.6f << 2182.4f;
}

void TestParticles::lattice()
{
    QFETCH(int, i);
    QFETCH(float, x);
    QFETCH(float, y);
    QFETCH(float, z);
    Rig rig(4);
    ParticleModel &m = rig.model;
    m.Solid.XB = 2100;
    m.Solid.YB = 2000;
    m.Solid.ZB = 2000;
    m.Solid.Vibracio_Boles(m, 64, 0, 4, 4, 4);
    QCOMPARE(m.BolaX[i], x);
    QCOMPARE(m.BolaY[i], y);
    QCOMPARE(m.BolaZ[i], z);
    QCOMPARE(m.DiamPant[i], 60.8f);
    // FonsDiagonal × cos 45° is FonsX = 600, over a depth extent of 4000 − 64.
    QCOMPARE(m.PantX[i], x + z / 3936 * 600);
    QCOMPARE(m.PantY[i], y - z / 3936 * 600);
    const Circle &c = m.Cercle[i];
    QVERIFY(c.visible);
    QCOMPARE(c.left, m.PantX[i]);
    QCOMPARE(c.top, m.PantY[i]);
    QCOMPARE(c.size, 60.8f);
}

void TestParticles::latticeStacksDeeperLayersBehind()
{
    Rig rig(4);
    const std::vector<int> &order = rig.model.Cercle.stacking();
    auto rank = [&](int i) { return std::find(order.begin(), order.end(), i) - order.begin(); };
    for (int front = 0; front < 16; ++front)
        for (int back = 48; back < 64; ++back)
            QVERIFY(rank(back) < rank(front));
}

void TestParticles::creaBolesFollowsTheHighestCircle()
{
    Rig rig(4);
    ParticleModel &m = rig.model;
    QCOMPARE(m.Cercle.count(), 64);
    m.BolaEnSolid.fill(false);
    m.Solid.Crea_Boles(m, 8, 50, {1, 2, 3}, {4, 5, 6});
    QCOMPARE(m.Cercle.count(), 72);
    QVERIFY(!m.BolaEnSolid[63]);
    for (int i = 64; i < 72; ++i) {
        QVERIFY(m.BolaEnSolid[i]);
        QCOMPARE(m.Cercle[i].fill, (Rgb{1, 2, 3}));
        QCOMPARE(m.Cercle[i].border, (Rgb{4, 5, 6}));
        QCOMPARE(m.Cercle[i].size, 50.0f);
    }
    QVERIFY_THROWS_EXCEPTION(std::out_of_range, m.Solid.Crea_Boles(m, 330, 50, {}, {}));
}

void TestParticles::fallingBlockIsSmaller()
{
    Rig rig(4);
    ParticleModel &m = rig.model;
    const float width = m.BolaX[63] - m.BolaX[0];
    const float size = m.DiamPant[0];
    rig.drop();
    m.tick();
    QCOMPARE(m.BolaX[63] - m.BolaX[0], 0.95f * width);
    QCOMPARE(m.DiamPant[0], 0.95f * size);
    QCOMPARE(m.Cercle[0].size, 0.95f * size);
}

void TestParticles::levels()
{
    Rig rig(4);
    QCOMPARE(surfaceLevel(rig.scene), 5100.0f);
    QCOMPARE(floorLevel(rig.scene, rig.model.DiametreBola), 8036.0f);
}

void TestParticles::fall_data()
{
    QTest::addColumn<int>("ticks");
    QTest::addColumn<float>("ySolid");
    QTest::addColumn<bool>("falling");
    QTest::newRow("first step through the air") << 1 << 2128.0f << true;
    QTest::newRow("last step through the air") << 24 << 5072.0f << true;
    QTest::newRow("first step in the solution") << 25 << 5136.0f << true;
    QTest::newRow("last step before the floor") << 71 << 8080.0f << true;
    QTest::newRow("landing") << 72 << 2000.0f << false;
}

void TestParticles::fall()
{
    QFETCH(int, ticks);
    QFETCH(float, ySolid);
    QFETCH(bool, falling);
    Rig rig(4);
    rig.drop();
    for (int t = 0; t < ticks; ++t)
        rig.model.tick();
    QCOMPARE(rig.model.YSolid, ySolid);
    QCOMPARE(rig.model.SolidCaient, falling);
    QCOMPARE(rig.model.Dissolent, !falling);
}

void TestParticles::landingReleasesFirstParticle()
{
    Rig rig(4);
    ParticleModel &m = rig.model;
    rig.drop();
    QCOMPARE(rig.ticksUntilLanding(), 72);
    QCOMPARE(m.BolesDissoltes, 1.0f);
    std::vector<int> order(m.OrdreDissolucio.begin(), m.OrdreDissolucio.begin() + 64);
    std::sort(order.begin(), order.end());
    for (int i = 0; i < 64; ++i)
        QCOMPARE(order[static_cast<std::size_t>(i)], i);
    const int first = m.OrdreDissolucio[0];
    QCOMPARE(m.LlistaDissoltes[0], first);
    // Only the released one has left the falling block's lattice size.
    const float fallSize = m.DiamPant[first == 0 ? 1 : 0];
    for (int i = 0; i < 64; ++i) {
        QCOMPARE(m.BolaEnSolid[i], i != first);
        QCOMPARE(m.DiamPant[i] == fallSize, i != first);
    }
}

void TestParticles::dissolvingLasts65Ticks()
{
    Rig rig(4);
    rig.drop();
    rig.ticksUntilLanding();
    int ticks = 1;
    while (rig.model.Dissolent) {
        rig.model.tick();
        ++ticks;
    }
    QCOMPARE(ticks, 65);
    QCOMPARE(rig.model.BolesDissoltes, 64.0f);
}

void TestParticles::speedTable_data()
{
    QTest::addColumn<int>("entry");
    QTest::addColumn<int>("value");
    const int edges[][2] = {{0, 10},    {7, 10},    {8, 20},    {23, 20},   {24, 30},   {55, 30},   {56, 40},
                            {119, 40},  {120, 50},  {199, 50},  {200, 60},  {279, 60},  {280, 70},  {343, 70},
                            {344, 80},  {375, 80},  {376, 90},  {391, 90},  {392, 100}, {399, 100}, {400, 0}};
    for (const auto &e : edges)
        QTest::addRow("entry %d", e[0]) << e[0] << e[1];
}

void TestParticles::speedTable()
{
    QFETCH(int, entry);
    QFETCH(int, value);
    Rig rig(4);
    rig.model.Omple_TaulaVelocitats();
    QCOMPARE(int(rig.model.TaulaVelocitats[entry]), value);
}

void TestParticles::speedProbabilities()
{
    Rig rig(4);
    ParticleModel &m = rig.model;
    m.Omple_TaulaVelocitats();
    constexpr int Draws = 40000;
    int counts[3] = {};
    for (int d = 0; d < Draws; ++d) {
        m.Velocitat_Aleatoria(0);
        const double speed = std::sqrt(double(m.VelX[0]) * m.VelX[0] + double(m.VelY[0]) * m.VelY[0] +
                                       double(m.VelZ[0]) * m.VelZ[0]);
        // A direction whose third cosine had no room is longer than 1, by √2 at most.
        const int steps = speed < 1 ? 0 : speed < 1.5 * 128 ? 1 : 2;
        QVERIFY2(speed == 0 || (speed >= steps * 128 - 1e-3 && speed <= steps * 128 * std::sqrt(2.0) + 1e-3),
                 qPrintable(QString::number(speed)));
        ++counts[steps];
    }
    const double expected[3] = {24.0 / 400, 352.0 / 400, 24.0 / 400};
    for (int v = 0; v < 3; ++v)
        QVERIFY2(std::abs(double(counts[v]) / Draws - expected[v]) < 0.006, qPrintable(QString::number(counts[v])));
}

void TestParticles::exchangeHandsVelocitiesRound()
{
    Rig rig(4);
    ParticleModel &m = rig.model;
    const float middle = (surfaceLevel(rig.scene) + floorLevel(rig.scene, 64)) / 2;
    constexpr int n = 10;
    std::vector<std::array<float, 3>> before;
    for (int i = 0; i < n; ++i) {
        m.OrdreDissolucio[i] = m.LlistaDissoltes[i] = static_cast<std::int16_t>(i);
        placeCentre(rig, i, 100, i, middle);
        m.VelX[i] = float(i);
        m.VelY[i] = float(10 * i);
        m.VelZ[i] = float(100 * i);
        before.push_back({m.VelX[i], m.VelY[i], m.VelZ[i]});
    }
    m.BolesDissoltes = n;
    m.exchangeVelocitiesAndMove();
    std::vector<std::array<float, 3>> after;
    bool moved = false;
    for (int i = 0; i < n; ++i) {
        after.push_back({m.VelX[i], m.VelY[i], m.VelZ[i]});
        moved = moved || m.VelX[i] != float(i);
    }
    QVERIFY(moved);
    std::sort(after.begin(), after.end());
    QCOMPARE(after, before);
}

void TestParticles::wallReflection_data()
{
    QTest::addColumn<double>("angle");
    QTest::addColumn<float>("vx");
    QTest::addColumn<float>("vz");
    QTest::newRow("right") << 0.0 << 100.0f << 30.0f;
    QTest::newRow("back") << Pi / 2 << -40.0f << 120.0f;
    QTest::newRow("left") << Pi << -90.0f << -60.0f;
    QTest::newRow("front") << 3 * Pi / 2 << 10.0f << -128.0f;
    QTest::newRow("back right") << Pi / 4 << 128.0f << 0.0f;
    QTest::newRow("front left") << 200 * Pi / 180 << -70.0f << -20.0f;
    QTest::newRow("front right") << 300 * Pi / 180 << 50.0f << -110.0f;
}

void TestParticles::wallReflection()
{
    QFETCH(double, angle);
    QFETCH(float, vx);
    QFETCH(float, vz);
    Rig rig(4);
    ParticleModel &m = rig.model;
    // Rebot_Paret sees the particle's centre in BolaX and BolaZ.
    m.BolaX[0] = static_cast<float>(axisX(rig.scene) + 1968 * std::cos(angle));
    m.BolaZ[0] = static_cast<float>(rig.scene.RadiVas + 1968 * std::sin(angle));
    m.VelX[0] = vx;
    m.VelY[0] = 55;
    m.VelZ[0] = vz;
    m.Rebot_Paret(0);
    const double c = std::cos(angle);
    const double s = std::sin(angle);
    QVERIFY(std::abs(std::hypot(m.VelX[0], m.VelZ[0]) - std::hypot(vx, vz)) < 1e-3);
    QVERIFY(std::abs((m.VelX[0] * c + m.VelZ[0] * s) + (vx * c + vz * s)) < 1e-3);
    QVERIFY(std::abs((-m.VelX[0] * s + m.VelZ[0] * c) - (-vx * s + vz * c)) < 1e-3);
    QCOMPARE(m.VelY[0], 55.0f);
}

void TestParticles::wallBounceTurnsInward()
{
    Rig rig(4);
    ParticleModel &m = rig.model;
    const double angle = 0.7;
    placeCentre(rig, 0, 1970, angle, 6000);
    m.VelX[0] = static_cast<float>(128 * std::cos(angle));
    m.VelY[0] = 0;
    m.VelZ[0] = static_cast<float>(128 * std::sin(angle));
    m.Mou_Bola(0, 64);
    QVERIFY(centreDistance(rig, 0) < 1968 - 100);
    QVERIFY(m.VelX[0] * std::cos(angle) + m.VelZ[0] * std::sin(angle) < -127.9);
}

void TestParticles::surfaceAndFloor_data()
{
    QTest::addColumn<float>("y");
    QTest::addColumn<float>("vy");
    QTest::addColumn<float>("y1");
    QTest::addColumn<float>("vy1");
    QTest::addColumn<float>("y2");
    QTest::addColumn<float>("vy2");
    QTest::newRow("up to the surface, clamped, then down") << 5150.0f << -128.0f << 5100.0f << -128.0f
                                                           << 5228.0f << 128.0f;
    QTest::newRow("at the surface going up") << 5100.0f << -128.0f << 5228.0f << 128.0f << 5356.0f << 128.0f;
    QTest::newRow("down to the floor, clamped, then up") << 8000.0f << 128.0f << 8036.0f << 128.0f << 7908.0f
                                                         << -128.0f;
    QTest::newRow("below the floor") << 8080.0f << 64.0f << 8016.0f << -64.0f << 7952.0f << -64.0f;
    QTest::newRow("no vertical speed") << 6000.0f << 0.0f << 6000.0f << 0.0f << 6000.0f << 0.0f;
}

void TestParticles::surfaceAndFloor()
{
    QFETCH(float, y);
    QFETCH(float, vy);
    QFETCH(float, y1);
    QFETCH(float, vy1);
    QFETCH(float, y2);
    QFETCH(float, vy2);
    Rig rig(4);
    ParticleModel &m = rig.model;
    placeCentre(rig, 0, 500, 1, y);
    m.VelX[0] = m.VelZ[0] = 0;
    m.VelY[0] = vy;
    m.Mou_Bola(0, 64);
    QCOMPARE(m.BolaY[0], y1);
    QCOMPARE(m.VelY[0], vy1);
    m.Mou_Bola(0, 64);
    QCOMPARE(m.BolaY[0], y2);
    QCOMPARE(m.VelY[0], vy2);
}

void TestParticles::centreOnAxis()
{
    Rig rig(4);
    ParticleModel &m = rig.model;
    placeCentre(rig, 0, 0, 0, 6000);
    m.VelX[0] = m.VelY[0] = m.VelZ[0] = 0;
    const ParticleModel::CoordenadesEix eix = m.Coordenades_Polars(0, 64);
    QCOMPARE(eix.DxEix, 0.0f);
    QCOMPARE(eix.DzEix, 0.0f);
    QCOMPARE(eix.DistanciaEix, 0.0f);
    QVERIFY(finite(eix.AngleEix));
    const float x = m.BolaX[0];
    m.Mou_Bola(0, 64);
    QCOMPARE(m.BolaX[0], x);
    QVERIFY(finite(m.PantX[0]) && finite(m.PantY[0]) && finite(m.DiamPant[0]));
}

void TestParticles::longRunStaysInside()
{
    Rig rig(7, 2024);
    ParticleModel &m = rig.model;
    const float S = surfaceLevel(rig.scene);
    const float B = floorLevel(rig.scene, m.DiametreBola);
    const double W = rig.scene.RadiVas - m.DiametreBola / 2;
    rig.drop();
    rig.ticksUntilLanding();
    for (int t = 0; t < 20000; ++t) {
        m.tick();
        for (int i = 0; i < m.NombreBoles; ++i) {
            const bool valuesFinite = finite(m.BolaX[i]) && finite(m.BolaY[i]) && finite(m.BolaZ[i]) &&
                                      finite(m.VelX[i]) && finite(m.VelY[i]) && finite(m.VelZ[i]) &&
                                      finite(m.PantX[i]) && finite(m.PantY[i]) && finite(m.DiamPant[i]);
            if (!valuesFinite)
                QFAIL(qPrintable(QStringLiteral("tick %1, particle %2 not finite").arg(t).arg(i)));
            if (m.BolaEnSolid[i])
                continue;
            if (centreDistance(rig, i) > W + 0.01 || m.BolaY[i] < S || m.BolaY[i] > B)
                QFAIL(qPrintable(QStringLiteral("tick %1, particle %2 outside the beaker").arg(t).arg(i)));
        }
    }
    QCOMPARE(m.BolesDissoltes, 343.0f);
    QVERIFY(!m.Dissolent);
}

QTEST_MAIN(TestParticles)

#include "test_particles.moc"
