#include "Random.h"

namespace logsynth {

Random::Random(uint64_t seed)
{
    // splitmix64 spreads nearby seeds (1, 2, 3) into unrelated states; never zero.
    uint64_t z = seed + 0x9E3779B97F4A7C15ULL;
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
    z ^= z >> 31;
    m_state = z != 0 ? z : 0x2545F4914F6CDD1DULL;
}

double Random::bell()
{
    // Sum of four uniforms has variance 4/12; scale to deviation 1.
    const double sum = uniform() + uniform() + uniform() + uniform();
    return (sum - 2.0) * 1.7320508075688772;
}

} // namespace logsynth
