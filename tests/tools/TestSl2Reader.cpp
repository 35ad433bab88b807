#include "TestSl2Reader.h"

#include "LogBytes.h"

namespace toolstest {

Sl2Log readSl2(const std::vector<uint8_t>& bytes)
{
    Sl2Log log;
    const LogBytes b(bytes);
    if (!b.has(0, 8)) {
        log.error = "no file header";
        return log;
    }
    log.format = b.i16(0);
    log.version = b.i16(2);
    log.blockSize = b.i16(4);
    log.flags = b.u16(6);

    constexpr size_t kHeader = 144;
    size_t at = 8;
    while (at < bytes.size()) {
        if (!b.has(at, kHeader)) {
            log.error = "truncated column header at " + std::to_string(at);
            return log;
        }
        Sl2Packet p;
        p.address = static_cast<uint32_t>(at);
        p.thisAddress = b.u32(at);
        for (size_t i = 0; i < 6; ++i) {
            p.lastChannel[i] = b.u32(at + 4 + 4 * i);
        }
        p.packetSize = b.u16(at + 28);
        p.previousSize = b.u16(at + 30);
        p.channel = b.u16(at + 32);
        p.rangeCells = b.u16(at + 34);
        p.sequence = b.u32(at + 36);
        p.upperLimit = b.f32(at + 40);
        p.lowerLimit = b.f32(at + 44);
        p.burstLengthUs = b.i16(at + 48);
        p.frequency = b.u8(at + 53);
        p.pingPeriodMs = b.i16(at + 54);
        p.correlation = b.u8(at + 56);
        p.runningTimeMs = b.u32(at + 60);
        p.depth = b.f32(at + 64);
        p.autoSense = b.u8(at + 72);
        p.rvgMaxAttenuation = b.u8(at + 77);
        p.rvgDepth = b.i16(at + 78);
        p.speed = b.f32(at + 100);
        p.waterTemp = b.f32(at + 104);
        p.positionX = b.i32(at + 108);
        p.positionY = b.i32(at + 112);
        p.track = b.f32(at + 120);
        p.heading = b.f32(at + 128);
        p.validFlags = b.u32(at + 132);
        p.timeOffset = b.i32(at + 140);
        if (p.thisAddress != at) {
            log.error = "lost the chain at " + std::to_string(at);
            return log;
        }
        if (p.packetSize < kHeader + p.rangeCells || !b.has(at, p.packetSize)) {
            log.error = "bad packet size at " + std::to_string(at);
            return log;
        }
        p.samples.assign(bytes.begin() + static_cast<std::ptrdiff_t>(at + kHeader),
                         bytes.begin() + static_cast<std::ptrdiff_t>(at + kHeader + p.rangeCells));
        at += p.packetSize;
        log.packets.push_back(std::move(p));
    }
    return log;
}

} // namespace toolstest
