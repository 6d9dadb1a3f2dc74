#include "launcher/animation/Measurement.h"
#include "launcher/animation/ParticleBox.h"
#include "common/core/Random.h"

#include <QtTest>
#include <cmath>

namespace {

enum class Look { Background, Background1125, Calibration };

BoxConstants constantsFor(Look look)
{
    if (look == Look::Calibration)
        return calibrationBoxConstants();
    BoxConstants c = backgroundBoxConstants();
    if (look == Look::Background1125)
        for (float *length : {&c.DiametreBola, &c.AmpladaRecinte, &c.AlturaRecinte, &c.FonsRecinte})
            *length *= 1.125f;
    setBackOffset(c, 0.2f * c.AmpladaRecinte, 0.2f * c.AlturaRecinte);
    return c;
}

struct Scene {
    explicit Scene(Look look = Look::Background)
        : box(circles, random)
    {
        box.setConstants(constantsFor(look));
    }

    void put(int i, std::array<float, 3> at, std::array<float, 3> velocity = {})
    {
        box.BolaX[i] = at[0];
        box.BolaY[i] = at[1];
        box.BolaZ[i] = at[2];
        box.VelX[i] = velocity[0];
        box.VelY[i] = velocity[1];
        box.VelZ[i] = velocity[2];
    }

    float distance(int a, int b) const
    {
        return std::hypot(box.BolaX[a] - box.BolaX[b], box.BolaY[a] - box.BolaY[b], box.BolaZ[a] - box.BolaZ[b]);
    }

    CircleSet circles;
    Random random{20240611};
    ParticleBox box;
};

using Triple = std::array<float, 3>;

} // namespace

Q_DECLARE_METATYPE(Look)
Q_DECLARE_METATYPE(Triple)

class TestParticleBox : public QObject {
    Q_OBJECT

private slots:
    void projection_data();
    void projection();
    void walls_data();
    void walls();
    void contact_data();
    void contact();
    void contactMovesJForLaterPairs();
    void creation_data();
    void creation();
    void depthOrder_data();
    void depthOrder();
};

void TestParticleBox::projection_data()
{
    QTest::addColumn<Look>("look");
    QTest::addColumn<Triple>("at");
    QTest::addColumn<Triple>("screen"); // left, top, size
    QTest::newRow("front") << Look::Background << Triple{1000, 2000, 0} << Triple{1000, 3000, 400};
    QTest::newRow("back") << Look::Background << Triple{1000, 2000, 4600} << Triple{2000, 2000, 320};
    QTest::newRow("halfway") << Look::Background << Triple{0, 0, 2300} << Triple{500, 500, 360};
    QTest::newRow("front at 1.125") << Look::Background1125 << Triple{100, 100, 0} << Triple{100, 1225, 450};
    QTest::newRow("back at 1.125") << Look::Background1125 << Triple{100, 100, 5175} << Triple{1225, 100, 360};
    QTest::newRow("calibration front") << Look::Calibration << Triple{10, 20, 0} << Triple{10, 1520, 256};
    QTest::newRow("calibration back keeps size")
        << Look::Calibration << Triple{10, 20, 5744} << Triple{1510, 20, 256};
}

void TestParticleBox::projection()
{
    QFETCH(Look, look);
    QFETCH(Triple, at);
    QFETCH(Triple, screen);
    Scene s(look);
    s.put(3, at);
    s.box.project(3);
    constexpr float Tolerance = 0.01f;
    QVERIFY2(std::fabs(s.box.PantX[3] - screen[0]) < Tolerance, qPrintable(QString::number(s.box.PantX[3])));
    QVERIFY2(std::fabs(s.box.PantY[3] - screen[1]) < Tolerance, qPrintable(QString::number(s.box.PantY[3])));
    QVERIFY2(std::fabs(s.box.DiamPant[3] - screen[2]) < Tolerance, qPrintable(QString::number(s.box.DiamPant[3])));
    const Circle &c = s.circles[3];
    QCOMPARE(c.left, s.box.PantX[3]);
    QCOMPARE(c.top, s.box.PantY[3]);
    QCOMPARE(c.size, s.box.DiamPant[3]);
}

