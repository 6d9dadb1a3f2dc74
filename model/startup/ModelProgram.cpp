#include "ModelProgram.h"

#include "Calculadora.h"
#include "Layout.h"
#include "LiveDescription.h"
#include "SceneDescription.h"

#include <QCoreApplication>
#include <QEvent>

const QString ModelProgram::Propietats = QStringLiteral(
    "La concentració d'un solut en una dissolució es pot referir a la massa present de solut, en tant per cent o "
    "grams per litre, o a la quantitat de mols, i per tant de partícules presents, en Molaritat, molalitat o "
    "fracció molar");

ModelProgram::ModelProgram(const ScreenScale &scale, const SolidSize &size, Random random)
    : m_scale(scale)
    , m_size(size)
    , m_random(random)
    , m_simulation(m_window, m_scene, m_random)
    , m_documents(m_window, scale.EscalaPantalla)
{
    new Calculadora(m_window, {[this] { return m_simulation.solidAtStart(); }, [this] { m_simulation.dissoldreSolid(); },
                               [this] { m_simulation.tornarSolid(); }});
    connect(m_window.ArxiuSortir, &QAction::triggered, qApp, &QCoreApplication::quit, Qt::QueuedConnection);
    m_window.installEventFilter(this);
    const QAction *marcar = m_window.findChild<QAction *>(QStringLiteral("AccionsMarcar"));
    new LiveDescription(*m_window.findChild<QWidget *>(QStringLiteral("Caja")), [this, marcar] {
        const ParticleModel &m = m_simulation.model();
        return describeScene({m.NombreBoles, static_cast<int>(m.BolesDissoltes), m.SolidCaient, m.Dissolent,
                              !m_window.tmrRellotge.isActive(), marcar->isChecked()});
    }, this);
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
    Concentracio &w = m_window;
    maximise(&w);
    QPalette pal = w.client->palette();
    pal.setColor(QPalette::Window, QColor(m_scene.ColorFons.r, m_scene.ColorFons.g, m_scene.ColorFons.b));
    w.client->setPalette(pal);
    w.frDades->hide();
    w.frResultats->hide();
    w.cmdResultats->hide();
    m_scene.NivellPerspectiva = 1.0f;
    m_scene.Unitat = 10;
    m_scene.DiametreBolaBase = 64;
    Disposa_Controls(w, m_scene);
    if (m_scale.AjustarPantalla)
        Escala_Controls(w, m_scene, m_scale.EscalaPantalla);
    m_simulation.startScene(m_size);
    w.Caja->show();
    w.lblPropietats->setText(Propietats);
    w.tmrRellotge.setInterval(40);
    w.tmrRellotge.start();
}
