#include "model/calculator/Calculadora.h"
#include "model/startup/CommandRouting.h"
#include "model/windows/Concentracio.h"
#include "tests/support/FindControl.h"

#include <QtTest>
#include <QtWidgets>

namespace {

// Stands in for the dissolution picture: dropping the solid makes it fall,
// sending it back puts it at its start again.
struct FakeSolid {
    bool falling = false;
    int drops = 0;
    int returns = 0;

    SolidLink link()
    {
        return {[this] { return !falling; },
                [this] {
                    falling = true;
                    ++drops;
                },
                [this] {
                    falling = false;
                    ++returns;
                }};
    }
};

// The main window with the calculator alone behind it.
struct Model {
    Concentracio window;
    FakeSolid solid;
    Calculadora calculadora{solid.link()};

    Model()
    {
        window.prepare({255, 255, 200}, QString());
        QObject::connect(&window, &Concentracio::commandChosen, [this](Comanda command) {
            if (runOnCalculator(command, calculadora))
                window.showCalculator(calculadora);
        });
        QObject::connect(&window, &Concentracio::dataEdited, [this](Dada dada, const QString &text) {
            calculadora.dataTextChanged(dada, text.toStdString());
            window.showCalculator(calculadora);
        });
        QObject::connect(&window, &Concentracio::resultsButtonClicked, [this] {
            calculadora.cmdResultats_Click();
            window.showCalculator(calculadora);
        });
        window.showCalculator(calculadora);
        window.show();
    }

    QLineEdit *text(const QString &name) { return window.findChild<QLineEdit *>(name); }
    QCheckBox *check(const QString &name) { return window.findChild<QCheckBox *>(name); }
    QAction *action(const QString &name) { return window.findChild<QAction *>(name); }

    void choose(const QStringList &items)
    {
        for (const QString &name : items)
            action(name)->trigger();
    }

    void type(const QString &box, const QString &keys) { QTest::keyClicks(text(box), keys); }

    void erase(const QString &box)
    {
        QLineEdit *edit = text(box);
        edit->selectAll();
        QTest::keyClick(edit, Qt::Key_Backspace);
    }

    // Each entry is "txtName=keys".
    void typeAll(const QStringList &entries)
    {
        for (const QString &entry : entries) {
            const auto parts = entry.split(QLatin1Char('='));
            type(parts[0], parts[1]);
        }
    }

    bool offered(QCheckBox *box, QLineEdit *edit) const
    {
        return box->isEnabled() && box->checkState() == Qt::PartiallyChecked && !edit->isHidden();
    }

    bool withdrawn(QCheckBox *box, QLineEdit *edit) const
    {
        return !box->isEnabled() && box->checkState() == Qt::Unchecked && edit->isHidden();
    }
};

const QStringList MeasureItems{"ConceTpc", "ConceGpl", "ConceMolar", "ConceMolal", "ConceFrM"};
const char *const ResultBoxes[][2] = {
    {"chkTpc", "txtTpc"}, {"chkGpl", "txtGpl"}, {"chkMolar", "txtMolar"}, {"chkMolal", "txtMolal"}, {"chkFrM", "txtFrM"}};
const char *const DataBoxes[][2] = {{"chkGsolut", "txtGsolut"}, {"chkGdt", "txtGdt"},       {"chkVdso", "txtVdso"},
                                    {"chkDens", "txtDens"},     {"chkMsolut", "txtMsolut"}, {"chkMdt", "txtMdt"}};

} // namespace

class TestCalculadora : public QObject {
    Q_OBJECT

private slots:
    void results_data();
    void results();
    void firstResultDropsSolidOnce();
    void lastDatumClearedSendsSolidBack();
    void offeredData_data();
    void offeredData();
    void typedMolarMassIsChecked();
    void commaStopsTheNumber();
    void echoRewritesGivenData_data();
    void echoRewritesGivenData();
    void threeOfFourHidesTheFourth();
    void clearedBoxIsNotGiven();
    void datumNotGiven_data();
    void datumNotGiven();
    void clearCommand();
    void resultsButtonToggles();
    void deselectedMeasureKeepsGivenData();
    void selectAllAndNone();
    void indicatorToggledFromOutsideChangesNothing();
};

