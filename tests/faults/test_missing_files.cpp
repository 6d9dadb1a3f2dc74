// A school computer where one of the shared folder's files was deleted: each
// program still starts, and only the command that needs the file fails, with
// a message.
#include "common/core/ScreenScale.h"
#include "launcher/menu/Models.h"
#include "model/startup/ModelProgram.h"
#include "tests/support/LauncherSupport.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QtTest>

namespace {

const QString Failure = QStringLiteral("El procés requerit ha fallat");

// The commands that open one file each, by the file they open.
const QMap<QString, QString> CommandOfFile{
    {"Dades.txt", "ArxiuText"},
    {"T_Concentra.pps", "FinPre"},
    {"T_Concentra.pdf", "FinTeo"},
    {"P_Concentra.pdf", "FinProp"},
    {"G_Concentra.pdf", "FinGuia"},
    {"InformExemConcentra.doc", "ArxiuInformExem"},
    {"InformFitxa.doc", "ArxiuInformFitxa"},
};

// A stand-in for the desktop's opener and for Writer that always succeeds.
const DocumentCommands::HelperProgram Succeeds{QStringLiteral("true"), {}};

void linkAllBut(const QString &missing, const QString &models)
{
    const QDir shipped(QStringLiteral(MODELS_DIR));
    for (const QString &name : shipped.entryList(QDir::Files))
        if (name != missing)
            QVERIFY(QFile::link(shipped.filePath(name), QDir(models).filePath(name)));
}

void runModel(const QString &missing, MessageWatcher &watcher)
{
    ModelProgram program({}, solidSizeForCount(125), Random(1));
    program.load();
    program.documents().setOpener(Succeeds);
    program.documents().setReportHelper(Succeeds);
    program.window().show();
    for (int t = 0; t < 50; ++t)
        program.simulation().tick();
    program.window().repaintPicture();

    for (const QString &command : CommandOfFile) {
        const int before = watcher.texts.size();
        QSignalSpy opened(&program.documents(), &DocumentCommands::openerFinished);
        QSignalSpy reported(&program.documents(), &DocumentCommands::reportFinished);
        program.window().findChild<QAction *>(command)->trigger();
        const bool fails = CommandOfFile.value(missing) == command;
        if (!fails)
            QTRY_COMPARE(opened.count() + reported.count(), 1);
        QTRY_COMPARE(watcher.texts.size(), before + int(fails));
        if (fails)
            QCOMPARE(watcher.texts.last(), Failure);
    }
}

// The model is started only when it is missing: otherwise it would run.
void runLauncher(const QString &missing, MessageWatcher &watcher)
{
    Random random(2);
    Models menu(ScreenScale{1, false}, random);
    menu.show();
    for (const char *panel : {"FinRecom", "mnuAutor"})
        menu.findChild<QAction *>(panel)->trigger();
    QTest::qWait(60);
    if (missing != QLatin1String("Concentracio"))
        return;
    const int before = watcher.texts.size();
    menu.findChild<QAction *>(QStringLiteral("ModelP"))->trigger();
    QCOMPARE(watcher.texts.size(), before + 1);
    QVERIFY(watcher.texts.last().startsWith(QStringLiteral("No s'ha trobat el programa")));
}

} // namespace

class TestMissingFiles : public QObject {
    Q_OBJECT

private slots:
    void eachFileRemoved_data();
    void eachFileRemoved();
};

void TestMissingFiles::eachFileRemoved_data()
{
    QTest::addColumn<QString>("missing");
    const QStringList shipped = QDir(QStringLiteral(MODELS_DIR)).entryList(QDir::Files);
    QVERIFY(shipped.contains(QStringLiteral("Concentracio")));
    for (const QString &name : shipped)
        QTest::newRow(qPrintable(name)) << name;
}

void TestMissingFiles::eachFileRemoved()
{
    QFETCH(QString, missing);
    PrivateRuntime runtime;
    WorkingFolder folder;
    linkAllBut(missing, folder.makeModels());
    MessageWatcher watcher;
    runModel(missing, watcher);
    runLauncher(missing, watcher);
}

QTEST_MAIN(TestMissingFiles)
#include "test_missing_files.moc"
