#include "TestSupport.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Kinetra"));
    int failures = 0;
    for (auto run : {runParticleBoxTests, runMeasurementTests, runModelsTests, runLauncherTests})
        failures += run(argc, argv);
    return failures;
}
