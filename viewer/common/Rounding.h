// The viewer's conversions of reals to whole numbers: to the nearest, halves to the even
// neighbour (127.5 gives 128, 178.5 gives 178), independent of the FPU's rounding mode.
#pragma once

#include <cmath>
#include <cstdint>
#include <limits>

namespace brellix {

inline double roundHalfEven(double value)
{
    const double below = std::floor(value);
    const double fraction = value - below;
    if (fraction < 0.5) {
        return below;
    }
    if (fraction > 0.5) {
        return below + 1.0;
    }
    return std::fmod(below, 2.0) == 0.0 ? below : below + 1.0;
}

// False, leaving out untouched, when the value is not a number, infinite or out of range.
inline bool toInt32(double value, int32_t& out)
{
    if (!(value >= std::numeric_limits<int32_t>::min() &&
          value <= std::numeric_limits<int32_t>::max())) {
        return false;
    }
    out = static_cast<int32_t>(value);
    return true;
}

inline bool roundToInt32(double value, int32_t& out)
{
    return toInt32(roundHalfEven(value), out);
}

// Nearest whole number for geometry, where a value out of range simply gives 0.
inline int32_t nearestInt32(double value)
{
    int32_t result = 0;
    roundToInt32(value, result);
    return result;
}

} // namespace brellix
