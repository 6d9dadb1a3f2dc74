#include "model/startup/ModelProgram.h"
#include "tests/support/FindControl.h"
#include "model/startup/SingleInstance.h"
#include "common/widgets/TwipGeometry.h"

#include <QLocalSocket>
#include <QStandardPaths>
#include <QMenuBar>
#include <QProcess>
#include <QUuid>
#include <QtTest>

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

enum class Squatter { StaleSocket, PlainFile, Folder };
Q_DECLARE_METATYPE(Squatter)

namespace {

// What a crash or a stray command may leave under the socket's name.
void squat(Squatter kind, const QString &path)
{
    switch (kind) {
    case Squatter::StaleSocket: {
        const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        qstrncpy(address.sun_path, QFile::encodeName(path).constData(), sizeof address.sun_path);
        QCOMPARE(::bind(fd, reinterpret_cast<sockaddr *>(&address), sizeof address), 0);
        ::close(fd);
        break;
    }
    case Squatter::PlainFile:
        QVERIFY(QFile(path).open(QIODevice::WriteOnly));
        break;
    case Squatter::Folder:
        QVERIFY(QDir().mkdir(path));
        break;
    }
}

} // namespace

class TestStartup : public QObject {
    Q_OBJECT

private slots:
    void loadLeavesCalculatorHiddenAndClockRunning();
    void menuTree_data();
    void menuTree();
    void onlyDesmarcarTotesStartsDisabled();
    void scaleIsAppliedOnce_data();
    void scaleIsAppliedOnce();
    void calculatorDropsAndReturnsTheSolid();
    void indicatorToggledFromOutsideIsShownAgain();
    void calibratedSolidIsBuilt_data();
    void calibratedSolidIsBuilt();
    void secondInstanceAsksTheFirstToRaise();
    void nameAlreadyTaken_data();
    void nameAlreadyTaken();
    void namePerSession();
    void bringToFrontRestoresAMinimisedWindow();
    void secondProgramEndsWhileTheFirstRuns();
};

void TestStartup::loadLeavesCalculatorHiddenAndClockRunning()
{
    ModelProgram program({}, {});
    program.load();
    Concentracio &w = program.window();
    QCOMPARE(w.windowTitle(), QStringLiteral("Concentracions de les dissolucions"));
    QVERIFY(control<QGroupBox>(w, "frDades")->isHidden());
    QVERIFY(control<QGroupBox>(w, "frResultats")->isHidden());
    QVERIFY(control<QPushButton>(w, "cmdResultats")->isHidden());
    QVERIFY(!control<PictureBox>(w, "Caja")->isHidden());
    QVERIFY(control<QLabel>(w, "lblPropietats")->text().startsWith(QStringLiteral("La concentració d'un solut")));
    QVERIFY(control<QLabel>(w, "lblPropietats")->text().endsWith(QStringLiteral("molalitat o fracció molar")));
    QCOMPARE(control<QTimer>(w, "tmrRellotge")->interval(), 40);
    // The clock runs, but its timer waits while nothing can move.
    QVERIFY(program.simulation().rellotgeActiu());
    QVERIFY(!control<QTimer>(w, "tmrRellotge")->isActive());
    control<QAction>(w, "AccionsSolid")->trigger();
    QVERIFY(control<QTimer>(w, "tmrRellotge")->isActive());
    QCOMPARE(control<QWidget>(w, "client")->palette().color(QPalette::Window), QColor(255, 255, 200));
    for (QLineEdit *box : w.findChildren<QLineEdit *>())
        QVERIFY(box->text().isEmpty());
}

void TestStartup::menuTree_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("shortcut");
    const QList<QStringList> rows{
        {"mnuArxiu", "&Arxiu"},
        {"ArxiuText", "Document de text"},
        {"ArxiuInformE", "Elaboracio d'informe (Word)"},
        {"ArxiuInformExem", "Exemple"},
        {"ArxiuInformFitxa", "Fitxa per emplenar"},
        {"ArxiuSortir", "Sortir"},
        {"mnuAccions", "A&ccions"},
        {"AccionsEsborrar", "Esborrar dades i resultats"},
        {"AccionsCongelar", "Congelar imatge"},
        {"AccionsMarcar", "Marcar/Desmarcar partícules"},
        {"AccionsSolid", "Dissoldre sòlid"},
        {"AccionsInici", "Tornar sòlid a posició inicial"},
        {"mnuEines", "&Eines"},
        {"EinesPsoliD", "Nombre de partícules"},
        {"EinesPsolidA", "Augmentar"},
        {"EinesPsolidD", "Disminuir"},
        {"EinesDiam", "Diàmetre"},
        {"EinesDiamAfAu", "Afinar (+)", "Ctrl+A"},
        {"EinesDiamAfDi", "Afinar (-)", "Ctrl+D"},
        {"mnuConcentracio", "C&oncentració en:"},
        {"ConceTpc", "tant per cent"},
        {"ConceGpl", "grams per litre"},
        {"ConceMolar", "Molaritat"},
        {"ConceMolal", "molalitat"},
        {"ConceFrM", "fracció molar"},
        {"ConceTotes", "     Marcar totes"},
        {"ConceCap", "     Desmarcar totes"},
        {"mnuFinestra", "&Finestra"},
        {"FinPre", "Presentació"},
        {"FinTeo", "Introducció teòrica"},
        {"FinProp", "Propostes de treball"},
        {"FinGuia", "Guia didàctica"},
        {"mnuAjuda", "A&juda"},
    };
    for (const QStringList &row : rows)
        QTest::newRow(qPrintable(row[0])) << row[0] << row[1] << row.value(2);
}

