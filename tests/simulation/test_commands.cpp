#include "model/startup/ModelProgram.h"
#include "tests/support/FindControl.h"

#include <QtTest>
#include <algorithm>
#include <cmath>
#include <memory>
#include <set>

namespace {

constexpr Rgb BaseFill{255, 200, 160};
// The centre of the base under a 4 × 4 × 4 solid at the reference layout.
constexpr float BaseCentreX = 2529;
constexpr float BaseCentreY = 1750;

// The model at the reference layout with a solid of the given edge.
struct Model {
    explicit Model(int edge)
        : program(ScreenScale{}, {static_cast<std::int16_t>(edge), static_cast<std::int16_t>(edge * edge * edge)},
                  Random(99))
    {
        program.load();
    }

    const ParticleModel &m() { return sim.model(); }
    const ParticleSet &p() { return sim.model().particles(); }
    Surface &surface() { return window.picture(); }

    std::set<int> marked()
    {
        std::set<int> result;
        for (int i = 0; i < m().NombreBoles(); ++i)
            if (p().Cercle()[i].fill == FillMarcada)
                result.insert(i);
        return result;
    }

    QPointF circleCentre(int i)
    {
        const float half = p().DiamPant()[i] / 2;
        return {p().PantX()[i] + half, p().PantY()[i] + half};
    }

    void clickTwips(QPointF at)
    {
        const QPoint pixel(qRound(at.x() / TwipsPerPixel), qRound(at.y() / TwipsPerPixel));
        QTest::mouseClick(control<PictureBox>(window, "Caja"), Qt::LeftButton, Qt::NoModifier, pixel);
    }

    void ticks(int n)
    {
        for (int t = 0; t < n; ++t)
            sim.tick();
    }

    ModelProgram program;
    Concentracio &window = program.window();
    const Scene &scene = program.scene();
    SimulationCommands &sim = program.simulation();
};

bool eines(Model &model)
{
    return control<QMenu>(model.window, "mnuEines")->menuAction()->isEnabled();
}

} // namespace

class TestCommands : public QObject {
    Q_OBJECT

private slots:
    void startState();
    void particleCount_data();
    void particleCount();
    void diameterLimits_data();
    void diameterLimits();
    void dissolveAndReturn();
    void calculatorCallsRunWhileDisabled();
    void einesShortcutsFollowTheMenu_data();
    void einesShortcutsFollowTheMenu();
    void clickChangesNothing_data();
    void clickChangesNothing();
    void clickOnOverlapMarksLowerIndex();
    void marksSurviveFallAndFreezing();
    void freezeDuringFall();
    void dissolveWhileFrozen();
};

void TestCommands::startState()
{
    Model model(4);
    const ParticleModel &m = model.m();
    QCOMPARE(int(m.NombreBoles()), 64);
    QCOMPARE(m.DiametreBola(), 64.0f);
    QCOMPARE(model.surface().circles().count(), 64);
    for (int i = 0; i < 64; ++i)
        QVERIFY(m.particles().Cercle()[i].visible);
    QCOMPARE(model.surface().pointColour(BaseCentreX, BaseCentreY), BaseFill);
    QCOMPARE(control<PictureBox>(model.window, "Caja")->width(), qRound(5000 / TwipsPerPixel));
    QCOMPARE(control<PictureBox>(model.window, "Caja")->height(), qRound(10000 / TwipsPerPixel));
    QVERIFY(model.sim.solidAtStart());
    QVERIFY(eines(model));
    QVERIFY(control<QAction>(model.window, "AccionsSolid")->isEnabled());
    model.ticks(10);
    QCOMPARE(m.YSolid(), 2000.0f);
    QCOMPARE(m.particles().BolaY()[0], 2000.0f);
}

void TestCommands::particleCount_data()
{
    QTest::addColumn<int>("edge");
    QTest::addColumn<QString>("clicks");
    QTest::addColumn<int>("count");
    QTest::addColumn<bool>("augmentarEnabled");
    QTest::addColumn<bool>("disminuirEnabled");
    QTest::addColumn<bool>("augmentarChecked");
    QTest::addColumn<bool>("disminuirChecked");
    QTest::newRow("343 stays") << 7 << "A" << 343 << false << true << false << false;
    QTest::newRow("343 then down") << 7 << "AD" << 216 << true << true << false << true;
    QTest::newRow("down to 27") << 4 << "D" << 27 << true << false << false << true;
    QTest::newRow("no lower than 27") << 4 << "DD" << 27 << true << false << false << true;
    QTest::newRow("up again") << 4 << "DA" << 64 << true << true << true << false;
    QTest::newRow("at most 216") << 4 << "DAAAAA" << 216 << false << true << true << false;
    QTest::newRow("216 from 125") << 5 << "A" << 216 << false << true << true << false;
}

