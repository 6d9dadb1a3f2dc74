#pragma once

#include "CalibrationFile.h"
#include "Concentracio.h"
#include "ParticleModel.h"

#include <QObject>

// The main window's commands on the particles: the Accions and Eines menu
// items, the press on a particle in Caja, and the clock tick.
class SimulationCommands : public QObject {
public:
    SimulationCommands(Concentracio &window, Scene &scene, Random &random);

    // The load's sizes from the calibration, then the scene in its start state.
    // Call after the layout; the clock is the caller's to start.
    void startScene(const SolidSize &size);

    // For the calculator: the solid rests at its start, not yet dropped.
    bool solidAtStart() const;
    // "Dissoldre sòlid"; runs even while its menu item is disabled.
    void dissoldreSolid();
    // "Tornar sòlid a posició inicial".
    void tornarSolid();

    void congelarImatge();
    void marcarParticules();
    void marcarBola(float X, float Y);
    void augmentarParticules();
    void disminuirParticules();
    void afinarMes();
    void afinarMenys();
    void tick();

    void Reinicia_Escena();

    bool MarcatgeActiu() const { return m_marcatgeActiu; }
    ParticleModel &model() { return m_model; }
    const ParticleModel &model() const { return m_model; }

private:
    void connectCommand(QAction *action, void (SimulationCommands::*command)());
    void rebuildWithVelocities();
    void setEdge(int edge, QAction *checked, QAction *unchecked);
    void replaceOverlapping();
    void replace(int i);
    int particleAt(float X, float Y) const;
    void setEinesEnabled(bool enabled);

    Concentracio &m_window;
    ParticleModel m_model;
    bool m_marcatgeActiu = false;
};
