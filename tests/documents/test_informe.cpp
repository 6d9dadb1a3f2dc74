#include "model/documents/DocumentCommands.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QUrl>
#include <QtTest>

#include <sys/stat.h>
#include <unistd.h>

namespace {

const QString Title = QStringLiteral("Concentració de les dissolucions");
const QString Helper = QStringLiteral(MODELS_DIR "/informe.py");
constexpr int Patience = 150000; // only against a hang: Writer's first start is slow

struct Outcome {
    bool finished;
    int exitCode;
};

Outcome run(const QString &program, const QStringList &arguments,
            const QProcessEnvironment &environment = QProcessEnvironment::systemEnvironment())
{
    QProcess process;
    process.setProcessEnvironment(environment);
    process.setProcessChannelMode(QProcess::ForwardedChannels);
    process.start(program, arguments);
    const bool finished = process.waitForFinished(Patience) && process.exitStatus() == QProcess::NormalExit;
    return {finished, process.exitCode()};
}

QString pipePath(const QString &secret)
{
    return QString("/tmp/OSL_PIPE_%1_Concentracio_informe_%2").arg(::getuid()).arg(secret);
}

QString secretOf(const QString &officeArguments)
{
    return QRegularExpression("pipe,name=Concentracio_informe_([0-9a-f]{32});").match(officeArguments).captured(1);
}

void write(const QString &path, const QByteArray &content)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(content);
}

} // namespace

class TestInforme : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void insertsTitle_data();
    void insertsTitle();
    void helperFails_data();
    void helperFails();
    void pipeIsTheSessionsOwn_data();
    void pipeIsTheSessionsOwn();
    void silentWriterIsEnded();

private:
    // soffice with a profile of its own, so that no user's Writer is touched.
    bool convert(const QString &source, const QString &format, const QString &folder);
    QString firstLine(const QString &document);
    // The helper with a stand-in for LibreOffice; what the stand-in was
    // started with, once per start, or nothing when the helper did not fail.
    QStringList runStandIn(const QString &folder, const QString &behaviour);

    QString office;
    QString python;
    QTemporaryDir work;
    QStringList pipesSeen;
};

void TestInforme::initTestCase()
{
    QVERIFY(work.isValid());
    QVERIFY(QFile::exists(Helper));
    office = QStandardPaths::findExecutable(QStringLiteral("soffice"));
    python = DocumentCommands::defaultReportHelper().program;
}

bool TestInforme::convert(const QString &source, const QString &format, const QString &folder)
{
    const QString profile = QUrl::fromLocalFile(work.path() + "/profile").toString();
    const Outcome outcome = run(office, {"-env:UserInstallation=" + profile, "--headless", "--convert-to", format,
                                         "--outdir", folder, source});
    return outcome.finished && outcome.exitCode == 0;
}

QString TestInforme::firstLine(const QString &document)
{
    const QString folder = work.path() + "/text";
    QFile text(folder + "/" + QFileInfo(document).completeBaseName() + ".txt");
    text.remove();
    if (!convert(document, "txt:Text (encoded):UTF8", folder))
        return QString();
    if (!text.open(QIODevice::ReadOnly))
        return QString();
    QString content = QString::fromUtf8(text.readAll());
    if (content.startsWith(QChar(0xFEFF)))
        content.remove(0, 1);
    return content.section(QRegularExpression("\r?\n"), 0, 0);
}

void TestInforme::insertsTitle_data()
{
    QTest::addColumn<QString>("form");
    QTest::addColumn<QString>("expectedLine");
    QTest::newRow("made here") << QString() << Title + "Nom i cognoms:";
    QTest::newRow("shipped") << MODELS_DIR "/InformFitxa.doc" << QString();
}

void TestInforme::insertsTitle()
{
    QFETCH(QString, form);
    QFETCH(QString, expectedLine);
    if (office.isEmpty())
        QSKIP("LibreOffice is not installed");

    const QString copy = work.path() + "/" + QTest::currentDataTag() + "/form.doc";
    QVERIFY(QDir().mkpath(QFileInfo(copy).path()));
    if (form.isEmpty()) {
        const QString source = QFileInfo(copy).path() + "/form.txt";
        write(source, "Nom i cognoms:\nData:\n");
        QVERIFY(convert(source, "doc", QFileInfo(copy).path()));
    } else {
        if (!QFile::exists(form))
            QSKIP("the shipped form is not built");
        QVERIFY(QFile::copy(form, copy));
    }
    QVERIFY(!firstLine(copy).startsWith(Title));

    const Outcome outcome =
        run(python, {Helper, "--headless", "--profile", work.path() + "/profile", "--title", Title, copy});
    QVERIFY(outcome.finished);
    QCOMPARE(outcome.exitCode, 0);

    const QString line = firstLine(copy);
    QVERIFY2(line.startsWith(Title), qPrintable(line));
    if (!expectedLine.isEmpty())
        QCOMPARE(line, expectedLine);
}