void TestParticleBox::walls_data()
{
    QTest::addColumn<Look>("look");
    QTest::addColumn<int>("axis");
    QTest::addColumn<float>("position");
    QTest::addColumn<float>("velocity");
    QTest::addColumn<float>("expectedPosition");
    QTest::addColumn<float>("expectedVelocity");
    QTest::newRow("on the left wall") << Look::Background << 0 << -1000.f << -40.f << -960.f << 40.f;
    QTest::newRow("on the top wall") << Look::Background << 1 << -1500.f << -40.f << -1460.f << 40.f;
    QTest::newRow("on the front wall") << Look::Background << 2 << 0.f << -40.f << 40.f << 40.f;
    QTest::newRow("on the right wall") << Look::Background << 0 << 4600.f << 40.f << 4560.f << -40.f;
    QTest::newRow("on the back wall") << Look::Background << 2 << 4600.f << 40.f << 4560.f << -40.f;
    QTest::newRow("past the wall, heading in") << Look::Background << 0 << -1200.f << 30.f << -1000.f << -30.f;
    QTest::newRow("past the far wall") << Look::Background << 1 << 4700.f << -30.f << 4600.f << 30.f;
    QTest::newRow("step over the wall is clamped") << Look::Background << 0 << -990.f << -40.f << -1000.f << -40.f;
    QTest::newRow("inside") << Look::Background << 1 << 100.f << -40.f << 60.f << -40.f;
    QTest::newRow("upper wall follows scale") << Look::Background1125 << 0 << 5175.f << 40.f << 5135.f << -40.f;
    QTest::newRow("calibration left wall is 0") << Look::Calibration << 0 << 0.f << -25.f << 25.f << 25.f;
    QTest::newRow("calibration top wall is 0") << Look::Calibration << 1 << 10.f << -25.f << 0.f << -25.f;
    QTest::newRow("calibration far wall") << Look::Calibration << 2 << 5744.f << 25.f << 5719.f << -25.f;
}

void TestParticleBox::walls()
{
    QFETCH(Look, look);
    QFETCH(int, axis);
    QFETCH(float, position);
    QFETCH(float, velocity);
    QFETCH(float, expectedPosition);
    QFETCH(float, expectedVelocity);
    Scene s(look);
    s.box.NombreBoles = 1;
    Triple at{1000, 1000, 1000};
    Triple v{};
    at[std::size_t(axis)] = position;
    v[std::size_t(axis)] = velocity;
    s.put(0, at, v);
    s.box.step();
    ParticleBox::Table *positions[] = {&s.box.BolaX, &s.box.BolaY, &s.box.BolaZ};
    ParticleBox::Table *velocities[] = {&s.box.VelX, &s.box.VelY, &s.box.VelZ};
    QCOMPARE((*positions[axis])[0], expectedPosition);
    QCOMPARE((*velocities[axis])[0], expectedVelocity);
}

void TestParticleBox::contact_data()
{
    QTest::addColumn<Triple>("offset"); // of j from i
    QTest::addColumn<bool>("touching");
    QTest::newRow("overlapping along x") << Triple{300, 0, 0} << true;
    QTest::newRow("overlapping diagonally") << Triple{-120, 160, 90} << true;
    QTest::newRow("exactly touching") << Triple{0, 0, 400} << true;
    QTest::newRow("just apart") << Triple{0, 401, 0} << false;
    QTest::newRow("coincident") << Triple{0, 0, 0} << false;
}

// i takes j's velocity as it was; j takes i's rounded to whole twips (ties
// to even) and moves to one diameter from i.
void TestParticleBox::contact()
{
    QFETCH(Triple, offset);
    QFETCH(bool, touching);
    Scene s;
    s.box.NombreBoles = 2;
    const Triple i{2000, 2000, 2000};
    const Triple vi{10.5f, -3.5f, 2.7f};
    const Triple vj{7.25f, -0.4f, 11.5f};
    s.put(1, i, vi);
    s.put(0, {i[0] + offset[0], i[1] + offset[1], i[2] + offset[2]}, vj);
    const float before = s.distance(0, 1);
    s.box.Xoc_Boles(0);
    const Triple afterI{s.box.VelX[1], s.box.VelY[1], s.box.VelZ[1]};
    const Triple afterJ{s.box.VelX[0], s.box.VelY[0], s.box.VelZ[0]};
    if (!touching) {
        QCOMPARE(afterI, vi);
        QCOMPARE(afterJ, vj);
        QCOMPARE(s.distance(0, 1), before);
        return;
    }
    QCOMPARE(afterI, vj);
    QCOMPARE(afterJ, (Triple{10, -4, 3}));
    QCOMPARE(s.box.BolaX[1], i[0]);
    QVERIFY2(std::fabs(s.distance(0, 1) - 400) < 0.01f, qPrintable(QString::number(s.distance(0, 1))));
    const float stretch = 400 / before;
    QVERIFY(std::fabs((s.box.BolaY[0] - i[1]) - offset[1] * stretch) < 0.01f);
}

