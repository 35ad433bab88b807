// Logs beyond 2 GB for tests, written sparse: only the bytes that carry something reach the
// disk, the rest of every packet or block is a hole that reads as zeros. Packets and blocks
// are laid out by the log writer and placed at their addresses here.
#pragma once

#include <cstdint>
#include <filesystem>

namespace readertest {

// An SL2 log of packets of packetSize bytes (a multiple of 4 below 5000), channels 0 and 1 in
// turn. Packet k lies at 8 + k * packetSize; its first sample is sampleOf(k). False when the
// file cannot be written.
bool writeSparseSl2(const std::filesystem::path& path, uint32_t packets, uint16_t packetSize);
uint8_t sparseSampleOf(uint32_t packet);

// An SLG log of blocks of blockSize bytes in which only the listed blocks hold a sounding
// (depth = its index, lower limit 100); the others are zeros.
bool writeSparseSlg(const std::filesystem::path& path, uint32_t blocks, int16_t blockSize,
                    const uint32_t* written, int writtenCount);

} // namespace readertest
