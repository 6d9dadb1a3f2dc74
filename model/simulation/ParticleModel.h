#pragma once

#include "model/simulation/ParticleSet.h"
#include "common/core/CalibrationFile.h"
#include "common/core/Random.h"
#include "common/surface/Surface.h"
#include "model/drawing/Vessel.h"

#include <cstdint>

// How fast a particle may go: 400 entries, each a speed band, the slow and
// fast bands narrow and the middle ones wide; the entry past them is 0.
std::array<std::int16_t, 401> Omple_TaulaVelocitats();

// The solid's fall into the beaker, the release of its particles and their
// motion through the solution, one clock tick at a time. It draws the beaker
// and the base on the picture surface and moves the surface's circles.
class ParticleModel {
public:
    ParticleModel(const Scene &scene, Surface &Caja, Random &random);

    // The scene at its start with the calibrated solid and the base diameter.
    void buildScene(const SolidSize &size);
    // The solid starts to fall on the next tick; the base is erased.
    void drop();
    // The tick's work: fall, release, then exchange and move.
    void tick();
    // A new solid at its start, with new velocities.
    void returnSolid();
    // Same, with `edge` particles per edge or the given diameter.
    void changeEdge(int edge);
    void changeDiameter(float diameter);
    // The circles placed again so that overlaps show the smaller particle.
    void freeze();
    // Marks or unmarks the particle under a point; false when there is none.
    bool markAt(float X, float Y);
    void hideCircles();

    const ParticleSet &particles() const { return m_particles; }
    std::int16_t BolesAresta() const { return m_bolesAresta; }
    std::int16_t NombreBoles() const { return m_nombreBoles; }
    float DiametreBola() const { return m_diametreBola; }
    float YSolid() const { return m_ySolid; }
    bool SolidCaient() const { return m_solidCaient; }
    bool Dissolent() const { return m_dissolent; }
    int BolesDissoltes() const { return static_cast<int>(m_bolesDissoltes); }
    const Table<std::int16_t> &OrdreDissolucio() const { return m_ordreDissolucio; }

private:
    void Reinicia_Escena();
    void Construeix_Solid();
    void Assigna_Velocitats(std::int16_t Inici);
    void Velocitat_Aleatoria(int i, const std::array<std::int16_t, 401> &TaulaVelocitats);
    int drawSpeedEntry(const std::array<std::int16_t, 401> &TaulaVelocitats);
    void Barreja_Llista(int n);
    void Pas_Caiguda();
    void Allibera_Bola();
    void land();
    void placeSolid(float diameter);

    const Scene &m_scene;
    Surface &m_caja;
    Random &m_random;
    ParticleSet m_particles;
    CSolido m_solid;
    CCilindro m_upper;
    CCilindro m_solution;
    CBase m_base;

    std::int16_t m_bolesAresta = 4;
    std::int16_t m_nombreBoles = 64;
    float m_diametreBola = 64;

    float m_ySolid = 0;
    bool m_solidCaient = false;
    bool m_dissolent = false;
    float m_bolesDissoltes = 0;
    Table<std::int16_t> m_ordreDissolucio{};
    Table<std::int16_t> m_llistaDissoltes{};
    Table<std::int16_t> m_llistaBarrejada{};
};