// Expected texts per measure in the order Tpc, Gpl, Molar, Molal, FrM;
// an empty text means no result: box unchecked, disabled and hidden.
void TestCalculadora::results_data()
{
    QTest::addColumn<QStringList>("items");
    QTest::addColumn<QStringList>("typed");
    QTest::addColumn<QStringList>("expected");
    QTest::addColumn<bool>("dropped");

    QTest::newRow("percentage") << QStringList{"ConceTpc"} << QStringList{"txtGsolut=10", "txtGdt=90"}
                                << QStringList{" 10", "", "", "", ""} << true;
    QTest::newRow("grams per litre and molarity")
        << QStringList{"ConceMolar", "ConceGpl"} << QStringList{"txtGsolut=10", "txtVdso=100", "txtMsolut=58.44"}
        << QStringList{"", " 100", " 1.711", "", ""} << true;
    QTest::newRow("all but mole fraction")
        << QStringList{"ConceTpc", "ConceGpl", "ConceMolar", "ConceMolal"}
        << QStringList{"txtGsolut=20", "txtGdt=80", "txtDens=1.2", "txtMsolut=40"}
        << QStringList{" 20", " 240", " 6", " 6.25", ""} << true;
    QTest::newRow("tiny mole fraction")
        << QStringList{"ConceFrM"} << QStringList{"txtGsolut=.01", "txtGdt=1000", "txtMsolut=180", "txtMdt=18"}
        << QStringList{"", "", "", "", " 0"} << true;
    QTest::newRow("three of four") << QStringList{"ConceTpc"}
                                   << QStringList{"txtGsolut=10", "txtGdt=90", "txtVdso=100"}
                                   << QStringList{" 10", "", "", "", ""} << true;
    QTest::newRow("negative percentage") << QStringList{"ConceTpc"}
                                         << QStringList{"txtGdt=120", "txtVdso=100", "txtDens=1"}
                                         << QStringList{"", "", "", "", ""} << false;
    QTest::newRow("molality without solvent")
        << QStringList{"ConceMolal"} << QStringList{"txtGsolut=60", "txtVdso=48", "txtDens=1.25", "txtMsolut=40"}
        << QStringList{"", "", "", "", ""} << false;
    QTest::newRow("mole fraction terms cancel")
        << QStringList{"ConceFrM"}
        << QStringList{"txtGdt=100", "txtVdso=50", "txtDens=1", "txtMsolut=10", "txtMdt=20"}
        << QStringList{"", "", "", "", ""} << false;
    QTest::newRow("beyond single range") << QStringList{"ConceGpl"}
                                         << QStringList{"txtGsolut=1e38", "txtVdso=1"}
                                         << QStringList{"", "", "", "", ""} << false;
}

void TestCalculadora::results()
{
    QFETCH(QStringList, items);
    QFETCH(QStringList, typed);
    QFETCH(QStringList, expected);
    QFETCH(bool, dropped);

    Model m;
    m.choose(items);
    m.typeAll(typed);
    for (int i = 0; i < expected.size(); ++i) {
        auto *check = control<QCheckBox>(m.window, ResultBoxes[i][0]);
        auto *text = control<QLineEdit>(m.window, ResultBoxes[i][1]);
        if (expected[i].isEmpty()) {
            QVERIFY2(m.withdrawn(check, text), ResultBoxes[i][0]);
        } else {
            QCOMPARE(check->checkState(), Qt::Checked);
            QVERIFY(check->isEnabled());
            QVERIFY(!text->isHidden());
            QCOMPARE(text->text(), expected[i]);
        }
    }
    QCOMPARE(m.solid.falling, dropped);
    QCOMPARE(control<QPushButton>(m.window, "cmdResultats")->isHidden(), !dropped);
}

void TestCalculadora::firstResultDropsSolidOnce()
{
    Model m;
    m.choose({"ConceMolar"});
    QVERIFY(m.offered(control<QCheckBox>(m.window, "chkMsolut"), control<QLineEdit>(m.window, "txtMsolut")));
    QVERIFY(!control<QGroupBox>(m.window, "frDades")->isHidden());

    m.type("txtGsolut", "10");
    QCOMPARE(control<QCheckBox>(m.window, "chkGsolut")->checkState(), Qt::Checked);
    QVERIFY(m.solid.returns > 0);
    QCOMPARE(m.solid.drops, 0);
    QVERIFY(control<QPushButton>(m.window, "cmdResultats")->isHidden());

    m.type("txtVdso", "100");
    m.type("txtMsolut", "58.44");
    QCOMPARE(control<QLineEdit>(m.window, "txtMolar")->text(), " 1.711");
    QVERIFY(!control<QPushButton>(m.window, "cmdResultats")->isHidden());
    QVERIFY(control<QGroupBox>(m.window, "frResultats")->isHidden());
    QCOMPARE(m.solid.drops, 1);
    QVERIFY(m.solid.falling);

    // Further keystrokes recalculate while the solid is already on its way.
    m.type("txtMsolut", "1");
    QCOMPARE(m.solid.drops, 1);
}

