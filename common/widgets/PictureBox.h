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

signals:
    void pressed(float xTwips, float yTwips);
    void pointerMoved();

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;

private:
    Surface m_surface;
};