void TestCommands::particleCount()
{
    QFETCH(int, edge);
    QFETCH(QString, clicks);
    QFETCH(int, count);
    Model model(edge);
    // Every click rebuilds, even the one that finds the limit.
    model.sim.dissoldreSolid();
    model.ticks(80);
    QVERIFY(model.m().Dissolent());
    for (QChar click : clicks)
        click == 'A' ? model.sim.augmentarParticules() : model.sim.disminuirParticules();
    QCOMPARE(int(model.m().NombreBoles()), count);
    QCOMPARE(model.surface().circles().count(), count);
    QVERIFY(!model.m().Dissolent());
    QTEST(model.sim.augmentar().enabled, "augmentarEnabled");
    QTEST(model.sim.disminuir().enabled, "disminuirEnabled");
    QTEST(model.sim.augmentar().checked, "augmentarChecked");
    QTEST(model.sim.disminuir().checked, "disminuirChecked");
}

void TestCommands::diameterLimits_data()
{
    QTest::addColumn<bool>("larger");
    QTest::addColumn<int>("changes");
    QTest::addColumn<float>("factor");
    QTest::newRow("Afinar (+)") << true << 10 << float(std::pow(1.01, 10));
    QTest::newRow("Afinar (-)") << false << 11 << float(std::pow(0.99, 11));
}

void TestCommands::diameterLimits()
{
    QFETCH(bool, larger);
    QFETCH(int, changes);
    QFETCH(float, factor);
    Model model(4);
    Concentracio &w = model.window;
    QAction *action = larger ? control<QAction>(w, "EinesDiamAfAu") : control<QAction>(w, "EinesDiamAfDi");
    QAction *other = larger ? control<QAction>(w, "EinesDiamAfDi") : control<QAction>(w, "EinesDiamAfAu");
    int clicks = 0;
    int changed = 0;
    while (action->isEnabled() && clicks < 20) {
        const float before = model.m().DiametreBola();
        action->trigger();
        ++clicks;
        changed += model.m().DiametreBola() != before;
        QVERIFY(other->isEnabled());
    }
    QCOMPARE(changed, changes);
    QCOMPARE(clicks, changes + 1);
    QCOMPARE(model.m().DiametreBola(), 64 * factor);
    QCOMPARE(model.p().Cercle()[0].size, float(model.m().DiametreBola() * 1.9 / 2));
    other->trigger();
    QVERIFY(action->isEnabled());
}

void TestCommands::dissolveAndReturn()
{
    Model model(4);
    Concentracio &w = model.window;
    const ParticleModel &m = model.m();
    control<QAction>(w, "AccionsSolid")->trigger();
    QVERIFY(m.SolidCaient());
    QVERIFY(!model.sim.solidAtStart());
    QVERIFY(!control<QAction>(w, "AccionsSolid")->isEnabled());
    QVERIFY(!eines(model));
    for (float x = 1995; x <= 3063; x += 15)
        for (float y = 1600; y <= 1900; y += 15)
            QVERIFY(model.surface().pointColour(x, y) != BaseFill);
    model.ticks(100);
    QVERIFY(m.BolesDissoltes() > 0);
    QVERIFY(!model.sim.solidAtStart());

    const bool clockRunning = model.sim.rellotgeActiu();
    control<QAction>(w, "AccionsInici")->trigger();
    QVERIFY(model.sim.solidAtStart());
    QVERIFY(!m.Dissolent());
    QCOMPARE(m.YSolid(), 2000.0f);
    QVERIFY(control<QAction>(w, "AccionsSolid")->isEnabled());
    QVERIFY(eines(model));
    QCOMPARE(model.surface().pointColour(BaseCentreX, BaseCentreY), BaseFill);
    QCOMPARE(model.sim.rellotgeActiu(), clockRunning);
    QVERIFY(!control<QTimer>(w, "tmrRellotge")->isActive());
    for (int i = 0; i < 64; ++i)
        QVERIFY(m.particles().BolaEnSolid()[i]);
}

void TestCommands::calculatorCallsRunWhileDisabled()
{
    Model model(4);
    const ParticleModel &m = model.m();
    model.sim.dissoldreSolid();
    model.ticks(30);
    QVERIFY(m.YSolid() > 2000);
    model.sim.dissoldreSolid();
    QCOMPARE(m.YSolid(), 2000.0f);
    QVERIFY(m.SolidCaient());
    control<QAction>(model.window, "AccionsInici")->setEnabled(false);
    model.sim.tornarSolid();
    QVERIFY(model.sim.solidAtStart());
    QVERIFY(!m.SolidCaient());
}

void TestCommands::einesShortcutsFollowTheMenu_data()
{
    QTest::addColumn<QString>("focus");
    QTest::newRow("window") << QString();
    QTest::newRow("data box") << QStringLiteral("txtGsolut");
    QTest::newRow("result box") << QStringLiteral("txtMolar");
}

