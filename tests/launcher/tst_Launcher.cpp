#include "common/core/CalibrationFile.h"
#include "common/widgets/DesignFonts.h"
#include "launcher/menu/MenuWidgets.h"
#include "tests/support/FindControl.h"
#include "launcher/calibration/LauncherApp.h"
#include "launcher/menu/Models.h"
#include "launcher/calibration/Optim_Boles.h"
#include "tests/support/LauncherSupport.h"

#include <QFile>
#include <QtTest>

namespace {

enum class Exit { Sortir, Fi, TitleBar };
enum class FileAtExit { Present, Gone, Undeletable };

template <typename T>
T *shownWindow(const char *name)
{
    for (QWidget *w : QApplication::topLevelWidgets())
        if (w->objectName() == QLatin1String(name) && w->isVisible())
            return qobject_cast<T *>(w);
    return nullptr;
}

Optim_Boles *calibration()
{
    return shownWindow<Optim_Boles>("Optim_Boles");
}

Models *menu()
{
    return shownWindow<Models>("Models");
}

// A machine too slow for 50 particles: the measurement ends on its 11th tick.
struct SlowStart {
    SlowStart()
        : launcher(random, hooks())
    {
    }

    Launcher::Hooks hooks()
    {
        Launcher::Hooks h;
        h.clock = [this] { return now += 1; };
        h.starter = [](const QString &, QString &) { return true; };
        h.endProgram = [this] { ++ended; };
        return h;
    }

    void runToCalibration()
    {
        launcher.start();
        QVERIFY(shownWindow<QWidget>("ControlPantalla"));
        QTRY_VERIFY(calibration() && control<QTimer>(*calibration(), "tmrRelloOptim")->isActive());
        control<QTimer>(*calibration(), "tmrRelloOptim")->stop();
    }

    // The calibration timer may have ticked on its own before it was stopped.
    void runToMenu()
    {
        runToCalibration();
        for (int tick = 0; tick < 11 && !menu(); ++tick)
            calibration()->tick();
        QVERIFY(menu());
    }

    double now = 0;
    int ended = 0;
    Random random{11};
    Launcher launcher;
};

} // namespace

Q_DECLARE_METATYPE(Exit)
Q_DECLARE_METATYPE(FileAtExit)

class TestLauncher : public QObject {
    Q_OBJECT

public:
    static void initMain();

private slots:
    void initTestCase();
    void cleanup();
    void designFonts();
    void startUpChain();
    void unwritableFileStillOpensMenu();
    void leaving_data();
    void leaving();
};

// Fontconfig on a fresh system answers the design's fonts with a monospace.
void TestLauncher::initMain()
{
    qputenv("FONTCONFIG_FILE", QT_TESTCASE_SOURCEDIR "/launcher/monospace-fonts.conf");
}

void TestLauncher::initTestCase()
{
    useDesignFonts();
}

// "Fi" is set in "Arial Black", the subtitle in "Arial".
void TestLauncher::designFonts()
{
    if (QSysInfo::productType() == QLatin1String("windows"))
        QSKIP("Windows has the design's fonts itself");
    Random random(1);
    Models w(ScreenScale{}, random);
    const QFontInfo heavy(control<QLabel>(w, "lblFi")->font());
    const QFontInfo plain(control<QLabel>(w, "lblSubtitol")->font());
    QCOMPARE(QStringList({heavy.family(), plain.family()}), QStringList({"DejaVu Sans", "Liberation Sans"}));
    QVERIFY(heavy.bold() && !heavy.fixedPitch() && !plain.fixedPitch());
}

void TestLauncher::cleanup()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

void TestLauncher::startUpChain()
{
    PrivateRuntime runtime;
    SlowStart s;
    s.runToCalibration();
    Optim_Boles *optim = calibration();
    for (int tick = 0; tick < 11 && !menu(); ++tick) {
        QVERIFY(!shownWindow<QWidget>("ControlPantalla"));
        QVERIFY(!QFile::exists(calibrationFilePath()));
        optim->tick();
    }
    QVERIFY(menu());
    QVERIFY(!optim->isVisible());
    QFile file(calibrationFilePath());
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), QByteArray(" .07\r\n 50\r\n"));
    QCOMPARE(s.ended, 0);
}

// A folder where the file should be makes it impossible to write, even for
// an administrator.
void TestLauncher::unwritableFileStillOpensMenu()
{
    PrivateRuntime runtime;
    QVERIFY(QDir(runtime.path()).mkdir(QStringLiteral("Optim_boles.txt")));
    SlowStart s;
    MessageWatcher watcher;
    s.runToMenu();
    QCOMPARE(watcher.texts, QStringList{Optim_Boles::UnwrittenMessage});
    QVERIFY(menu());
    QCOMPARE(s.ended, 0);
    QCOMPARE(readCalibration(calibrationFilePath()).NombreBolesOptim, std::int16_t(64));
}

void TestLauncher::leaving_data()
{
    QTest::addColumn<Exit>("exit");
    QTest::addColumn<FileAtExit>("file");
    QTest::addColumn<int>("messages");
    QTest::newRow("Sortir") << Exit::Sortir << FileAtExit::Present << 0;
    QTest::newRow("Fi") << Exit::Fi << FileAtExit::Present << 0;
    QTest::newRow("title bar") << Exit::TitleBar << FileAtExit::Present << 0;
    QTest::newRow("Sortir, file already gone") << Exit::Sortir << FileAtExit::Gone << 0;
    QTest::newRow("title bar, file already gone") << Exit::TitleBar << FileAtExit::Gone << 0;
    QTest::newRow("Fi, file cannot be removed") << Exit::Fi << FileAtExit::Undeletable << 1;
}

void TestLauncher::leaving()
{
    QFETCH(Exit, exit);
    QFETCH(FileAtExit, file);
    QFETCH(int, messages);
    PrivateRuntime runtime;
    SlowStart s;
    s.runToMenu();
    const QString path = calibrationFilePath();
    QVERIFY(QFile::exists(path));
    if (file != FileAtExit::Present)
        QVERIFY(QFile::remove(path));
    // A folder in its place stands for a file that cannot be removed.
    if (file == FileAtExit::Undeletable)
        QVERIFY(QDir().mkpath(path + QStringLiteral("/busy")));
    Models *window = menu();
    MessageWatcher watcher;
    switch (exit) {
    case Exit::Sortir:
        control<QAction>(*window, "OpcionsSortir")->trigger();
        break;
    case Exit::Fi:
        QTest::mouseClick(control<ActiveLabel>(*window, "lblFi"), Qt::LeftButton);
        break;
    case Exit::TitleBar:
        window->close();
        break;
    }
    QCOMPARE(s.ended, 1);
    QCOMPARE(QFile::exists(path), file == FileAtExit::Undeletable);
    QVERIFY(!menu() && !calibration());
    QVERIFY(!control<QTimer>(*window, "tmrRellotge")->isActive());
    QCOMPARE(watcher.texts.size(), messages);
    window->close();
    QCOMPARE(s.ended, 1);
}

QTEST_MAIN(TestLauncher)

#include "tst_Launcher.moc"
