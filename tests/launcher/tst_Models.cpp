#include "launcher/animation/ParticleBox.h"
#include "common/core/CompanionFiles.h"
#include "common/widgets/ControlPantalla.h"
#include "launcher/calibration/Optim_Boles.h"
#include "launcher/menu/Models.h"
#include "launcher/menu/MenuWidgets.h"
#include "tests/support/FindControl.h"
#include "common/core/Random.h"
#include "tests/support/LauncherSupport.h"
#include "common/widgets/TwipGeometry.h"

#include <QApplication>
#include <QFile>
#include <QImage>
#include <QtTest>

namespace {

ScreenScale scaleOf(float escala)
{
    return {escala, escala != 1.0f};
}

QRectF rectOf(const QWidget *widget)
{
    const TwipRect r = twipRect(widget);
    return {r.left, r.top, r.width, r.height};
}

QPointF placeOf(const QWidget *widget)
{
    const TwipRect r = twipRect(widget);
    return {r.left, r.top};
}

bool framed(const QLabel *label)
{
    return label->frameShape() != QFrame::NoFrame;
}

void writePicture(const QString &folder, const QString &name, int side)
{
    QImage image(side, side, QImage::Format_RGB32);
    image.fill(Qt::darkCyan);
    QVERIFY(image.save(folder + QLatin1Char('/') + name, "JPG"));
}

void writeFile(const QString &path, const QByteArray &contents, QFile::Permissions permissions)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(contents);
    file.close();
    QVERIFY(file.setPermissions(permissions));
}

} // namespace

class TestModels : public QObject {
    Q_OBJECT

private slots:
    void cleanup();
    void layout_data();
    void layout();
    void panelPictures_data();
    void panelPictures();
    void panelCommands();
    void hoverFrames_data();
    void hoverFrames();
    void pointerOverBoxResumes();
    void failedStart_data();
    void failedStart();
    void startShowsHourglassEachTime();
    void starter_data();
    void starter();
    void captionsUnderAnyTheme_data();
    void captionsUnderAnyTheme();
};

void TestModels::cleanup()
{
    clearApplicationPointer();
}

void TestModels::layout_data()
{
    QTest::addColumn<float>("escala");
    QTest::addColumn<QRectF>("caja");
    QTest::addColumn<QRectF>("menu");
    QTest::addColumn<float>("hiddenMenuHeight");
    QTest::addColumn<QPointF>("subtitle");
    QTest::addColumn<float>("subtitleFont");
    QTest::addColumn<QPointF>("exit");
    QTest::addColumn<float>("exitFont");
    QTest::addColumn<QRectF>("about");
    QTest::addColumn<QPointF>("aboutButton");
    QTest::addColumn<float>("buttonFont");
    QTest::addColumn<QRectF>("bar");
    QTest::addColumn<float>("diameter");
    QTest::newRow("reference") << 1.0f << QRectF(11200, 400, 3400, 3400) << QRectF(6000, 4000, 8600, 5000) << 4700.f
                               << QPointF(2000, 2000) << 24.f << QPointF(2000, 8400) << 21.75f
                               << QRectF(5550, 0, 6015, 9015) << QPointF(10300, 8520) << 9.75f
                               << QRectF(1600, 7000, 80, 2000) << 400.f;
    QTest::newRow("1152") << 1.125f << QRectF(12600, 450, 3825, 3825) << QRectF(6750, 4500, 9675, 5962.5)
                          << 5000.f << QPointF(2250, 2250) << 27.f << QPointF(2250, 9450) << 24.46875f
                          << QRectF(6243.75, 0, 6766.875, 10141.875) << QPointF(11587.5, 9585) << 10.96875f
                          << QRectF(1800, 7875, 90, 2250) << 450.f;
    QTest::newRow("800") << 0.78125f << QRectF(8750, 312.5, 2656.25, 2656.25) << QRectF(4687.5, 3125, 6718.75, 3906.25)
                         << 4700.f << QPointF(1562.5, 1562.5) << 18.75f << QPointF(1562.5, 6562.5) << 16.9921875f
                         << QRectF(4335.9375, 0, 4699.21875, 7042.96875) << QPointF(8046.875, 6656.25) << 7.6171875f
                         << QRectF(1250, 5468.75, 62.5, 1562.5) << 312.5f;
}

