#include "model/calculator/Formules.h"
#include "common/core/NumberForm.h"

#include <QtTest>
#include <cmath>
#include <random>

Q_DECLARE_METATYPE(Mesura)
Q_DECLARE_METATYPE(Dades)

namespace {

// s, d, V, rho, Ms, Md; 0 stands for "not given".
Dades dades(float s, float d, float V, float rho, float Ms = 0, float Md = 0)
{
    Dades values;
    values.values = {s, d, V, rho, Ms, Md};
    return values;
}

// Digits from the first to the last non-zero one.
int significantDigits(const std::string &text)
{
    std::string digits;
    for (char c : text.substr(0, text.find('E')))
        if (std::isdigit(static_cast<unsigned char>(c)))
            digits += c;
    const auto first = digits.find_first_not_of('0');
    return first == std::string::npos ? 0 : static_cast<int>(digits.find_last_not_of('0') - first + 1);
}

} // namespace

class TestFormules : public QObject {
    Q_OBJECT

private slots:
    void formula_data();
    void formula();
    void significa_data();
    void significa();
    void everyFourDigitValueShowsFourDigits();
    void noResultShowsMoreThanSevenDigits();
};

// Consistent data (solution mass 100 g = 1.25 g/cm3 x 80 cm3) give every
// formula of a measure the same value; inconsistent data (rho.V = 60 while
// s + d = 50) tell the three apart, so only the last one can have won.
void TestFormules::formula_data()
{
    QTest::addColumn<Mesura>("mesura");
    QTest::addColumn<Dades>("data");
    QTest::addColumn<float>("expected");

    const float ninth = 1.0f / 9;
    QTest::newRow("Tpc 1") << Mesura::Tpc << dades(20, 80, 0, 0) << 20.0f;
    QTest::newRow("Tpc 2") << Mesura::Tpc << dades(20, 0, 80, 1.25f) << 20.0f;
    QTest::newRow("Tpc 3") << Mesura::Tpc << dades(0, 80, 80, 1.25f) << 20.0f;
    QTest::newRow("Gpl 1") << Mesura::Gpl << dades(20, 0, 80, 0) << 250.0f;
    QTest::newRow("Gpl 2") << Mesura::Gpl << dades(20, 80, 0, 1.25f) << 250.0f;
    QTest::newRow("Gpl 3") << Mesura::Gpl << dades(0, 80, 80, 1.25f) << 250.0f;
    QTest::newRow("Molar 1") << Mesura::Molar << dades(20, 0, 80, 0, 40) << 6.25f;
    QTest::newRow("Molar 2") << Mesura::Molar << dades(20, 80, 0, 1.25f, 40) << 6.25f;
    QTest::newRow("Molar 3") << Mesura::Molar << dades(0, 80, 80, 1.25f, 40) << 6.25f;
    QTest::newRow("Molal 1") << Mesura::Molal << dades(20, 80, 0, 0, 40) << 6.25f;
    QTest::newRow("Molal 2") << Mesura::Molal << dades(20, 0, 80, 1.25f, 40) << 6.25f;
    QTest::newRow("Molal 3") << Mesura::Molal << dades(0, 80, 80, 1.25f, 40) << 6.25f;
    QTest::newRow("FrM 1") << Mesura::FrM << dades(20, 80, 0, 0, 40, 20) << ninth;
    QTest::newRow("FrM 2") << Mesura::FrM << dades(20, 0, 80, 1.25f, 40, 20) << ninth;
    QTest::newRow("FrM 3") << Mesura::FrM << dades(0, 80, 80, 1.25f, 40, 20) << ninth;

    QTest::newRow("Tpc last wins") << Mesura::Tpc << dades(10, 40, 48, 1.25f) << 100.0f / 3;
    QTest::newRow("Gpl last wins") << Mesura::Gpl << dades(10, 40, 48, 1.25f) << 20000.0f / 48;
    QTest::newRow("Molar last wins") << Mesura::Molar << dades(10, 40, 48, 1.25f, 40) << 500.0f / 48;
    QTest::newRow("Molal last wins") << Mesura::Molal << dades(10, 40, 48, 1.25f, 40) << 12.5f;
    QTest::newRow("FrM last wins") << Mesura::FrM << dades(10, 40, 48, 1.25f, 40, 20) << 0.2f;
    QTest::newRow("negative result kept") << Mesura::Tpc << dades(0, 120, 100, 1) << -20.0f;

    QTest::newRow("nothing given") << Mesura::Tpc << dades(0, 0, 0, 0) << 0.0f;
    QTest::newRow("negative datum not given") << Mesura::Tpc << dades(20, -80, 0, 0) << 0.0f;
    QTest::newRow("molar mass missing") << Mesura::Molar << dades(20, 80, 80, 1.25f) << 0.0f;
    QTest::newRow("solvent molar mass missing") << Mesura::FrM << dades(20, 80, 80, 1.25f, 40) << 0.0f;

    QTest::newRow("Molal 2 without solvent") << Mesura::Molal << dades(60, 0, 48, 1.25f, 40) << 0.0f;
    QTest::newRow("FrM 2 terms cancel") << Mesura::FrM << dades(100, 0, 50, 1, 20, 10) << 0.0f;
    QTest::newRow("FrM 3 terms cancel") << Mesura::FrM << dades(0, 100, 50, 1, 10, 20) << 0.0f;
    QTest::newRow("beyond single range") << Mesura::Gpl << dades(1e38f, 0, 1, 0) << 0.0f;
    QTest::newRow("percentage above 100") << Mesura::Tpc << dades(120, 0, 100, 1) << 0.0f;
    QTest::newRow("mole fraction above 1") << Mesura::FrM << dades(0, 100, 10, 1, 1, 18) << 0.0f;
    QTest::newRow("bad last formula") << Mesura::FrM << dades(5, 100, 50, 1, 10, 20) << 0.0f;
}

