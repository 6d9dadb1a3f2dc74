#include "model/simulation/SimulationCommands.h"

SimulationCommands::SimulationCommands(const Scene &scene, Surface &Caja, Random &random)
    : m_scene(scene)
    , m_model(scene, Caja, random)
{
}

void SimulationCommands::startScene(const SolidSize &size)
{
    m_einesEnabled = true;
    m_model.buildScene(size);
    m_rellotgeActiu = true;
}

void SimulationCommands::tick()
{
    m_model.tick();
}

bool SimulationCommands::solidAtStart() const
{
    return m_model.BolesDissoltes() == 0 && !m_model.SolidCaient();
}

bool SimulationCommands::sceneMoves() const
{
    return m_model.SolidCaient() || m_model.Dissolent() || m_model.BolesDissoltes() > 0;
}

void SimulationCommands::dissoldreSolid()
{
    m_solidEnabled = false;
    m_einesEnabled = false;
    m_model.drop();
}

void SimulationCommands::tornarSolid()
{
    m_einesEnabled = true;
    m_model.returnSolid();
    m_solidEnabled = true;
}

void SimulationCommands::congelarImatge()
{
    m_congelarUsat = true;
    if (!m_rellotgeActiu) {
        m_rellotgeActiu = true;
        return;
    }
    m_model.freeze();
    m_rellotgeActiu = false;
}

void SimulationCommands::marcarParticules()
{
    m_marcatgeActiu = !m_marcatgeActiu;
}

void SimulationCommands::marcarBola(float X, float Y)
{
    if (m_marcatgeActiu)
        m_model.markAt(X, Y);
}

namespace {

void checkOnly(EstatComanda &checked, EstatComanda &unchecked)
{
    checked.checked = true;
    unchecked.checked = false;
}

} // namespace

void SimulationCommands::augmentarParticules()
{
    int edge = m_model.BolesAresta();
    if (edge < 6) {
        ++edge;
        checkOnly(m_augmentar, m_disminuir);
    }
    if (edge >= 6)
        m_augmentar.enabled = false;
    m_disminuir.enabled = true;
    changeEdge(edge);
}

void SimulationCommands::disminuirParticules()
{
    int edge = m_model.BolesAresta();
    if (edge > 3) {
        --edge;
        checkOnly(m_disminuir, m_augmentar);
    }
    if (edge < 4)
        m_disminuir.enabled = false;
    m_augmentar.enabled = true;
    changeEdge(edge);
}

void SimulationCommands::changeEdge(int edge)
{
    m_einesEnabled = true;
    m_model.changeEdge(edge);
}

void SimulationCommands::changeDiameter(float diameter)
{
    m_einesEnabled = true;
    m_model.changeDiameter(diameter);
}

void SimulationCommands::afinarMes()
{
    m_model.hideCircles();
    float diameter = m_model.DiametreBola();
    if (static_cast<float>(1.1 * m_scene.DiametreBolaBase) <= diameter) {
        m_afinarMes.enabled = false;
    } else {
        diameter = static_cast<float>(diameter * 1.01);
        m_afinarMenys.enabled = true;
    }
    changeDiameter(diameter);
}

void SimulationCommands::afinarMenys()
{
    m_model.hideCircles();
    float diameter = m_model.DiametreBola();
    if (static_cast<float>(0.9 * m_scene.DiametreBolaBase) < diameter) {
        diameter = static_cast<float>(diameter * 0.99);
        m_afinarMes.enabled = true;
    } else {
        m_afinarMenys.enabled = false;
    }
    changeDiameter(diameter);
}
