// The 144-byte header of an SL2 column packet, every field the viewer uses.
#pragma once

#include "Sl2PacketHead.h"

#include <cstdint>

namespace brellix {

struct Sl2ColumnHeader
{
    static constexpr int kSize = 144;

    Sl2PacketHead head;
    float upperLimit = 0;
    float lowerLimit = 0;
    int16_t burstLengthUs = 0;
    uint8_t integration = 0;
    uint8_t gainDuty = 0;
    uint8_t videoIntegration = 0;
    uint8_t frequency = 0;
    int16_t pingPeriodMs = 0;
    uint8_t correlation = 0;
    uint8_t discrimination = 0;
    int16_t deviceFlags = 0;
    uint32_t runningTimeMs = 0;
    float depth = 0;
    float keelOffset = 0;
    uint8_t autoSenseRangecell = 0;
    uint8_t digitalRangecell = 0;
    uint8_t noiseCount = 0;
    uint8_t noisePeak = 0;
    uint8_t noiseAverage = 0;
    uint8_t rvgMaxAttenuation = 0;
    int16_t rvgDepth = 0;
    float speed = 0;
    int32_t positionX = 0;
    int32_t positionY = 0;
    float track = 0;
    float heading = 0;
    uint32_t validFlags = 0;
    uint8_t manualMode = 0;
    uint8_t fishingMode = 0;
    uint8_t pingSpeed = 0;
    uint8_t noiseRejection = 0;

    static constexpr uint32_t kSpeedValid = 0x0002;
    static constexpr uint32_t kPositionValid = 0x0010;

    // bytes holds at least kSize bytes.
    static Sl2ColumnHeader parse(const uint8_t* bytes);
};

} // namespace brellix
