#include "common/core/CalibrationFile.h"
#include "common/core/CircleSet.h"
#include "common/core/NumberForm.h"
#include "common/core/ParticleKernel.h"
#include "common/core/Random.h"
#include "common/core/ScreenScale.h"
#include "common/surface/Surface.h"

#include <QFile>
#include <QRandomGenerator>
#include <algorithm>
#include <cmath>
#include <QTemporaryDir>
#include <QtTest>

#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

class TestCommon : public QObject {
    Q_OBJECT

private slots:
    void shortForm_data();
    void shortForm();
    void shortestForm_data();
    void shortestForm();
    void readNumber_data();
    void readNumber();
    void screenScale_data();
    void screenScale();
    void zoom_data();
    void zoom();
    void calibrationRead_data();
    void calibrationRead();
    void calibrationMissingFile();
    void calibrationWriteBytes_data();
    void calibrationWriteBytes();
    void calibrationDelete();
    void calibrationFaults_data();
    void calibrationFaults();
    void privateFallback_data();
    void privateFallback();
    void randomReplays();
    void circleStacking();
    void placedArea_data();
    void placedArea();
    void directionCosines_data();
    void directionCosines();
    void floodFillStopsAtOutline();
};

void TestCommon::shortForm_data()
{
    QTest::addColumn<float>("value");
    QTest::addColumn<QString>("text");
    QTest::newRow("whole") << 10.0f << " 10";
    QTest::newRow("decimals") << 1.711f << " 1.711";
    QTest::newRow("below one") << 0.03309f << " .03309";
    QTest::newRow("half") << 0.5f << " .5";
    QTest::newRow("budget") << 0.07f << " .07";
    QTest::newRow("zero") << 0.0f << " 0";
    QTest::newRow("negative") << -2.5f << "-2.5";
    QTest::newRow("negative below one") << -0.5f << "-.5";
    QTest::newRow("count") << 400.0f << " 400";
    QTest::newRow("seven digits") << 12345.67f << " 12345.67";
    QTest::newRow("tiny") << 1e-6f << " 1E-06";
    QTest::newRow("huge") << 1.5e10f << " 1.5E+10";
    QTest::newRow("nine digits to read back") << 7.0546745e11f << " 7.054674E+11";
    QTest::newRow("seven zeros dropped") << 1.0000001e38f << " 1E+38";
    QTest::newRow("single precision kept") << 1234.5678f << " 1234.568";
}

void TestCommon::shortForm()
{
    QFETCH(float, value);
    QFETCH(QString, text);
    QCOMPARE(QString::fromStdString(::shortForm(value)), text);
}

void TestCommon::shortestForm_data()
{
    QTest::addColumn<float>("value");
    QTest::addColumn<QString>("text");
    QTest::newRow("rounded below one") << 0.0009863f << " .0009863";
    QTest::newRow("whole with zeros") << 1000.0f << " 1000";
    QTest::newRow("decimals") << -123.4f << "-123.4";
    QTest::newRow("tiny") << 1e-6f << " 1E-06";
    QTest::newRow("huge") << 1.5e10f << " 1.5E+10";
    QTest::newRow("nine digits to read back") << 7.0546745e11f << " 7.054674E+11";
    QTest::newRow("seven zeros dropped") << 1.0000001e38f << " 1E+38";
    QTest::newRow("zero") << 0.0f << " 0";
}

void TestCommon::shortestForm()
{
    QFETCH(float, value);
    QFETCH(QString, text);
    QCOMPARE(QString::fromStdString(::shortestForm(value)), text);
}

void TestCommon::readNumber_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("value");
    QTest::newRow("comma stops") << "12,5" << 12.0;
    QTest::newRow("blanks inside") << "1 2" << 12.0;
    QTest::newRow("hex") << "&H1F" << 31.0;
    QTest::newRow("hex wraps like 16 bits") << "&HFFFF" << -1.0;
    QTest::newRow("octal") << "&O17" << 15.0;
    QTest::newRow("D exponent") << "1D3" << 1000.0;
    QTest::newRow("E exponent with sign") << "2.5e-2" << 0.025;
    QTest::newRow("empty") << "" << 0.0;
    QTest::newRow("letters") << "abc" << 0.0;
    QTest::newRow("leading point") << " .07" << 0.07;
    QTest::newRow("sign") << "-3.5kg" << -3.5;
    QTest::newRow("plus sign") << "+4" << 4.0;
    QTest::newRow("lone point") << "." << 0.0;
    QTest::newRow("dangling exponent") << "7E" << 7.0;
    QTest::newRow("tabs and line feeds") << "\t5\n8" << 58.0;
    QTest::newRow("underflow") << "1E-999" << 0.0;
    QTest::newRow("underflow without exponent") << QString("0." + QString(330, '0') + "1") << 0.0;
    QTest::newRow("overflow without exponent") << QString("1" + QString(330, '0')) << HUGE_VAL;
    QTest::newRow("overflow against small exponent") << QString("1" + QString(330, '0') + "E-20") << HUGE_VAL;
}

