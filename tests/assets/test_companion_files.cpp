// The companion files as the two programs find them: in the built
// Arxius_models folder, under the names they open, in the format their
// extension promises, and at the pixel sizes the layouts are built around.

#include <QDir>
#include <QFile>
#include <QImage>
#include <QImageReader>
#include <QStringDecoder>
#include <QtEndian>
#include <QtTest>

#include <optional>

namespace {

QString modelsPath(const QString& name)
{
    return QDir(QStringLiteral(MODELS_DIR)).filePath(name);
}

QByteArray readAll(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return f.readAll();
}

// Minimal reader of OLE2 compound files (the container of .doc and .pps):
// enough to list the streams and read one of them.
class Compound {
public:
    explicit Compound(QByteArray data) : d(std::move(data))
    {
        if (d.size() < 512 || !d.startsWith(QByteArray::fromHex("d0cf11e0a1b11ae1")))
            return;
        sectorSize = 1 << u16(0x1e);
        miniSize = 1 << u16(0x20);
        miniCutoff = u32(0x38);
        QList<quint32> fatSectors;
        for (int i = 0; i < 109; ++i) {
            const quint32 s = u32(0x4c + 4 * i);
            if (s < 0xfffffffa)
                fatSectors << s;
        }
        for (quint32 s = u32(0x44), n = u32(0x48); n-- > 0 && s < 0xfffffffa;) {
            const qsizetype base = offset(s);
            for (int i = 0; i < sectorSize / 4 - 1; ++i)
                if (u32(base + 4 * i) < 0xfffffffa)
                    fatSectors << u32(base + 4 * i);
            s = u32(base + sectorSize - 4);
        }
        for (quint32 s : fatSectors)
            for (int i = 0; i < sectorSize / 4; ++i)
                fat << u32(offset(s) + 4 * i);
        const QByteArray miniFatBytes = chain(u32(0x3c), fat, -1);
        for (int i = 0; i + 4 <= miniFatBytes.size(); i += 4)
            miniFat << qFromLittleEndian<quint32>(miniFatBytes.constData() + i);
        const QByteArray dir = chain(u32(0x30), fat, -1);
        for (int i = 0; i + 128 <= dir.size(); i += 128) {
            const char* e = dir.constData() + i;
            const int nameBytes = qFromLittleEndian<quint16>(e + 64);
            if (nameBytes < 2 || nameBytes > 64)
                continue;
            Entry entry;
            entry.name = QString::fromUtf16(reinterpret_cast<const char16_t*>(e), nameBytes / 2 - 1);
            entry.type = quint8(e[66]);
            entry.start = qFromLittleEndian<quint32>(e + 116);
            entry.size = qFromLittleEndian<quint32>(e + 120);
            entries << entry;
        }
        if (!entries.isEmpty() && entries.first().type == 5)
            ministream = chain(entries.first().start, fat, entries.first().size);
        valid = !entries.isEmpty();
    }

    bool valid = false;

    QStringList streamNames() const
    {
        QStringList names;
        for (const Entry& e : entries)
            if (e.type == 2)
                names << e.name;
        return names;
    }

    std::optional<QByteArray> stream(const QString& name) const
    {
        for (const Entry& e : entries) {
            if (e.type != 2 || e.name != name)
                continue;
            if (e.size < miniCutoff)
                return miniChain(e.start, e.size);
            return chain(e.start, fat, e.size);
        }
        return std::nullopt;
    }

private:
    struct Entry { QString name; quint8 type; quint32 start, size; };

    quint16 u16(qsizetype at) const { return at + 2 <= d.size() ? qFromLittleEndian<quint16>(d.constData() + at) : 0; }
    quint32 u32(qsizetype at) const { return at + 4 <= d.size() ? qFromLittleEndian<quint32>(d.constData() + at) : 0xffffffff; }
    qsizetype offset(quint32 sector) const { return qsizetype(sector + 1) * sectorSize; }

    QByteArray chain(quint32 s, const QList<quint32>& table, qint64 size) const
    {
        QByteArray out;
        for (int guard = 0; s < 0xfffffffa && s < quint32(table.size()) && guard < table.size(); ++guard) {
            out += d.mid(offset(s), sectorSize);
            s = table[s];
        }
        return size < 0 ? out : out.left(size);
    }

    QByteArray miniChain(quint32 s, qint64 size) const
    {
        QByteArray out;
        for (int guard = 0; s < 0xfffffffa && s < quint32(miniFat.size()) && guard < miniFat.size(); ++guard) {
            out += ministream.mid(qsizetype(s) * miniSize, miniSize);
            s = miniFat[s];
        }
        return out.left(size);
    }

