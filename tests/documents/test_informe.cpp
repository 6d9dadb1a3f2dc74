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
    void standInWriter_data();
    void standInWriter();

private:
    // soffice with a profile of its own, so that no user's Writer is touched.
    bool convert(const QString &source, const QString &format, const QString &folder);
    QString firstLine(const QString &document);

    QString office;
    QString python;
    bool bridge = false;
    QTemporaryDir work;
    QStringList secretsSeen;
};

void TestInforme::initTestCase()
{
    QVERIFY(work.isValid());
    QVERIFY(QFile::exists(Helper));
    office = QStandardPaths::findExecutable(QStringLiteral("soffice"));
    python = DocumentCommands::defaultReportHelper().program;
    const Outcome import = run(python, {"-c", "import uno"});
    bridge = import.finished && import.exitCode == 0;
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
// account took the name. A Writer that takes its pipe and never answers is
// ended, children and all.
void TestInforme::standInWriter_data()
{
    QTest::addColumn<int>("folderMode");
    QTest::addColumn<bool>("nameTaken");
    QTest::addColumn<QString>("behaviour");
    QTest::newRow("private folder") << 0700 << false << "fails";
    QTest::newRow("another private folder") << 0700 << false << "fails";
    QTest::newRow("folder open to others") << 0755 << false << "fails";
    QTest::newRow("name taken by another account") << 0700 << true << "fails";
    QTest::newRow("never answers") << 0700 << false << "silent";
}

void TestInforme::standInWriter()
{
    QFETCH(int, folderMode);
    QFETCH(bool, nameTaken);
    QFETCH(QString, behaviour);
    if (!bridge)
        QSKIP("python3-uno is not installed: the helper never gets as far as Writer's pipe");
    const QString folder = work.path() + "/" + QTest::currentDataTag();
    const QString record = folder + ".started";
    QVERIFY(QDir().mkpath(folder) && ::chmod(QFile::encodeName(folder).constData(), folderMode) == 0);
    const QString taken = "0123456789abcdef0123456789abcdef";
    if (nameTaken) {
        write(folder + "/Concentracio-informe-_77", taken.toLatin1());
        write(pipePath(taken), "not a socket");
    }
    QFile::link(QStringLiteral(STANDIN), work.path() + "/soffice");
    write(work.path() + "/report.doc", "a report");
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("PATH", work.path() + ":" + environment.value("PATH"));
    environment.insert("OFFICE_STANDIN", behaviour);
    environment.insert("OFFICE_STANDIN_RECORD", record);
    const Outcome outcome =
        run(python, {Helper, "--private", folder, "--display", ":77", work.path() + "/report.doc"}, environment);
    QFile::remove(pipePath(taken));
    QVERIFY(outcome.finished && outcome.exitCode != 0);

    QFile started(record);
    QVERIFY(started.open(QIODevice::ReadOnly));
    const QString arguments = QString::fromUtf8(started.readAll());
    const QString secret =
        QRegularExpression("pipe,name=Concentracio_informe_([0-9a-f]{32});").match(arguments).captured(1);
    QFile::remove(pipePath(secret));
    QVERIFY2(!secret.isEmpty() && !secretsSeen.contains(secret) && secret != taken, qPrintable(arguments));
    secretsSeen << secret;
    QFile secretFile(folder + "/Concentracio-informe-_77");
    QCOMPARE(secretFile.open(QIODevice::ReadOnly) && secretFile.readAll().trimmed() == secret, folderMode == 0700);
    QCOMPARE(QDir(folder).isEmpty(), folderMode != 0700);
    QCOMPARE(arguments.contains("UserInstallation=" + QUrl::fromLocalFile(folder).toEncoded()), folderMode == 0700);
    QFile pids(record + ".pids");
    for (const QByteArray &pid : pids.open(QIODevice::ReadOnly) ? pids.readAll().split('\n') : QByteArrayList()) {
        QFile stat("/proc/" + pid + "/stat");
        QVERIFY2(pid.isEmpty() || !stat.open(QIODevice::ReadOnly) || stat.readAll().contains(") Z "), pid);
    }
}

QTEST_GUILESS_MAIN(TestInforme)
#include "test_informe.moc"
