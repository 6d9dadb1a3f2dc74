#pragma once

#include "common/surface/Surface.h"

#include <QWidget>

// The picture box of both programs: its surface's drawing and circles, and
// the pointer events the programs react to, in twips.
class PictureBox : public QWidget {
    Q_OBJECT

public:
    explicit PictureBox(QWidget *parent = nullptr);

    Surface &surface() { return m_surface; }
    const Surface &surface() const { return m_surface; }

    // Sizes the drawing and the box together, keeping the box's place.
    void resizeTwips(float width, float height);
    // Gives the box the size its surface was last drawn at.
    void fitToSurface();
    // While on, the arrow keys move a marker from circle to circle, and Space
    // presses on the marked one as a click there would.
    void setKeyboardMarking(bool on);

signals:
    void pressed(float xTwips, float yTwips);
    void pointerMoved();
    // The marker is on the place-th of count circles shown.
    void markerMoved(int place, int count);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;

private:
    QList<int> shownCircles() const;
    void moveMarker(int step);
    QRectF markedRect() const;

    Surface m_surface;
    bool m_keyboardMarking = false;
    // A circle's index, or -1.
    int m_marker = -1;
};
