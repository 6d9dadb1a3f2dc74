#include "SimulationCommands.h"

#include <cmath>

namespace {

const QString CaptionCongelar = QStringLiteral("Congelar Imatge");
const QString CaptionDescongelar = QStringLiteral("Descongelar Imatge");

} // namespace

SimulationCommands::SimulationCommands(Concentracio &window, Scene &scene, Random &random)
    : m_window(window)
    , m_model(scene, window.Caja->surface(), random)
{
    connectCommand(window.AccionsSolid, &SimulationCommands::dissoldreSolid);
    connectCommand(window.AccionsInici, &SimulationCommands::tornarSolid);
    connectCommand(window.AccionsCongelar, &SimulationCommands::congelarImatge);
    connectCommand(window.AccionsMarcar, &SimulationCommands::marcarParticules);
    connectCommand(window.EinesPsolidA, &SimulationCommands::augmentarParticules);
    connectCommand(window.EinesPsolidD, &SimulationCommands::disminuirParticules);
    connectCommand(window.EinesDiamAfAu, &SimulationCommands::afinarMes);
    connectCommand(window.EinesDiamAfDi, &SimulationCommands::afinarMenys);
    connect(window.Caja, &PictureBox::pressed, this, &SimulationCommands::marcarBola);
    connect(&window.tmrRellotge, &QTimer::timeout, this, &SimulationCommands::tick);
}

void SimulationCommands::connectCommand(QAction *action, void (SimulationCommands::*command)())
{
    connect(action, &QAction::triggered, this, [this, action, command] {
        // The command sets the check mark itself; undo the toggle Qt made.
        if (action->isCheckable())
            action->setChecked(!action->isChecked());
        (this->*command)();
    });
}

void SimulationCommands::startScene(const SolidSize &size)
{
    ParticleModel &m = m_model;
    m.BolesAresta = size.BolesAresta;
    m.NombreBolesOptim = size.NombreBolesOptim;
    m.FactorEspai = 1;
    m.DiametreBolaTriat = m.DiametreBola = m.scene.DiametreBolaBase;
    m.NombreBolesTriat = m.NombreBoles = m.NombreBolesOptim;
    Reinicia_Escena();
}

void SimulationCommands::Reinicia_Escena()
{
    setEinesEnabled(true);
    m_model.Reinicia_Escena();
    // The beaker's drawing sets the surface's size.
    m_window.Caja->fitToSurface();
}

void SimulationCommands::setEinesEnabled(bool enabled)
{
    m_window.mnuEines->menuAction()->setEnabled(enabled);
}

void SimulationCommands::tick()
{
    m_model.tick();
    m_window.Caja->update();
}

bool SimulationCommands::solidAtStart() const
{
    return m_model.BolesDissoltes == 0 && !m_model.SolidCaient;
}

void SimulationCommands::dissoldreSolid()
{
    m_model.BolesDissoltes = 0;
    m_model.SolidCaient = true;
    m_model.YSolid = m_model.scene.YSolidInici;
    m_window.AccionsSolid->setEnabled(false);
    setEinesEnabled(false);
    m_model.eraseBase();
    m_window.Caja->update();
}

void SimulationCommands::rebuildWithVelocities()
{
    Reinicia_Escena();
    m_model.Assigna_Velocitats(0);
}

void SimulationCommands::tornarSolid()
{
    rebuildWithVelocities();
    m_window.AccionsSolid->setEnabled(true);
}

void SimulationCommands::congelarImatge()
{
    QTimer &clock = m_window.tmrRellotge;
    if (!clock.isActive()) {
        clock.start();
        m_window.AccionsCongelar->setText(CaptionCongelar);
        return;
    }
    replaceOverlapping();
    clock.stop();
    m_window.AccionsCongelar->setText(CaptionDescongelar);
    m_window.Caja->update();
}

// Moving a circle brings it to the front, so of two overlapping particles the
// smaller (deeper) one, moved last, stays visible in the still picture.
void SimulationCommands::replace(int i)
{
    ParticleModel &m = m_model;
    m.Cercle.place(i, m.PantX[i], m.PantY[i], m.DiamPant[i]);
    m.Cercle.bringToFront(i);
}