void TestModels::layout()
{
    QFETCH(float, escala);
    QFETCH(QRectF, caja);
    QFETCH(QRectF, menu);
    QFETCH(float, hiddenMenuHeight);
    QFETCH(QPointF, subtitle);
    QFETCH(float, subtitleFont);
    QFETCH(QPointF, exit);
    QFETCH(float, exitFont);
    QFETCH(QRectF, about);
    QFETCH(QPointF, aboutButton);
    QFETCH(float, buttonFont);
    QFETCH(QRectF, bar);
    QFETCH(float, diameter);
    Random random(1);
    Models w(scaleOf(escala), random);
    QCOMPARE(w.windowTitle(), QStringLiteral("Tavirel"));
    QCOMPARE(control<ActiveLabel>(w, "lblSubtitol")->cursor().shape(), Qt::BitmapCursor);
    QCOMPARE(control<ActiveLabel>(w, "lblSubtitol")->cursor().hotSpot(), QPoint(1, 1));
    QCOMPARE(rectOf(control<PictureBox>(w, "Caja")), caja);
    QCOMPARE(control<PictureBox>(w, "Caja")->surface().widthTwips(), float(caja.width()));
    QCOMPARE(rectOf(control<QFrame>(w, "shpMenu")), menu);
    QCOMPARE(float(rectOf(control<QWidget>(w, "picMenu")).height()), hiddenMenuHeight);
    QVERIFY(control<QFrame>(w, "shpMenu")->isHidden() && control<QWidget>(w, "picMenu")->isHidden() && control<QLabel>(w, "lblTitol(4)")->isHidden());
    QCOMPARE(placeOf(control<ActiveLabel>(w, "lblSubtitol")), subtitle);
    QCOMPARE(fontPoints(control<ActiveLabel>(w, "lblSubtitol")), subtitleFont);
    QCOMPARE(placeOf(control<ActiveLabel>(w, "lblFi")), exit);
    QCOMPARE(fontPoints(control<ActiveLabel>(w, "lblFi")), exitFont);
    QCOMPARE(fontPoints(control<QLabel>(w, "lblTitol(0)")), 18 * escala);
    QCOMPARE(rectOf(control<QLabel>(w, "picSobre")), about);
    QCOMPARE(placeOf(control<QPushButton>(w, "cmdSobre")), aboutButton);
    QCOMPARE(fontPoints(control<QPushButton>(w, "cmdSobre")), buttonFont);
    QCOMPARE(fontPoints(control<QPushButton>(w, "cmdRecom")), buttonFont);
    QCOMPARE(rectOf(control<QFrame>(w, "shpReac")), bar);
    QVERIFY(control<QTimer>(w, "tmrRellotge")->isActive());
    QCOMPARE(control<QTimer>(w, "tmrRellotge")->interval(), 50);
    const CircleSet &circles = control<PictureBox>(w, "Caja")->surface().circles();
    QCOMPARE(circles.count(), 400);
    for (int i = 0; i < 400; ++i) {
        QCOMPARE(circles[i].visible, i < 100);
        // Nearer particles are larger, down to 80 % at the back.
        QVERIFY(i >= 100 || (circles[i].size >= 0.8f * diameter && circles[i].size <= diameter));
    }
    // The caption fits its label whatever the scale.
    QVERIFY(control<ActiveLabel>(w, "lblSubtitol")->sizeHint().width() <= control<ActiveLabel>(w, "lblSubtitol")->width());
    QVERIFY(control<QLabel>(w, "lblTitol(0)")->sizeHint().width() <= control<QLabel>(w, "lblTitol(0)")->width());
}

