// The SL2 walk: follows the packet chain from address 8, checks every integrity
// rule of the format, reports each fault on the console, resynchronises after a lost chain and,
// when converting, writes one row per packet.
#pragma once

#include "LogHeader.h"

#include <cstddef>
#include <cstdint>

namespace tarnex {

class LogInput;
class Sink;

class Sl2Walker
{
public:
    static constexpr int kMaxErrors = 40;
    static constexpr uint64_t kFirstPacket = 8;
    static constexpr size_t kColumnHeaderSize = 144;

    Sl2Walker(LogInput& input, const LogHeader& header, Sink& console);

    // Walks until the address reaches the end of the input or kMaxErrors errors were counted
    // (the pass with the 40th error is finished). With rows set, also reports invalid
    // frequencies and writes the SL2 row of every packet with a channel code of 0 to 11.
    void walk(Sink* rows);

    // Verification summary: total columns, channel lines and the verdict.
    void printSummary();

    int errorCount() const { return m_errors; }
    int columnCount() const { return m_columns; }
    // Last sequence number seen for a channel code (-1 when none).
    int32_t lastSequence(unsigned code) const { return m_lastSequence[code & 0xFF]; }

private:
    void checkPacket(const uint8_t* packet, uint64_t address, bool justSynced, Sink* rows);

    LogInput& m_input;
    LogHeader m_header;
    Sink& m_console;

    int m_errors = 0;
    int m_columns = 0;
    bool m_scanning = false;
    uint16_t m_lastPacketSize = 0;
    int32_t m_lastSequence[256];
    uint32_t m_expectedChannelAddress[6] = {};
};

} // namespace tarnex
