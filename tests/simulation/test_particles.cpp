#include "model/simulation/ParticleModel.h"

#include <QtTest>
#include <algorithm>
#include <cmath>
#include <memory>

namespace {

constexpr double Pi = 3.14159265358979;

// A beaker at the reference layout with a solid of the given edge at its
// start, and a particle set of its own in that beaker.
struct Rig {
    explicit Rig(int edge, std::uint64_t seed = 12345)
        : random(seed)
        , model(scene, surface, random)
    {
        model.buildScene({static_cast<std::int16_t>(edge), static_cast<std::int16_t>(edge * edge * edge)});
        set.addToSolid(64, 64, FillBola, BorderBola);
    }

    int ticksUntilLanding()
    {
        int ticks = 0;
        while (model.SolidCaient()) {
            model.tick();
            ++ticks;
        }
        return ticks;
    }

    const ParticleSet &particles() const { return model.particles(); }

    const Scene scene = sceneAtScale(1);
    Surface surface;
    Random random;
    ParticleModel model;
    CircleSet circles;
    ParticleSet set{scene, circles};
};

float axisX(const Scene &s)
{
    return 20 * s.Unitat + s.RadiVas;
}

// Puts particle i of the rig's own set with its centre at a distance and
// polar angle from the axis, moving with the given velocity.
void placeCentre(Rig &rig, int i, double distance, double angle, float y, std::array<float, 3> velocity = {})
{
    const double half = 32;
    rig.set.placeInSolid(i, static_cast<float>(axisX(rig.scene) + distance * std::cos(angle) - half), y,
                         static_cast<float>(rig.scene.RadiVas + distance * std::sin(angle) - half), 64, 64);
    rig.set.release(i);
    rig.set.setVelocity(i, velocity[0], velocity[1], velocity[2]);
}

double centreDistance(const Rig &rig, const ParticleSet &p, int i)
{
    const double half = rig.model.DiametreBola() / 2.0;
    return std::hypot(p.BolaX()[i] + half - axisX(rig.scene), p.BolaZ()[i] + half - rig.scene.RadiVas);
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
    void freezeBringsSmallerOverlapsToFront();
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
    const ParticleSet &m = rig.particles();
    QCOMPARE(m.BolaX()[i], x);
    QCOMPARE(m.BolaY()[i], y);
    QCOMPARE(m.BolaZ()[i], z);
    QCOMPARE(m.DiamPant()[i], 60.8f);
    // FonsDiagonal × cos 45° is FonsX = 600, over a depth extent of 4000 − 64.
    QCOMPARE(m.PantX()[i], x + z / 3936 * 600);
    QCOMPARE(m.PantY()[i], y - z / 3936 * 600);
    const Circle &c = m.Cercle()[i];
    QVERIFY(c.visible);
    QCOMPARE(c.left, m.PantX()[i]);
    QCOMPARE(c.top, m.PantY()[i]);
    QCOMPARE(c.size, 60.8f);
}

void TestParticles::latticeStacksDeeperLayersBehind()
{
    Rig rig(4);
    const std::vector<int> &order = rig.particles().Cercle().stacking();
    auto rank = [&](int i) { return std::find(order.begin(), order.end(), i) - order.begin(); };
    for (int front = 0; front < 16; ++front)
        for (int back = 48; back < 64; ++back)
            QVERIFY(rank(back) < rank(front));
}

void TestParticles::creaBolesFollowsTheHighestCircle()
{
    Rig rig(4);
    ParticleSet &m = rig.set;
    QCOMPARE(m.Cercle().count(), 64);
    m.release(63);
    CSolido().Crea_Boles(m, 8, 50, {1, 2, 3}, {4, 5, 6});
    QCOMPARE(m.Cercle().count(), 72);
    QVERIFY(!m.BolaEnSolid()[63]);
    for (int i = 64; i < 72; ++i) {
        QVERIFY(m.BolaEnSolid()[i]);
        QCOMPARE(m.Cercle()[i].fill, (Rgb{1, 2, 3}));
        QCOMPARE(m.Cercle()[i].border, (Rgb{4, 5, 6}));
        QCOMPARE(m.Cercle()[i].size, 50.0f);
    }
    QVERIFY_THROWS_EXCEPTION(std::out_of_range, CSolido().Crea_Boles(m, 330, 50, {}, {}));
}

void TestParticles::fallingBlockIsSmaller()
{
    Rig rig(4);
    const ParticleSet &m = rig.particles();
    const float width = m.BolaX()[63] - m.BolaX()[0];
    const float size = m.DiamPant()[0];
    rig.model.drop();
    rig.model.tick();
    QCOMPARE(m.BolaX()[63] - m.BolaX()[0], 0.95f * width);
    QCOMPARE(m.DiamPant()[0], 0.95f * size);
    QCOMPARE(m.Cercle()[0].size, 0.95f * size);
}

void TestParticles::levels()
{
    Rig rig(4);
    QCOMPARE(surfaceLevel(rig.scene), 5100.0f);
    QCOMPARE(floorLevel(rig.scene, rig.model.DiametreBola()), 8036.0f);
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
    rig.model.drop();
    for (int t = 0; t < ticks; ++t)
        rig.model.tick();
    QCOMPARE(rig.model.YSolid(), ySolid);
    QCOMPARE(rig.model.SolidCaient(), falling);
    QCOMPARE(rig.model.Dissolent(), !falling);
}

void TestParticles::landingReleasesFirstParticle()
{
    Rig rig(4);
    const ParticleSet &m = rig.particles();
    rig.model.drop();
    QCOMPARE(rig.ticksUntilLanding(), 72);
    QCOMPARE(rig.model.BolesDissoltes(), 1);
    const Table<std::int16_t> &ordre = rig.model.OrdreDissolucio();
    std::vector<int> order(ordre.begin(), ordre.begin() + 64);
    std::sort(order.begin(), order.end());
    for (int i = 0; i < 64; ++i)
        QCOMPARE(order[static_cast<std::size_t>(i)], i);
    const int first = ordre[0];
    // Only the released one has left the falling block's lattice size.
    const float fallSize = m.DiamPant()[first == 0 ? 1 : 0];
    for (int i = 0; i < 64; ++i) {
        QCOMPARE(m.BolaEnSolid()[i], i != first);
        QCOMPARE(m.DiamPant()[i] == fallSize, i != first);
    }
}

void TestParticles::dissolvingLasts65Ticks()
{
    Rig rig(4);
    rig.model.drop();
    rig.ticksUntilLanding();
    int ticks = 1;
    while (rig.model.Dissolent()) {
        rig.model.tick();
        ++ticks;
    }
    QCOMPARE(ticks, 65);
    QCOMPARE(rig.model.BolesDissoltes(), 64);
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
    QCOMPARE(int(Omple_TaulaVelocitats()[std::size_t(entry)]), value);
}

// The velocities a rebuild deals, over many rebuilds of the largest solid.
void TestParticles::speedProbabilities()
{
    Rig rig(7);
    const ParticleSet &m = rig.particles();
    int counts[3] = {};
    int draws = 0;
    for (int rebuild = 0; rebuild < 120; ++rebuild) {
        rig.model.returnSolid();
        for (int i = 0; i < 343; ++i, ++draws) {
            const double speed = std::sqrt(double(m.VelX()[i]) * m.VelX()[i] + double(m.VelY()[i]) * m.VelY()[i] +
                                           double(m.VelZ()[i]) * m.VelZ()[i]);
            // A direction whose third cosine had no room is longer than 1, by √2 at most.
            const int steps = speed < 1 ? 0 : speed < 1.5 * 128 ? 1 : 2;
            QVERIFY2(speed == 0 || (speed >= steps * 128 - 1e-3 && speed <= steps * 128 * std::sqrt(2.0) + 1e-3),
                     qPrintable(QString::number(speed)));
            ++counts[steps];
        }
    }
    const double expected[3] = {24.0 / 400, 352.0 / 400, 24.0 / 400};
    for (int v = 0; v < 3; ++v)
        QVERIFY2(std::abs(double(counts[v]) / draws - expected[v]) < 0.006, qPrintable(QString::number(counts[v])));
}

void TestParticles::exchangeHandsVelocitiesRound()
{
    Rig rig(4);
    const ParticleSet &m = rig.set;
    const float middle = (surfaceLevel(rig.scene) + floorLevel(rig.scene, 64)) / 2;
    constexpr int n = 10;
    Table<std::int16_t> order{};
    Table<std::int16_t> shuffled{};
    std::vector<std::array<float, 3>> before;
    for (int i = 0; i < n; ++i) {
        order[i] = static_cast<std::int16_t>(i);
        shuffled[i] = static_cast<std::int16_t>((i + 3) % n);
        placeCentre(rig, i, 100, i, middle, {float(i), float(10 * i), float(100 * i)});
        before.push_back({m.VelX()[i], m.VelY()[i], m.VelZ()[i]});
    }
    rig.set.exchangeVelocitiesAndMove(order, shuffled, n, 64);
    std::vector<std::array<float, 3>> after;
    for (int i = 0; i < n; ++i) {
        after.push_back({m.VelX()[i], m.VelY()[i], m.VelZ()[i]});
        QCOMPARE(m.VelX()[i], float((i + 3) % n));
    }
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

// A particle on the wall has its horizontal velocity mirrored at the wall's
// normal before it moves; its vertical one is kept.
void TestParticles::wallReflection()
{
    QFETCH(double, angle);
    QFETCH(float, vx);
    QFETCH(float, vz);
    Rig rig(4);
    const ParticleSet &m = rig.set;
    placeCentre(rig, 0, 1970, angle, 6000, {vx, 55, vz});
    rig.set.Mou_Bola(0, 64);
    const double c = std::cos(angle);
    const double s = std::sin(angle);
    QVERIFY(std::abs(std::hypot(m.VelX()[0], m.VelZ()[0]) - std::hypot(vx, vz)) < 1e-3);
    QVERIFY(std::abs((m.VelX()[0] * c + m.VelZ()[0] * s) + (vx * c + vz * s)) < 1e-3);
    QVERIFY(std::abs((-m.VelX()[0] * s + m.VelZ()[0] * c) - (-vx * s + vz * c)) < 1e-3);
    QCOMPARE(m.VelY()[0], 55.0f);
}

void TestParticles::wallBounceTurnsInward()
{
    Rig rig(4);
    const ParticleSet &m = rig.set;
    const double angle = 0.7;
    placeCentre(rig, 0, 1970, angle, 6000,
                {static_cast<float>(128 * std::cos(angle)), 0, static_cast<float>(128 * std::sin(angle))});
    rig.set.Mou_Bola(0, 64);
    QVERIFY(centreDistance(rig, m, 0) < 1968 - 100);
    QVERIFY(m.VelX()[0] * std::cos(angle) + m.VelZ()[0] * std::sin(angle) < -127.9);
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
    const ParticleSet &m = rig.set;
    placeCentre(rig, 0, 500, 1, y, {0, vy, 0});
    rig.set.Mou_Bola(0, 64);
    QCOMPARE(m.BolaY()[0], y1);
    QCOMPARE(m.VelY()[0], vy1);
    rig.set.Mou_Bola(0, 64);
    QCOMPARE(m.BolaY()[0], y2);
    QCOMPARE(m.VelY()[0], vy2);
}

void TestParticles::centreOnAxis()
{
    Rig rig(4);
    const ParticleSet &m = rig.set;
    placeCentre(rig, 0, 0, 0, 6000);
    const float x = m.BolaX()[0];
    rig.set.Mou_Bola(0, 64);
    QCOMPARE(m.BolaX()[0], x);
    QVERIFY(finite(m.PantX()[0]) && finite(m.PantY()[0]) && finite(m.DiamPant()[0]));
}

// Freezing places overlapping circles again, the larger first, so that the
// smaller (deeper) one ends in front; a particle still in the solid is left.
void TestParticles::freezeBringsSmallerOverlapsToFront()
{
    Rig rig(4);
    const CircleSet &circles = rig.set.Cercle();
    // Overlapping pairs, the first one of each drawn behind the second.
    const struct {
        int i;
        float top;
        float size;
        bool inSolid;
    } pairs[] = {{0, 6000, 50, true}, {1, 6000, 64, false}, {3, 6500, 60, false},
                 {2, 6500, 64, false}, {4, 7000, 58, false}, {5, 7000, 62, false}};
    for (const auto &p : pairs) {
        // At depth 0 a particle's circle is where the particle is.
        rig.set.placeInSolid(p.i, 3000.0f + 10 * p.i, p.top, 0, p.size, 64);
        if (!p.inSolid)
            rig.set.release(p.i);
        rig.circles.bringToFront(p.i);
    }
    rig.set.restackOverlapping(64);
    const std::vector<int> &order = circles.stacking();
    auto rank = [&](int i) { return std::find(order.begin(), order.end(), i) - order.begin(); };
    QVERIFY(rank(1) > rank(0));
    QVERIFY(rank(3) > rank(2));
    QVERIFY(rank(4) > rank(5));
}

void TestParticles::longRunStaysInside()
{
    Rig rig(7, 2024);
    const ParticleSet &m = rig.particles();
    const float S = surfaceLevel(rig.scene);
    const float B = floorLevel(rig.scene, rig.model.DiametreBola());
    const double W = rig.scene.RadiVas - rig.model.DiametreBola() / 2;
    rig.model.drop();
    rig.ticksUntilLanding();
    for (int t = 0; t < 20000; ++t) {
        rig.model.tick();
        for (int i = 0; i < rig.model.NombreBoles(); ++i) {
            const bool valuesFinite = finite(m.BolaX()[i]) && finite(m.BolaY()[i]) && finite(m.BolaZ()[i]) &&
                                      finite(m.VelX()[i]) && finite(m.VelY()[i]) && finite(m.VelZ()[i]) &&
                                      finite(m.PantX()[i]) && finite(m.PantY()[i]) && finite(m.DiamPant()[i]);
            if (!valuesFinite)
                QFAIL(qPrintable(QStringLiteral("tick %1, particle %2 not finite").arg(t).arg(i)));
            if (m.BolaEnSolid()[i])
                continue;
            if (centreDistance(rig, m, i) > W + 0.01 || m.BolaY()[i] < S || m.BolaY()[i] > B)
                QFAIL(qPrintable(QStringLiteral("tick %1, particle %2 outside the beaker").arg(t).arg(i)));
        }
    }
    QCOMPARE(rig.model.BolesDissoltes(), 343);
    QVERIFY(!rig.model.Dissolent());
}

QTEST_MAIN(TestParticles)

#include "test_particles.moc"
