// Every number the documents show as the model's output, recomputed with the
// calculator's own formulas, rounding and short form for the data and the
// measure its hidden "Dades model" span gives.

#include "model/calculator/Formules.h"
#include "common/core/NumberForm.h"
#include "tests/assets/DocumentQuotes.h"

#include <QDir>
#include <QStringList>
#include <QtTest>

#include <optional>

namespace {

const QStringList DataNames{QStringLiteral("Gsolut"), QStringLiteral("Gdt"),    QStringLiteral("Vdso"),
                            QStringLiteral("Dens"),   QStringLiteral("Msolut"), QStringLiteral("Mdt")};
const QStringList MeasureNames{QStringLiteral("Tpc"), QStringLiteral("Gpl"), QStringLiteral("Molar"),
                               QStringLiteral("Molal"), QStringLiteral("FrM")};

// The data as the calculator holds them after they are typed into its boxes.
std::optional<Dades> parseData(const QString &text)
{
    const QMap<QString, double> values = quotedData(text);
    if (values.isEmpty())
        return std::nullopt;
    Dades dades{};
    for (auto it = values.cbegin(); it != values.cend(); ++it) {
        const int at = DataNames.indexOf(it.key());
        if (at < 0)
            return std::nullopt;
        dades[TotesDades[static_cast<std::size_t>(at)]] = singleOrZero(it.value());
    }
    return dades;
}

// What the measure's result box shows, leading blank dropped; empty when the
// box is hidden.
QString shownResult(Mesura mesura, const Dades &dades)
{
    const float r = evaluateMeasure(mesura, dades);
    return r > 0 ? QString::fromStdString(shortestForm(Significa(r))).trimmed() : QString();
}

} // namespace

class TestDocumentNumbers : public QObject {
    Q_OBJECT

private slots:
    void quotedOutput_data();
    void quotedOutput();
};

void TestDocumentNumbers::quotedOutput_data()
{
    QTest::addColumn<Quote>("quote");
    const QDir sources(documentSources());
    const QStringList files =
        sources.entryList({QStringLiteral("*.fodt"), QStringLiteral("*.fodp")}, QDir::Files, QDir::Name);
    QVERIFY(!files.isEmpty());
    int total = 0;
    for (const QString &name : files)
        for (const Quote &q : documentQuotes(sources.filePath(name))) {
            QTest::addRow("%s:%lld %s", qPrintable(name), q.line, qPrintable(q.output)) << q;
            ++total;
        }
    // The worked examples quote the model in every text document.
    QVERIFY(total >= 40);
}

void TestDocumentNumbers::quotedOutput()
{
    QFETCH(Quote, quote);
    QVERIFY2(!quote.data.isEmpty(), "an output is quoted with no data before it");
    QVERIFY2(!quote.output.isEmpty(), qPrintable(QStringLiteral("no output quoted for %1 of «%2»").arg(quote.measure, quote.data)));
    const int measure = MeasureNames.indexOf(quote.measure);
    QVERIFY2(measure >= 0, qPrintable(QStringLiteral("«%1» is not tied to a measure").arg(quote.output)));
    const std::optional<Dades> dades = parseData(quote.data);
    QVERIFY2(dades, qPrintable(QStringLiteral("unreadable data «%1»").arg(quote.data)));
    const QString shown = shownResult(TotesMesures[static_cast<std::size_t>(measure)], *dades);
    QVERIFY2(shown == quote.output, qPrintable(QStringLiteral("«%1» is quoted as %2, the model shows «%3» for «%4»")
                                                   .arg(quote.output, quote.measure, shown, quote.data)));
}

QTEST_APPLESS_MAIN(TestDocumentNumbers)
#include "test_document_numbers.moc"
