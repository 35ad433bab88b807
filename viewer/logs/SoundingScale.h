// The arithmetic that maps a sounding onto the caller's depth window, and the SL2 recorder's
// range-variable-gain reduction, as free functions of plain values.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace brellix {

class tSubHeader;

// The cells of the depth span that the caller's window and the sounding's window share, in
// both columns: [dstStart, dstEnd) of the caller's and [srcStart, srcEnd) of the sounding's.
struct ScaleRanges
{
    int32_t srcStart = 0;
    int32_t srcEnd = 0;
    int32_t dstStart = 0;
    int32_t dstEnd = 0;
};

// Clamps the caller's window (D's limits, D.lNumRangeCells cells) to the sounding's
// [soundingUpper, soundingLower] of soundingCells cells and works out both ranges, each start
// and end rounded to the nearest, halves to even, the end from the rounded start. False on a
// floating-point fault: a window of no height, a value beyond 32 bits.
bool scaleRanges(const tSubHeader& D, float soundingUpper, float soundingLower,
                 int32_t soundingCells, ScaleRanges& ranges);

// The deepest window any sonar records, in feet, up or down; limits beyond it are damage.
inline constexpr float kDeepestLimit = 12000.0f;

// Whether a recorded depth window is one a sonar could have: both limits finite and within
// kDeepestLimit either way (a side-looking channel may start above the surface), the upper
// above the lower.
bool isPlausibleWindow(float upper, float lower);

// Whether [start, end) lies inside an array of size elements.
bool rangeFits(int32_t start, int32_t end, size_t size);

// The recorder's range-variable-gain attenuation of a packet, (rvgDepth - lowerLimit) x
// maxAttenuation / rvgDepth in single precision, rounded to the nearest, halves to even.
// False for an RVG depth of 0 or a result beyond 32 bits.
bool rvgAttenuation(int16_t rvgDepth, float lowerLimit, uint8_t maxAttenuation,
                    int32_t& attenuation);

// Lowers cells[0, lastIndex] by attenuation, cells of attenuation or less becoming 0; an
// attenuation below 1 changes nothing, and no index past the end of cells is touched.
void reduceCells(std::vector<uint8_t>& cells, int32_t lastIndex, int32_t attenuation);

} // namespace brellix
