#include "model/calculator/Calculadora.h"

#include <QtTest>

namespace {

const QStringList DataNames{"Gsolut", "Gdt", "Vdso", "Dens", "Msolut", "Mdt"};
const QStringList MeasureNames{"Tpc", "Gpl", "Molar", "Molal", "FrM"};

Dada datum(const QString &name)
{
    return TotesDades[std::size_t(DataNames.indexOf(name))];
}

// The calculator alone, with a solid that does what it is told: it drops
// only from its start, as the program has it.
struct Calc {
    Calculadora calculadora;
    bool falling = false;
    int drops = 0;
    int returns = 0;

    void apply(SolidAction action)
    {
        if (action == SolidAction::Deixar && !falling) {
            falling = true;
            ++drops;
        } else if (action == SolidAction::Tornar) {
            falling = false;
            ++returns;
        }
    }

    // Menu items by their measure's name, or "Totes", "Cap", "Esborrar".
    void choose(const QStringList &items)
    {
        for (const QString &item : items) {
            if (item == "Esborrar")
                apply(calculadora.AccionsEsborrar_Click());
            else if (item == "Totes" || item == "Cap")
                apply(calculadora.selectAll(item == "Totes"));
            else
                apply(calculadora.toggleMeasure(TotesMesures[std::size_t(MeasureNames.indexOf(item))]));
        }
    }

    // Key by key, each one a change of the box's text.
    void type(const QString &name, const QString &keys)
    {
        const Dada dada = datum(name);
        for (QChar key : keys)
            apply(calculadora.dataTextChanged(dada, calculadora.camp(dada).text + QString(key).toStdString()));
    }

    void erase(const QString &name) { apply(calculadora.dataTextChanged(datum(name), std::string())); }

    // Each entry is "Name=keys".
    void typeAll(const QStringList &entries)
    {
        for (const QString &entry : entries)
            type(entry.section('=', 0, 0), entry.section('=', 1));
    }

    const CampDada &camp(const QString &name) const { return calculadora.camp(datum(name)); }

    bool offered(const QString &name) const
    {
        const CampDada &c = camp(name);
        return c.enabled && c.indicador == Indicador::Ofert && c.shown;
    }

    bool withdrawn(const QString &name) const
    {
        const CampDada &c = camp(name);
        return !c.enabled && c.indicador == Indicador::Buit && !c.shown;
    }

    bool noResult(Mesura mesura) const
    {
        const CampResultat &c = calculadora.camp(mesura);
        return !c.enabled && !c.checked && !c.shown;
    }
};

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
    void threeOfFour_data();
    void threeOfFour();
    void withdrawnDatumStaysUntilTheDataAreOfferedAgain();
    void clearedBoxIsNotGiven();
    void datumNotGiven_data();
    void datumNotGiven();
    void clearCommand();
    void resultsButtonToggles();
    void deselectedMeasureKeepsGivenData();
    void selectAllAndNone();
    void firstEmptyDatum_data();
    void firstEmptyDatum();
};

// Expected texts per measure in the order Tpc, Gpl, Molar, Molal, FrM;
// an empty text means no result: box unchecked, disabled and hidden.
void TestCalculadora::results_data()
{
    QTest::addColumn<QStringList>("items");
    QTest::addColumn<QStringList>("typed");
    QTest::addColumn<QStringList>("expected");
    QTest::addColumn<bool>("dropped");

    QTest::newRow("percentage") << QStringList{"Tpc"} << QStringList{"Gsolut=10", "Gdt=90"}
                                << QStringList{" 10", "", "", "", ""} << true;
    QTest::newRow("grams per litre and molarity")
        << QStringList{"Molar", "Gpl"} << QStringList{"Gsolut=10", "Vdso=100", "Msolut=58.44"}
        << QStringList{"", " 100", " 1.711", "", ""} << true;
    QTest::newRow("all but mole fraction") << QStringList{"Tpc", "Gpl", "Molar", "Molal"}
                                           << QStringList{"Gsolut=20", "Gdt=80", "Dens=1.2", "Msolut=40"}
                                           << QStringList{" 20", " 240", " 6", " 6.25", ""} << true;
    QTest::newRow("tiny mole fraction") << QStringList{"FrM"}
                                        << QStringList{"Gsolut=.01", "Gdt=1000", "Msolut=180", "Mdt=18"}
                                        << QStringList{"", "", "", "", " 0"} << true;
    QTest::newRow("three of four") << QStringList{"Tpc"} << QStringList{"Gsolut=10", "Gdt=90", "Vdso=100"}
                                   << QStringList{" 10", "", "", "", ""} << true;
    QTest::newRow("negative percentage") << QStringList{"Tpc"} << QStringList{"Gdt=120", "Vdso=100", "Dens=1"}
                                         << QStringList{"", "", "", "", ""} << false;
    QTest::newRow("molality without solvent")
        << QStringList{"Molal"} << QStringList{"Gsolut=60", "Vdso=48", "Dens=1.25", "Msolut=40"}
        << QStringList{"", "", "", "", ""} << false;
    QTest::newRow("mole fraction terms cancel")
        << QStringList{"FrM"} << QStringList{"Gdt=100", "Vdso=50", "Dens=1", "Msolut=10", "Mdt=20"}
        << QStringList{"", "", "", "", ""} << false;
    QTest::newRow("beyond single range") << QStringList{"Gpl"} << QStringList{"Gsolut=1e38", "Vdso=1"}
                                         << QStringList{"", "", "", "", ""} << false;
}

