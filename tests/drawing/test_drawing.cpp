#include "model/windows/Concentracio.h"
#include "tests/support/FindControl.h"
#include "common/widgets/TwipGeometry.h"
#include "model/drawing/Vessel.h"

#include <QtTest>

namespace {

constexpr Rgb Background{255, 255, 200};
constexpr Rgb Solution{225, 255, 200};
constexpr Rgb Outline{150, 0, 255};

bool anyPixelNear(const Surface &s, float x, float y, Rgb colour)
{
    for (int dx = -2; dx <= 2; ++dx)
        for (int dy = -2; dy <= 2; ++dy)
            if (s.pointColour(x + dx * 15.0f, y + dy * 15.0f) == colour)
                return true;
    return false;
}

} // namespace

class TestDrawing : public QObject {
    Q_OBJECT

private slots:
    void vesselGeometry_data();
    void vesselGeometry();
    void beakerPixels_data();
    void beakerPixels();
    void baseUnderTheSolid();
    void layoutAtScale_data();
    void layoutAtScale();
    void missingIllustrationKeepsTheBoxEmpty();
};

void TestDrawing::vesselGeometry_data()
{
    QTest::addColumn<float>("scale");
    QTest::newRow("reference") << 1.0f;
    QTest::newRow("1152") << 1.125f;
    QTest::newRow("800") << 0.78125f;
}

void TestDrawing::vesselGeometry()
{
    QFETCH(float, scale);
    const Scene scene = sceneAtScale(scale);
    QCOMPARE(scene.AmpladaCaja, 5000 * scale);
    QCOMPARE(scene.FonsX, 600 * scale);
    QCOMPARE(scene.RadiVas, 2000 * scale);
    QVERIFY(qAbs(scene.FonsDiagonal - 848.528f * scale) < 0.01f);
    QVERIFY(qAbs(scene.FonsAngle - float(M_PI / 4)) < 1e-6f);
    QCOMPARE(surfaceLevel(scene), 5100 * scale);
    QCOMPARE(floorLevel(scene, 64 * scale), 8036 * scale);
}

void TestDrawing::beakerPixels_data()
{
    QTest::addColumn<float>("scale");
    QTest::addColumn<qreal>("ratio");
    for (qreal ratio : {1.0, 2.0})
        for (float scale : {1.0f, 1.125f, 0.78125f})
            QTest::addRow("%g at ratio %g", double(scale), ratio) << scale << ratio;
}

// Reads the drawn image where the beaker's outline, fills and background must be.
void TestDrawing::beakerPixels()
{
    QFETCH(float, scale);
    QFETCH(qreal, ratio);
    const Scene scene = sceneAtScale(scale);
    Surface caja;
    caja.setPixelRatio(ratio);
    CCilindro upper, solution;
    Dibuixa_Vas(caja, scene, upper, solution);
    const auto at = [&](float x, float y) { return caja.pointColour(x * scale, y * scale); };
    QCOMPARE(caja.widthTwips(), 5000 * scale);
    QCOMPARE(caja.heightTwips(), 10000 * scale);
    QCOMPARE(caja.image().width(), qRound(qRound(5000 * scale / 15) * ratio));
    QCOMPARE(at(2480, 1500), Background);       // above the rim
    QCOMPARE(at(2480, 3800), Background);       // the empty upper part
    QCOMPARE(at(2480, 4800), Solution);         // the surface ellipse
    QCOMPARE(at(1000, 6500), Solution);         // the body of the solution
    QCOMPARE(at(2480, 7830), Solution);         // the floor ellipse
    QCOMPARE(at(4800, 6500), Background);       // right of the beaker
    QCOMPARE(at(2480, 9000), Background);       // below the floor
    const float halfHeight = 2040 * 0.1545f;
    QVERIFY(anyPixelNear(caja, 2480 * scale, (2800 - halfHeight) * scale, Outline)); // rim, back
    QVERIFY(anyPixelNear(caja, 2480 * scale, (2800 + halfHeight) * scale, Outline)); // rim, front
    QVERIFY(anyPixelNear(caja, 440 * scale, 6000 * scale, Outline));                 // left side
    QVERIFY(anyPixelNear(caja, 4520 * scale, 6000 * scale, Outline));                // right side
    QVERIFY(anyPixelNear(caja, 2480 * scale, (7830 + halfHeight) * scale, Outline)); // floor, front
    QVERIFY(anyPixelNear(caja, 2480 * scale, (4800 + halfHeight) * scale, Rgb{170, 255, 185})); // surface line
}