void TestCalculadora::lastDatumClearedSendsSolidBack()
{
    Model m;
    m.choose({"ConceTpc", "ConceMolar"});
    m.typeAll({"txtGsolut=10", "txtGdt=90"});
    QVERIFY(m.solid.falling);

    m.erase("txtGdt");
    QVERIFY(!m.solid.falling);
    for (Mesura mesura : TotesMesures)
        QCOMPARE(m.calculadora.resultat(mesura), 0.0f);
    QVERIFY(m.withdrawn(control<QCheckBox>(m.window, "chkTpc"), control<QLineEdit>(m.window, "txtTpc")));
    QVERIFY(control<QAction>(m.window, "ConceCap")->isEnabled());
    QVERIFY(!control<QPushButton>(m.window, "cmdResultats")->isHidden());
}

// One letter per datum in the order Gsolut, Gdt, Vdso, Dens, Msolut, Mdt:
// O offered (grayed, enabled, box shown), W withdrawn (unchecked, disabled, hidden).
void TestCalculadora::offeredData_data()
{
    QTest::addColumn<QStringList>("items");
    QTest::addColumn<QString>("states");

    QTest::newRow("percentage") << QStringList{"ConceTpc"} << "OOOOWW";
    QTest::newRow("molality") << QStringList{"ConceMolal"} << "OOOOOW";
    QTest::newRow("mole fraction") << QStringList{"ConceFrM"} << "OOOOOO";
    QTest::newRow("select all") << QStringList{"ConceTotes"} << "OOOOOO";
    QTest::newRow("percentage twice") << QStringList{"ConceTpc", "ConceTpc"} << "WWWWWW";
}

void TestCalculadora::offeredData()
{
    QFETCH(QStringList, items);
    QFETCH(QString, states);

    Model m;
    m.choose(items);
    QVERIFY(!control<QGroupBox>(m.window, "frDades")->isHidden());
    for (int i = 0; i < states.size(); ++i) {
        auto *check = control<QCheckBox>(m.window, DataBoxes[i][0]);
        auto *edit = control<QLineEdit>(m.window, DataBoxes[i][1]);
        QVERIFY2(states[i] == 'O' ? m.offered(check, edit) : m.withdrawn(check, edit),
                 qPrintable(check->objectName()));
    }
}

void TestCalculadora::typedMolarMassIsChecked()
{
    Model m;
    m.choose({"ConceFrM"});
    m.type("txtMsolut", "58.44");
    QCOMPARE(control<QCheckBox>(m.window, "chkMsolut")->checkState(), Qt::Checked);
    QCOMPARE(control<QCheckBox>(m.window, "chkMdt")->checkState(), Qt::PartiallyChecked);
    QCOMPARE(m.calculadora.dada(Dada::Msolut), 58.44f);
}

void TestCalculadora::commaStopsTheNumber()
{
    Model m;
    m.choose({"ConceTpc"});
    m.type("txtGsolut", "12,5");
    QCOMPARE(m.calculadora.dada(Dada::Gsolut), 12.0f);
    QCOMPARE(control<QLineEdit>(m.window, "txtGsolut")->text(), "12,5");
    m.choose({"ConceGpl"});
    QCOMPARE(control<QLineEdit>(m.window, "txtGsolut")->text(), " 12");
    QCOMPARE(control<QCheckBox>(m.window, "chkGsolut")->checkState(), Qt::Checked);
}

// Data above 0 come back checked and in the short form, needed or not.
void TestCalculadora::echoRewritesGivenData_data()
{
    QTest::addColumn<QString>("box");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("echo");

    QTest::newRow("decimals") << "txtGsolut" << "12.5" << " 12.5";
    QTest::newRow("below one") << "txtDens" << "0.5" << " .5";
    QTest::newRow("exponent") << "txtVdso" << "2.5E3" << " 2500";
    QTest::newRow("molar mass not needed") << "txtMsolut" << "58.440" << " 58.44";
}

