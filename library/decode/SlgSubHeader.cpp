#include "SlgSubHeader.h"

#include "LittleEndian.h"

namespace vantrel {

int slgFishCount(uint16_t flags)
{
    return (flags & kSlgTailWordsMask) - ((flags & kSlgTime) ? 1 : 0) -
           ((flags & kSlgSpeedTrack) ? 3 : 0);
}

SlgSubHeader readSlgSubHeader(std::span<const uint8_t, kSlgSubHeaderMaxLength> bytes)
{
    SlgSubHeader h;
    const uint8_t* p = bytes.data();
    h.flags = readU16(p);
    h.lowerLimit = readF32(p + 2);
    h.depth = readF32(p + 6);
    h.depthValid = (h.flags & kSlgDepthInvalid) == 0;
    h.waterTempValid = (h.flags & kSlgWaterTemp) != 0;
    h.temp2Valid = (h.flags & kSlgTemp2) != 0;
    h.temp3Valid = (h.flags & kSlgTemp3) != 0;
    h.waterSpeedValid = (h.flags & kSlgWaterSpeed) != 0;
    h.positionValid = (h.flags & kSlgPosition) != 0;
    h.surfaceValid = (h.flags & kSlgSurface) != 0;
    h.topOfBottomValid = (h.flags & kSlgTopOfBottom) != 0;
    h.is50kHz = (h.flags & kSlgIs50kHz) != 0;
    h.timeValid = (h.flags & kSlgTime) != 0;
    h.speedTrackValid = (h.flags & kSlgSpeedTrack) != 0;
    h.fishCount = static_cast<int16_t>(slgFishCount(h.flags));
    if (h.fishCount < 0) {
        h.length = -1;
        return h;
    }

    // Each field below is at most 4 bytes and the flags cannot announce more than
    // kSlgSubHeaderMaxLength bytes in all, so every read stays inside bytes.
    std::size_t at = 10;
    auto nextF32 = [&] {
        const float v = readF32(p + at);
        at += 4;
        return v;
    };
    auto nextI32 = [&] {
        const int32_t v = readI32(p + at);
        at += 4;
        return v;
    };
    if (h.flags & kSlgUpperLimit) {
        h.upperLimit = nextF32();
    }
    if (h.waterTempValid) {
        h.waterTemp = nextF32();
    }
    if (h.temp2Valid) {
        h.temp2 = nextF32();
    }
    if (h.temp3Valid) {
        h.temp3 = nextF32();
    }
    if (h.waterSpeedValid) {
        h.waterSpeed = nextF32();
    }
    if (h.positionValid) {
        h.positionY = nextI32();
        h.positionX = nextI32();
    }
    if (h.surfaceValid) {
        h.surfaceDepth = nextF32();
    }
    if (h.topOfBottomValid) {
        h.topOfBottom = nextF32();
    }
    for (int i = 0; i < h.fishCount; ++i) {
        h.fishDepths[static_cast<std::size_t>(i)] = nextF32();
    }
    if (h.timeValid) {
        h.timeOffset = nextI32();
    }
    if (h.speedTrackValid) {
        h.speed = nextF32();
        h.track = nextF32();
        const float altitude = nextF32();
        if (altitude != kSlgNoAltitude) {
            h.altitude = altitude;
            h.altitudeValid = true;
        }
    }
    h.length = static_cast<int32_t>(at);
    return h;
}

} // namespace vantrel
