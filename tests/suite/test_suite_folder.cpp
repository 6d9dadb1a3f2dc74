#include "suite/SuiteFolder.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QtTest>

#include <sched.h>
#include <sys/mount.h>
#include <unistd.h>

// A fake installation with the two folders the command passes: the programs'
// and the shipped companion files'.
class TestSuiteFolder : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void firstStartLinksSharedFilesAndCopiesPrivateOnes();
    void pupilsWorkIsNeverOverwritten();
    void damagedCopyComesBack_data();
    void damagedCopyComesBack();
    void linksFollowTheInstallation_data();
    void linksFollowTheInstallation();
    void blockedFolderIsNamed_data();
    void blockedFolderIsNamed();
    void completeFolderOnReadOnlyHome();

private:
    QString installed(const QString &name) const;
    QString inSuite(const QString &name) const;
    QStringList installedFolders() const;
    static void write(const QString &path, const QByteArray &content);
    static QByteArray read(const QString &path);
    // Without the "User" bits Qt adds for the account running the test.
    static QFile::Permissions mode(const QString &path) { return QFileInfo(path).permissions() & ~QFile::Permissions(0x0700); }

    std::unique_ptr<QTemporaryDir> m_root;
    std::unique_ptr<SuiteFolder> m_suite;
};

const QStringList ProgramFiles = {QStringLiteral("Concentracio"), QStringLiteral("informe.py")};
const QStringList SharedFiles = {QStringLiteral("T_Concentra.pdf"), QStringLiteral("concentracio.jpg")};

QString TestSuiteFolder::installed(const QString &name) const
{
    const QString folder = ProgramFiles.contains(name) ? QStringLiteral("/lib") : QStringLiteral("/share");
    return m_root->path() + folder + QStringLiteral("/Arxius_models/") + name;
}

QString TestSuiteFolder::inSuite(const QString &name) const
{
    return m_suite->modelsPath() + QLatin1Char('/') + name;
}

QStringList TestSuiteFolder::installedFolders() const
{
    return {m_root->path() + QStringLiteral("/lib/Arxius_models"), m_root->path() + QStringLiteral("/share/Arxius_models")};
}

void TestSuiteFolder::write(const QString &path, const QByteArray &content)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(content);
}

QByteArray TestSuiteFolder::read(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void TestSuiteFolder::init()
{
    m_root = std::make_unique<QTemporaryDir>();
    m_suite = std::make_unique<SuiteFolder>(m_root->path() + QStringLiteral("/home/kinetra"));
    for (const QString &name : ProgramFiles + SharedFiles + SuiteFolder::PrivateFiles) {
        write(installed(name), "shipped " + name.toUtf8());
        QFile::setPermissions(installed(name), QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther);
    }
}

// A folder an earlier version left open to every account is shut.
void TestSuiteFolder::firstStartLinksSharedFilesAndCopiesPrivateOnes()
{
    QVERIFY(QDir().mkpath(m_suite->modelsPath()));
    QVERIFY(m_suite->prepare(installedFolders()));
    for (const QString &folder : {m_suite->path(), m_suite->modelsPath()})
        QCOMPARE(mode(folder), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    for (const QString &name : ProgramFiles + SharedFiles)
        QCOMPARE(QFileInfo(inSuite(name)).symLinkTarget(), installed(name));
    for (const QString &name : SuiteFolder::PrivateFiles) {
        const QFileInfo copy(inSuite(name));
        QVERIFY2(!copy.isSymLink(), qPrintable(name));
        QCOMPARE(read(copy.filePath()), read(installed(name)));
        QCOMPARE(mode(copy.filePath()), QFile::ReadOwner | QFile::WriteOwner);
    }
}

void TestSuiteFolder::pupilsWorkIsNeverOverwritten()
{
    QVERIFY(m_suite->prepare(installedFolders()));
    for (const QString &name : SuiteFolder::PrivateFiles)
        write(inSuite(name), "pupil's " + name.toUtf8());
    QVERIFY(m_suite->prepare(installedFolders()));
    for (const QString &name : SuiteFolder::PrivateFiles)
        QCOMPARE(read(inSuite(name)), "pupil's " + name.toUtf8());
}

// What counts as damaged: anything but a readable, non-empty file of the
// user's own. A link to the shipped form would let a save fail or reach
// every other user. Whatever held the pupil's bytes is kept aside.
void TestSuiteFolder::damagedCopyComesBack_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("damage");
    QTest::addColumn<QString>("keptAs");
    QTest::newRow("deleted") << "Dades.txt" << "deleted" << "";
    QTest::newRow("empty") << "Dades.txt" << "empty" << "Dades.txt.1";
    QTest::newRow("link to shipped form") << "Dades.txt" << "link to shipped form" << "Dades.txt.1";
    QTest::newRow("dangling link") << "Dades.txt" << "dangling link" << "Dades.txt.1";
    QTest::newRow("unreadable") << "Dades.txt" << "unreadable" << "Dades.txt.1";
    QTest::newRow("unreadable, first name aside taken") << "Dades.txt" << "unreadable" << "Dades.txt.2";
    QTest::newRow("a file where a link goes") << "T_Concentra.pdf" << "file" << "T_Concentra.pdf.1";
}

void TestSuiteFolder::damagedCopyComesBack()
{
    QFETCH(QString, name);
    QFETCH(QString, damage);
    QFETCH(QString, keptAs);
    QVERIFY(m_suite->prepare(installedFolders()));
    const QString copy = inSuite(name);
    QFile::remove(copy);
    const QByteArray pupils = damage == QLatin1String("empty") ? QByteArray() : QByteArray("notes");
    if (keptAs.endsWith(QLatin1String(".2")))
        write(inSuite(name + QStringLiteral(".1")), "older notes");
    if (damage == QLatin1String("link to shipped form")) {
        QFile::link(installed(name), copy);
    } else if (damage == QLatin1String("dangling link")) {
        QFile::link(m_root->path() + QStringLiteral("/gone/") + name, copy);
    } else if (damage != QLatin1String("deleted")) {
        write(copy, pupils);
    }
    if (damage == QLatin1String("unreadable")) {
        if (geteuid() == 0)
            QSKIP("root reads every file");
        QFile::setPermissions(copy, QFile::WriteOwner);
    }
    QVERIFY(m_suite->prepare(installedFolders()));
    QCOMPARE(read(copy), "shipped " + name.toUtf8());
    QCOMPARE(QFileInfo(copy).isSymLink(), !SuiteFolder::PrivateFiles.contains(name));
    QCOMPARE(read(installed(name)), "shipped " + name.toUtf8());
    if (damage.contains(QLatin1String("link"))) {
        QVERIFY(QFileInfo(inSuite(keptAs)).isSymLink());
    } else if (!keptAs.isEmpty()) {
        QVERIFY(QFile::setPermissions(inSuite(keptAs), QFile::ReadOwner | QFile::WriteOwner));
        QCOMPARE(read(inSuite(keptAs)), pupils);
    }
}

// After an upgrade moved or dropped files, the old links are replaced or go.
void TestSuiteFolder::linksFollowTheInstallation_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("leftBehind");
    QTest::addColumn<bool>("shipped");
    QTest::newRow("moved program") << "Concentracio" << "old/Concentracio" << true;
    QTest::newRow("other installation") << "T_Concentra.pdf" << "other/T_Concentra.pdf" << true;
    QTest::newRow("no longer shipped") << "Antic.pdf" << "old/Antic.pdf" << false;
}

