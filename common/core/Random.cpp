#include "common/core/Random.h"

#include <chrono>

Random::Random()
    : m_engine(std::random_device{}())
    , m_fixed(false)
{
}

Random::Random(std::uint64_t fixedSeed)
    : m_engine(fixedSeed)
    , m_fixed(true)
{
}

double Random::uniform()
{
    // The top 53 bits, as a double holds them: never 1.
    return static_cast<double>(m_engine() >> 11) * 0x1.0p-53;
}

void Random::reseedFromClock()
{
    if (m_fixed)
        return;
    const auto ticks = static_cast<std::uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count());
    m_engine.seed(m_engine() ^ ticks);
}
