#include "launcher/menu/MenuWidgets.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

Backdrop::Backdrop(QWidget *parent)
    : QWidget(parent)
{
    setAutoFillBackground(true);
    setMouseTracking(true);
}

void Backdrop::setPicture(const QPixmap &picture)
{
    m_picture = picture;
    update();
}

void Backdrop::paintEvent(QPaintEvent *)
{
    if (m_picture.isNull())
        return;
    QPainter painter(this);
    painter.drawPixmap(0, 0, m_picture);
}

void Backdrop::mouseMoveEvent(QMouseEvent *)
{
    emit pointerMoved();
}

ActiveLabel::ActiveLabel(QWidget *parent)
    : QLabel(parent)
{
    setMouseTracking(true);
    setFrameShadow(QFrame::Plain);
    setLineWidth(1);
    // The frame comes and goes under the pointer; the caption stays put.
    setIndent(0);
    // Tab only: a click must not leave a focus frame behind.
    setFocusPolicy(Qt::TabFocus);
}

// The pointer moving over a label sets its frame again and again.
void ActiveLabel::setFramed(bool framed)
{
    if (framed == isFramed())
        return;
    setFrameShape(framed ? QFrame::Box : QFrame::NoFrame);
}

void ActiveLabel::mouseMoveEvent(QMouseEvent *)
{
    emit pointerMoved();
}

void ActiveLabel::mousePressEvent(QMouseEvent *event)
{
    m_pressed = event->button() == Qt::LeftButton;
}

// A click is a press and a release of the left button over the label.
void ActiveLabel::mouseReleaseEvent(QMouseEvent *event)
{
    const bool click = m_pressed && event->button() == Qt::LeftButton && rect().contains(event->position().toPoint());
    m_pressed = false;
    if (click)
        emit clicked();
}

void ActiveLabel::keyPressEvent(QKeyEvent *event)
{
    const int key = event->key();
    if (key != Qt::Key_Return && key != Qt::Key_Enter && key != Qt::Key_Space) {
        QLabel::keyPressEvent(event);
        return;
    }
    if (!event->isAutoRepeat())
        press();
}

void ActiveLabel::focusInEvent(QFocusEvent *event)
{
    setFramed(true);
    QLabel::focusInEvent(event);
}

void ActiveLabel::focusOutEvent(QFocusEvent *event)
{
    if (!underMouse())
        setFramed(false);
    QLabel::focusOutEvent(event);
}
