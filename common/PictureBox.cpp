#include "PictureBox.h"

#include "ScreenScale.h"
#include "TwipGeometry.h"

#include <QMouseEvent>
#include <QPainter>

PictureBox::PictureBox(QWidget *parent)
    : QWidget(parent)
{
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void PictureBox::resizeTwips(float width, float height)
{
    m_surface.resize(width, height);
    TwipRect r = twipRect(this);
    r.width = width;
    r.height = height;
    setTwipRect(this, r);
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
