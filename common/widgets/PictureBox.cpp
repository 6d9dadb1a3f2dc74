#include "common/widgets/PictureBox.h"

#include "common/core/ScreenScale.h"
#include "common/widgets/TwipGeometry.h"

#include <QKeyEvent>
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
    const QRectF marked = markedRect();
    if (marked.isEmpty())
        return;
    // Seen on the solution's pale green and on any particle's colour.
    painter.setPen(QPen(Qt::black, 1));
    painter.drawRect(marked);
    painter.setPen(QPen(Qt::white, 1, Qt::DotLine));
    painter.drawRect(marked);
}

void PictureBox::setKeyboardMarking(bool on)
{
    if (on == m_keyboardMarking)
        return;
    m_keyboardMarking = on;
    m_marker = -1;
    update();
}

QList<int> PictureBox::shownCircles() const
{
    QList<int> shown;
    const CircleSet &circles = m_surface.circles();
    for (int i = 1; i < circles.count(); ++i)
        if (circles[i].visible)
            shown << i;
    return shown;
}

void PictureBox::moveMarker(int step)
{
    const QList<int> shown = shownCircles();
    if (shown.isEmpty())
        return;
    const auto count = shown.size();
    const auto at = shown.indexOf(m_marker);
    const auto next = at < 0 ? (step > 0 ? 0 : count - 1) : (at + step + count) % count;
    m_marker = shown[next];
    update();
    emit markerMoved(int(next) + 1, int(count));
}

// The marked circle with a pixel of room around it, while it is shown and
// the box has the keyboard.
QRectF PictureBox::markedRect() const
{
    if (!m_keyboardMarking || !hasFocus() || m_marker < 0 || m_marker >= m_surface.circles().count())
        return {};
    const Circle &c = m_surface.circles()[m_marker];
    if (!c.visible)
        return {};
    return QRectF(twipsToPixelsF(c.left), twipsToPixelsF(c.top), twipsToPixelsF(c.size), twipsToPixelsF(c.size))
        .adjusted(-2, -2, 1, 1);
}

void PictureBox::keyPressEvent(QKeyEvent *event)
{
    if (!m_keyboardMarking)
        return QWidget::keyPressEvent(event);
    switch (event->key()) {
    case Qt::Key_Right:
    case Qt::Key_Down:
        return moveMarker(1);
    case Qt::Key_Left:
    case Qt::Key_Up:
        return moveMarker(-1);
    case Qt::Key_Space:
        if (m_marker > 0 && m_marker < m_surface.circles().count()) {
            const Circle &c = m_surface.circles()[m_marker];
            emit pressed(c.left + c.size / 2, c.top + c.size / 2);
            update();
        }
        return;
    default:
        return QWidget::keyPressEvent(event);
    }
}

void PictureBox::focusInEvent(QFocusEvent *event)
{
    QWidget::focusInEvent(event);
    update();
}

void PictureBox::focusOutEvent(QFocusEvent *event)
{
    QWidget::focusOutEvent(event);
    update();
}

void PictureBox::mousePressEvent(QMouseEvent *event)
{
    const QPointF at = event->position();
    emit pressed(pixelsToTwips(at.x()), pixelsToTwips(at.y()));
}

void PictureBox::mouseMoveEvent(QMouseEvent *)
{
    emit pointerMoved();
}