void TestCommon::readNumber()
{
    QFETCH(QString, text);
    QFETCH(double, value);
    QCOMPARE(::readNumber(text.toStdString()), value);
}

void TestCommon::screenScale_data()
{
    QTest::addColumn<float>("width");
    QTest::addColumn<float>("scale");
    QTest::addColumn<bool>("adjust");
    QTest::newRow("upper boundary") << 16000.0f << 1.0f << false;
    QTest::newRow("lower boundary") << 14000.0f << 1.0f << false;
    QTest::newRow("1024 pixels") << 15360.0f << 1.0f << false;
    QTest::newRow("1152 pixels") << 17280.0f << 1.125f << true;
    QTest::newRow("1280 pixels") << 19200.0f << 1.125f << true;
    QTest::newRow("800 pixels") << 12000.0f << 0.78125f << true;
    QTest::newRow("just above") << 16000.5f << 1.125f << true;
    QTest::newRow("just below") << 13999.5f << 0.78125f << true;
}

void TestCommon::screenScale()
{
    QFETCH(float, width);
    QFETCH(float, scale);
    QFETCH(bool, adjust);
    const ScreenScale s = screenScaleForWidth(width);
    QCOMPARE(s.EscalaPantalla, scale);
    QCOMPARE(s.AjustarPantalla, adjust);
}

void TestCommon::zoom_data()
{
    QTest::addColumn<QSizeF>("screen");
    QTest::addColumn<QSizeF>("available");
    QTest::addColumn<float>("zoom");
    QTest::newRow("1152x864") << QSizeF(1152, 864) << QSizeF(1152, 834) << 1.0f;
    QTest::newRow("1920x1080") << QSizeF(1920, 1080) << QSizeF(1920, 1080) << 1.25f;
    QTest::newRow("1920x1080 under a panel") << QSizeF(1920, 1080) << QSizeF(1920, 1048) << 1048.0f / 864;
    QTest::newRow("3840x2160") << QSizeF(3840, 2160) << QSizeF(3840, 2160) << 2.5f;
    QTest::newRow("portrait 1200x1920") << QSizeF(1200, 1920) << QSizeF(1200, 1920) << 1200.0f / 1152;
    QTest::newRow("wide but low 1280x720") << QSizeF(1280, 720) << QSizeF(1280, 720) << 1.0f;
}

void TestCommon::zoom()
{
    QFETCH(QSizeF, screen);
    QFETCH(QSizeF, available);
    QFETCH(float, zoom);
    QCOMPARE(zoomForScreen(screen.width(), available.width(), available.height()), zoom);
}

void TestCommon::calibrationRead_data()
{
    QTest::addColumn<QByteArray>("contents");
    QTest::addColumn<int>("edge");
    QTest::newRow("fast machine") << QByteArray(" .07\r\n 400\r\n") << 7;
    QTest::newRow("slow machine") << QByteArray(" .07\r\n 50\r\n") << 4;
    QTest::newRow("91") << QByteArray(" .07\r\n 91\r\n") << 4;
    QTest::newRow("92") << QByteArray(" .07\r\n 92\r\n") << 5;
    QTest::newRow("166") << QByteArray(" .07\r\n 166\r\n") << 5;
    QTest::newRow("167") << QByteArray(" .07\r\n 167\r\n") << 6;
    QTest::newRow("274") << QByteArray(" .07\r\n 274\r\n") << 6;
    QTest::newRow("275") << QByteArray(" .07\r\n 275\r\n") << 7;
    QTest::newRow("421") << QByteArray(" .07\r\n 421\r\n") << 7;
    QTest::newRow("422 clamped") << QByteArray(" .07\r\n 422\r\n") << 7;
    QTest::newRow("huge clamped") << QByteArray(" .07\r\n 30000\r\n") << 7;
    QTest::newRow("beyond 16 bits") << QByteArray(" .07\r\n 40000\r\n") << 4;
    QTest::newRow("garbage first line") << QByteArray("xyz?\r\n 120\r\n") << 5;
    QTest::newRow("one line") << QByteArray(" 400\r\n") << 4;
    QTest::newRow("not a number") << QByteArray(" .07\r\nabc\r\n") << 4;
    QTest::newRow("negative") << QByteArray(" .07\r\n-300\r\n") << 4;
    QTest::newRow("comma splits items") << QByteArray("300,120\r\n") << 5;
    QTest::newRow("LF only") << QByteArray(" .07\n 216\n") << 6;
    QTest::newRow("empty") << QByteArray() << 4;
}

