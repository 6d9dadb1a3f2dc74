#include "common/core/CalibrationFile.h"
#include "common/core/PupilCopy.h"
#include "model/documents/DocumentCommands.h"
#include "model/startup/SingleInstance.h"
#include "model/windows/Concentracio.h"

#include <QApplication>
#include <QClipboard>
#include <QMessageBox>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include <windows.h>

namespace {

const QString Failure = QStringLiteral("El procés requerit ha fallat");

void writeFile(const QString &path, const QByteArray &contents)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(contents);
}

QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// A script for Windows' own script host standing in for the report helper.
DocumentCommands::HelperProgram scriptHelper(const QString &script, int secondsAllowed)
{
    DocumentCommands::HelperProgram helper = DocumentCommands::defaultReportHelper();
    helper.arguments.last() = QDir::toNativeSeparators(QFileInfo(script).absoluteFilePath());
    helper.secondsAllowed = secondsAllowed;
    return helper;
}

} // namespace

class TestWindows : public QObject {
    Q_OBJECT

private slots:
    void calibrationFileInLocalAppData();
    void calibrationRefusesWhatIsNotItsFile_data();
    void calibrationRefusesWhatIsNotItsFile();
    void pupilCopyMadeOnceAndKept();
    void secondModelFindsTheFirst();
    void reportChain_data();
    void reportChain();
};

// Not the root of drive C, which needs administrator rights, nor the home
// folder Qt gives as the runtime folder.
void TestWindows::calibrationFileInLocalAppData()
{
    const QString path = calibrationFilePath();
    QCOMPARE(path, QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation)
                       + QStringLiteral("/Kinetra/Optim_boles.txt"));
    QVERIFY(writeCalibration(path, 0.07f, 216));
    QCOMPARE(int(readCalibration(path).BolesAresta), 6);
    QVERIFY(deleteCalibration(path));
}

enum class Planted { Folder, SymbolicLink, HugeFile };
Q_DECLARE_METATYPE(Planted)

void TestWindows::calibrationRefusesWhatIsNotItsFile_data()
{
    QTest::addColumn<Planted>("planted");
    QTest::addColumn<bool>("written");
    QTest::newRow("folder") << Planted::Folder << false;
    QTest::newRow("symbolic link to a pupil's file") << Planted::SymbolicLink << false;
    QTest::newRow("3 GB, the count at its end") << Planted::HugeFile << true;
}

void TestWindows::calibrationRefusesWhatIsNotItsFile()
{
    QFETCH(Planted, planted);
    QFETCH(bool, written);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Optim_boles.txt"));
    const QString victim = dir.filePath(QStringLiteral("treball.txt"));
    writeFile(victim, " .07\r\n 400\r\n");
    if (planted == Planted::Folder) {
        QVERIFY(QDir().mkdir(path));
    } else if (planted == Planted::SymbolicLink) {
        const auto native = [](const QString &p) { return reinterpret_cast<const wchar_t *>(QDir::toNativeSeparators(p).utf16()); };
        if (!::CreateSymbolicLinkW(native(path), native(victim), SYMBOLIC_LINK_FLAG_ALLOW_UNPRIVILEGED_CREATE))
            QSKIP("This account may not make symbolic links");
        // Wine makes a host link, which Windows calls sees as the file itself.
        const DWORD attributes = ::GetFileAttributesW(native(path));
        if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_REPARSE_POINT))
            QSKIP("Links here are not reparse points");
    } else {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        QVERIFY(file.resize(Q_INT64_C(3) << 30));
        QVERIFY(file.seek(file.size()));
        file.write("\r\n 343\r\n");
    }
    QCOMPARE(int(readCalibration(path).BolesAresta), 4);
    QCOMPARE(writeCalibration(path, 0.07f, 125), written);
    QCOMPARE(readFile(victim), QByteArray(" .07\r\n 400\r\n"));
}