void TestModels::panelPictures_data()
{
    QTest::addColumn<float>("escala");
    QTest::addColumn<bool>("present");
    QTest::addColumn<int>("aboutSide");
    QTest::addColumn<int>("recommendationsSide");
    QTest::newRow("reference") << 1.0f << true << 10 << 20;
    QTest::newRow("800") << 0.78125f << true << 8 << 16;
    QTest::newRow("1152") << 1.125f << true << 12 << 24;
    QTest::newRow("missing leaves the panel empty") << 1.0f << false << 0 << 0;
    QTest::newRow("missing variant leaves it empty") << 1.125f << false << 0 << 0;
}

void TestModels::panelPictures()
{
    QFETCH(float, escala);
    QFETCH(bool, present);
    QFETCH(int, aboutSide);
    QFETCH(int, recommendationsSide);
    WorkingFolder folder;
    const QString models = folder.makeModels();
    if (present) {
        writePicture(models, QStringLiteral("SobreAquestTreball.jpg"), 10);
        writePicture(models, QStringLiteral("SobreAquestTreball800.jpg"), 8);
        writePicture(models, QStringLiteral("SobreAquestTreball1152.jpg"), 12);
        writePicture(models, QStringLiteral("Recomana.jpg"), 20);
        writePicture(models, QStringLiteral("Recomana800.jpg"), 16);
        writePicture(models, QStringLiteral("Recomana1152.jpg"), 24);
    }
    Random random(1);
    Models w(scaleOf(escala), random);
    QCOMPARE(control<QLabel>(w, "picSobre")->pixmap().width(), aboutSide);
    QCOMPARE(control<QLabel>(w, "picRecom")->pixmap().width(), recommendationsSide);
    control<QAction>(w, "mnuAutor")->trigger();
    QVERIFY(!control<QLabel>(w, "picSobre")->isHidden());
}

void TestModels::panelCommands()
{
    Random random(1);
    Models w(scaleOf(1), random);
    const auto shown = [&w] {
        return QList<bool>{!control<QLabel>(w, "picSobre")->isHidden(), !control<QPushButton>(w, "cmdSobre")->isHidden(), !control<QLabel>(w, "picRecom")->isHidden(),
                           !control<QPushButton>(w, "cmdRecom")->isHidden()};
    };
    QCOMPARE(shown(), (QList<bool>{false, false, false, false}));
    control<QAction>(w, "mnuAutor")->trigger();
    QCOMPARE(shown(), (QList<bool>{true, true, false, false}));
    control<QAction>(w, "FinRecom")->trigger();
    QCOMPARE(shown(), (QList<bool>{false, false, true, true}));
    QTest::mouseClick(control<QPushButton>(w, "cmdRecom"), Qt::LeftButton);
    QCOMPARE(shown(), (QList<bool>{false, false, false, false}));
    control<QAction>(w, "mnuAutor")->trigger();
    QTest::mouseClick(control<QPushButton>(w, "cmdSobre"), Qt::LeftButton);
    QCOMPARE(shown(), (QList<bool>{false, false, false, false}));
    QCOMPARE(control<QPushButton>(w, "cmdSobre")->text(), QStringLiteral("Tancar"));
    QCOMPARE(control<QAction>(w, "ModelP")->text(), QStringLiteral("Càlcul de concentracions"));
}

void TestModels::hoverFrames_data()
{
    QTest::addColumn<QStringList>("path");
    QTest::addColumn<bool>("subtitleFramed");
    QTest::addColumn<bool>("exitFramed");
    QTest::newRow("nothing yet") << QStringList() << false << false;
    QTest::newRow("subtitle") << QStringList{"subtitle"} << true << false;
    QTest::newRow("exit") << QStringList{"exit"} << false << true;
    QTest::newRow("exit, then subtitle keeps both") << QStringList{"exit", "subtitle"} << true << true;
    QTest::newRow("subtitle, then exit") << QStringList{"subtitle", "exit"} << false << true;
    QTest::newRow("both, then background") << QStringList{"exit", "subtitle", "background"} << false << false;
    QTest::newRow("title does not clear") << QStringList{"subtitle", "title"} << true << false;
    QTest::newRow("bars are background") << QStringList{"subtitle", "bar"} << false << false;
}

