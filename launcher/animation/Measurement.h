#pragma once

#include "launcher/animation/ParticleBox.h"

#include <cstdint>
#include <functional>

// Seconds from a monotonic clock.
using Clock = std::function<double()>;

// The calibration box: invisible particles in a fixed 6000-twip box.
BoxConstants calibrationBoxConstants();

// Animates growing sets of particles and stops at the first count whose ten
// ticks take longer than ten times the budget, or at 400.
class Measurement {
public:
    enum class Step { Moved, Grew, Finished };

    Measurement(ParticleBox &box, Clock clock);

    // The first set of 50 particles.
    void start();
    // Times the current set from now, so that what came before is not
    // counted as animation.
    void restartTiming();
    Step tick();

    float TempsBudget;
    std::int16_t NombreBoles = 50;
    std::int16_t Comptador = 0;
    std::int16_t NombreFinal = 0;
    double TempsInici = 0;

private:
    void Crea_Boles_Optim();
    bool withinBudget() const;

    ParticleBox &m_box;
    Clock m_clock;
};
