#pragma once

#include "launcher/animation/ParticleBox.h"

#include <cstdint>
#include <functional>

// Seconds from a monotonic clock.
using Clock = std::function<double()>;

// Animates growing sets of particles and stops at the first count whose ten
// ticks take longer than ten times the budget, or at 400.
class Measurement {
public:
    enum class Step { Moved, Grew, Finished };

    // One mark at the start and one for each growth, 50 to 400 particles.
    static constexpr int MostMarks = 36;

    Measurement(ParticleBox &box, Clock clock);

    // The first set of 50 particles.
    void start();
    // Times the current set from now, so that what came before is not
    // counted as animation.
    void restartTiming();
    Step tick();

    float TempsBudget() const { return m_TempsBudget; }
    std::int16_t NombreBoles() const { return m_NombreBoles; }
    // The count to write, once finished.
    std::int16_t NombreFinal() const { return m_NombreFinal; }
    // How far it has gone, 1 to MostMarks.
    int marks() const;

private:
    void Crea_Boles_Optim();
    bool withinBudget() const;

    ParticleBox &m_box;
    Clock m_clock;
    float m_TempsBudget;
    std::int16_t m_NombreBoles = 50;
    std::int16_t m_Comptador = 0;
    std::int16_t m_NombreFinal = 0;
    double m_TempsInici = 0;
};
