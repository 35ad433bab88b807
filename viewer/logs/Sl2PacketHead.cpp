#include "Sl2PacketHead.h"

#include "common/LittleEndian.h"

namespace brellix {

Sl2PacketHead Sl2PacketHead::parse(const uint8_t* bytes)
{
    Sl2PacketHead head;
    head.thisAddress = readU32(bytes);
    for (int i = 0; i < 6; ++i) {
        head.lastChannelAddress[i] = readU32(bytes + 4 + size_t{4} * i);
    }
    head.packetSize = readU16(bytes + 28);
    head.previousSize = readU16(bytes + 30);
    head.channel = readU16(bytes + 32);
    head.rangeCells = readU16(bytes + 34);
    head.sequence = readU32(bytes + 36);
    return head;
}

} // namespace brellix