void TestStartup::menuTree()
{
    QFETCH(QString, name);
    QFETCH(QString, caption);
    QFETCH(QString, shortcut);
    Concentracio w;
    if (auto *menu = w.findChild<QMenu *>(name)) {
        QCOMPARE(menu->title(), caption);
        QVERIFY(menu->isEnabled());
        return;
    }
    auto *action = w.findChild<QAction *>(name);
    QVERIFY2(action, qPrintable(name));
    QCOMPARE(action->text(), caption);
    QCOMPARE(action->shortcut().toString(), shortcut);
    QVERIFY(!action->isChecked());
}

void TestStartup::onlyDesmarcarTotesStartsDisabled()
{
    ModelProgram program({}, {});
    program.load();
    QStringList disabled;
    for (QAction *action : program.window().findChildren<QAction *>())
        if (!action->isEnabled() && !action->objectName().isEmpty())
            disabled << action->objectName();
    QCOMPARE(disabled, QStringList{QStringLiteral("ConceCap")});
    QStringList topLevel;
    for (QAction *action : program.window().menuBar()->actions())
        topLevel << action->text();
    QCOMPARE(topLevel, (QStringList{"&Arxiu", "A&ccions", "&Eines", "C&oncentració en:", "&Finestra", "A&juda"}));
}

void TestStartup::scaleIsAppliedOnce_data()
{
    QTest::addColumn<float>("scale");
    QTest::addColumn<bool>("adjust");
    QTest::newRow("reference") << 1.0f << false;
    QTest::newRow("1152") << 1.125f << true;
    QTest::newRow("800") << 0.78125f << true;
}

void TestStartup::scaleIsAppliedOnce()
{
    QFETCH(float, scale);
    QFETCH(bool, adjust);
    ModelProgram program({scale, adjust}, {});
    program.load();
    QCOMPARE(twipRect(control<QPushButton>(program.window(), "cmdResultats")).left, 4000 * scale);
    QCOMPARE(program.scene().DiametreBolaBase, 64 * scale);
    QCOMPARE(program.scene().Unitat, 10 * scale);
}

// The example a teacher would try first: a molarity from mass, volume and
// molar mass; the first result drops the solid, losing it sends it back.
void TestStartup::calculatorDropsAndReturnsTheSolid()
{
    ModelProgram program({}, {}, Random(7));
    program.load();
    Concentracio &w = program.window();
    const ParticleModel &model = program.simulation().model();
    control<QAction>(w, "ConceMolar")->trigger();
    QVERIFY(!control<QGroupBox>(w, "frDades")->isHidden());
    QTest::keyClicks(control<QLineEdit>(w, "txtGsolut"), QStringLiteral("10"));
    QVERIFY(!model.SolidCaient());
    QTest::keyClicks(control<QLineEdit>(w, "txtVdso"), QStringLiteral("100"));
    QTest::keyClicks(control<QLineEdit>(w, "txtMsolut"), QStringLiteral("58.44"));
    QCOMPARE(control<QLineEdit>(w, "txtMolar")->text(), QStringLiteral(" 1.711"));
    QVERIFY(model.SolidCaient());
    QVERIFY(!control<QAction>(w, "AccionsSolid")->isEnabled());
    QVERIFY(!control<QPushButton>(w, "cmdResultats")->isHidden());
    for (int tick = 0; tick < 100; ++tick)
        program.simulation().tick();
    QVERIFY(model.BolesDissoltes() > 0);
    control<QLineEdit>(w, "txtMsolut")->clear();
    QCOMPARE(model.BolesDissoltes(), 0);
    QVERIFY(!model.SolidCaient());
    QVERIFY(control<QAction>(w, "AccionsSolid")->isEnabled());
}

