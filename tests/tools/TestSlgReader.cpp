#include "TestSlgReader.h"

#include "LogBytes.h"

namespace toolstest {

SlgSubHeader parseSlgSubHeader(const std::vector<uint8_t>& block)
{
    SlgSubHeader h;
    const LogBytes b(block);
    if (!b.has(0, 10)) {
        h.length = -1;
        return h;
    }
    h.flags = b.u16(0);
    h.lowerLimit = b.f32(2);
    h.depth = b.f32(6);
    h.depthValid = (h.flags & (1u << 9)) == 0;
    const auto bit = [&](int n) { return (h.flags & (1u << n)) != 0; };
    const int fishCount = (h.flags & 7) - (bit(13) ? 1 : 0) - (bit(14) ? 3 : 0);
    if (fishCount < 0) {
        h.length = -1;
        return h;
    }
    size_t at = 10;
    bool fits = true;
    auto f32 = [&]() {
        fits = fits && b.has(at, 4);
        const float v = fits ? b.f32(at) : 0.0f;
        at += 4;
        return v;
    };
    auto i32 = [&]() {
        fits = fits && b.has(at, 4);
        const int32_t v = fits ? b.i32(at) : 0;
        at += 4;
        return v;
    };
    if (bit(3)) {
        h.upperLimit = f32();
    }
    if (bit(4)) {
        h.waterTemp = f32();
    }
    if (bit(5)) {
        h.temp2 = f32();
    }
    if (bit(6)) {
        h.temp3 = f32();
    }
    if (bit(7)) {
        h.waterSpeed = f32();
    }
    if (bit(8)) {
        h.positionY = i32();
        h.positionX = i32();
    }
    if (bit(10)) {
        h.surfaceDepth = f32();
    }
    if (bit(11)) {
        h.topOfBottom = f32();
    }
    for (int i = 0; i < fishCount; ++i) {
        h.fish.push_back(f32());
    }
    if (bit(13)) {
        h.timeOffset = i32();
    }
    if (bit(14)) {
        h.speed = f32();
        h.track = f32();
        h.altitude = f32();
    }
    h.length = fits ? static_cast<int>(at) : -1;
    return h;
}

SlgLog readSlg(const std::vector<uint8_t>& bytes)
{
    SlgLog log;
    const LogBytes b(bytes);
    if (!b.has(0, 6)) {
        log.error = "no file header";
        return log;
    }
    const int16_t word = b.i16(0);
    if (word > 100) {
        log.veryOld = true;
        log.blockSize = word;
        log.samplesPerSounding = b.u32(2);
        log.headerSize = 6;
    } else if (word == 0 || word == 1) {
        if (!b.has(0, 10)) {
            log.error = "no file header";
            return log;
        }
        log.format = word;
        log.blockSize = b.i16(4);
        log.headerSize = 10;
    } else {
        log.error = "not an SLG log";
        return log;
    }
    if (log.blockSize <= 0) {
        log.error = "block size not positive";
        return log;
    }
    const auto block = static_cast<size_t>(log.blockSize);
    size_t at = log.headerSize;
    for (; at + block <= bytes.size(); at += block) {
        log.blocks.emplace_back(bytes.begin() + static_cast<std::ptrdiff_t>(at),
                                bytes.begin() + static_cast<std::ptrdiff_t>(at + block));
    }
    log.trailingBytes = bytes.size() - at;
    return log;
}

} // namespace toolstest
