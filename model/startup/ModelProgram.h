#pragma once

#include "CalibrationFile.h"
#include "Concentracio.h"
#include "DocumentCommands.h"
#include "Random.h"
#include "Scene.h"
#include "ScreenScale.h"
#include "SimulationCommands.h"

// The model's main window with everything that acts on it, loaded in the
// order the scene needs: layout, then beaker, then solid, then the clock.
class ModelProgram : public QObject {
    Q_OBJECT

public:
    ModelProgram(const ScreenScale &scale, const SolidSize &size, Random random = Random());

    void load();

    Concentracio &window() { return m_window; }
    Scene &scene() { return m_scene; }
    SimulationCommands &simulation() { return m_simulation; }
    DocumentCommands &documents() { return m_documents; }

    static const QString Propietats;

private:
    bool eventFilter(QObject *watched, QEvent *event) override;

    ScreenScale m_scale;
    SolidSize m_size;
    Concentracio m_window;
    Scene m_scene;
    Random m_random;
    SimulationCommands m_simulation;
    DocumentCommands m_documents;
};