void TestSuiteFolder::linksFollowTheInstallation()
{
    QFETCH(QString, name);
    QFETCH(QString, leftBehind);
    QFETCH(bool, shipped);
    QVERIFY(m_suite->prepare(installedFolders()));
    const QString link = inSuite(name);
    QFile::remove(link);
    const QString target = m_root->path() + QLatin1Char('/') + leftBehind;
    if (leftBehind.startsWith(QLatin1String("other")))
        write(target, "another version");
    QVERIFY(QFile::link(target, link));
    QVERIFY(m_suite->prepare(installedFolders()));
    if (shipped)
        QCOMPARE(QFileInfo(link).symLinkTarget(), installed(name));
    else
        QVERIFY(!QFileInfo(link).isSymLink());
}

// The message names what is in the way, so the pupil or a teacher can move it.
void TestSuiteFolder::blockedFolderIsNamed_data()
{
    QTest::addColumn<QString>("obstacle");
    QTest::addColumn<QString>("where");
    QTest::addColumn<QString>("named");
    QTest::newRow("a file where the folder goes") << "file" << "/home" << "";
    QTest::newRow("read-only home") << "read-only" << "/home" << "";
    QTest::newRow("a folder where the notes go") << "folder" << "/home/kinetra/Arxius_models/Dades.txt" << "és una carpeta";
    QTest::newRow("a folder where a link goes") << "folder" << "/home/kinetra/Arxius_models/concentracio.jpg" << "és una carpeta";
    QTest::newRow("Arxius_models a link elsewhere") << "link" << "/home/kinetra/Arxius_models" << "és un enllaç";
    QTest::newRow("a file where Arxius_models goes") << "file" << "/home/kinetra/Arxius_models" << "és un fitxer";
}

void TestSuiteFolder::blockedFolderIsNamed()
{
    QFETCH(QString, obstacle);
    QFETCH(QString, where);
    QFETCH(QString, named);
    const QString path = m_root->path() + where;
    if (obstacle == QLatin1String("file")) {
        write(path, "not a folder");
    } else if (obstacle == QLatin1String("folder")) {
        QVERIFY(QDir().mkpath(path));
    } else if (obstacle == QLatin1String("link")) {
        QVERIFY(QDir().mkpath(QFileInfo(path).absolutePath()));
        QVERIFY(QFile::link(m_root->path() + QStringLiteral("/share/Arxius_models"), path));
    } else {
        if (geteuid() == 0)
            QSKIP("root writes every folder");
        QDir().mkpath(path);
        QFile::setPermissions(path, QFile::ReadOwner | QFile::ExeOwner);
    }
    QVERIFY(!m_suite->prepare(installedFolders()));
    const QString message = m_suite->failureMessage();
    QVERIFY2(message.contains(m_suite->path()), qPrintable(message));
    if (!named.isEmpty())
        QVERIFY2(message.contains(path + QLatin1Char(' ') + named), qPrintable(message));
}

// A mount, not permissions: they would not stop an administrator.
void TestSuiteFolder::completeFolderOnReadOnlyHome()
{
    QVERIFY(m_suite->prepare(installedFolders()));
    const QByteArray home = QFile::encodeName(m_root->path() + QStringLiteral("/home"));
    if (::unshare(CLONE_NEWNS) != 0 || ::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0
        || ::mount(home.constData(), home.constData(), nullptr, MS_BIND, nullptr) != 0)
        QSKIP("no private mount namespace");
    const bool readOnly = ::mount(nullptr, home.constData(), nullptr, MS_REMOUNT | MS_BIND | MS_RDONLY, nullptr) == 0;
    const bool prepared = m_suite->prepare(installedFolders());
    ::umount2(home.constData(), MNT_DETACH);
    QVERIFY(readOnly);
    QVERIFY2(prepared, qPrintable(m_suite->failureMessage()));
}

QTEST_GUILESS_MAIN(TestSuiteFolder)
#include "test_suite_folder.moc"