void TestCalculadora::results()
{
    QFETCH(QStringList, items);
    QFETCH(QStringList, typed);
    QFETCH(QStringList, expected);
    QFETCH(bool, dropped);

    Calc m;
    m.choose(items);
    m.typeAll(typed);
    for (Mesura mesura : TotesMesures) {
        const QString &text = expected[int(mesura)];
        const CampResultat &camp = m.calculadora.camp(mesura);
        if (text.isEmpty()) {
            QVERIFY2(m.noResult(mesura), qPrintable(MeasureNames[int(mesura)]));
        } else {
            QVERIFY(camp.checked && camp.enabled && camp.shown);
            QCOMPARE(QString::fromStdString(camp.text), text);
        }
    }
    QCOMPARE(m.falling, dropped);
    QCOMPARE(m.calculadora.resultButtonShown(), dropped);
}

void TestCalculadora::firstResultDropsSolidOnce()
{
    Calc m;
    m.choose({"Molar"});
    QVERIFY(m.offered("Msolut"));
    QVERIFY(m.calculadora.dadesShown());

    m.type("Gsolut", "10");
    QCOMPARE(m.camp("Gsolut").indicador, Indicador::Donat);
    QVERIFY(m.returns > 0);
    QCOMPARE(m.drops, 0);
    QVERIFY(!m.calculadora.resultButtonShown());

    m.typeAll({"Vdso=100", "Msolut=58.44"});
    QCOMPARE(m.calculadora.camp(Mesura::Molar).text, " 1.711");
    QVERIFY(m.calculadora.resultButtonShown());
    QVERIFY(!m.calculadora.resultatsVisibles());
    QCOMPARE(m.drops, 1);
    QVERIFY(m.falling);

    // Further keystrokes recalculate while the solid is already on its way.
    m.type("Msolut", "1");
    QCOMPARE(m.drops, 1);
}

void TestCalculadora::lastDatumClearedSendsSolidBack()
{
    Calc m;
    m.choose({"Tpc", "Molar"});
    m.typeAll({"Gsolut=10", "Gdt=90"});
    QVERIFY(m.falling);

    m.erase("Gdt");
    QVERIFY(!m.falling);
    for (Mesura mesura : TotesMesures)
        QCOMPARE(m.calculadora.resultat(mesura), 0.0f);
    QVERIFY(m.noResult(Mesura::Tpc));
    QVERIFY(m.calculadora.capEnabled());
    QVERIFY(m.calculadora.resultButtonShown());
}

// One letter per datum in the order Gsolut, Gdt, Vdso, Dens, Msolut, Mdt:
// O offered (grayed, enabled, box shown), W withdrawn (unchecked, disabled, hidden).
void TestCalculadora::offeredData_data()
{
    QTest::addColumn<QStringList>("items");
    QTest::addColumn<QString>("states");

    QTest::newRow("percentage") << QStringList{"Tpc"} << "OOOOWW";
    QTest::newRow("molality") << QStringList{"Molal"} << "OOOOOW";
    QTest::newRow("mole fraction") << QStringList{"FrM"} << "OOOOOO";
    QTest::newRow("select all") << QStringList{"Totes"} << "OOOOOO";
    QTest::newRow("percentage twice") << QStringList{"Tpc", "Tpc"} << "WWWWWW";
}

void TestCalculadora::offeredData()
{
    QFETCH(QStringList, items);
    QFETCH(QString, states);

    Calc m;
    m.choose(items);
    QVERIFY(m.calculadora.dadesShown());
    for (int i = 0; i < states.size(); ++i)
        QVERIFY2(states[i] == 'O' ? m.offered(DataNames[i]) : m.withdrawn(DataNames[i]), qPrintable(DataNames[i]));
}