void TestModels::hoverFrames()
{
    QFETCH(QStringList, path);
    QFETCH(bool, subtitleFramed);
    QFETCH(bool, exitFramed);
    Random random(1);
    Models w(scaleOf(1), random);
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    for (const QString &place : path) {
        if (place == QLatin1String("subtitle"))
            movePointerOver(control<ActiveLabel>(w, "lblSubtitol"));
        else if (place == QLatin1String("exit"))
            movePointerOver(control<ActiveLabel>(w, "lblFi"));
        else if (place == QLatin1String("title"))
            movePointerOver(control<QLabel>(w, "lblTitol(0)"));
        else if (place == QLatin1String("bar")) {
            QWidget *under = control<QWidget>(w, "client")->childAt(control<QFrame>(w, "shpReac")->geometry().center());
            movePointerOver(under ? under : control<QWidget>(w, "client"));
        }
        else
            movePointerOver(control<QWidget>(w, "client"));
    }
    QCOMPARE(framed(control<ActiveLabel>(w, "lblSubtitol")), subtitleFramed);
    QCOMPARE(framed(control<ActiveLabel>(w, "lblFi")), exitFramed);
    // The frame takes no room from the caption.
    for (QLabel *label : {static_cast<QLabel *>(control<ActiveLabel>(w, "lblSubtitol")), static_cast<QLabel *>(control<ActiveLabel>(w, "lblFi"))})
        QVERIFY(label->sizeHint().width() <= label->width());
    // Once over the subtitle, its pointer is everyone's until a model start.
    const bool pointerSet = path.contains(QStringLiteral("subtitle"));
    QCOMPARE(QApplication::overrideCursor() != nullptr, pointerSet);
    if (pointerSet)
        QCOMPARE(QApplication::overrideCursor()->shape(), control<ActiveLabel>(w, "lblSubtitol")->cursor().shape());
}

void TestModels::pointerOverBoxResumes()
{
    Random random(1);
    Models w(scaleOf(1), random);
    w.setModelStarter([](const QString &, QString &) { return true; });
    const int running = control<QTimer>(w, "tmrRellotge")->timerId();
    movePointerOver(control<PictureBox>(w, "Caja"));
    QCOMPARE(control<QTimer>(w, "tmrRellotge")->timerId(), running);
    w.Obre_Model();
    QVERIFY(!control<QTimer>(w, "tmrRellotge")->isActive());
    movePointerOver(control<QWidget>(w, "client"));
    QVERIFY(!control<QTimer>(w, "tmrRellotge")->isActive());
    movePointerOver(control<PictureBox>(w, "Caja"));
    QVERIFY(control<QTimer>(w, "tmrRellotge")->isActive());
}

void TestModels::failedStart_data()
{
    QTest::addColumn<bool>("fromMenu");
    QTest::newRow("menu") << true;
    QTest::newRow("subtitle") << false;
}

void TestModels::failedStart()
{
    QFETCH(bool, fromMenu);
    WorkingFolder folder;
    Random random(1);
    Models w(scaleOf(1), random);
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    movePointerOver(control<ActiveLabel>(w, "lblSubtitol"));
    MessageWatcher watcher;
    if (fromMenu)
        control<QAction>(w, "ModelP")->trigger();
    else
        QTest::mouseClick(control<ActiveLabel>(w, "lblSubtitol"), Qt::LeftButton);
    QCOMPARE(watcher.texts, QStringList(QStringLiteral("No s'ha trobat el programa %1").arg(modelProgramPath())));
    QCOMPARE(QApplication::overrideCursor(), nullptr);
    QVERIFY(!control<QTimer>(w, "tmrRellotge")->isActive());
    control<QAction>(w, "FinRecom")->trigger();
    QVERIFY(!control<QLabel>(w, "picRecom")->isHidden());
    movePointerOver(control<PictureBox>(w, "Caja"));
    QVERIFY(control<QTimer>(w, "tmrRellotge")->isActive());
    QCOMPARE(watcher.texts.size(), 1);
}

