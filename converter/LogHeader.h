// The first 10 bytes of a log and the generation its format word names, as the converter
// tells them apart.
#pragma once

#include <cstdint>

namespace tarnex {

class LogInput;

enum class LogKind {
    VeryOldSlg, // format word > 100: the word is the block size, records from address 6
    Slg,        // format word <= 1 (0, 1 and negative words): records from address 10
    Sl2,        // format word 2 to 100: packets from address 8
};

struct LogHeader
{
    int16_t formatWord = 0;
    int16_t version = 0;
    int16_t blockSize = 0;
    // Bytes 6-9: in an SL2 log the header flags (bit 0: debug channels present) followed by
    // the first two bytes of the first packet.
    uint32_t debugWord = 0;

    // Reads the first 10 bytes; bytes a short file lacks read as 0.
    static LogHeader read(LogInput& input);
    static LogHeader fromBytes(const uint8_t bytes[10]);

    LogKind kind() const;
    bool debugChannels() const { return (debugWord & 1u) != 0; }
};

} // namespace tarnex