void TestCalculadora::echoRewritesGivenData()
{
    QFETCH(QString, box);
    QFETCH(QString, typed);
    QFETCH(QString, echo);

    Model m;
    m.choose({"ConceFrM"});
    m.type(box, typed);
    m.choose({"ConceFrM", "ConceTpc"});
    QLineEdit *edit = m.text(box);
    QCheckBox *check = m.check(QLatin1String("chk") + box.mid(3));
    QCOMPARE(edit->text(), echo);
    QVERIFY(!edit->isHidden());
    QVERIFY(check->isEnabled());
    QCOMPARE(check->checkState(), Qt::Checked);
}

void TestCalculadora::threeOfFourHidesTheFourth()
{
    Model m;
    m.choose({"ConceTpc"});
    m.typeAll({"txtGsolut=10", "txtGdt=90", "txtVdso=100"});
    QVERIFY(!control<QCheckBox>(m.window, "chkDens")->isEnabled());
    QVERIFY(control<QLineEdit>(m.window, "txtDens")->isHidden());

    m.erase("txtVdso");
    QCOMPARE(control<QCheckBox>(m.window, "chkVdso")->checkState(), Qt::PartiallyChecked);
    QVERIFY(control<QLineEdit>(m.window, "txtDens")->isHidden());
    QCOMPARE(control<QLineEdit>(m.window, "txtTpc")->text(), " 10");

    m.choose({"ConceGpl"});
    QVERIFY(m.offered(control<QCheckBox>(m.window, "chkDens"), control<QLineEdit>(m.window, "txtDens")));
}

void TestCalculadora::clearedBoxIsNotGiven()
{
    Model m;
    m.choose({"ConceGpl", "ConceMolar"});
    m.typeAll({"txtGsolut=10", "txtVdso=100", "txtMsolut=58.44"});
    m.erase("txtMsolut");
    QCOMPARE(control<QCheckBox>(m.window, "chkMsolut")->checkState(), Qt::PartiallyChecked);
    QCOMPARE(m.calculadora.dada(Dada::Msolut), 0.0f);
    QVERIFY(m.withdrawn(control<QCheckBox>(m.window, "chkMolar"), control<QLineEdit>(m.window, "txtMolar")));
    QCOMPARE(control<QLineEdit>(m.window, "txtGpl")->text(), " 100");
}

void TestCalculadora::datumNotGiven_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<float>("stored");

    QTest::newRow("letters") << "abc" << 0.0f;
    QTest::newRow("zero") << "0" << 0.0f;
    QTest::newRow("negative") << "-5" << -5.0f;
    QTest::newRow("beyond single range") << "1e39" << 0.0f;
    QTest::newRow("below single range") << "1e-50" << 0.0f;
}

void TestCalculadora::datumNotGiven()
{
    QFETCH(QString, typed);
    QFETCH(float, stored);

    Model m;
    m.choose({"ConceTpc"});
    m.typeAll({"txtGdt=90", "txtGsolut=" + typed});
    QCOMPARE(m.calculadora.dada(Dada::Gsolut), stored);
    QCOMPARE(control<QCheckBox>(m.window, "chkGsolut")->checkState(), Qt::PartiallyChecked);
    QVERIFY(m.withdrawn(control<QCheckBox>(m.window, "chkTpc"), control<QLineEdit>(m.window, "txtTpc")));
}

void TestCalculadora::clearCommand()
{
    Model m;
    m.choose({"ConceTpc", "ConceFrM"});
    m.typeAll({"txtGsolut=10", "txtGdt=90", "txtMsolut=58.44", "txtMdt=18"});
    control<QPushButton>(m.window, "cmdResultats")->click();
    QVERIFY(!control<QGroupBox>(m.window, "frResultats")->isHidden());

    control<QAction>(m.window, "AccionsEsborrar")->trigger();
    QVERIFY(control<QGroupBox>(m.window, "frDades")->isHidden());
    QVERIFY(control<QGroupBox>(m.window, "frResultats")->isHidden());
    QVERIFY(control<QPushButton>(m.window, "cmdResultats")->isHidden());
    QCOMPARE(control<QPushButton>(m.window, "cmdResultats")->text(), "Veure resultats");
    QVERIFY(!m.calculadora.resultatsVisibles());
    for (Dada dada : TotesDades)
        QCOMPARE(m.calculadora.dada(dada), 0.0f);
    for (QLineEdit *edit : m.window.findChildren<QLineEdit *>())
        QVERIFY(edit->text().isEmpty());
    for (Mesura mesura : TotesMesures)
        QVERIFY(!m.calculadora.seleccionada(mesura));
    for (const QString &name : MeasureItems)
        QVERIFY(!m.action(name)->isChecked());
    QVERIFY(!control<QAction>(m.window, "ConceCap")->isEnabled());
    QVERIFY(control<QAction>(m.window, "ConceTotes")->isEnabled());
    QVERIFY(!m.solid.falling);
}

