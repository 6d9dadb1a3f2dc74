#pragma once

#include "common/core/CalibrationFile.h"
#include "model/calculator/Comanda.h"
#include "model/simulation/ParticleModel.h"

// The main window's commands on the particles: the Accions and Eines menu
// items, the press on a particle, and the clock tick, with the state of
// their menu items and of the clock.
class SimulationCommands {
public:
    SimulationCommands(const Scene &scene, Surface &Caja, Random &random);

    // The load's sizes from the calibration, then the scene in its start state.
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

    // A tick would move something: the solid falls or particles are released.
    bool sceneMoves() const;
    bool MarcatgeActiu() const { return m_marcatgeActiu; }
    bool rellotgeActiu() const { return m_rellotgeActiu; }
    // The freeze command has been used: its caption then says what it does next.
    bool congelarUsat() const { return m_congelarUsat; }
    bool einesEnabled() const { return m_einesEnabled; }
    bool solidEnabled() const { return m_solidEnabled; }
    const EstatComanda &augmentar() const { return m_augmentar; }
    const EstatComanda &disminuir() const { return m_disminuir; }
    const EstatComanda &afinarMesItem() const { return m_afinarMes; }
    const EstatComanda &afinarMenysItem() const { return m_afinarMenys; }

    const ParticleModel &model() const { return m_model; }

private:
    void changeEdge(int edge);
    void changeDiameter(float diameter);

    const Scene &m_scene;
    ParticleModel m_model;
    bool m_marcatgeActiu = false;
    bool m_rellotgeActiu = false;
    bool m_congelarUsat = false;
    bool m_einesEnabled = true;
    bool m_solidEnabled = true;
    EstatComanda m_augmentar;
    EstatComanda m_disminuir;
    EstatComanda m_afinarMes;
    EstatComanda m_afinarMenys;
};
