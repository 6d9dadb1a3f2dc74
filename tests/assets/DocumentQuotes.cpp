#include "tests/assets/DocumentQuotes.h"

#include <QFile>
#include <QStringList>
#include <QXmlStreamReader>

namespace {

const QString DataStyle = QStringLiteral("Dades_20_model");
const QString OutputStyle = QStringLiteral("Pantalla");

// Reads the quotes in order, handing each the next measure of its data span.
class QuoteReader {
public:
    QVector<Quote> read(QXmlStreamReader &xml)
    {
        while (!xml.atEnd()) {
            if (xml.readNext() != QXmlStreamReader::StartElement)
                continue;
            if (xml.name() == QLatin1String("h"))
                m_section = xml.readElementText(QXmlStreamReader::IncludeChildElements);
            else if (xml.name() == QLatin1String("span"))
                span(xml);
        }
        closeData(xml.lineNumber());
        if (xml.hasError())
            m_found.push_back({m_section, QStringLiteral("unreadable: ") + xml.errorString(), {}, {}, xml.lineNumber()});
        return m_found;
    }

private:
    void span(QXmlStreamReader &xml)
    {
        const QString style = xml.attributes().value(QLatin1String("text:style-name")).toString();
        const qint64 line = xml.lineNumber();
        if (style == DataStyle) {
            closeData(line);
            const QStringList parts = xml.readElementText(QXmlStreamReader::IncludeChildElements).split(QLatin1Char(':'));
            m_data = parts.first().simplified();
            m_measures = parts.size() == 2 ? parts[1].split(QLatin1Char(' '), Qt::SkipEmptyParts) : QStringList();
        } else if (style == OutputStyle) {
            const QString measure = m_measures.isEmpty() ? QString() : m_measures.takeFirst();
            m_found.push_back({m_section, m_data, measure, xml.readElementText(QXmlStreamReader::IncludeChildElements), line});
        }
    }

    void closeData(qint64 line)
    {
        for (const QString &measure : m_measures)
            m_found.push_back({m_section, m_data, measure, QString(), line});
        m_measures.clear();
    }

    QVector<Quote> m_found;
    QString m_section;
    QString m_data;
    QStringList m_measures;
};

} // namespace

QString documentSources()
{
    return qEnvironmentVariable("DOCUMENT_SOURCES", QStringLiteral(DOCUMENT_SOURCES));
}

QVector<Quote> documentQuotes(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {{QString(), QStringLiteral("unreadable: ") + path, {}, {}, 0}};
    QXmlStreamReader xml(&file);
    return QuoteReader().read(xml);
}

QMap<QString, double> quotedData(const QString &data)
{
    QMap<QString, double> values;
    for (const QString &item : data.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        const QStringList pair = item.split(QLatin1Char('='));
        bool ok = false;
        const double value = pair.size() == 2 ? pair[1].toDouble(&ok) : 0;
        if (!ok)
            return {};
        values.insert(pair[0], value);
    }
    return values;
}