void TestDrawing::baseUnderTheSolid()
{
    Surface caja;
    caja.setBackground(Background);
    caja.resize(5000, 10000);
    CBase base;
    base.Dibujo_Base(caja, 4 * 64 * 3, 0.95f * 2100, 2000 - 600 / 1.5f, 300, 300, {255, 160, 160}, {255, 200, 160});
    QCOMPARE(caja.pointColour(2529, 1750), (Rgb{255, 200, 160}));
    QVERIFY(anyPixelNear(caja, 2400, 1900, Rgb{255, 160, 160}));
    QVERIFY(anyPixelNear(caja, 2700, 1600, Rgb{255, 160, 160}));
    QCOMPARE(caja.pointColour(2000, 1650), Background); // left of the slanted edge
    QCOMPARE(caja.pointColour(2529, 2000), Background); // in front of it
}

void TestDrawing::layoutAtScale_data()
{
    QTest::addColumn<float>("scale");
    QTest::addColumn<float>("framesLeft");
    QTest::addColumn<float>("framesTop");
    QTest::addColumn<float>("framesWidth");
    QTest::addColumn<float>("framesHeight");
    QTest::addColumn<float>("framesFont");
    QTest::addColumn<float>("pictureLeft");
    QTest::addColumn<float>("pictureTop");
    QTest::addColumn<float>("heightOfCaja");
    QTest::newRow("reference") << 1.0f << 5000.0f << 2000.0f << 5600.0f << 3300.0f << 10.0f << 10800.0f << 1000.0f
                               << 10000.0f;
    QTest::newRow("1152") << 1.125f << 5625.0f << 2250.0f << 6300.0f << 3712.5f << 11.25f << 12150.0f << 1125.0f
                          << 11250.0f;
    QTest::newRow("800") << 0.78125f << 3906.25f << 1562.5f << 4375.0f << 2578.125f << 7.8125f << 8437.5f
                         << 781.25f << 7812.5f;
}

void TestDrawing::layoutAtScale()
{
    QFETCH(float, scale);
    Concentracio window;
    const Scene scene = sceneAtScale(scale);
    window.Disposa_Controls(scene.ColorFons);
    if (scale != 1.0f)
        window.Escala_Controls(scale);
    const TwipRect frame = twipRect(control<QGroupBox>(window, "frDades"));
    QTEST(frame.left, "framesLeft");
    QTEST(frame.top, "framesTop");
    QTEST(frame.width, "framesWidth");
    QTEST(frame.height, "framesHeight");
    QTEST(fontPoints(control<QGroupBox>(window, "frDades")), "framesFont");
    QTEST(twipRect(control<QLabel>(window, "picConcentracio")).left, "pictureLeft");
    QTEST(twipRect(control<QLabel>(window, "picConcentracio")).top, "pictureTop");
    QTEST(scene.AlturaCaja, "heightOfCaja");
    QCOMPARE(scene.DiametreVas, 4000 * scale);
    QCOMPARE(scene.DiametreBolaBase, 64 * scale);
    QCOMPARE(twipRect(control<PictureBox>(window, "Caja")).left, 100 * scale);
    const TwipRect check = twipRect(control<QCheckBox>(window, "chkGdt"));
    QCOMPARE(check.left, 240 * scale);
    QCOMPARE(check.top, 840 * scale);
    QCOMPARE(fontPoints(control<QLineEdit>(window, "txtMdt")), 9.75f * scale);
    QCOMPARE(fontPoints(control<QLabel>(window, "lblPropietats")), 13 * scale);
}

void TestDrawing::missingIllustrationKeepsTheBoxEmpty()
{
    Concentracio window;
    window.Disposa_Controls(sceneAtScale(1).ColorFons);
    const TwipRect before = twipRect(control<QLabel>(window, "picConcentracio"));
    window.loadIllustration(QStringLiteral("Arxius_models/no-such-picture.jpg"));
    QVERIFY(control<QLabel>(window, "picConcentracio")->pixmap().isNull());
    QCOMPARE(twipRect(control<QLabel>(window, "picConcentracio")).left, before.left);
    QCOMPARE(twipRect(control<QLabel>(window, "picConcentracio")).top, before.top);
}

QTEST_MAIN(TestDrawing)
#include "test_drawing.moc"
