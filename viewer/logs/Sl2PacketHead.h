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

    // Whether the searches for a packet accept this head, read at address: a channel code of
    // 0 to 11, a size that is a multiple of 4 and below 5000, no last-channel entry beyond it.
    bool searchable(int64_t address) const;
};

} // namespace brellix
