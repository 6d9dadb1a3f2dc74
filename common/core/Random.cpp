#include "common/core/Random.h"

#include <chrono>

namespace {

std::uint64_t clockTicks()
{
    return static_cast<std::uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count());
}

std::uint64_t mix(std::uint64_t z)
{
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
}

} // namespace

Random::Random()
    : m_state(mix(clockTicks()))
    , m_fixed(false)
{
}

Random::Random(std::uint64_t fixedSeed)
    : m_state(fixedSeed)
    , m_fixed(true)
{
}

std::uint64_t Random::next()
{
    m_state += 0x9E3779B97F4A7C15ull;
    return mix(m_state);
}

double Random::uniform()
{
    return static_cast<double>(next() >> 11) * 0x1.0p-53;
}

void Random::reseedFromClock()
{
    m_state = mix(m_state ^ (m_fixed ? 0 : clockTicks()));
}
