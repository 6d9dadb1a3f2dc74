#include "launcher/menu/ParticleCorner.h"

#include "common/core/ScreenScale.h"
#include "common/widgets/PictureBox.h"
#include "common/widgets/TwipGeometry.h"

#include <QTimer>

ParticleCorner::ParticleCorner(QWidget *parent, Random &random)
    : QObject(parent)
    , Caja(new PictureBox(parent))
    , boles(Caja->surface().circles(), random)
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
    BoxConstants c = backgroundBoxConstants();
    float top = 400;
    if (scale.AjustarPantalla) {
        const float e = scale.EscalaPantalla;
        for (float *length : {&c.DiametreBola, &c.AmpladaRecinte, &c.AlturaRecinte, &c.FonsRecinte, &AmpladaCaja,
                              &AlturaCaja})
            *length = scaled(*length, e);
        top = scaled(top, e);
    }
    setBackOffset(c, static_cast<float>(0.2 * c.AmpladaRecinte), static_cast<float>(0.2 * c.AlturaRecinte));
    boles.setConstants(c);
    moveTwips(Caja, rightEdgeTwips - AmpladaCaja, top);
    Caja->resizeTwips(AmpladaCaja, AlturaCaja);
}

void ParticleCorner::start()
{
    boles.create(100);
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
    boles.Ordena_Profunditat();
    Caja->update();
}

void ParticleCorner::stop()
{
    tmrRellotge->stop();
}

void ParticleCorner::tick()
{
    boles.step();
    Caja->update();
}