void TestCommon::calibrationRead()
{
    QFETCH(QByteArray, contents);
    QFETCH(int, edge);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Optim_boles.txt"));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(contents);
    file.close();
    const SolidSize size = readCalibration(path);
    QCOMPARE(int(size.BolesAresta), edge);
    QCOMPARE(int(size.NombreBolesOptim), edge * edge * edge);
}

void TestCommon::calibrationMissingFile()
{
    QTemporaryDir dir;
    const SolidSize size = readCalibration(dir.filePath(QStringLiteral("absent.txt")));
    QCOMPARE(int(size.BolesAresta), 4);
    QCOMPARE(int(size.NombreBolesOptim), 64);
}

void TestCommon::calibrationWriteBytes_data()
{
    QTest::addColumn<int>("count");
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("400") << 400 << QByteArray(" .07\r\n 400\r\n");
    QTest::newRow("50") << 50 << QByteArray(" .07\r\n 50\r\n");
    QTest::newRow("60") << 60 << QByteArray(" .07\r\n 60\r\n");
}

void TestCommon::calibrationWriteBytes()
{
    QFETCH(int, count);
    QFETCH(QByteArray, bytes);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Optim_boles.txt"));
    QVERIFY(writeCalibration(path, 0.07f, static_cast<std::int16_t>(999)));
    QVERIFY(writeCalibration(path, 0.07f, static_cast<std::int16_t>(count)));
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), bytes);
    QCOMPARE(int(readCalibration(path).NombreBolesOptim), int(solidSizeForCount(count).NombreBolesOptim));
}

void TestCommon::calibrationDelete()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Optim_boles.txt"));
    QVERIFY(writeCalibration(path, 0.07f, 100));
    QVERIFY(deleteCalibration(path));
    QVERIFY(!QFile::exists(path));
    QVERIFY(deleteCalibration(path));
    QVERIFY(!writeCalibration(dir.filePath(QStringLiteral("no/such/folder/file.txt")), 0.07f, 100));
    QVERIFY(calibrationFilePath().endsWith(QStringLiteral("/Optim_boles.txt")));
}

enum class PathKind { Directory, LinkToOwnFile, Fifo, RandomBytes, LongFirstLine, HugeSparse };
Q_DECLARE_METATYPE(PathKind)

// What another account, a crash or a full disk may leave at the path.
static void plant(PathKind kind, const QString &path, const QString &victim)
{
    QFile file(kind == PathKind::LinkToOwnFile ? victim : path);
    switch (kind) {
    case PathKind::Directory:
        QVERIFY(QDir().mkdir(path));
        return;
    case PathKind::Fifo:
        QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
        return;
    case PathKind::LinkToOwnFile:
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(" .07\r\n 400\r\n");
        file.close();
        QVERIFY(QFile::link(victim, path));
        return;
    case PathKind::RandomBytes: {
        QByteArray bytes(4096, Qt::Uninitialized);
        QRandomGenerator generator(14);
        generator.fillRange(reinterpret_cast<quint32 *>(bytes.data()), bytes.size() / 4);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(bytes.replace('\n', 'x').replace('\r', 'x').replace(',', 'x'));
        return;
    }
    case PathKind::LongFirstLine:
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(QByteArray(5000, '7') + "\r\n 216\r\n");
        return;
    case PathKind::HugeSparse:
        QVERIFY(file.open(QIODevice::WriteOnly));
        QVERIFY(file.resize(Q_INT64_C(3) << 30));
        QVERIFY(file.seek(file.size()));
        file.write("\r\n 343\r\n");
        return;
    }
}