void TestInforme::helperFails_data()
{
    QTest::addColumn<bool>("documentExists");
    QTest::addColumn<bool>("officeOnPath");
    QTest::newRow("missing document") << false << true;
    QTest::newRow("no LibreOffice") << true << false;
}

void TestInforme::helperFails()
{
    QFETCH(bool, documentExists);
    QFETCH(bool, officeOnPath);
    const QString document = work.path() + "/plain.doc";
    if (documentExists)
        write(document, "not a form");
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    if (!officeOnPath)
        environment.insert("PATH", work.path());

    const Outcome outcome = run(python, {Helper, "--headless", "--title", Title, work.path() + "/plain.doc"},
                                environment);
    QVERIFY(outcome.finished);
    QVERIFY(outcome.exitCode != 0);
    QCOMPARE(QFile::exists(document), documentExists);
}

// Writer's pipes are the session's own: named by a fresh random secret kept
// only in a folder closed to other accounts, and renamed when another
// account took the name.
void TestInforme::pipeIsTheSessionsOwn_data()
{
    QTest::addColumn<int>("folderMode");
    QTest::addColumn<bool>("nameTaken");
    QTest::newRow("private folder") << 0700 << false;
    QTest::newRow("another private folder") << 0700 << false;
    QTest::newRow("folder open to others") << 0755 << false;
    QTest::newRow("name taken by another account") << 0700 << true;
}

void TestInforme::pipeIsTheSessionsOwn()
{
    QFETCH(int, folderMode);
    QFETCH(bool, nameTaken);
    const QString folder = work.path() + "/" + QTest::currentDataTag();
    QVERIFY(QDir().mkpath(folder) && ::chmod(QFile::encodeName(folder).constData(), folderMode) == 0);
    const QString secretFile = folder + "/Concentracio-informe-_77";
    const QString taken = "0123456789abcdef0123456789abcdef";
    if (nameTaken) {
        write(secretFile, taken.toLatin1());
        write(pipePath(taken), "not a socket");
    }
    const QStringList started = runStandIn(folder, "fails");

    QCOMPARE(started.size(), 1);
    const QString pipe = secretOf(started[0]);
    QFile::remove(pipePath(taken));
    QVERIFY2(!pipe.isEmpty() && !pipesSeen.contains(pipe) && pipe != taken, qPrintable(started[0]));
    pipesSeen << pipe;
    const bool private_ = folderMode == 0700;
    QCOMPARE(QDir(folder).isEmpty(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden), !private_);
    if (private_) {
        QFile secret(secretFile);
        QVERIFY(secret.open(QIODevice::ReadOnly));
        QCOMPARE(secret.readAll().trimmed(), pipe.toLatin1());
        QVERIFY(started[0].contains("UserInstallation=" + QUrl::fromLocalFile(folder).toEncoded()));
    }
}

// A Writer that takes its pipe and never answers is ended, children and all.
void TestInforme::silentWriterIsEnded()
{
    const QString folder = work.path() + "/silent";
    QVERIFY(QDir().mkpath(folder) && ::chmod(QFile::encodeName(folder).constData(), 0700) == 0);
    const QStringList started = runStandIn(folder, "silent");
    QCOMPARE(started.size(), 1);
    QFile::remove(pipePath(secretOf(started[0])));
    QFile pids(work.path() + "/started.pids");
    QVERIFY(pids.open(QIODevice::ReadOnly));
    for (const QByteArray &pid : pids.readAll().split('\n')) {
        QFile stat("/proc/" + pid + "/stat");
        QVERIFY2(pid.isEmpty() || !stat.open(QIODevice::ReadOnly) || stat.readAll().contains(") Z "), pid);
    }
}

QStringList TestInforme::runStandIn(const QString &folder, const QString &behaviour)
{
    const QString bin = work.path() + "/bin";
    const QString record = work.path() + "/started";
    QDir().mkpath(bin);
    QFile::link(QStringLiteral(STANDIN), bin + "/soffice");
    QFile::remove(record);
    const QString document = work.path() + "/report.doc";
    write(document, "a report");
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("PATH", bin + ":" + environment.value("PATH"));
    environment.insert("OFFICE_STANDIN", behaviour);
    environment.insert("OFFICE_STANDIN_RECORD", record);
    const Outcome outcome = run(python, {Helper, "--private", folder, "--display", ":77", document}, environment);
    if (!outcome.finished || outcome.exitCode == 0)
        return {};
    QFile started(record);
    return started.open(QIODevice::ReadOnly) ? QString::fromUtf8(started.readAll()).split('\n', Qt::SkipEmptyParts)
                                             : QStringList();
}

QTEST_GUILESS_MAIN(TestInforme)
#include "test_informe.moc"
