#include "common/core/CalibrationFile.h"
#include "launcher/animation/Measurement.h"
#include "launcher/calibration/Optim_Boles.h"
#include "common/core/Random.h"
#include "tests/support/LauncherSupport.h"
#include "tests/support/FindControl.h"
#include "common/widgets/TwipGeometry.h"

#include <QFile>
#include <QtTest>

namespace {

// A machine whose ticks cost `fast` seconds up to some count and `slow` from it.
struct Machine {
    double fast = 0.05;
    double slow = 0.08;
    int slowFrom = 1000;
    double now = 0;

    Clock clock()
    {
        return [this] { return now; };
    }
    void ticked(int count) { now += count >= slowFrom ? slow : fast; }
};

int visibleParticles(const QWidget &window)
{
    const CircleSet &circles = control<PictureBox>(window, "Caja")->surface().circles();
    int visible = 0;
    for (int i = 0; i < circles.count(); ++i)
        visible += circles[i].visible;
    return visible;
}

QByteArray fileBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

class TestMeasurement : public QObject {
    Q_OBJECT

private slots:
    void stepping_data();
    void stepping();
    void window_data();
    void window();
    void windowLayout();
    void timingStartsAfterFirstPaint();
};

void TestMeasurement::stepping_data()
{
    QTest::addColumn<double>("fast");
    QTest::addColumn<double>("slow");
    QTest::addColumn<int>("slowFrom");
    QTest::addColumn<int>("final");
    QTest::addColumn<int>("increases");
    QTest::addColumn<int>("ticks");
    QTest::newRow("fails at 50") << 0.05 << 0.08 << 50 << 50 << 0 << 11;
    QTest::newRow("fails at 60") << 0.05 << 0.08 << 60 << 60 << 1 << 21;
    QTest::newRow("fails at 250") << 0.05 << 0.08 << 250 << 250 << 20 << 211;
    QTest::newRow("never fails") << 0.05 << 0.08 << 1000 << 400 << 35 << 361;
    QTest::newRow("fails only at 400") << 0.05 << 0.08 << 400 << 400 << 35 << 361;
    QTest::newRow("exactly the budget passes") << 0.07 << 0.07 << 1000 << 400 << 35 << 361;
    QTest::newRow("just over the budget fails") << 0.0701 << 0.0701 << 1000 << 50 << 0 << 11;
}

void TestMeasurement::stepping()
{
    QFETCH(double, fast);
    QFETCH(double, slow);
    QFETCH(int, slowFrom);
    QFETCH(int, final);
    QFETCH(int, increases);
    QFETCH(int, ticks);
    Machine machine{fast, slow, slowFrom};
    CircleSet circles;
    Random random(5);
    ParticleBox box(circles, random);
    Measurement measurement(box, machine.clock());
    measurement.start();
    QCOMPARE(measurement.NombreBoles(), std::int16_t(50));
    int grew = 0;
    int made = 0;
    Measurement::Step step = Measurement::Step::Moved;
    while (step != Measurement::Step::Finished && made < 1000) {
        const int count = measurement.NombreBoles();
        step = measurement.tick();
        ++made;
        grew += step == Measurement::Step::Grew;
        machine.ticked(count);
        QVERIFY(measurement.NombreBoles() <= 400);
        QCOMPARE(box.NombreBoles(), measurement.NombreBoles());
    }
    QCOMPARE(int(measurement.NombreFinal()), final);
    QCOMPARE(grew, increases);
    QCOMPARE(made, ticks);
}

void TestMeasurement::window_data()
{
    QTest::addColumn<int>("slowFrom");
    QTest::addColumn<int>("ticks");
    QTest::addColumn<int>("marks");
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("fails at 50") << 50 << 11 << 1 << QByteArray(" .07\r\n 50\r\n");
    QTest::newRow("fails at 60") << 60 << 21 << 2 << QByteArray(" .07\r\n 60\r\n");
    QTest::newRow("never fails") << 1000 << 361 << 36 << QByteArray(" .07\r\n 400\r\n");
}

void TestMeasurement::window()
{
    QFETCH(int, slowFrom);
    QFETCH(int, ticks);
    QFETCH(int, marks);
    QFETCH(QByteArray, bytes);
    PrivateRuntime runtime;
    Machine machine;
    machine.slowFrom = slowFrom;
    Random random(9);
    Optim_Boles optim(random, machine.clock());
    QCOMPARE(control<QTimer>(optim, "tmrRelloOptim")->interval(), 50);
    QSignalSpy measured(&optim, &Optim_Boles::measured);
    for (int t = 0; t < ticks; ++t) {
        QCOMPARE(measured.count(), 0);
        const int count = visibleParticles(optim);
        optim.tick();
        machine.ticked(count);
    }
    QCOMPARE(measured.count(), 1);
    const int final = measured.first().first().toInt();
    QCOMPARE(final, bytes.split('\n').at(1).trimmed().toInt());
    QCOMPARE(control<QLabel>(optim, "lblPunts")->text(), QString(marks, QChar(0x25A0)));
    QAccessibleInterface *progress = accessible(control<QLabel>(optim, "lblPunts"));
    QCOMPARE(progress->role(), QAccessible::ProgressBar);
    QAccessibleValueInterface *value = progress->valueInterface();
    QVERIFY(value);
    QCOMPARE(QList<int>({value->minimumValue().toInt(), value->currentValue().toInt(), value->maximumValue().toInt()}),
             QList<int>({1, marks, 36}));
    QCOMPARE(fileBytes(calibrationFilePath()), bytes);
    QVERIFY(!control<QTimer>(optim, "tmrRelloOptim")->isActive());
    QCOMPARE(visibleParticles(optim), final);
}

void TestMeasurement::windowLayout()
{
    Machine machine;
    Random random(3);
    Optim_Boles optim(random, machine.clock());
    control<QTimer>(optim, "tmrRelloOptim")->stop();
    QCOMPARE(optim.windowTitle(), QStringLiteral("Tavirel"));
    QCOMPARE(control<QLabel>(optim, "lblOptim")->text(), QStringLiteral("Optimitzant el nombre de partícules  "));
    const TwipRect box = twipRect(control<PictureBox>(optim, "Caja"));
    QCOMPARE(box.left, 360.f);
    QCOMPARE(box.top, 768.f);
    QCOMPARE(box.width, 8000.f);
    QCOMPARE(box.height, 8000.f);
    QCOMPARE(control<PictureBox>(optim, "Caja")->surface().background(), (Rgb{192, 255, 255}));
    const TwipRect message = twipRect(control<QLabel>(optim, "lblOptim"));
    const TwipRect marks = twipRect(control<QLabel>(optim, "lblPunts"));
    QCOMPARE(message.left, 2000.f);
    QCOMPARE(message.top, 400.f);
    QCOMPARE(marks.left, message.left + message.width);
    QCOMPARE(marks.top, 380.f);
    QCOMPARE(control<QLabel>(optim, "lblPunts")->text(), QStringLiteral("■"));
    const int oneMark = control<QLabel>(optim, "lblPunts")->width();
    for (int step = 0; step < 11; ++step)
        optim.tick();
    QCOMPARE(control<QLabel>(optim, "lblPunts")->text(), QStringLiteral("■■"));
    QVERIFY(control<QLabel>(optim, "lblPunts")->width() > oneMark);
}

// Start-up on a loaded machine took 5 s before the window first appeared;
// counted against the first set, it would end the measurement at 50.
void TestMeasurement::timingStartsAfterFirstPaint()
{
    Machine machine;
    Random random(3);
    Optim_Boles optim(random, machine.clock());
    machine.now = 5;
    QVERIFY(!control<QTimer>(optim, "tmrRelloOptim")->isActive());
    optim.show();
    QTRY_VERIFY(control<QTimer>(optim, "tmrRelloOptim")->isActive());
    control<QTimer>(optim, "tmrRelloOptim")->stop();
    for (int t = 0; t < 11; ++t) {
        optim.tick();
        machine.ticked(50);
    }
    QCOMPARE(visibleParticles(optim), 60);
}

QTEST_MAIN(TestMeasurement)

#include "tst_Measurement.moc"