void SimulationCommands::replaceOverlapping()
{
    const ParticleModel &m = m_model;
    for (int i = 0; i < m.NombreBoles; ++i) {
        if (m.BolaEnSolid[i])
            continue;
        for (int j = i + 1; j < m.NombreBoles; ++j) {
            const double distance = std::hypot(double(m.PantX[i]) - m.PantX[j], double(m.PantY[i]) - m.PantY[j]);
            if ((m.DiamPant[i] + m.DiamPant[j]) / 2 <= distance)
                continue;
            const bool iSmaller = m.DiamPant[i] <= m.DiamPant[j];
            replace(iSmaller ? j : i);
            replace(iSmaller ? i : j);
        }
    }
}

void SimulationCommands::marcarParticules()
{
    m_marcatgeActiu = !m_marcatgeActiu;
    m_window.AccionsMarcar->setChecked(m_marcatgeActiu);
}

int SimulationCommands::particleAt(float X, float Y) const
{
    const ParticleModel &m = m_model;
    for (int i = 0; i < m.NombreBoles; ++i) {
        const float half = m.DiamPant[i] / 2;
        if (std::abs(X - m.PantX[i] - half) <= half && std::abs(Y - m.PantY[i] - half) <= half)
            return i;
    }
    return -1;
}

void SimulationCommands::marcarBola(float X, float Y)
{
    const int i = particleAt(X, Y);
    if (i < 0 || !m_marcatgeActiu)
        return;
    Circle &c = m_model.Cercle[i];
    const bool marked = c.fill != FillBola;
    c.fill = marked ? FillBola : FillMarcada;
    c.border = marked ? BorderBola : BorderMarcada;
    m_window.Caja->update();
}

void SimulationCommands::setEdge(int edge, QAction *checked, QAction *unchecked)
{
    m_model.BolesAresta = static_cast<std::int16_t>(edge);
    m_model.NombreBolesTriat = static_cast<std::int16_t>(edge * edge * edge);
    checked->setChecked(true);
    unchecked->setChecked(false);
}

void SimulationCommands::augmentarParticules()
{
    Concentracio &w = m_window;
    if (m_model.BolesAresta < 6)
        setEdge(m_model.BolesAresta + 1, w.EinesPsolidA, w.EinesPsolidD);
    if (m_model.BolesAresta >= 6)
        w.EinesPsolidA->setEnabled(false);
    w.EinesPsolidD->setEnabled(true);
    rebuildWithVelocities();
}

void SimulationCommands::disminuirParticules()
{
    Concentracio &w = m_window;
    if (m_model.BolesAresta > 3)
        setEdge(m_model.BolesAresta - 1, w.EinesPsolidD, w.EinesPsolidA);
    if (m_model.BolesAresta < 4)
        w.EinesPsolidD->setEnabled(false);
    w.EinesPsolidA->setEnabled(true);
    rebuildWithVelocities();
}

void SimulationCommands::afinarMes()
{
    ParticleModel &m = m_model;
    m.hideCircles();
    if (static_cast<float>(1.1 * m.scene.DiametreBolaBase) <= m.DiametreBolaTriat) {
        m_window.EinesDiamAfAu->setEnabled(false);
    } else {
        m.DiametreBolaTriat = static_cast<float>(m.DiametreBolaTriat * 1.01);
        m_window.EinesDiamAfDi->setEnabled(true);
    }
    m.DiametreBola = m.DiametreBolaTriat;
    rebuildWithVelocities();
}

void SimulationCommands::afinarMenys()
{
    ParticleModel &m = m_model;
    m.hideCircles();
    if (static_cast<float>(0.9 * m.scene.DiametreBolaBase) < m.DiametreBolaTriat) {
        m.DiametreBolaTriat = static_cast<float>(m.DiametreBolaTriat * 0.99);
        m_window.EinesDiamAfAu->setEnabled(true);
    } else {
        m_window.EinesDiamAfDi->setEnabled(false);
    }
    m.DiametreBola = m.DiametreBolaTriat;
    rebuildWithVelocities();
}
