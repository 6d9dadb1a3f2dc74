#pragma once

#include "common/widgets/ControlPantalla.h"
#include "launcher/animation/Measurement.h"
#include "launcher/session/Session.h"
#include "common/core/Random.h"

#include <QObject>
#include <functional>
#include <memory>

class QApplication;
class Models;
class Optim_Boles;

// The launcher's start-up chain, splash → measurement → menu window, and
// its end when the user leaves the suite.
class Launcher : public QObject {
    Q_OBJECT

public:
    struct Hooks {
        Clock clock;
        ProgramStarter starter = startDetachedProgram;
        std::function<void()> endProgram;
    };

    Launcher(Random &random, Hooks hooks);
    ~Launcher() override;

    void start();

private:
    void screenChecked(ScreenScale scale);
    void measured();
    void leave();

    Random &m_random;
    Hooks m_hooks;
    ScreenScale m_scale;
    std::unique_ptr<ControlPantalla> m_splash;
    std::unique_ptr<Optim_Boles> m_calibration;
    std::unique_ptr<Models> m_menu;
};

namespace LauncherApp {
int run(QApplication &app);
}