void TestFormules::formula()
{
    QFETCH(Mesura, mesura);
    QFETCH(Dades, data);
    QFETCH(float, expected);
    QCOMPARE(evaluateMeasure(mesura, data), expected);
}

// Expected values are single-precision; they are compared exactly.
void TestFormules::significa_data()
{
    QTest::addColumn<float>("value");
    QTest::addColumn<float>("expected");

    QTest::newRow("band 1 limit") << 999.93f << 1000.0f;
    QTest::newRow("half to even down") << 1234.5f << 1234.0f;
    QTest::newRow("half to even up") << 1235.5f << 1236.0f;
    QTest::newRow("whole digits kept") << 12345.6f << 12346.0f;
    QTest::newRow("band 8") << 0.00012345f << 0.0001234f;
    QTest::newRow("below every band") << 0.00009f << 0.0f;
    QTest::newRow("zero") << 0.0f << 0.0f;
    QTest::newRow("negative") << -5.0f << 0.0f;
    QTest::newRow("band 4") << 1.7111567f << 1.711f;

    // On a limit, the single value lies just above or just below the decimal one.
    QTest::newRow("999.9 above") << 999.9f << 1000.0f;
    QTest::newRow("99.99 below") << 99.99f << 99.99f;
    QTest::newRow("9.999 below") << 9.999f << 9.999f;
    QTest::newRow(".9999 below") << 0.9999f << 0.9999f;
    QTest::newRow(".09999 above") << 0.09999f << 0.1f;
    QTest::newRow(".009999 below") << 0.009999f << 0.009999f;
    QTest::newRow(".0009999 above") << 0.0009999f << 0.001f;
    QTest::newRow(".00009999 above") << 0.00009999f << 0.0001f;
    QTest::newRow("under .00009999") << 0.00009998f << 0.0f;

    // Single-precision products land on a half and round to even; double
    // products of the same values fall to one side.
    QTest::newRow("band 2 single product") << 868.55f << 868.6f;
    QTest::newRow("band 3 single product") << 49.485f << 49.48f;
    QTest::newRow("band 4 single product") << 6.8215f << 6.822f;
    QTest::newRow("band 5 single product") << 0.85605f << 0.856f;
    QTest::newRow("band 6 double product") << 0.025275f << 0.02527f;
    QTest::newRow("band 7 double product") << 0.0069165f << 0.006917f;
    QTest::newRow("band 8 double product") << 0.00060895f << 0.0006089f;
}

void TestFormules::significa()
{
    QFETCH(float, value);
    QFETCH(float, expected);
    QCOMPARE(QString::number(Significa(value), 'g', 9), QString::number(expected, 'g', 9));
}

// 1000…9999 at every power of ten the bands cover.
void TestFormules::everyFourDigitValueShowsFourDigits()
{
    int faults = 0;
    for (int power = -7; power <= 0; ++power)
        for (int digits = 1000; digits <= 9999; ++digits) {
            const float rounded = Significa(static_cast<float>(digits * std::pow(10.0, power)));
            const std::string text = shortestForm(rounded);
            if (significantDigits(text) > 4 || static_cast<float>(readNumber(text)) != rounded)
                qWarning("%d, 10^%d: %s", digits, power, text.c_str()), ++faults;
        }
    QCOMPARE(faults, 0);
}

// Whatever the magnitude, a shown result keeps at most seven digits (four up
// to 9999), reads back to the rounded value, and reads " 0" below the bands.
void TestFormules::noResultShowsMoreThanSevenDigits()
{
    std::mt19937 random(11);
    std::uniform_real_distribution<double> mantissa(1, 10);
    int faults = 0;
    for (int power = -6; power <= 37; ++power)
        for (int i = 0; i < 200; ++i) {
            const float r = static_cast<float>(mantissa(random) * std::pow(10.0, power));
            const float rounded = Significa(r);
            const std::string text = shortestForm(rounded);
            const int allowed = r <= 9999 ? 4 : 7;
            const double back = readNumber(text);
            const bool wrong = r <= 0.00009999f ? text != " 0"
                                                : significantDigits(text) > allowed
                                                      || std::fabs(back - rounded) > 5e-7 * rounded;
            if (wrong)
                qWarning("%.9g: %s", r, text.c_str()), ++faults;
        }
    QCOMPARE(faults, 0);
}

QTEST_MAIN(TestFormules)

#include "test_formules.moc"
