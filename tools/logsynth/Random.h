// A small seeded generator with a fixed algorithm, so a seed gives the same log on every
// platform and library (the standard distributions are implementation-defined).
#pragma once

#include <cstdint>

namespace logsynth {

class Random
{
public:
    explicit Random(uint64_t seed);

    // xorshift64*: fast, full period, good enough for pictures.
    uint64_t next()
    {
        m_state ^= m_state >> 12;
        m_state ^= m_state << 25;
        m_state ^= m_state >> 27;
        return m_state * 0x2545F4914F6CDD1DULL;
    }

    // Uniform in [0, n); n must be at least 1.
    uint32_t below(uint32_t n) { return static_cast<uint32_t>(((next() >> 32) * n) >> 32); }
    // Uniform in [0, 1).
    double uniform() { return static_cast<double>(next() >> 11) * 0x1.0p-53; }
    double range(double lo, double hi) { return lo + (hi - lo) * uniform(); }
    bool chance(double p) { return uniform() < p; }
    // Roughly normal (sum of four uniforms), mean 0, deviation 1; no transcendental calls.
    double bell();

private:
    uint64_t m_state;
};

// A 32-bit xorshift for per-sample speckle: a few shifts per call.
class FastNoise
{
public:
    explicit FastNoise(uint32_t seed) : m_state(seed != 0 ? seed : 0x9E3779B9u) {}

    uint32_t next()
    {
        m_state ^= m_state << 13;
        m_state ^= m_state >> 17;
        m_state ^= m_state << 5;
        return m_state;
    }

private:
    uint32_t m_state;
};

} // namespace logsynth
