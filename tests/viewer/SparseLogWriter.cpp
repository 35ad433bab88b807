#include "SparseLogWriter.h"

#include "LogWriter.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <fstream>

namespace readertest {

namespace {

constexpr uint32_t kHeader = 8;
constexpr size_t kCells = 16;

} // namespace

uint8_t sparseSampleOf(uint32_t packet)
{
    return static_cast<uint8_t>(1 + packet % 250);
}

bool writeSparseSl2(const std::filesystem::path& path, uint32_t packets, uint16_t packetSize)
{
    // One packet from the writer as the template; the chain fields are set per packet.
    testlog::Sl2Writer templateLog;
    testlog::Sl2Column column;
    column.samples.assign(kCells, 0);
    column.padding = static_cast<uint16_t>(packetSize - testlog::kSl2ColumnHeaderSize - kCells);
    templateLog.add(column);
    const std::vector<uint8_t> header(templateLog.bytes().begin(),
                                      templateLog.bytes().begin() + kHeader);
    std::vector<uint8_t> packet(templateLog.bytes().begin() + kHeader,
                                templateLog.bytes().begin() + kHeader +
                                    testlog::kSl2ColumnHeaderSize + kCells);

    // One pwrite per packet: a stream would flush and seek for every one of them.
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (fd < 0) {
        return false;
    }
    bool ok = ::pwrite(fd, header.data(), header.size(), 0) == static_cast<ssize_t>(header.size());
    uint32_t last[6] = {};
    uint32_t sequence[2] = {};
    for (uint32_t k = 0; ok && k < packets; ++k) {
        const uint32_t address = kHeader + k * packetSize;
        const uint16_t channel = static_cast<uint16_t>(k % 2);
        last[channel] = address;
        testlog::setU32(packet, 0, address);
        for (int i = 0; i < 6; ++i) {
            testlog::setU32(packet, 4 + 4 * static_cast<size_t>(i), last[i]);
        }
        testlog::setU16(packet, 30, k == 0 ? 0 : packetSize);
        testlog::setU16(packet, 32, channel);
        testlog::setU32(packet, 36, sequence[channel]++);
        std::fill(packet.begin() + testlog::kSl2ColumnHeaderSize, packet.end(), sparseSampleOf(k));
        ok = ::pwrite(fd, packet.data(), packet.size(), address) ==
             static_cast<ssize_t>(packet.size());
    }
    ok = ::ftruncate(fd, static_cast<off_t>(kHeader + uint64_t{packets} * packetSize)) == 0 && ok;
    return ::close(fd) == 0 && ok;
}

bool writeSparseSlg(const std::filesystem::path& path, uint32_t blocks, int16_t blockSize,
                    const uint32_t* written, int writtenCount)
{
    constexpr uint32_t kSlgHeader = 10;
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    for (int i = 0; i < writtenCount; ++i) {
        testlog::SlgWriter log(blockSize);
        testlog::SlgSounding sounding;
        sounding.header.lowerLimit = 100.0f;
        sounding.header.depth = static_cast<float>(written[i]);
        sounding.samples.assign(32, sparseSampleOf(written[i]));
        log.add(sounding);
        if (i == 0) {
            out.write(reinterpret_cast<const char*>(log.bytes().data()), kSlgHeader);
        }
        // The sub-header and samples; the rest of the block stays a hole.
        out.seekp(static_cast<std::streamoff>(kSlgHeader + uint64_t{written[i]} *
                                                               static_cast<uint64_t>(blockSize)));
        out.write(reinterpret_cast<const char*>(log.bytes().data()) + kSlgHeader, 64);
    }
    out.close();
    if (!out) {
        return false;
    }
    std::error_code error;
    std::filesystem::resize_file(
        path, kSlgHeader + uint64_t{blocks} * static_cast<uint64_t>(blockSize), error);
    return !error;
}

} // namespace readertest