void TestCalculadora::typedMolarMassIsChecked()
{
    Calc m;
    m.choose({"FrM"});
    m.type("Msolut", "58.44");
    QCOMPARE(m.camp("Msolut").indicador, Indicador::Donat);
    QCOMPARE(m.camp("Mdt").indicador, Indicador::Ofert);
    QCOMPARE(m.calculadora.dada(Dada::Msolut), 58.44f);
}

void TestCalculadora::commaStopsTheNumber()
{
    Calc m;
    m.choose({"Tpc"});
    m.type("Gsolut", "12,5");
    QCOMPARE(m.calculadora.dada(Dada::Gsolut), 12.0f);
    QCOMPARE(m.camp("Gsolut").text, "12,5");
    m.choose({"Gpl"});
    QCOMPARE(m.camp("Gsolut").text, " 12");
    QCOMPARE(m.camp("Gsolut").indicador, Indicador::Donat);
}

// Data above 0 come back checked and in the short form, needed or not.
void TestCalculadora::echoRewritesGivenData_data()
{
    QTest::addColumn<QString>("box");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("echo");

    QTest::newRow("decimals") << "Gsolut" << "12.5" << " 12.5";
    QTest::newRow("below one") << "Dens" << "0.5" << " .5";
    QTest::newRow("exponent") << "Vdso" << "2.5E3" << " 2500";
    QTest::newRow("molar mass not needed") << "Msolut" << "58.440" << " 58.44";
}

void TestCalculadora::echoRewritesGivenData()
{
    QFETCH(QString, box);
    QFETCH(QString, typed);
    QFETCH(QString, echo);

    Calc m;
    m.choose({"FrM"});
    m.type(box, typed);
    m.choose({"FrM", "Tpc"});
    QCOMPARE(QString::fromStdString(m.camp(box).text), echo);
    QVERIFY(m.camp(box).shown && m.camp(box).enabled);
    QCOMPARE(m.camp(box).indicador, Indicador::Donat);
}

// One row per rule: three given data fix the fourth, which is taken away;
// the edge: two given take nothing away.
void TestCalculadora::threeOfFour_data()
{
    QTest::addColumn<QStringList>("given");
    QTest::addColumn<QString>("taken");
    QTest::newRow("masses and volume fix the density") << QStringList{"Gsolut", "Gdt", "Vdso"} << "Dens";
    QTest::newRow("solute, volume and density fix the solvent") << QStringList{"Gsolut", "Vdso", "Dens"} << "Gdt";
    QTest::newRow("masses and density fix the volume") << QStringList{"Gsolut", "Gdt", "Dens"} << "Vdso";
    QTest::newRow("solvent, volume and density fix the solute") << QStringList{"Gdt", "Vdso", "Dens"} << "Gsolut";
    QTest::newRow("two fix nothing") << QStringList{"Gdt", "Dens"} << QString();
}

void TestCalculadora::threeOfFour()
{
    QFETCH(QStringList, given);
    QFETCH(QString, taken);
    Calc m;
    m.choose({"Gpl"});
    for (const QString &name : given)
        m.type(name, "2");
    for (const QString &name : QStringList{"Gsolut", "Gdt", "Vdso", "Dens"}) {
        const CampDada &c = m.camp(name);
        QVERIFY2(name == taken ? !c.enabled && !c.shown : c.enabled && c.shown, qPrintable(name));
    }
}

void TestCalculadora::withdrawnDatumStaysUntilTheDataAreOfferedAgain()
{
    Calc m;
    m.choose({"Tpc"});
    m.typeAll({"Gsolut=10", "Gdt=90", "Vdso=100"});
    m.erase("Vdso");
    QCOMPARE(m.camp("Vdso").indicador, Indicador::Ofert);
    QVERIFY(!m.camp("Dens").shown);
    QCOMPARE(m.calculadora.camp(Mesura::Tpc).text, " 10");
    m.choose({"Gpl"});
    QVERIFY(m.offered("Dens"));
}

void TestCalculadora::clearedBoxIsNotGiven()
{
    Calc m;
    m.choose({"Gpl", "Molar"});
    m.typeAll({"Gsolut=10", "Vdso=100", "Msolut=58.44"});
    m.erase("Msolut");
    QCOMPARE(m.camp("Msolut").indicador, Indicador::Ofert);
    QCOMPARE(m.calculadora.dada(Dada::Msolut), 0.0f);
    QVERIFY(m.noResult(Mesura::Molar));
    QCOMPARE(m.calculadora.camp(Mesura::Gpl).text, " 100");
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

    Calc m;
    m.choose({"Tpc"});
    m.typeAll({"Gdt=90", "Gsolut=" + typed});
    QCOMPARE(m.calculadora.dada(Dada::Gsolut), stored);
    QCOMPARE(m.camp("Gsolut").indicador, Indicador::Ofert);
    QVERIFY(m.noResult(Mesura::Tpc));
}

