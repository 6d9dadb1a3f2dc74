#include "launcher/menu/ParticleCorner.h"

#include "common/core/ScreenScale.h"
#include "common/widgets/PictureBox.h"
#include "common/widgets/TwipGeometry.h"

#include <QTimer>

ParticleCorner::ParticleCorner(QWidget *parent, Random &random)
    : QObject(parent)
    , Caja(new PictureBox(parent))
    , m_boles(Caja->surface().circles(), random)
    , tmrRellotge(new QTimer(this))
{
    Caja->setObjectName(QStringLiteral("Caja"));
    Caja->surface().setBackground({175, 255, 210});
    tmrRellotge->setObjectName(QStringLiteral("tmrRellotge"));
    tmrRellotge->setTimerType(Qt::PreciseTimer);
    tmrRellotge->setInterval(50);
    connect(tmrRellotge, &QTimer::timeout, this, &ParticleCorner::tick);
    connect(Caja, &PictureBox::pointerMoved, this, &ParticleCorner::resume);
}

void ParticleCorner::setUp(const ScreenScale &scale, float rightEdgeTwips)
{
    const BoxConstants c = BoxConstants::background(scale);
    m_boles.setConstants(c);
    moveTwips(Caja, rightEdgeTwips - c.AmpladaCaja(), scale.AjustarPantalla ? scaled(400, scale.EscalaPantalla) : 400);
    Caja->resizeTwips(c.AmpladaCaja(), c.AlturaCaja());
}

void ParticleCorner::start()
{
    m_boles.create(100);
    Caja->update();
    tmrRellotge->start();
}

// Setting a running timer going again would restart its interval and hold
// the animation back for as long as the pointer keeps moving.
void ParticleCorner::resume()
{
    if (!tmrRellotge->isActive())
        tmrRellotge->start();
}

void ParticleCorner::freeze()
{
    tmrRellotge->stop();
    m_boles.Ordena_Profunditat();
    Caja->update();
}

void ParticleCorner::stop()
{
    tmrRellotge->stop();
}

void ParticleCorner::tick()
{
    m_boles.step();
    Caja->update();
}