    QByteArray d, ministream;
    int sectorSize = 512, miniSize = 64;
    quint32 miniCutoff = 4096;
    QList<quint32> fat, miniFat;
    QList<Entry> entries;
};

// The first paragraph of a Word 97 document, read through its piece table.
std::optional<QString> firstParagraph(const Compound& doc)
{
    const auto word = doc.stream(QStringLiteral("WordDocument"));
    if (!word || word->size() < 0x200 || qFromLittleEndian<quint16>(word->constData()) != 0xa5ec)
        return std::nullopt;
    const char* fib = word->constData();
    const bool table1 = qFromLittleEndian<quint16>(fib + 0x0a) & 0x0200;
    const int csw = qFromLittleEndian<quint16>(fib + 32);
    const int cslwAt = 34 + 2 * csw;
    const int cslw = qFromLittleEndian<quint16>(fib + cslwAt);
    const int blob = cslwAt + 2 + 4 * cslw + 2;
    const quint32 fcClx = qFromLittleEndian<quint32>(fib + blob + 66 * 4);
    const auto table = doc.stream(table1 ? QStringLiteral("1Table") : QStringLiteral("0Table"));
    if (!table)
        return std::nullopt;
    qsizetype at = fcClx;
    while (at < table->size() && table->at(at) == 0x01)  // property runs before the pieces
        at += 3 + qFromLittleEndian<qint16>(table->constData() + at + 1);
    if (at + 5 > table->size() || table->at(at) != 0x02)
        return std::nullopt;
    const quint32 lcb = qFromLittleEndian<quint32>(table->constData() + at + 1);
    const char* plc = table->constData() + at + 5;
    const int pieces = int((lcb - 4) / 12);
    if (pieces < 1 || at + 5 + lcb > quint32(table->size()))
        return std::nullopt;
    QString text;
    for (int p = 0; p < pieces; ++p) {
        const quint32 cp0 = qFromLittleEndian<quint32>(plc + 4 * p);
        const quint32 cp1 = qFromLittleEndian<quint32>(plc + 4 * (p + 1));
        const quint32 fc = qFromLittleEndian<quint32>(plc + 4 * (pieces + 1) + 8 * p + 2);
        for (quint32 cp = cp0; cp < cp1; ++cp) {
            QChar c;
            if (fc & 0x40000000) {
                const qsizetype pos = (fc & ~0x40000000u) / 2 + (cp - cp0);
                if (pos >= word->size())
                    return std::nullopt;
                c = QChar(uchar(word->at(pos)));
            } else {
                const qsizetype pos = fc + 2 * qsizetype(cp - cp0);
                if (pos + 2 > word->size())
                    return std::nullopt;
                c = QChar(qFromLittleEndian<quint16>(word->constData() + pos));
            }
            if (c == QLatin1Char('\r'))
                return text;
            text += c;
        }
    }
    return text;
}

}  // namespace

class TestCompanionFiles : public QObject {
    Q_OBJECT

private slots:
    void pictures_data();
    void pictures();
    void documents_data();
    void documents();
    void reportsStartAsTheModelExpects_data();
    void reportsStartAsTheModelExpects();
    void notesFile();
    void launcherPictures_data();
    void launcherPictures();
};

void TestCompanionFiles::pictures_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QSize>("size");
    struct Picture {
        const char *tag;
        const char *name;
        QSize size;
    };
    const Picture pictures[] = {{"formula sheet", "concentracio", {291, 355}},
                                {"formula sheet 800", "concent800", {227, 277}},
                                {"formula sheet 1152", "concent1152", {327, 399}},
                                {"about panel", "SobreAquestTreball", {401, 601}},
                                {"about panel 800", "SobreAquestTreball800", {313, 470}},
                                {"about panel 1152", "SobreAquestTreball1152", {451, 676}},
                                {"recommendations", "Recomana", {297, 613}},
                                {"recommendations 800", "Recomana800", {232, 479}},
                                {"recommendations 1152", "Recomana1152", {334, 690}}};
    // Each also at twice its pixels, for a device pixel ratio of 2.
    for (const Picture &p : pictures) {
        QTest::newRow(p.tag) << QStringLiteral("%1.jpg").arg(QLatin1String(p.name)) << p.size;
        QTest::addRow("%s at 2x", p.tag) << QStringLiteral("%1@2x.jpg").arg(QLatin1String(p.name)) << p.size * 2;
    }
}

void TestCompanionFiles::pictures()
{
    QFETCH(QString, name);
    QFETCH(QSize, size);
    const QString path = modelsPath(name);
    QVERIFY2(QFile::exists(path), qPrintable(path));
    QImageReader reader(path);
    QCOMPARE(reader.format(), QByteArray("jpeg"));
    const QImage img = reader.read();
    QVERIFY2(!img.isNull(), qPrintable(reader.errorString()));
    QCOMPARE(img.size(), size);

    // Text on a light ground: the darkest and the lightest pixels far apart.
    int darkest = 255, lightest = 0;
    for (int y = 0; y < img.height(); y += 2)
        for (int x = 0; x < img.width(); x += 2) {
            const int g = qGray(img.pixel(x, y));
            darkest = std::min(darkest, g);
            lightest = std::max(lightest, g);
        }
    QVERIFY2(darkest < 80 && lightest > 230, qPrintable(QStringLiteral("%1..%2").arg(darkest).arg(lightest)));
}

