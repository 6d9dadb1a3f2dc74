#include "common/widgets/PictureBox.h"

#include "common/core/ScreenScale.h"
#include "common/widgets/TwipGeometry.h"

#include <QMouseEvent>
#include <QPainter>

PictureBox::PictureBox(QWidget *parent)
    : QWidget(parent)
{
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
    // The beaker's lines as crisp as the particles on a high-density screen.
    m_surface.setPixelRatio(devicePixelRatioF());
}

void PictureBox::resizeTwips(float width, float height)
{
    m_surface.resize(width, height);
    fitToSurface();
}

void PictureBox::fitToSurface()
{
    TwipRect r = twipRect(this);
    r.width = m_surface.widthTwips();
    r.height = m_surface.heightTwips();
    setTwipRect(this, r);
    update();
}

void PictureBox::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    m_surface.paint(painter);
}

void PictureBox::mousePressEvent(QMouseEvent *event)
{
    const QPointF at = event->position();
    emit pressed(static_cast<float>(at.x() * TwipsPerPixel), static_cast<float>(at.y() * TwipsPerPixel));
}

void PictureBox::mouseMoveEvent(QMouseEvent *)
{
    emit pointerMoved();
}
