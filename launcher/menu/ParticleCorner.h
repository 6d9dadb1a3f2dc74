#pragma once

#include "launcher/animation/ParticleBox.h"

#include <QObject>

class PictureBox;
class QTimer;
class QWidget;
struct ScreenScale;

// The box of particles in the menu window's corner: its picture, its
// particles and the clock that moves them. It runs until a model starts and
// resumes when the pointer passes over it or the window is active again.
class ParticleCorner : public QObject {
    Q_OBJECT

public:
    ParticleCorner(QWidget *parent, Random &random);

    // Sizes the box for the screen and sets it right-aligned with `rightEdge`.
    void setUp(const ScreenScale &scale, float rightEdgeTwips);
    // A hundred particles, moving.
    void start();
    void resume();
    // Stands still with nearer particles drawn in front.
    void freeze();
    void stop();

private:
    void tick();

    PictureBox *Caja;
    ParticleBox m_boles;
    QTimer *tmrRellotge;
};
