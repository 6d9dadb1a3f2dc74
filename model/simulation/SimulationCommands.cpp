#include "model/simulation/SimulationCommands.h"

#include <cmath>

SimulationCommands::SimulationCommands(Scene &scene, Surface &Caja, Random &random)
    : m_model(scene, Caja, random)
{
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
    m_rellotgeActiu = true;
}

void SimulationCommands::Reinicia_Escena()
{
    m_einesEnabled = true;
    m_model.Reinicia_Escena();
}

void SimulationCommands::tick()
{
    m_model.tick();
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
    m_solidEnabled = false;
    m_einesEnabled = false;
    m_model.eraseBase();
}

void SimulationCommands::rebuildWithVelocities()
{
    Reinicia_Escena();
    m_model.Assigna_Velocitats(0);
}

void SimulationCommands::tornarSolid()
{
    rebuildWithVelocities();
    m_solidEnabled = true;
}

void SimulationCommands::congelarImatge()
{
    m_congelarUsat = true;
    if (!m_rellotgeActiu) {
        m_rellotgeActiu = true;
        return;
    }
    replaceOverlapping();
    m_rellotgeActiu = false;
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
}

void SimulationCommands::setEdge(int edge, EstatComanda &checked, EstatComanda &unchecked)
{
    m_model.BolesAresta = static_cast<std::int16_t>(edge);
    m_model.NombreBolesTriat = static_cast<std::int16_t>(edge * edge * edge);
    checked.checked = true;
    unchecked.checked = false;
}

void SimulationCommands::augmentarParticules()
{
    if (m_model.BolesAresta < 6)
        setEdge(m_model.BolesAresta + 1, m_augmentar, m_disminuir);
    if (m_model.BolesAresta >= 6)
        m_augmentar.enabled = false;
    m_disminuir.enabled = true;
    rebuildWithVelocities();
}

void SimulationCommands::disminuirParticules()
{
    if (m_model.BolesAresta > 3)
        setEdge(m_model.BolesAresta - 1, m_disminuir, m_augmentar);
    if (m_model.BolesAresta < 4)
        m_disminuir.enabled = false;
    m_augmentar.enabled = true;
    rebuildWithVelocities();
}

void SimulationCommands::afinarMes()
{
    ParticleModel &m = m_model;
    m.hideCircles();
    if (static_cast<float>(1.1 * m.scene.DiametreBolaBase) <= m.DiametreBolaTriat) {
        m_afinarMes.enabled = false;
    } else {
        m.DiametreBolaTriat = static_cast<float>(m.DiametreBolaTriat * 1.01);
        m_afinarMenys.enabled = true;
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
        m_afinarMes.enabled = true;
    } else {
        m_afinarMenys.enabled = false;
    }
    m.DiametreBola = m.DiametreBolaTriat;
    rebuildWithVelocities();
}
