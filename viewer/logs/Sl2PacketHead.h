// The first 40 bytes of an SL2 column header: all that the chain searches need.
#pragma once

#include <cstdint>

namespace brellix {

struct Sl2PacketHead
{
    static constexpr int kSize = 40;

    uint32_t thisAddress = 0;
    uint32_t lastChannelAddress[6] = {};
    uint16_t packetSize = 0;
    uint16_t previousSize = 0;
    uint16_t channel = 0;
    uint16_t rangeCells = 0;
    uint32_t sequence = 0;

    // bytes holds at least kSize bytes.
    static Sl2PacketHead parse(const uint8_t* bytes);
};

} // namespace brellix