void TestModels::startShowsHourglassEachTime()
{
    Random random(1);
    Models w(scaleOf(1), random);
    QList<int> pointers;
    QStringList programs;
    w.setModelStarter([&](const QString &program, QString &) {
        programs << program;
        const QCursor *pointer = QApplication::overrideCursor();
        pointers << (pointer ? int(pointer->shape()) : -1);
        return true;
    });
    QTest::mouseClick(control<ActiveLabel>(w, "lblSubtitol"), Qt::LeftButton);
    QTest::mouseClick(control<ActiveLabel>(w, "lblSubtitol"), Qt::LeftButton);
    QCOMPARE(programs, QStringList({modelProgramPath(), modelProgramPath()}));
    QCOMPARE(pointers, (QList<int>{Qt::WaitCursor, Qt::WaitCursor}));
    QCOMPARE(QApplication::overrideCursor(), nullptr);
}

void TestModels::starter_data()
{
    QTest::addColumn<QByteArray>("contents"); // empty: no file
    QTest::addColumn<bool>("executable");
    QTest::addColumn<bool>("started");
    QTest::newRow("missing") << QByteArray() << false << false;
    QTest::newRow("not a program") << QByteArray("text\n") << false << false;
#ifdef Q_OS_UNIX
    QTest::newRow("program") << QByteArray("#!/bin/sh\npwd > started.txt\n") << true << true;
#endif
}

void TestModels::starter()
{
    QFETCH(QByteArray, contents);
    QFETCH(bool, executable);
    QFETCH(bool, started);
    WorkingFolder folder;
    folder.makeModels();
    const QFile::Permissions readable = QFile::ReadOwner | QFile::WriteOwner;
    if (!contents.isEmpty())
        writeFile(modelProgramPath(), contents, executable ? readable | QFile::ExeOwner : readable);
    QString error;
    QCOMPARE(startDetachedProgram(modelProgramPath(), error), started);
    QCOMPARE(error.isEmpty(), started);
    if (!started)
        return;
    QFile marker(QStringLiteral("started.txt"));
    QTRY_VERIFY_WITH_TIMEOUT(marker.exists() && marker.size() > 0, 60000); // a loaded machine starts late
    QVERIFY(marker.open(QIODevice::ReadOnly));
    QCOMPARE(QDir(QString::fromLocal8Bit(marker.readAll().trimmed())).canonicalPath(),
             QDir(folder.path()).canonicalPath());
}

std::unique_ptr<QWidget> windowFor(const QString &which, Random &random)
{
    if (which == QLatin1String("splash"))
        return std::make_unique<ControlPantalla>(ControlPantalla::Look{Rgb{192, 192, 255}, false});
    if (which == QLatin1String("calibration"))
        return std::make_unique<Optim_Boles>(random, [] { return 0.0; });
    auto menu = std::make_unique<Models>(scaleOf(1), random);
    if (which == QLatin1String("about"))
        control<QAction>(*menu, "mnuAutor")->trigger();
    return menu;
}

void TestModels::captionsUnderAnyTheme_data()
{
    // What a desktop theme gives every widget that the design leaves alone.
    const std::pair<const char *, QPalette> themes[] = {{"light", QPalette(QColor(239, 239, 239))},
                                                        {"dark", QPalette(QColor(53, 53, 53), QColor(36, 36, 36))},
                                                        {"high contrast", QPalette(Qt::black, Qt::black)}};
    QTest::addColumn<QPalette>("desktop");
    QTest::addColumn<QString>("window");
    for (const auto &[theme, desktop] : themes)
        for (const char *window : {"splash", "calibration", "menu", "about"})
            QTest::addRow("%s, %s", theme, window) << desktop << window;
}

void TestModels::captionsUnderAnyTheme()
{
    QFETCH(QPalette, desktop);
    QFETCH(QString, window);
    const QPalette before = QApplication::palette();
    QApplication::setPalette(desktop);
    Random random(1);
    const std::unique_ptr<QWidget> w = windowFor(window, random);
    QString which;
    const double worst = worstCaptionContrast(*w, which);
    QApplication::setPalette(before);
    QVERIFY2(worst >= 4.5, qPrintable(QStringLiteral("%1: %2").arg(which).arg(worst)));
}

QTEST_MAIN(TestModels)

#include "tst_Models.moc"
