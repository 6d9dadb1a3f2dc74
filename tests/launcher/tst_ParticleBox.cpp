#include "launcher/animation/ParticleBox.h"
#include "common/core/Random.h"

#include <QtTest>
#include <cmath>

namespace {

enum class Look { Background, Background1125, Calibration };

BoxConstants constantsFor(Look look)
{
    if (look == Look::Calibration)
        return BoxConstants::calibration();
    return BoxConstants::background({look == Look::Background1125 ? 1.125f : 1.0f, look == Look::Background1125});
}

float apart(const Triple &p, const Triple &q)
{
    return std::hypot(p[0] - q[0], p[1] - q[1], p[2] - q[2]);
}

struct Scene {
    explicit Scene(Look look = Look::Background)
        : constants(constantsFor(look))
        , box(circles, random)
    {
        box.setConstants(constants);
    }

    void put(const Triple &at, const Triple &velocity = {}) { box.add(at, velocity, {1, 2, 3}); }

    // Where particle i stood before the last tick moved it.
    Triple before(int i) const
    {
        const Triple p = box.position(i);
        const Triple v = box.velocity(i);
        return {p[0] - v[0], p[1] - v[1], p[2] - v[2]};
    }

    float distance(int a, int b) const { return apart(box.position(a), box.position(b)); }
    float distanceBefore(int a, int b) const { return apart(before(a), before(b)); }

    BoxConstants constants;
    CircleSet circles;
    Random random{20240611};
    ParticleBox box;
};

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
    void noMoreParticlesThanCircles();
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
    s.put(at);
    const Triple shown = s.box.screen(0);
    for (std::size_t k = 0; k < 3; ++k)
        QVERIFY2(std::fabs(shown[k] - screen[k]) < 0.01f, qPrintable(QString::number(shown[k])));
    const Circle &c = s.circles[0];
    QCOMPARE((Triple{c.left, c.top, c.size}), shown);
    QVERIFY(c.visible);
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
    Triple at{1000, 1000, 1000};
    Triple v{};
    at[std::size_t(axis)] = position;
    v[std::size_t(axis)] = velocity;
    s.put(at, v);
    s.box.step();
    QCOMPARE(s.box.position(0)[std::size_t(axis)], expectedPosition);
    QCOMPARE(s.box.velocity(0)[std::size_t(axis)], expectedVelocity);
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
// to even) and moves to one diameter from i. Then both move on.
void TestParticleBox::contact()
{
    QFETCH(Triple, offset);
    QFETCH(bool, touching);
    Scene s;
    const Triple i{2000, 2000, 2000};
    const Triple vi{10.5f, -3.5f, 2.7f};
    const Triple vj{7.25f, -0.4f, 11.5f};
    s.put({i[0] + offset[0], i[1] + offset[1], i[2] + offset[2]}, vj);
    s.put(i, vi);
    const float before = s.distance(0, 1);
    s.box.step();
    if (!touching) {
        QCOMPARE(s.box.velocity(1), vi);
        QCOMPARE(s.box.velocity(0), vj);
        QCOMPARE(s.distanceBefore(0, 1), before);
        return;
    }
    QCOMPARE(s.box.velocity(1), vj);
    QCOMPARE(s.box.velocity(0), (Triple{10, -4, 3}));
    QCOMPARE(s.before(1)[0], i[0]);
    QVERIFY2(std::fabs(s.distanceBefore(0, 1) - 400) < 0.01f, qPrintable(QString::number(s.distanceBefore(0, 1))));
    const float stretch = 400 / before;
    QVERIFY(std::fabs((s.before(0)[1] - i[1]) - offset[1] * stretch) < 0.01f);
}

// After meeting particle 1, particle 0's new place is what particle 2 sees:
// 450 from it before the move, 350 after.
void TestParticleBox::contactMovesJForLaterPairs()
{
    Scene s;
    s.put({1000, 1000, 1000});
    s.put({1300, 1000, 1000}, {8, 0, 0});
    s.put({550, 1000, 1000}, {5, 0, 0});
    s.box.step();
    QCOMPARE(s.box.velocity(2)[0], 8.f);
    QCOMPARE(s.box.velocity(0)[0], 5.f);
    QCOMPARE(s.before(0)[0], 950.f);
}

void TestParticleBox::noMoreParticlesThanCircles()
{
    Scene s;
    for (int n = 0; n <= ParticleBox::NombreCercles; ++n)
        s.put({float(n), 0, 0});
    QCOMPARE(s.box.NombreBoles(), ParticleBox::NombreCercles);
    QCOMPARE(s.circles.count(), int(ParticleBox::NombreCercles));
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
    const BoxConstants &c = s.constants;
    QCOMPARE(s.circles.count(), 400);
    QCOMPARE(int(s.box.NombreBoles()), count);
    int overlapping = 0;
    for (int n = 0; n < 400; ++n) {
        const Circle &circle = s.circles[n];
        QCOMPARE(circle.visible, n < count);
        if (n >= count)
            continue;
        QCOMPARE(circle.fill, circle.border);
        if (c.colour()) {
            QCOMPARE(circle.fill, *c.colour());
            QCOMPARE(circle.size, c.DiametreBola());
        } else {
            QCOMPARE(circle.fill.r, 75);
            QCOMPARE(circle.fill.g, 175);
            QVERIFY(circle.fill.b >= 1 && circle.fill.b <= 255);
        }
        for (float p : s.box.position(n))
            QVERIFY(p >= 0 && p < c.upperWall(0) - 1 && p == std::floor(p));
        const Triple v = s.box.velocity(n);
        const float speed = std::hypot(v[0], v[1], v[2]);
        QVERIFY2(std::fabs(speed - c.DiametreBola()) < 0.01f * c.DiametreBola(), qPrintable(QString::number(speed)));
        for (int k = 0; k < n; ++k)
            overlapping += s.distance(n, k) < c.DiametreBola();
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
    // Screen corners 100 apart whatever the depth; the third is far away.
    s.put({1000 - depthOfFirst * 1000 / 4600, 1000 + depthOfFirst * 1000 / 4600, depthOfFirst});
    s.put({1100 - depthOfSecond * 1000 / 4600, 1000 + depthOfSecond * 1000 / 4600, depthOfSecond});
    s.put({4000, 4000, 0});
    s.circles.sendToBack(2);
    s.box.Ordena_Profunditat();
    const std::vector<int> &order = s.circles.stacking();
    QCOMPARE(order.back() == 0, firstInFront);
    QCOMPARE(order.front() == 0, !firstInFront);
}

QTEST_MAIN(TestParticleBox)

#include "tst_ParticleBox.moc"
