// Every number the documents show as the model's output, recomputed with the
// calculator's own formulas, rounding and short form. The data behind each
// output sit in a hidden "Dades model" span before it in the sources, written
// as the calculator's data names: "Gsolut=10 Vdso=100 Msolut=58.44".

#include "model/calculator/Formules.h"
#include "common/core/NumberForm.h"

#include <QDir>
#include <QFile>
#include <QStringList>
#include <QXmlStreamReader>
#include <QtTest>

#include <optional>

namespace {

const QString DataStyle = QStringLiteral("Dades_20_model");
const QString OutputStyle = QStringLiteral("Pantalla");

struct Quote {
    QString data;    // text of the last data span, empty if none came before
    QString output;  // the quoted output; empty for a data span nothing follows
    qint64 line;
};

// The data and output spans of one source, in reading order.
QVector<Quote> quotes(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QXmlStreamReader xml(&file);
    QVector<Quote> found;
    QString data;
    bool dataQuoted = true;
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement || xml.name() != QLatin1String("span"))
            continue;
        const QString style = xml.attributes().value(QLatin1String("text:style-name")).toString();
        const qint64 line = xml.lineNumber();
        if (style == DataStyle) {
            if (!dataQuoted)
                found.push_back({data, QString(), line});
            data = xml.readElementText(QXmlStreamReader::IncludeChildElements);
            dataQuoted = false;
        } else if (style == OutputStyle) {
            found.push_back({data, xml.readElementText(QXmlStreamReader::IncludeChildElements), line});
            dataQuoted = true;
        }
    }
    if (!dataQuoted)
        found.push_back({data, QString(), xml.lineNumber()});
    if (xml.hasError())
        found.push_back({QStringLiteral("unreadable: ") + xml.errorString(), QString(), xml.lineNumber()});
    return found;
}

std::optional<Dada> dadaNamed(const QString& name)
{
    static const QStringList names{QStringLiteral("Gsolut"), QStringLiteral("Gdt"),    QStringLiteral("Vdso"),
                                   QStringLiteral("Dens"),   QStringLiteral("Msolut"), QStringLiteral("Mdt")};
    const int at = names.indexOf(name);
    if (at < 0)
        return std::nullopt;
    return TotesDades[static_cast<std::size_t>(at)];
}

// The data as the calculator holds them after they are typed into its boxes.
std::optional<Dades> parseData(const QString& text)
{
    Dades dades{};
    const QStringList items = text.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    for (const QString& item : items) {
        const QStringList pair = item.split(QLatin1Char('='));
        const std::optional<Dada> dada = pair.size() == 2 ? dadaNamed(pair[0]) : std::nullopt;
        if (!dada)
            return std::nullopt;
        dades[*dada] = singleOrZero(readNumber(pair[1].toStdString()));
    }
    if (items.isEmpty())
        return std::nullopt;
    return dades;
}

// What the result boxes show for these data, leading blank dropped; a
// measure without a result has no box to quote.
QStringList shownResults(const Dades& dades)
{
    QStringList shown;
    for (Mesura mesura : TotesMesures) {
        const float r = evaluateMeasure(mesura, dades);
        if (r > 0)
            shown << QString::fromStdString(shortestForm(Significa(r))).trimmed();
    }
    return shown;
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
    QTest::addColumn<QString>("data");
    QTest::addColumn<QString>("output");
    const QDir sources(QStringLiteral(DOCUMENT_SOURCES));
    const QStringList files =
        sources.entryList({QStringLiteral("*.fodt"), QStringLiteral("*.fodp")}, QDir::Files, QDir::Name);
    QVERIFY(!files.isEmpty());
    int total = 0;
    for (const QString& name : files)
        for (const Quote& q : quotes(sources.filePath(name))) {
            QTest::addRow("%s:%lld %s", qPrintable(name), q.line, qPrintable(q.output)) << q.data << q.output;
            ++total;
        }
    // The worked examples quote the model in every text document.
    QVERIFY(total >= 40);
}

void TestDocumentNumbers::quotedOutput()
{
    QFETCH(QString, data);
    QFETCH(QString, output);
    QVERIFY2(!data.isEmpty(), "an output is quoted with no data before it");
    QVERIFY2(!output.isEmpty(), qPrintable(QStringLiteral("no output quoted for the data «%1»").arg(data)));
    const std::optional<Dades> dades = parseData(data);
    QVERIFY2(dades, qPrintable(QStringLiteral("unreadable data «%1»").arg(data)));
    const QStringList shown = shownResults(*dades);
    QVERIFY2(shown.contains(output), qPrintable(QStringLiteral("«%1» is not what the model shows for «%2»: %3")
                                                    .arg(output, data, shown.join(QLatin1Char(',')))));
}

QTEST_APPLESS_MAIN(TestDocumentNumbers)
#include "test_document_numbers.moc"
