// The fixed 124-byte navigation layout that FileReadSubHeader2 reads for selectors above 1.
// No log format in use carries it; it is kept for callers of the older interface.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

namespace vantrel {

inline constexpr std::size_t kFixedSubHeaderLength = 124;

struct FixedSubHeader
{
    float upperLimit = 0;
    float lowerLimit = 0;
    float depth = 0;
    float speed = 0;
    float waterTemp = 0;
    int32_t positionX = 0;
    int32_t positionY = 0;
    float waterSpeed = 0;
    float track = 0;
    float altitude = 0; // as stored; this layout has no "none" value
    uint32_t flags = 0; // only bits 0-2 mean anything

    bool speedTrackValid() const { return (flags & 1u) != 0; }
    bool waterTempValid() const { return (flags & 2u) != 0; }
    bool positionValid() const { return (flags & 4u) != 0; }
    bool depthValid() const { return (flags & 3u) != 0; }
    bool waterSpeedValid() const { return (flags & 6u) != 0; }
};

FixedSubHeader readFixedSubHeader(std::span<const uint8_t, kFixedSubHeaderLength> bytes);

} // namespace vantrel