void TestCalculadora::clearCommand()
{
    Calc m;
    m.choose({"Tpc", "FrM"});
    m.typeAll({"Gsolut=10", "Gdt=90", "Msolut=58.44", "Mdt=18"});
    m.calculadora.cmdResultats_Click();
    QVERIFY(m.calculadora.resultatsVisibles());

    m.choose({"Esborrar"});
    QVERIFY(!m.calculadora.dadesShown());
    QVERIFY(!m.calculadora.resultatsVisibles());
    QVERIFY(!m.calculadora.resultButtonShown());
    for (Dada dada : TotesDades) {
        QCOMPARE(m.calculadora.dada(dada), 0.0f);
        QVERIFY(m.calculadora.camp(dada).text.empty());
    }
    for (Mesura mesura : TotesMesures) {
        QVERIFY(m.calculadora.camp(mesura).text.empty());
        QVERIFY(!m.calculadora.seleccionada(mesura));
    }
    QVERIFY(!m.calculadora.capEnabled());
    QVERIFY(m.calculadora.totesEnabled());
    QVERIFY(!m.falling);
}

void TestCalculadora::resultsButtonToggles()
{
    Calc m;
    m.choose({"Tpc"});
    m.typeAll({"Gsolut=10", "Gdt=90"});
    for (bool shown : {true, false, true}) {
        m.calculadora.cmdResultats_Click();
        QCOMPARE(m.calculadora.resultatsVisibles(), shown);
    }
}

void TestCalculadora::deselectedMeasureKeepsGivenData()
{
    Calc m;
    m.choose({"Tpc"});
    QVERIFY(m.calculadora.seleccionada(Mesura::Tpc));
    m.type("Gdt", "90");
    m.choose({"Tpc"});
    QCOMPARE(m.camp("Gdt").indicador, Indicador::Donat);
    QVERIFY(m.camp("Gdt").enabled);
    QCOMPARE(m.camp("Gdt").text, " 90");
    QVERIFY(!m.camp("Gsolut").shown);
}

void TestCalculadora::selectAllAndNone()
{
    Calc m;
    m.choose({"Totes"});
    for (Mesura mesura : TotesMesures)
        QVERIFY(m.calculadora.seleccionada(mesura));
    QVERIFY(!m.calculadora.totesEnabled());
    QVERIFY(m.calculadora.capEnabled());

    m.typeAll({"Gsolut=10", "Vdso=100", "Msolut=58.44"});
    QVERIFY(m.falling);
    m.choose({"Cap"});
    for (Mesura mesura : TotesMesures) {
        QVERIFY(!m.calculadora.seleccionada(mesura));
        QVERIFY(!m.calculadora.camp(mesura).checked);
    }
    QVERIFY(!m.calculadora.capEnabled());
    QVERIFY(m.calculadora.totesEnabled());
    QVERIFY(!m.falling);
    QCOMPARE(m.camp("Msolut").text, " 58.44");
    QVERIFY(m.camp("Msolut").shown);
    QVERIFY(!m.camp("Gdt").shown);

    m.choose({"Molar"});
    QCOMPARE(m.camp("Msolut").indicador, Indicador::Donat);
    QCOMPARE(m.calculadora.camp(Mesura::Molar).text, " 1.711");
    QVERIFY(m.falling);
    QCOMPARE(m.drops, 2);
}

void TestCalculadora::firstEmptyDatum_data()
{
    QTest::addColumn<QStringList>("items");
    QTest::addColumn<QStringList>("typed");
    QTest::addColumn<QString>("empty");
    QTest::newRow("nothing chosen") << QStringList{} << QStringList{} << QString();
    QTest::newRow("the first") << QStringList{"Tpc"} << QStringList{} << "Gsolut";
    QTest::newRow("after the given") << QStringList{"Molar"} << QStringList{"Gsolut=1", "Gdt=2"} << "Vdso";
    QTest::newRow("past the withdrawn") << QStringList{"FrM"} << QStringList{"Gsolut=1", "Gdt=2", "Vdso=3"}
                                        << "Msolut";
    QTest::newRow("all given") << QStringList{"Tpc"} << QStringList{"Gsolut=1", "Gdt=2", "Vdso=3"} << QString();
}

void TestCalculadora::firstEmptyDatum()
{
    QFETCH(QStringList, items);
    QFETCH(QStringList, typed);
    QFETCH(QString, empty);
    Calc m;
    m.choose(items);
    m.typeAll(typed);
    const std::optional<Dada> found = m.calculadora.firstEmptyDatum();
    QCOMPARE(found ? DataNames[int(*found)] : QString(), empty);
}

QTEST_MAIN(TestCalculadora)

#include "test_calculadora.moc"
