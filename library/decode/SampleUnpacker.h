// Unpacks the sample area of an SLG or very old sounding record.
#pragma once

#include <cstdint>
#include <span>

namespace vantrel {

// SLG: an i16 count N, then N sample bytes. Moves the samples to dst (which may overlap the
// area, the reader unpacks a block onto itself) and returns how many it moved: N, or fewer
// when the area ends first, or 0 for a negative N or an area too short to hold the count.
int32_t unpackRawSamples(std::span<const uint8_t> area, uint8_t* dst);

// Very old: an i32 scale S, then code bytes (0x80-0xFF a run of (code & 0x7F) + 1 zeros,
// 0x00-0x7F one coefficient S * (code - 64)). Writes exactly `remaining` 32-bit coefficients to
// dst, zero-filling when the codes run out, and counts `remaining` down by what the codes
// gave. Never reads past the area; a remaining of 0 or below on entry writes nothing.
void unpackCoefficients(std::span<const uint8_t> area, void* dst, int32_t& remaining);

} // namespace vantrel
