#include "Sl2ColumnHeader.h"

#include "common/LittleEndian.h"

namespace brellix {

Sl2ColumnHeader Sl2ColumnHeader::parse(const uint8_t* bytes)
{
    Sl2ColumnHeader h;
    h.head = Sl2PacketHead::parse(bytes);
    h.upperLimit = readF32(bytes + 40);
    h.lowerLimit = readF32(bytes + 44);
    h.burstLengthUs = readI16(bytes + 48);
    h.integration = bytes[50];
    h.gainDuty = bytes[51];
    h.videoIntegration = bytes[52];
    h.frequency = bytes[53];
    h.pingPeriodMs = readI16(bytes + 54);
    h.correlation = bytes[56];
    h.discrimination = bytes[57];
    h.deviceFlags = readI16(bytes + 58);
    h.runningTimeMs = readU32(bytes + 60);
    h.depth = readF32(bytes + 64);
    h.keelOffset = readF32(bytes + 68);
    h.autoSenseRangecell = bytes[72];
    h.digitalRangecell = bytes[73];
    h.noiseCount = bytes[74];
    h.noisePeak = bytes[75];
    h.noiseAverage = bytes[76];
    h.rvgMaxAttenuation = bytes[77];
    h.rvgDepth = readI16(bytes + 78);
    h.speed = readF32(bytes + 100);
    h.positionX = readI32(bytes + 108);
    h.positionY = readI32(bytes + 112);
    h.track = readF32(bytes + 120);
    h.heading = readF32(bytes + 128);
    h.validFlags = readU32(bytes + 132);
    h.manualMode = bytes[136];
    h.fishingMode = bytes[137];
    h.pingSpeed = bytes[138];
    h.noiseRejection = bytes[139];
    return h;
}

} // namespace brellix
