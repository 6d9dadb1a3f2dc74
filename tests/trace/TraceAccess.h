#pragma once

// The few things the trace needs that a window does not show as widgets:
// the clock, one tick, and the particles' circles.

#include "model/startup/ModelProgram.h"

#include <QApplication>
#include <QTimer>
#include <memory>

class TraceModel {
public:
    explicit TraceModel(quint32 seed)
        : m_program(ScreenScale{}, SolidSize{5, 125}, Random(seed))
    {
        m_program.load();
    }

    QWidget &window() { return m_program.window(); }
    bool clockRunning() { return m_program.window().findChild<QTimer *>("tmrRellotge")->isActive(); }
    void tick() { m_program.tick(); }
    const CircleSet &circles() { return m_program.window().picture().circles(); }

private:
    ModelProgram m_program;
};