void TestCommon::calibrationFaults_data()
{
    QTest::addColumn<PathKind>("kind");
    QTest::addColumn<int>("edgeRead");
    QTest::addColumn<bool>("written");
    QTest::newRow("directory") << PathKind::Directory << 4 << false;
    QTest::newRow("symbolic link") << PathKind::LinkToOwnFile << 4 << false;
    QTest::newRow("FIFO") << PathKind::Fifo << 4 << false;
    QTest::newRow("4 KiB random") << PathKind::RandomBytes << 4 << true;
    // The reader stops where the launcher's two lines have long ended.
    QTest::newRow("5000-byte first line") << PathKind::LongFirstLine << 4 << true;
    QTest::newRow("3 GB, the count at its end") << PathKind::HugeSparse << 4 << true;
}

void TestCommon::calibrationFaults()
{
    QFETCH(PathKind, kind);
    QFETCH(int, edgeRead);
    QFETCH(bool, written);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Optim_boles.txt"));
    const QString victim = dir.filePath(QStringLiteral("treball.txt"));
    plant(kind, path, victim);
    QCOMPARE(int(readCalibration(path).BolesAresta), edgeRead);
    QCOMPARE(writeCalibration(path, 0.07f, 125), written);
    QCOMPARE(int(readCalibration(path).BolesAresta), written ? 5 : 4);
    if (kind == PathKind::LinkToOwnFile) {
        QFile file(victim);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), QByteArray(" .07\r\n 400\r\n"));
    }
}

enum class Planted { Nothing, OpenFolder, LinkToFolder, OthersFolder };
Q_DECLARE_METATYPE(Planted)

// Runtime folders Qt rejects (here plain files, as another account may plant
// in the temporary folder) must not send the file to a shared folder; the
// fallback is closed, or refused when it is a link.
void TestCommon::privateFallback_data()
{
    QTest::addColumn<Planted>("planted");
    QTest::addColumn<bool>("usable");
    QTest::newRow("created") << Planted::Nothing << true;
    QTest::newRow("left open") << Planted::OpenFolder << true;
    QTest::newRow("a link") << Planted::LinkToFolder << false;
    QTest::newRow("another account's") << Planted::OthersFolder << false;
}

void TestCommon::privateFallback()
{
    QFETCH(Planted, planted);
    QFETCH(bool, usable);
    QTemporaryDir dir;
    const QString notAFolder = dir.filePath(QStringLiteral("runtime"));
    QFile(notAFolder).open(QIODevice::WriteOnly);
    QFile(dir.filePath(QStringLiteral("runtime-") + QString::fromLocal8Bit(::getpwuid(::geteuid())->pw_name))).open(QIODevice::WriteOnly);
    const QString fallback = dir.filePath(QStringLiteral("cache/kinetra-runtime"));
    QVERIFY(QDir().mkpath(dir.filePath(QStringLiteral("cache/elsewhere"))));
    if (planted == Planted::OpenFolder) {
        QVERIFY(QDir().mkpath(fallback));
        QVERIFY(QFile::setPermissions(fallback, QFileDevice::Permissions(0x7777)));
    } else if (planted == Planted::LinkToFolder) {
        QVERIFY(QFile::link(dir.filePath(QStringLiteral("cache/elsewhere")), fallback));
    } else if (planted == Planted::OthersFolder) {
        if (::geteuid() != 0)
            QSKIP("only root gives a folder away");
        QVERIFY(QDir().mkpath(fallback) && ::chown(QFile::encodeName(fallback).constData(), 65534, 65534) == 0);
    }
    const QByteArray runtime = qgetenv("XDG_RUNTIME_DIR");
    const QByteArray cache = qgetenv("XDG_CACHE_HOME");
    const QByteArray temp = qgetenv("TMPDIR");
    qputenv("TMPDIR", QFile::encodeName(dir.path()));
    qputenv("XDG_RUNTIME_DIR", QFile::encodeName(notAFolder));
    qputenv("XDG_CACHE_HOME", QFile::encodeName(dir.filePath(QStringLiteral("cache"))));
    const QString path = calibrationFilePath();
    qputenv("XDG_RUNTIME_DIR", runtime);
    qputenv("XDG_CACHE_HOME", cache);
    qputenv("TMPDIR", temp);
    QCOMPARE(path, usable ? fallback + QStringLiteral("/Optim_boles.txt") : QString());
    if (usable)
        QCOMPARE(int(QFileInfo(fallback).permissions() & QFileDevice::Permissions(0x0077)), 0);
}

