#include "model/startup/ModelApp.h"

#include "common/core/CalibrationFile.h"
#include "common/widgets/ControlPantalla.h"
#include "model/startup/ModelProgram.h"
#include "model/startup/SingleInstance.h"

#include <QApplication>
#include <memory>

int ModelApp::run(QApplication &app)
{
    SingleInstance instance(SingleInstance::defaultName());
    if (!instance.claim())
        return 0;

    std::unique_ptr<ModelProgram> program;
    auto *splash = new ControlPantalla({{255, 255, 192}, true});
    splash->setAttribute(Qt::WA_DeleteOnClose);
    QObject::connect(splash, &ControlPantalla::screenChecked, [&](ScreenScale scale) {
        program = std::make_unique<ModelProgram>(scale, readCalibration(calibrationFilePath()));
        program->load();
        program->window().show();
        QObject::connect(&instance, &SingleInstance::raiseRequested, &program->window(),
                         [&] { bringToFront(program->window()); });
        splash->close();
    });
    splash->show();
    return app.exec();
}
