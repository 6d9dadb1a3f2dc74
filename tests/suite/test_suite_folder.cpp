#include "suite/SuiteFolder.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QtTest>

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
    void unwritableFolderFails_data();
    void unwritableFolderFails();

private:
    QString installed(const QString &name) const;
    QString inSuite(const QString &name) const;
    QStringList installedFolders() const;
    static void write(const QString &path, const QByteArray &content);
    static QByteArray read(const QString &path);

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

void TestSuiteFolder::firstStartLinksSharedFilesAndCopiesPrivateOnes()
{
    QVERIFY(m_suite->prepare(installedFolders()));
    for (const QString &name : ProgramFiles + SharedFiles)
        QCOMPARE(QFileInfo(inSuite(name)).symLinkTarget(), installed(name));
    for (const QString &name : SuiteFolder::PrivateFiles) {
        const QFileInfo copy(inSuite(name));
        QVERIFY2(!copy.isSymLink(), qPrintable(name));
        QCOMPARE(read(copy.filePath()), read(installed(name)));
        QVERIFY(copy.permissions() & QFile::WriteOwner);
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
// every other user.
void TestSuiteFolder::damagedCopyComesBack_data()
{
    QTest::addColumn<QString>("damage");
    for (const char *damage : {"deleted", "empty", "link to shipped form", "dangling link", "unreadable"})
        QTest::newRow(damage) << QString::fromLatin1(damage);
}

void TestSuiteFolder::damagedCopyComesBack()
{
    QFETCH(QString, damage);
    QVERIFY(m_suite->prepare(installedFolders()));
    const QString copy = inSuite(QStringLiteral("Dades.txt"));
    QFile::remove(copy);
    if (damage == QLatin1String("empty")) {
        write(copy, QByteArray());
    } else if (damage == QLatin1String("link to shipped form")) {
        QFile::link(installed(QStringLiteral("Dades.txt")), copy);
    } else if (damage == QLatin1String("dangling link")) {
        QFile::link(m_root->path() + QStringLiteral("/gone/Dades.txt"), copy);
    } else if (damage == QLatin1String("unreadable")) {
        if (geteuid() == 0)
            QSKIP("root reads every file");
        write(copy, "notes");
        QFile::setPermissions(copy, QFile::WriteOwner);
    }
    QVERIFY(m_suite->prepare(installedFolders()));
    QVERIFY(!QFileInfo(copy).isSymLink());
    QCOMPARE(read(copy), QByteArray("shipped Dades.txt"));
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

void TestSuiteFolder::unwritableFolderFails_data()
{
    QTest::addColumn<QString>("obstacle");
    QTest::newRow("a file where the folder goes") << "file";
    QTest::newRow("read-only home") << "read-only";
}

void TestSuiteFolder::unwritableFolderFails()
{
    QFETCH(QString, obstacle);
    const QString home = m_root->path() + QStringLiteral("/home");
    if (obstacle == QLatin1String("file")) {
        write(home, "not a folder");
    } else {
        if (geteuid() == 0)
            QSKIP("root writes every folder");
        QDir().mkpath(home);
        QFile::setPermissions(home, QFile::ReadOwner | QFile::ExeOwner);
    }
    QVERIFY(!m_suite->prepare(installedFolders()));
    QVERIFY(m_suite->failureMessage().contains(m_suite->path()));
}

QTEST_GUILESS_MAIN(TestSuiteFolder)
#include "test_suite_folder.moc"