void TestWindows::pupilCopyMadeOnceAndKept()
{
    QTemporaryDir dir;
    const QString shipped = dir.filePath(QStringLiteral("Dades.txt"));
    writeFile(shipped, "buit\r\n");
    QVERIFY(QFile::setPermissions(shipped, QFile::ReadOwner | QFile::ReadUser));
    const QString folder = dir.filePath(QStringLiteral("Documents/Kinetra"));
    const QString copy = pupilCopyOf(shipped, folder);
    QCOMPARE(copy, folder + QStringLiteral("/Dades.txt"));
    writeFile(copy, "les meves notes\r\n");
    QCOMPARE(pupilCopyOf(shipped, folder), copy);
    QCOMPARE(readFile(copy), QByteArray("les meves notes\r\n"));
    const QString pdf = dir.filePath(QStringLiteral("T_Concentra.pdf"));
    QCOMPARE(pupilCopyOf(pdf, folder), pdf);
    QVERIFY(pupilFolder().endsWith(QStringLiteral("/Kinetra")));
}

// The named pipe is the user's own, named after their local folder.
void TestWindows::secondModelFindsTheFirst()
{
    const QString name = SingleInstance::defaultName();
    QVERIFY(name.startsWith(QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation)));
    SingleInstance first(name);
    QVERIFY(first.claim());
    SingleInstance second(name);
    QVERIFY(!second.claim());
}

// Without Word or LibreOffice (as under Wine) the real script fails; a
// helper that never ends is stopped; one that shows the document is told
// which document and which title.
void TestWindows::reportChain_data()
{
    QTest::addColumn<QByteArray>("script");
    QTest::addColumn<bool>("succeeds");
    QTest::newRow("no word processor") << QByteArray() << false;
    QTest::newRow("never answers") << QByteArray("Do\r\nLoop\r\n") << false;
    QTest::newRow("shows the document")
        << QByteArray("Set f = CreateObject(\"Scripting.FileSystemObject\").CreateTextFile(\"arguments.txt\", True)\r\n"
                      "For i = 0 To WScript.Arguments.Count - 1\r\n  f.WriteLine WScript.Arguments(i)\r\nNext\r\n"
                      "f.Close\r\nWScript.Quit 0\r\n")
        << true;
}

void TestWindows::reportChain()
{
    QFETCH(QByteArray, script);
    QFETCH(bool, succeeds);
    QTemporaryDir dir;
    const QString helper = script.isEmpty() ? QStringLiteral(MODELS_DIR "/informe.vbs") : dir.filePath("standin.vbs");
    if (!script.isEmpty())
        writeFile(helper, script);
    Concentracio window;
    DocumentCommands commands(window, 1.0f);
    commands.setReportHelper(scriptHelper(helper, 5));
    const QString previous = QDir::currentPath();
    QDir::setCurrent(dir.path());
    QVERIFY(QDir().mkdir(QStringLiteral("Arxius_models")));
    writeFile(QStringLiteral("Arxius_models/InformFitxa.doc"), "forma");

    QSignalSpy finished(&commands, &DocumentCommands::reportFinished);
    QStringList messages;
    QTimer closer;
    connect(&closer, &QTimer::timeout, [&messages] {
        if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget())) {
            messages << box->text();
            box->accept();
        }
    });
    closer.start(10);
    commands.command(Comanda::ArxiuInformFitxa);
    QVERIFY(finished.wait(60000));
    QDir::setCurrent(previous);

    QCOMPARE(finished.first().first().toBool(), succeeds);
    QCOMPARE(messages, succeeds ? QStringList() : QStringList{Failure});
    QCOMPARE(QGuiApplication::clipboard()->text(), DocumentCommands::TitolFitxa);
    if (succeeds) {
        const QStringList arguments = QString::fromLocal8Bit(readFile(dir.filePath("arguments.txt"))).split(QStringLiteral("\r\n"));
        QVERIFY(arguments.contains(DocumentCommands::TitolFitxa));
        QVERIFY(arguments.contains(pupilFolder() + QStringLiteral("/InformFitxa.doc")));
    }
}

QTEST_MAIN(TestWindows)
#include "test_windows.moc"