// A screen reader may toggle an indicator; the calculator keeps its own
// record, and the next change shows it again.
void TestStartup::indicatorToggledFromOutsideIsShownAgain()
{
    ModelProgram program({}, {}, Random(7));
    program.load();
    Concentracio &w = program.window();
    control<QAction>(w, "ConceTpc")->trigger();
    QTest::keyClicks(control<QLineEdit>(w, "txtGsolut"), QStringLiteral("10"));
    QCheckBox *given = control<QCheckBox>(w, "chkGsolut");
    given->toggle();
    QTest::keyClicks(control<QLineEdit>(w, "txtGdt"), QStringLiteral("90"));
    QCOMPARE(given->checkState(), Qt::Checked);
    QCOMPARE(control<QLineEdit>(w, "txtTpc")->text(), QStringLiteral(" 10"));
}

void TestStartup::calibratedSolidIsBuilt_data()
{
    QTest::addColumn<int>("count");
    QTest::addColumn<int>("particles");
    QTest::newRow("no file") << 0 << 64;
    QTest::newRow("120") << 120 << 125;
    QTest::newRow("400") << 400 << 343;
}

void TestStartup::calibratedSolidIsBuilt()
{
    QFETCH(int, count);
    QFETCH(int, particles);
    ModelProgram program({}, solidSizeForCount(count), Random(1));
    program.load();
    QCOMPARE(int(program.simulation().model().NombreBoles()), particles);
    QCOMPARE(control<PictureBox>(program.window(), "Caja")->surface().circles().count(), particles);
}

void TestStartup::secondInstanceAsksTheFirstToRaise()
{
    const QString name = QStringLiteral("test-") + QUuid::createUuid().toString(QUuid::Id128);
    SingleInstance first(name);
    QVERIFY(first.claim());
    QSignalSpy raised(&first, &SingleInstance::raiseRequested);
    SingleInstance second(name);
    QVERIFY(!second.claim());
    QTRY_COMPARE(raised.count(), 1);
}

void TestStartup::nameAlreadyTaken_data()
{
    QTest::addColumn<Squatter>("squatter");
    QTest::addColumn<bool>("guarded");
    QTest::newRow("stale socket") << Squatter::StaleSocket << true;
    QTest::newRow("plain file") << Squatter::PlainFile << true;
    QTest::newRow("folder: the model runs unguarded") << Squatter::Folder << false;
}

void TestStartup::nameAlreadyTaken()
{
    QFETCH(Squatter, squatter);
    QFETCH(bool, guarded);
    QTemporaryDir dir;
    const QString name = dir.filePath(QStringLiteral("Concentracio-"));
    squat(squatter, name);
    SingleInstance first(name);
    QVERIFY(first.claim());
    QSignalSpy raised(&first, &SingleInstance::raiseRequested);
    SingleInstance second(name);
    QCOMPARE(second.claim(), !guarded);
    if (guarded)
        QTRY_COMPARE(raised.count(), 1);
}

void TestStartup::namePerSession()
{
    const QByteArray display = qgetenv("DISPLAY");
    qputenv("DISPLAY", ":1");
    const QString first = SingleInstance::defaultName();
    qputenv("DISPLAY", "thin-client:2.0");
    const QString second = SingleInstance::defaultName();
    qputenv("DISPLAY", display);
    QVERIFY(first != second);
    const QString runtime = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    QVERIFY(first.startsWith(runtime + QLatin1Char('/')));
    QVERIFY(second.startsWith(runtime + QLatin1Char('/')));
    QVERIFY(!second.mid(runtime.size() + 1).contains(QLatin1Char('/')));
}

void TestStartup::bringToFrontRestoresAMinimisedWindow()
{
    QWidget window;
    window.show();
    window.setWindowState(Qt::WindowMinimized);
    QVERIFY(window.isMinimized());
    bringToFront(window);
    QVERIFY(!window.isMinimized());
    QVERIFY(window.isVisible());
}

void TestStartup::secondProgramEndsWhileTheFirstRuns()
{
    QProcess first;
    first.start(QStringLiteral(MODEL_PROGRAM), {});
    QVERIFY(first.waitForStarted());
    QLocalSocket probe;
    // Limits for a loaded machine: a program's start can take many seconds.
    QTRY_VERIFY_WITH_TIMEOUT((probe.connectToServer(SingleInstance::defaultName()), probe.waitForConnected(100)),
                             90000);
    probe.disconnectFromServer();
    QProcess second;
    second.start(QStringLiteral(MODEL_PROGRAM), {});
    QVERIFY(second.waitForFinished(90000));
    QCOMPARE(second.exitStatus(), QProcess::NormalExit);
    QCOMPARE(second.exitCode(), 0);
    QCOMPARE(first.state(), QProcess::Running);
    first.kill();
    first.waitForFinished();
}

QTEST_MAIN(TestStartup)
#include "test_startup.moc"
