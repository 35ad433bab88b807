// FileReadSubHeader and FileReadSubHeader2 on arbitrary record bytes. The reader hands over at
// least 201 bytes of a block, so the input is zero-padded to that; the outputs must then agree
// between the two exports and stay inside what the flags word allows.
#include <vantrel/vantrel.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <vector>

namespace {

struct Outputs
{
    float upper, lower, depth, waterTemp, temp2, temp3, waterSpeed;
    int32_t positionY, positionX;
    int16_t fishCount;
    float fishDepths[7];
    float surfaceDepth, topOfBottom;
    int32_t timeOffset;
    float speed, track, altitude;
    uint8_t flags[12];
};

void fill(Outputs& o)
{
    std::memset(&o, 0xA5, sizeof o);
}

int32_t readSlg(int32_t selector, const uint8_t* block, Outputs& o, bool viaSecond)
{
    uint8_t* f = o.flags;
    if (!viaSecond) {
        return FileReadSubHeader(block, &o.upper, &o.lower, &o.depth, &f[0], &f[1], &o.waterTemp,
                                 &f[2], &o.temp2, &f[3], &o.temp3, &f[4], &o.waterSpeed, &f[5],
                                 &o.positionY, &o.positionX, &o.fishCount, o.fishDepths,
                                 &o.surfaceDepth, &f[6], &o.topOfBottom, &f[7], &f[8], &f[9],
                                 &o.timeOffset, &f[10], &o.speed, &o.track, &f[11], &o.altitude);
    }
    return FileReadSubHeader2(
        0, selector, block, &o.upper, &o.lower, &o.depth, &f[0], &f[1], &o.waterTemp, &f[2],
        &o.temp2, &f[3], &o.temp3, &f[4], &o.waterSpeed, &f[5], &o.positionY, &o.positionX,
        &o.fishCount, o.fishDepths, &o.surfaceDepth, &f[6], &o.topOfBottom, &f[7], &f[8], &f[9],
        &o.timeOffset, &f[10], &o.speed, &o.track, &f[11], &o.altitude, nullptr, nullptr, nullptr,
        nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
        nullptr, nullptr, nullptr, nullptr);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::vector<uint8_t> block(std::max<size_t>(size, 201), 0);
    if (size > 0) {
        std::memcpy(block.data(), data, size);
    }

    Outputs first;
    Outputs second;
    fill(first);
    fill(second);
    const int32_t length = readSlg(1, block.data(), first, false);
    const int32_t length2 = readSlg(1, block.data(), second, true);
    if (length != length2 || std::memcmp(&first, &second, sizeof first) != 0) {
        __builtin_trap();
    }
    if (length != -1 && (length < 10 || length > 74)) {
        __builtin_trap();
    }
    if (first.fishCount < -4 || first.fishCount > 7) {
        __builtin_trap();
    }
    for (uint8_t flag : first.flags) {
        if (flag > 1 && flag != 0xA5) {
            __builtin_trap();
        }
    }

    Outputs fixed;
    fill(fixed);
    if (readSlg(2, block.data(), fixed, true) != 124) {
        __builtin_trap();
    }
    return 0;
}
