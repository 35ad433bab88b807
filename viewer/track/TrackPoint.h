// One point of a log's track: where a sounding was, as its readout says, with the depth, water
// temperature and time it recorded.
#pragma once

#include "readout/ChartReadout.h"

#include <cstdint>
#include <vector>

namespace brellix {

// Depths are kept in feet, as the logs hold them; the map and the files speak metres too.
inline constexpr double kMetresPerFoot = 0.3048;

struct TrackPoint
{
    int32_t sounding = 0;
    SoundingPosition position; // Mercator metres
    double latitude = 0.0;     // degrees, through the readout's conversion
    double longitude = 0.0;
    bool depthValid = false;
    float depth = 0.0f; // feet
    bool temperatureValid = false;
    float temperature = 0.0f; // degrees Celsius
    bool timeValid = false;
    int32_t timeOffset = 0; // milliseconds since the recording began
};

// A run of points with positions, in sounding order; a sounding without one ends it.
using TrackSegment = std::vector<TrackPoint>;

} // namespace brellix