void TestCompanionFiles::documents_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("stream");  // for OLE2 files, a stream that must be there
    QTest::newRow("example report") << "InformExemConcentra.doc" << "WordDocument";
    QTest::newRow("blank report") << "InformFitxa.doc" << "WordDocument";
    QTest::newRow("slide show") << "T_Concentra.pps" << "PowerPoint Document";
    QTest::newRow("theory") << "T_Concentra.pdf" << QString();
    QTest::newRow("work proposals") << "P_Concentra.pdf" << QString();
    QTest::newRow("teaching guide") << "G_Concentra.pdf" << QString();
}

void TestCompanionFiles::documents()
{
    QFETCH(QString, name);
    QFETCH(QString, stream);
    const QByteArray data = readAll(modelsPath(name));
    QVERIFY2(!data.isEmpty(), qPrintable(modelsPath(name)));
    // Shipped alone in the folder: a picture linked by its path would be missing.
    const QString picture = QStringLiteral(".png");
    const QByteArray utf16(reinterpret_cast<const char*>(picture.utf16()), picture.size() * 2);
    QVERIFY2(!data.contains(picture.toLatin1()) && !data.contains(utf16), "links a picture file instead of holding it");
    if (name.endsWith(QLatin1String(".pdf"))) {
        QVERIFY(data.startsWith("%PDF-"));
        QVERIFY2(data.right(32).contains("%%EOF"), "truncated PDF");
        return;
    }
    QVERIFY(data.startsWith(QByteArray::fromHex("d0cf11e0a1b11ae1")));
    const Compound file(data);
    QVERIFY(file.valid);
    QVERIFY2(file.streamNames().contains(stream), qPrintable(file.streamNames().join(QLatin1Char(','))));
}

void TestCompanionFiles::reportsStartAsTheModelExpects_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("firstLine");
    // The model pastes the title at the start of the blank form's first line.
    QTest::newRow("blank form") << "InformFitxa.doc" << QString();
    QTest::newRow("example") << "InformExemConcentra.doc" << QStringLiteral("Concentració de les dissolucions");
}

void TestCompanionFiles::reportsStartAsTheModelExpects()
{
    QFETCH(QString, name);
    QFETCH(QString, firstLine);
    const Compound doc(readAll(modelsPath(name)));
    QVERIFY(doc.valid);
    const auto first = firstParagraph(doc);
    QVERIFY2(first.has_value(), "no readable text in the Word document");
    QCOMPARE(*first, firstLine);
}

void TestCompanionFiles::notesFile()
{
    const QByteArray data = readAll(modelsPath(QStringLiteral("Dades.txt")));
    QVERIFY(!data.isEmpty());
    QStringDecoder utf8(QStringDecoder::Utf8);
    const QString text = utf8(data);
    QVERIFY2(!utf8.hasError(), "not UTF-8");
    QCOMPARE(data.count('\n'), data.count("\r\n"));
    QVERIFY(data.endsWith("\r\n"));
    QVERIFY(text.startsWith(QStringLiteral("Concentració de les dissolucions")));
}

void TestCompanionFiles::launcherPictures_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QSize>("size");
    QTest::addColumn<bool>("transparent");
    QTest::newRow("background") << "fons.jpg" << QSize(1134, 850) << false;
    QTest::newRow("background at 2x") << "fons@2x.jpg" << QSize(2268, 1700) << false;
    QTest::newRow("icon") << "icona.png" << QSize(64, 64) << true;
    QTest::newRow("pointer") << "punter.png" << QSize(32, 32) << true;
}

void TestCompanionFiles::launcherPictures()
{
    QFETCH(QString, name);
    QFETCH(QSize, size);
    QFETCH(bool, transparent);
    const QImage img(QDir(QStringLiteral(LAUNCHER_ASSETS_DIR)).filePath(name));
    QVERIFY2(!img.isNull(), qPrintable(name));
    QCOMPARE(img.size(), size);
    if (transparent) {
        QVERIFY(img.hasAlphaChannel());
        // The window shows through the corner away from the drawing.
        QCOMPARE(qAlpha(img.pixel(img.width() - 1, 0)), 0);
    } else {
        // The window writes dark blue text over the background at these points.
        const int ratio = img.width() / 1134;
        for (const QPoint p : {QPoint(340, 360), QPoint(140, 140), QPoint(860, 140)})
            QVERIFY2(qGray(img.pixel(p * ratio)) > 200, qPrintable(QStringLiteral("(%1, %2)").arg(p.x()).arg(p.y())));
    }
}

QTEST_GUILESS_MAIN(TestCompanionFiles)
#include "test_companion_files.moc"
