#include "Sl2Walker.h"

#include "Bytes.h"
#include "CsvRows.h"
#include "LogInput.h"
#include "Sink.h"

namespace tarnex {

namespace {

// Column header offsets.
constexpr size_t kThisAddress = 0;
constexpr size_t kLastChannelAddress = 4;
constexpr size_t kPacketSize = 28;
constexpr size_t kPreviousSize = 30;
constexpr size_t kChannel = 32;
constexpr size_t kRangeCells = 34;
constexpr size_t kSequence = 36;
constexpr size_t kFrequency = 53;

// The messages print 32-bit fields with %i (signed) and addresses with %X; an address past
// 4 GB only occurs in files larger than any SL2 address can name and prints in full.
unsigned long long hex(uint64_t address)
{
    return static_cast<unsigned long long>(address);
}

int signedOf(uint32_t value)
{
    return static_cast<int32_t>(value);
}

} // namespace

Sl2Walker::Sl2Walker(LogInput& input, const LogHeader& header, Sink& console)
    : m_input(input), m_header(header), m_console(console)
{
    for (int32_t& sequence : m_lastSequence) {
        sequence = -1;
    }
}

void Sl2Walker::walk(Sink* rows)
{
    const uint64_t end = m_input.size();
    uint64_t address = kFirstPacket;
    while (address < end && m_errors < kMaxErrors) {
        if (address % 4 != 0) {
            m_console.print("Misaligned file address: 0x%llX (column entry = %i)\n", hex(address),
                            m_columns);
            ++m_errors;
        }
        size_t available = 0;
        const uint8_t* packet = m_input.view(address, kColumnHeaderSize, available);
        if (available < kColumnHeaderSize) {
            if (available == 0) {
                break; // the file shrank under the walk
            }
            m_console.print("Short read: %i < %i (column entry = %i, addr = 0x%llX)\n",
                            static_cast<int>(available), static_cast<int>(kColumnHeaderSize),
                            m_columns, hex(address));
            ++m_errors;
            address += available; // the end of the input
            continue;
        }
        const uint32_t thisAddress = loadU32(packet + kThisAddress);
        if (thisAddress != address) {
            if (!m_scanning) {
                m_console.print(
                    "\nInvalid this address: 0x%X != 0x%llX (column entry = %i, addr = 0x%llX)\n",
                    thisAddress, hex(address), m_columns, hex(address));
                ++m_errors;
                m_console.print("Scanning for next valid address.\n");
                m_scanning = true;
            }
            address += 4;
            continue;
        }
        bool justSynced = false;
        if (m_scanning) {
            m_console.print("Synced up again: 0x%llX\n", hex(address));
            m_scanning = false;
            justSynced = true;
        }
        checkPacket(packet, address, justSynced, rows);
        address = thisAddress + static_cast<uint64_t>(loadU16(packet + kPacketSize));
        ++m_columns;
    }
}

void Sl2Walker::checkPacket(const uint8_t* packet, uint64_t address64, bool justSynced, Sink* rows)
{
    // A genuine packet's address equals its 32-bit this-address field.
    const uint32_t address = static_cast<uint32_t>(address64);
    const int rangeCells = loadU16(packet + kRangeCells);
    const int packetSize = loadU16(packet + kPacketSize);
    const int previousSize = loadU16(packet + kPreviousSize);
    const unsigned channel = loadU16(packet + kChannel);
    const uint32_t sequence = loadU32(packet + kSequence);
    const int blockSize = m_header.blockSize;

    if (rangeCells > blockSize) {
        m_console.print("Invalid num range cells: %i > %i (column entry = %i, addr = 0x%X)\n",
                        rangeCells, blockSize, m_columns, address);
        ++m_errors;
    }
    if (packetSize > blockSize + 128) {
        m_console.print("Invalid packet size: %i (column entry = %i, addr = 0x%X)\n", packetSize,
                        m_columns, address);
        ++m_errors;
    }
    if (previousSize != m_lastPacketSize && !justSynced) {
        m_console.print("Invalid previous size: %i != %i (column entry = %i, addr = 0x%X)\n",
                        previousSize, static_cast<int>(m_lastPacketSize), m_columns, address);
        ++m_errors;
    }
    m_lastPacketSize = static_cast<uint16_t>(packetSize);
    if (packetSize < rangeCells + 144) {
        m_console.print("Invalid packet size: %i < %i + %i (column entry = %i, addr = 0x%X)\n",
                        packetSize, rangeCells, 144, m_columns, address);
        ++m_errors;
    }
    if (channel > 11) {
        m_console.print("Invalid channel: %i (column entry = %i, addr = 0x%X)\n",
                        static_cast<int>(channel), m_columns, address);
        ++m_errors;
        return;
    }

    uint32_t table[6];
    for (unsigned i = 0; i < 6; ++i) {
        table[i] = loadU32(packet + kLastChannelAddress + size_t{4} * i);
    }
    if (channel <= 5) {
        if (table[channel] != address) {
            m_console.print("Invalid current channel address: %i: %i != %i (column entry = %i, "
                            "addr = 0x%X)\n",
                            static_cast<int>(channel), signedOf(table[channel]), signedOf(address),
                            m_columns, address);
            ++m_errors;
        }
    } else if (!m_header.debugChannels()) {
        m_console.print(
            "Debug not on but debug channel encountered: %i (column entry = %i, addr = 0x%X)\n",
            static_cast<int>(channel), m_columns, address);
        ++m_errors;
    }

    if (channel <= 5 && !justSynced) {
        const uint32_t expected = static_cast<uint32_t>(m_lastSequence[channel]) + 1u;
        if (sequence != expected) {
            m_console.print("Invalid sequence number: %i != %i (column entry = %i, addr = 0x%X)\n",
                            signedOf(sequence), signedOf(expected), m_columns, address);
            ++m_errors;
        }
    }
    m_lastSequence[channel] = signedOf(sequence);

    for (unsigned i = 0; i < 6; ++i) {
        if (i != channel && table[i] != m_expectedChannelAddress[i] && !justSynced) {
            m_console.print("Invalid last channel address: Seq=%i, %i: 0x%X != 0x%X (column entry "
                            "= %i, addr = 0x%X)\n",
                            signedOf(sequence), static_cast<int>(i), table[i],
                            m_expectedChannelAddress[i], m_columns, address);
            ++m_errors;
        }
    }
    for (unsigned i = 0; i < 6; ++i) {
        m_expectedChannelAddress[i] = table[i];
    }

    if (rows != nullptr) {
        unsigned frequency = packet[kFrequency];
        if (frequency >= 11) {
            m_console.print("Invalid frequency (%i)\n", static_cast<int>(frequency));
            ++m_errors;
            frequency = 0;
        }
        writeSl2Row(*rows, packet, frequency);
    }
}

void Sl2Walker::printSummary()
{
    m_console.print("\nTotal columns = %i\n", m_columns);
    for (int code = 0; code < 256; ++code) {
        if (m_lastSequence[code] > 0) {
            m_console.print("Channel %i: %i columns\n", code,
                            signedOf(static_cast<uint32_t>(m_lastSequence[code]) + 1u));
        }
    }
    if (m_errors >= kMaxErrors) {
        m_console.print("Too many errors!\n");
    } else if (m_errors != 0) {
        m_console.print("Errors: %i\n", m_errors);
    } else {
        m_console.print("All headers look good.\n");
    }
}

} // namespace tarnex
