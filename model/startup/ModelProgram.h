#pragma once

#include "common/core/CalibrationFile.h"
#include "common/core/Random.h"
#include "common/core/ScreenScale.h"
#include "model/calculator/Calculadora.h"
#include "model/documents/DocumentCommands.h"
#include "model/drawing/Scene.h"
#include "model/simulation/SimulationCommands.h"
#include "model/windows/Concentracio.h"
#include "model/windows/SceneDescription.h"

#include <optional>

// The model: its main window, the simulation and the calculator behind it,
// and the document commands, loaded in the order the scene needs: layout,
// then beaker, then solid, then the clock. Every action the window reports
// goes to the part it concerns, and the window then shows the new state.
class ModelProgram : public QObject {
    Q_OBJECT

public:
    ModelProgram(const ScreenScale &scale, const SolidSize &size, Random random = Random());

    void load();
    // The clock's work: a step of the simulation, then what it changed.
    void tick();

    Concentracio &window() { return m_window; }
    const Scene &scene() const { return m_scene; }
    SimulationCommands &simulation() { return m_simulation; }
    DocumentCommands &documents() { return m_documents; }

    static const QString Propietats;

private:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void command(Comanda command);
    void dataEdited(Dada dada, const QString &text);
    void moveSolid(SolidAction action);
    void describeScene();
    void showState();
    void followClock();

    ScreenScale m_scale;
    SolidSize m_size;
    Concentracio m_window;
    const Scene m_scene;
    Random m_random;
    SimulationCommands m_simulation;
    Calculadora m_calculator;
    DocumentCommands m_documents;
    std::optional<SceneView> m_described;
};
