// The user's runtime folder exists but cannot be written: the calibration
// says so and the model falls back to its smallest solid; the model still
// starts, only without its guard against a second window.
#include "common/core/CalibrationFile.h"
#include "common/core/Random.h"
#include "launcher/calibration/Optim_Boles.h"
#include "model/startup/SingleInstance.h"
#include "tests/support/LauncherSupport.h"

#include <QFile>
#include <QStandardPaths>
#include <QtTest>

class TestReadOnlyRuntime : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void calibrationIsReportedUnwritten();
    void modelStartsUnguarded();
};

void TestReadOnlyRuntime::initTestCase()
{
    QFile probe(QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation) + QStringLiteral("/probe"));
    if (probe.open(QIODevice::WriteOnly))
        QSKIP("the runtime folder is writable: run through read_only_runtime.sh");
}

void TestReadOnlyRuntime::calibrationIsReportedUnwritten()
{
    Random random(5);
    double now = 0;
    Optim_Boles optim(random, [&now] { return now += 1; });
    MessageWatcher watcher;
    QSignalSpy measured(&optim, &Optim_Boles::measured);
    while (measured.isEmpty() && now < 1000)
        optim.tick();
    QCOMPARE(measured.count(), 1);
    QCOMPARE(watcher.texts, QStringList{Optim_Boles::UnwrittenMessage});
    QCOMPARE(readCalibration(calibrationFilePath()).NombreBolesOptim, std::int16_t(64));
}

void TestReadOnlyRuntime::modelStartsUnguarded()
{
    SingleInstance first(SingleInstance::defaultName());
    QVERIFY(first.claim());
    SingleInstance second(SingleInstance::defaultName());
    QVERIFY(second.claim());
}

QTEST_MAIN(TestReadOnlyRuntime)
#include "test_read_only_runtime.moc"
