#include "FixedSubHeader.h"

#include "LittleEndian.h"

namespace vantrel {

FixedSubHeader readFixedSubHeader(std::span<const uint8_t, kFixedSubHeaderLength> bytes)
{
    const uint8_t* p = bytes.data();
    FixedSubHeader h;
    h.upperLimit = readF32(p + 36);
    h.lowerLimit = readF32(p + 40);
    h.depth = readF32(p + 60);
    h.speed = readF32(p + 92);
    h.waterTemp = readF32(p + 96);
    h.positionX = readI32(p + 100);
    h.positionY = readI32(p + 104);
    h.waterSpeed = readF32(p + 108);
    h.track = readF32(p + 112);
    h.altitude = readF32(p + 116);
    h.flags = readU32(p + 120);
    return h;
}

} // namespace vantrel