// While the items are disabled a text box keeps Ctrl+A as select-all.
void TestCommands::einesShortcutsFollowTheMenu()
{
    QFETCH(QString, focus);
    Model model(4);
    Concentracio &w = model.window;
    w.show();
    QVERIFY(QTest::qWaitForWindowActive(&w));
    auto *box = focus.isEmpty() ? nullptr : w.findChild<QLineEdit *>(focus);
    QWidget *target = box ? static_cast<QWidget *>(box) : &w;
    if (box) {
        box->show();
        box->setText(QStringLiteral("12"));
        box->setFocus();
    }
    QTest::keyClick(target, Qt::Key_A, Qt::ControlModifier);
    QCOMPARE(model.m().DiametreBola(), float(64 * 1.01));
    QTest::keyClick(target, Qt::Key_D, Qt::ControlModifier);
    QCOMPARE(model.m().DiametreBola(), float(64 * 1.01 * 0.99));
    control<QAction>(w, "AccionsSolid")->trigger();
    QTest::keyClick(target, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(target, Qt::Key_D, Qt::ControlModifier);
    QCOMPARE(model.m().DiametreBola(), float(64 * 1.01 * 0.99));
    QVERIFY(model.m().SolidCaient());
    if (box)
        QCOMPARE(box->selectedText(), QStringLiteral("12"));
}

void TestCommands::clickChangesNothing_data()
{
    QTest::addColumn<bool>("marking");
    QTest::addColumn<QPointF>("at");
    QTest::newRow("marking off, on a particle") << false << QPointF(2435, 1725);
    QTest::newRow("marking on, beside the block") << true << QPointF(1000, 1725);
    QTest::newRow("marking on, in the solution") << true << QPointF(2500, 7000);
}

void TestCommands::clickChangesNothing()
{
    QFETCH(bool, marking);
    QFETCH(QPointF, at);
    Model model(4);
    if (marking)
        control<QAction>(model.window, "AccionsMarcar")->trigger();
    model.clickTwips(at);
    QVERIFY(model.marked().empty());
}

void TestCommands::clickOnOverlapMarksLowerIndex()
{
    Model model(4);
    QAction *marcar = control<QAction>(model.window, "AccionsMarcar");
    marcar->trigger();
    QVERIFY(model.sim.MarcatgeActiu());
    QVERIFY(marcar->isChecked());
    // Particle 16 lies just behind particle 0, up and to the right.
    const QPointF at = model.circleCentre(16);
    QVERIFY(std::abs(at.x() - model.circleCentre(0).x()) < 30);
    QVERIFY(std::abs(at.y() - model.circleCentre(0).y()) < 30);
    model.clickTwips(at);
    QCOMPARE(model.marked(), std::set<int>{0});
    QCOMPARE(model.p().Cercle()[0].border, BorderMarcada);
    model.clickTwips(at);
    QVERIFY(model.marked().empty());
    QCOMPARE(model.p().Cercle()[0].border, BorderBola);
    marcar->trigger();
    QVERIFY(!model.sim.MarcatgeActiu());
    QVERIFY(!marcar->isChecked());
}

void TestCommands::marksSurviveFallAndFreezing()
{
    Model model(4);
    control<QAction>(model.window, "AccionsMarcar")->trigger();
    model.clickTwips(model.circleCentre(63));
    model.clickTwips(model.circleCentre(5));
    const std::set<int> marks = model.marked();
    QCOMPARE(marks.size(), std::size_t(2));
    model.sim.dissoldreSolid();
    model.ticks(150);
    control<QTimer>(model.window, "tmrRellotge")->start();
    control<QAction>(model.window, "AccionsCongelar")->trigger();
    QCOMPARE(model.marked(), marks);
    control<QAction>(model.window, "AccionsInici")->trigger();
    QVERIFY(model.marked().empty());
}

void TestCommands::freezeDuringFall()
{
    Model model(4);
    Concentracio &w = model.window;
    const ParticleModel &m = model.m();
    control<QTimer>(w, "tmrRellotge")->start();
    control<QAction>(w, "AccionsSolid")->trigger();
    QTRY_VERIFY(m.YSolid() > 2300);
    control<QAction>(w, "AccionsCongelar")->trigger();
    QCOMPARE(control<QAction>(w, "AccionsCongelar")->text(), QStringLiteral("Descongelar Imatge"));
    QVERIFY(!control<QTimer>(w, "tmrRellotge")->isActive());
    const float y = m.YSolid();
    const float top = m.particles().BolaY()[0];
    QTest::qWait(200);
    QCOMPARE(m.YSolid(), y);
    QCOMPARE(m.particles().BolaY()[0], top);
    QVERIFY(m.SolidCaient());
    control<QAction>(w, "AccionsCongelar")->trigger();
    QCOMPARE(control<QAction>(w, "AccionsCongelar")->text(), QStringLiteral("Congelar Imatge"));
    QTRY_VERIFY(m.YSolid() > y);
}

void TestCommands::dissolveWhileFrozen()
{
    Model model(4);
    Concentracio &w = model.window;
    const ParticleModel &m = model.m();
    control<QTimer>(w, "tmrRellotge")->start();
    control<QAction>(w, "AccionsCongelar")->trigger();
    control<QAction>(w, "AccionsSolid")->trigger();
    QVERIFY(m.SolidCaient());
    QTest::qWait(200);
    QCOMPARE(m.YSolid(), 2000.0f);
    control<QAction>(w, "AccionsCongelar")->trigger();
    QTRY_VERIFY(m.YSolid() > 2000);
}

QTEST_MAIN(TestCommands)

#include "test_commands.moc"
