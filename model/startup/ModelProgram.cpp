#include "model/startup/ModelProgram.h"

#include "common/widgets/Screen.h"
#include "model/startup/CommandRouting.h"
#include "model/windows/SceneDescription.h"

#include <QCoreApplication>
#include <QEvent>
#include <QTimer>

const QString ModelProgram::Propietats = QStringLiteral(
    "La concentració d'un solut en una dissolució es pot referir a la massa present de solut, en tant per cent o "
    "grams per litre, o a la quantitat de mols, i per tant de partícules presents, en Molaritat, molalitat o "
    "fracció molar");

ModelProgram::ModelProgram(const ScreenScale &scale, const SolidSize &size, Random random)
    : m_scale(scale)
    , m_size(size)
    , m_scene(sceneAtScale(scale.AjustarPantalla ? scale.EscalaPantalla : 1))
    , m_random(random)
    , m_simulation(m_scene, m_window.picture(), m_random)
    , m_documents(m_window, scale.EscalaPantalla)
{
    connect(&m_window, &Concentracio::commandChosen, this, &ModelProgram::command);
    connect(&m_window, &Concentracio::dataEdited, this, &ModelProgram::dataEdited);
    connect(&m_window, &Concentracio::resultsButtonClicked, this, [this] {
        m_calculator.cmdResultats_Click();
        showState();
    });
    connect(&m_window, &Concentracio::picturePressed, this, [this](float x, float y) {
        m_simulation.marcarBola(x, y);
        m_window.repaintPicture();
    });
    connect(&m_window.clock(), &QTimer::timeout, this, &ModelProgram::tick);
    m_window.installEventFilter(this);
}

bool ModelProgram::eventFilter(QObject *watched, QEvent *event)
{
    // Closing the main window ends the program, help window and all.
    if (watched == &m_window && event->type() == QEvent::Close)
        QMetaObject::invokeMethod(qApp, &QCoreApplication::quit, Qt::QueuedConnection);
    return QObject::eventFilter(watched, event);
}

void ModelProgram::load()
{
    maximise(&m_window);
    m_window.prepare(m_scene.ColorFons, Propietats);
    m_window.Disposa_Controls(m_scene.ColorFons);
    if (m_scale.AjustarPantalla)
        m_window.Escala_Controls(m_scale.EscalaPantalla);
    m_simulation.startScene(m_size);
    showState();
}

void ModelProgram::showState()
{
    m_window.showCalculator(m_calculator);
    m_window.showSimulation(m_simulation);
    followClock();
    describeScene();
}

// At rest a tick does nothing, so the clock waits for something to move.
void ModelProgram::followClock()
{
    QTimer &clock = m_window.clock();
    const bool run = m_simulation.rellotgeActiu() && m_simulation.sceneMoves();
    if (run != clock.isActive())
        run ? clock.start() : clock.stop();
}

void ModelProgram::tick()
{
    m_simulation.tick();
    m_window.repaintPicture(m_window.picture().circles().takePlacedArea());
    describeScene();
}

namespace {

// A particle leaves the solid every 40 ms; counted one by one, a screen
// reader on the beaker would hear of little else.
constexpr int DissolvedStep = 20;

} // namespace

// A screen reader hears of the scene when its phase changes, and of the
// dissolved particles in steps, the last one included.
void ModelProgram::describeScene()
{
    const ParticleModel &m = m_simulation.model();
    const int dissolved = m.BolesDissoltes();
    const int told = dissolved < m.NombreBoles() ? dissolved - dissolved % DissolvedStep : dissolved;
    const SceneView view{m.NombreBoles(), told, m.SolidCaient(), m.Dissolent(), !m_simulation.rellotgeActiu(),
                         m_simulation.MarcatgeActiu()};
    if (view == m_described)
        return;
    // What a pupil must not miss is told at once, wherever the focus is.
    const QString news = m_described ? sceneNews(*m_described, view) : QString();
    if (!news.isEmpty())
        m_window.announce(news);
    m_described = view;
    m_window.describePicture(::describeScene(view));
}

void ModelProgram::command(Comanda command)
{
    if (command == Comanda::ArxiuSortir)
        QMetaObject::invokeMethod(qApp, &QCoreApplication::quit, Qt::QueuedConnection);
    m_documents.command(command);
    if (const std::optional<SolidAction> action = runOnCalculator(command, m_calculator))
        moveSolid(*action);
    else if (!runOnSimulation(command, m_simulation))
        return;
    showState();
    if (!choosesMeasures(command))
        return;
    if (const std::optional<Dada> empty = m_calculator.firstEmptyDatum())
        m_window.focusDatum(*empty);
}

void ModelProgram::dataEdited(Dada dada, const QString &text)
{
    moveSolid(m_calculator.dataTextChanged(dada, text.toStdString()));
    showState();
}

void ModelProgram::moveSolid(SolidAction action)
{
    if (action == SolidAction::Deixar && m_simulation.solidAtStart())
        m_simulation.dissoldreSolid();
    else if (action == SolidAction::Tornar)
        m_simulation.tornarSolid();
}
