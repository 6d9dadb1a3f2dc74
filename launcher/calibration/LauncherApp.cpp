#include "launcher/calibration/LauncherApp.h"

#include "launcher/menu/Models.h"
#include "launcher/calibration/Optim_Boles.h"
#include "launcher/menu/Resources.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QIcon>

Launcher::Launcher(Random &random, Hooks hooks)
    : m_random(random)
    , m_hooks(std::move(hooks))
{
}

Launcher::~Launcher() = default;

void Launcher::start()
{
    m_splash = std::make_unique<ControlPantalla>(ControlPantalla::Look{Rgb{192, 192, 255}, false});
    connect(m_splash.get(), &ControlPantalla::screenChecked, this, &Launcher::screenChecked);
    m_splash->show();
}

void Launcher::screenChecked(ScreenScale scale)
{
    m_scale = scale;
    m_calibration = std::make_unique<Optim_Boles>(m_random, m_hooks.clock);
    connect(m_calibration.get(), &Optim_Boles::measured, this, &Launcher::measured);
    m_calibration->show();
    m_splash->close();
    m_splash.release()->deleteLater();
}

void Launcher::measured()
{
    m_menu = std::make_unique<Models>(m_scale, m_random);
    m_menu->setModelStarter(m_hooks.starter);
    connect(m_menu.get(), &Models::suiteLeft, this, &Launcher::leave);
    m_menu->show();
    m_calibration->putAway();
}

// Leaving ends the program whichever way the user went, the hidden
// calibration window included.
void Launcher::leave()
{
    m_calibration->close();
    m_hooks.endProgram();
}

int LauncherApp::run(QApplication &app)
{
    initLauncherResources();
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/launcher/icona.png")));
    QElapsedTimer elapsed;
    elapsed.start();
    Random random;
    Launcher::Hooks hooks;
    hooks.clock = [&elapsed] { return static_cast<double>(elapsed.nsecsElapsed()) * 1e-9; };
    hooks.endProgram = [] { QCoreApplication::exit(0); };
    Launcher launcher(random, hooks);
    launcher.start();
    return app.exec();
}
