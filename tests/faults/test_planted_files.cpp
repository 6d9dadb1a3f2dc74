// What another account, or a prank, may leave where the programs look: each
// protection is proved by the harm it prevents.
#include "common/core/CalibrationFile.h"
#include "model/startup/SingleInstance.h"

#include <QTemporaryDir>
#include <QtTest>
#include <cstdio>
#include <cstdlib>
#include <future>

#include <sys/stat.h>
#include <sys/sysmacros.h>

class TestPlantedFiles : public QObject {
    Q_OBJECT

private slots:
    void deviceAsCalibrationFile();
    void singleInstanceSocketIsPrivate();

private:
    QTemporaryDir m_folder;
};

// An endless device read as the calibration would fill the memory; it is
// refused at once and the model takes its smallest solid.
void TestPlantedFiles::deviceAsCalibrationFile()
{
    const QString path = m_folder.path() + QStringLiteral("/Optim_boles.txt");
    if (::mknod(QFile::encodeName(path).constData(), S_IFCHR | 0600, makedev(1, 5)) != 0)
        QSKIP("making a device needs root");
    auto read = std::async(std::launch::async, [path] { return readCalibration(path); });
    if (read.wait_for(std::chrono::seconds(2)) != std::future_status::ready) {
        std::fprintf(stderr, "FAIL: the calibration reader is still reading a device\n");
        std::_Exit(1);
    }
    QCOMPARE(read.get().NombreBolesOptim, std::int16_t(64));
}

// Under a common umask a socket would be open to every account, which could
// then raise (or flood) another pupil's model.
void TestPlantedFiles::singleInstanceSocketIsPrivate()
{
    const mode_t previous = ::umask(022);
    const QString name = m_folder.path() + QStringLiteral("/Concentracio-socket");
    SingleInstance instance(name);
    QVERIFY(instance.claim());
    ::umask(previous);
    struct stat info {};
    QCOMPARE(::stat(QFile::encodeName(name).constData(), &info), 0);
    QCOMPARE(info.st_mode & 077, mode_t(0));
}

QTEST_GUILESS_MAIN(TestPlantedFiles)
#include "test_planted_files.moc"