void TestCalculadora::resultsButtonToggles()
{
    Model m;
    m.choose({"ConceTpc"});
    m.typeAll({"txtGsolut=10", "txtGdt=90"});
    for (bool shown : {true, false, true}) {
        control<QPushButton>(m.window, "cmdResultats")->click();
        QCOMPARE(control<QGroupBox>(m.window, "frResultats")->isHidden(), !shown);
        QCOMPARE(control<QPushButton>(m.window, "cmdResultats")->text(), shown ? "Ocultar resultats" : "Veure resultats");
    }
}

void TestCalculadora::deselectedMeasureKeepsGivenData()
{
    Model m;
    m.choose({"ConceTpc"});
    QVERIFY(control<QAction>(m.window, "ConceTpc")->isChecked());
    m.type("txtGdt", "90");
    m.choose({"ConceTpc"});
    QCOMPARE(control<QCheckBox>(m.window, "chkGdt")->checkState(), Qt::Checked);
    QVERIFY(control<QCheckBox>(m.window, "chkGdt")->isEnabled());
    QCOMPARE(control<QLineEdit>(m.window, "txtGdt")->text(), " 90");
    QVERIFY(control<QLineEdit>(m.window, "txtGsolut")->isHidden());
}

void TestCalculadora::selectAllAndNone()
{
    Model m;
    control<QAction>(m.window, "ConceTotes")->trigger();
    for (const QString &name : MeasureItems)
        QVERIFY(m.action(name)->isChecked());
    QVERIFY(!control<QAction>(m.window, "ConceTotes")->isEnabled());
    QVERIFY(control<QAction>(m.window, "ConceCap")->isEnabled());

    m.typeAll({"txtGsolut=10", "txtVdso=100", "txtMsolut=58.44"});
    QVERIFY(m.solid.falling);
    control<QAction>(m.window, "ConceCap")->trigger();
    for (const QString &name : MeasureItems)
        QVERIFY(!m.action(name)->isChecked());
    for (const auto &box : ResultBoxes)
        QCOMPARE(control<QCheckBox>(m.window, box[0])->checkState(), Qt::Unchecked);
    QVERIFY(!control<QAction>(m.window, "ConceCap")->isEnabled());
    QVERIFY(control<QAction>(m.window, "ConceTotes")->isEnabled());
    QVERIFY(!m.solid.falling);
    QCOMPARE(control<QLineEdit>(m.window, "txtMsolut")->text(), " 58.44");
    QVERIFY(!control<QLineEdit>(m.window, "txtMsolut")->isHidden());
    QVERIFY(control<QLineEdit>(m.window, "txtGdt")->isHidden());

    m.choose({"ConceMolar"});
    QCOMPARE(control<QCheckBox>(m.window, "chkMsolut")->checkState(), Qt::Checked);
    QCOMPARE(control<QLineEdit>(m.window, "txtMolar")->text(), " 1.711");
    QVERIFY(m.solid.falling);
    QCOMPARE(m.solid.drops, 2);
}

QTEST_MAIN(TestCalculadora)

// A screen reader may toggle an indicator; the calculator keeps its own
// record, and the next change shows it again.
void TestCalculadora::indicatorToggledFromOutsideChangesNothing()
{
    Model m;
    m.choose({"ConceTpc"});
    m.typeAll({"txtGsolut=10", "txtGdt=90"});
    QCheckBox *given = m.check("chkGdt");
    given->toggle();
    QVERIFY(given->checkState() != Qt::Checked);
    m.type("txtVdso", "100");
    QCOMPARE(given->checkState(), Qt::Checked);
    QVERIFY(m.text("txtDens")->isHidden());
    QCOMPARE(m.text("txtTpc")->text(), " 10");
}

#include "test_calculadora.moc"
