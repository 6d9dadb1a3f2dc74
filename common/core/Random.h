#pragma once

#include <cstdint>
#include <random>

// One generator per program. Re-seeding mixes the clock into the current
// state, so draws made at one clock reading still differ; a fixed seed
// leaves the clock out and makes a run replayable.
class Random {
public:
    Random();
    explicit Random(std::uint64_t fixedSeed);

    double uniform(); // [0, 1)
    void reseedFromClock();

private:
    std::mt19937_64 m_engine;
    bool m_fixed;
};