void TestCommon::randomReplays()
{
    Random a(42);
    Random b(42);
    for (int i = 0; i < 1000; ++i) {
        if (i % 7 == 0) {
            a.reseedFromClock();
            b.reseedFromClock();
        }
        const double u = a.uniform();
        QCOMPARE(u, b.uniform());
        QVERIFY(u >= 0 && u < 1);
    }
    Random clocked;
    const double first = clocked.uniform();
    clocked.reseedFromClock();
    QVERIFY(clocked.uniform() != first);
}

// What a tick must repaint: a moved circle's old and new squares, nothing
// for a circle placed where it already was, and each area only once.
void TestCommon::placedArea_data()
{
    QTest::addColumn<float>("left");
    QTest::addColumn<float>("top");
    QTest::addColumn<float>("size");
    QTest::addColumn<QRectF>("area");
    QTest::newRow("moved") << 300.0f << 150.0f << 60.0f << QRectF(100, 150, 260, 110);
    QTest::newRow("grown in place") << 100.0f << 200.0f << 90.0f << QRectF(100, 200, 90, 90);
    QTest::newRow("not moved") << 100.0f << 200.0f << 60.0f << QRectF();
}

void TestCommon::placedArea()
{
    QFETCH(float, left);
    QFETCH(float, top);
    QFETCH(float, size);
    QFETCH(QRectF, area);
    CircleSet set;
    set.resize(2);
    set.place(1, 100, 200, 60);
    set.takePlacedArea();
    set.place(1, left, top, size);
    const TwipBox a = set.takePlacedArea();
    QCOMPARE(a.empty() ? QRectF() : QRectF(a.left, a.top, a.right - a.left, a.bottom - a.top), area);
    QVERIFY(set.takePlacedArea().empty());
}

void TestCommon::circleStacking()
{
    CircleSet set;
    set.resize(4);
    QCOMPARE(set.stacking(), (std::vector<int>{0, 1, 2, 3}));
    set.sendToBack(2);
    set.bringToFront(0);
    QCOMPARE(set.stacking(), (std::vector<int>{2, 1, 3, 0}));
    set.resize(2);
    QCOMPARE(set.stacking(), (std::vector<int>{1, 0}));
    QVERIFY(!set[1].visible);
}

void TestCommon::floodFillStopsAtOutline()
{
    Surface surface;
    surface.setBackground({255, 255, 200});
    surface.resize(1500, 1500);
    surface.setLineWidth(2);
    surface.drawEllipse(750, 750, 600, {150, 0, 255}, 0.5f);
    surface.floodFill(750, 750, {225, 255, 200});
    QCOMPARE(surface.pointColour(750, 750), (Rgb{225, 255, 200}));
    QCOMPARE(surface.pointColour(750, 200), (Rgb{255, 255, 200}));
    QCOMPARE(surface.pointColour(20, 20), (Rgb{255, 255, 200}));
}

QTEST_MAIN(TestCommon)
void TestCommon::directionCosines_data()
{
    QTest::addColumn<double>("angleA");
    for (double angle : {0.0, 30.0, 60.0, 90.0, 135.0, 180.0, 240.0})
        QTest::addRow("%g degrees", angle) << angle;
}

// Every draw is a direction: unit length where the third cosine has room,
// and each of the six deals a permutation of the three.
void TestCommon::directionCosines()
{
    QFETCH(double, angleA);
    for (double u : {0.0, 0.25, 0.5, 0.75, 1 - 1e-12}) {
        const std::array<double, 3> c = kernel::directionCosines(angleA, u);
        const double rest = 1 - c[0] * c[0] - c[1] * c[1];
        if (rest > 0)
            QVERIFY(std::abs(c[0] * c[0] + c[1] * c[1] + c[2] * c[2] - 1) < 1e-9);
        else
            QCOMPARE(c[2], 1.0);
        const std::array<double, 3> dealt = kernel::dealCosines(c, u);
        QVERIFY(std::is_permutation(dealt.begin(), dealt.end(), c.begin()));
    }
}

#include "test_common.moc"
