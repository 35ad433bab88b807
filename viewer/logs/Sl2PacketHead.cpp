#include "Sl2PacketHead.h"

#include "common/LittleEndian.h"

#include <algorithm>
#include <iterator>

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

bool Sl2PacketHead::searchable(int64_t address) const
{
    constexpr uint16_t kLastChannelCode = 11;
    constexpr uint16_t kMaxPacketSize = 5000;
    return channel <= kLastChannelCode && packetSize % 4 == 0 && packetSize < kMaxPacketSize &&
           std::all_of(std::begin(lastChannelAddress), std::end(lastChannelAddress),
                       [address](uint32_t entry) { return entry <= address; });
}

} // namespace brellix