// After meeting particle 1, particle 0's new place is what particle 2 sees:
// 450 from it before the move, 350 after.
void TestParticleBox::contactMovesJForLaterPairs()
{
    Scene s;
    s.box.NombreBoles = 3;
    s.put(0, {1000, 1000, 1000});
    s.put(1, {1300, 1000, 1000}, {8, 0, 0});
    s.put(2, {550, 1000, 1000}, {5, 0, 0});
    s.box.Xoc_Boles(0);
    QCOMPARE(s.box.VelX[2], 8.f);
    QCOMPARE(s.box.VelX[0], 5.f);
    QCOMPARE(s.box.BolaX[0], 950.f);
}

void TestParticleBox::creation_data()
{
    QTest::addColumn<Look>("look");
    QTest::addColumn<int>("count");
    QTest::newRow("background") << Look::Background << 100;
    QTest::newRow("background at 1.125") << Look::Background1125 << 100;
    QTest::newRow("calibration, largest") << Look::Calibration << 400;
    QTest::newRow("calibration, smallest") << Look::Calibration << 50;
}

void TestParticleBox::creation()
{
    QFETCH(Look, look);
    QFETCH(int, count);
    Scene s(look);
    s.box.create(ParticleBox::NombreCercles);
    s.box.create(std::int16_t(count));
    const BoxConstants &c = s.box.constants();
    QCOMPARE(s.circles.count(), 400);
    int overlapping = 0;
    for (int n = 0; n < 400; ++n) {
        const Circle &circle = s.circles[n];
        QCOMPARE(circle.visible, n < count);
        if (n >= count)
            continue;
        QCOMPARE(circle.fill, circle.border);
        if (c.colour) {
            QCOMPARE(circle.fill, *c.colour);
            QCOMPARE(circle.size, c.DiametreBola);
        } else {
            QCOMPARE(circle.fill.r, 75);
            QCOMPARE(circle.fill.g, 175);
            QVERIFY(circle.fill.b >= 1 && circle.fill.b <= 255);
        }
        for (float p : {s.box.BolaX[n], s.box.BolaY[n], s.box.BolaZ[n]})
            QVERIFY(p >= 0 && p < c.AmpladaRecinte - c.DiametreBola - 1 && p == std::floor(p));
        const float speed = std::hypot(s.box.VelX[n], s.box.VelY[n], s.box.VelZ[n]);
        QVERIFY2(std::fabs(speed - c.DiametreBola) < 0.01f * c.DiametreBola, qPrintable(QString::number(speed)));
        for (int k = 0; k < n; ++k)
            overlapping += s.distance(n, k) < c.DiametreBola;
    }
    // Nine draws leave an overlap only now and then in a crowded box.
    QVERIFY2(overlapping <= count / 50, qPrintable(QString::number(overlapping)));
}

void TestParticleBox::depthOrder_data()
{
    QTest::addColumn<float>("depthOfFirst");
    QTest::addColumn<float>("depthOfSecond");
    QTest::addColumn<bool>("firstInFront");
    QTest::newRow("first behind") << 4600.f << 0.f << false;
    QTest::newRow("first in front") << 0.f << 4600.f << true;
    QTest::newRow("same depth sends back") << 1000.f << 1000.f << false;
}

void TestParticleBox::depthOrder()
{
    QFETCH(float, depthOfFirst);
    QFETCH(float, depthOfSecond);
    QFETCH(bool, firstInFront);
    Scene s;
    s.box.NombreBoles = 3;
    // Screen corners 100 apart whatever the depth; the third is far away.
    s.put(0, {1000 - depthOfFirst * 1000 / 4600, 1000 + depthOfFirst * 1000 / 4600, depthOfFirst});
    s.put(1, {1100 - depthOfSecond * 1000 / 4600, 1000 + depthOfSecond * 1000 / 4600, depthOfSecond});
    s.put(2, {4000, 4000, 0});
    for (int i = 0; i < 3; ++i)
        s.box.project(i);
    s.circles.sendToBack(2);
    s.box.Ordena_Profunditat();
    const std::vector<int> &order = s.circles.stacking();
    QCOMPARE(order.back() == 0, firstInFront);
    QCOMPARE(order.front() == 0, !firstInFront);
}

QTEST_MAIN(TestParticleBox)

#include "tst_ParticleBox.moc"
