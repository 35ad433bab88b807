// The C surface of the record decoders: argument unpacking and the output rules of each
// export. The parsing itself lives in the classes beside this file.
#include <vantrel/vantrel.h>

#include "FixedSubHeader.h"
#include "SampleUnpacker.h"
#include "SlgSubHeader.h"
#include "WaveletDecoder.h"

#include <cstddef>
#include <span>

namespace {

// The 29 outputs shared by both sub-header exports, in argument order.
struct SubHeaderOutputs
{
    float* upper;
    float* lower;
    float* depth;
    uint8_t* depthValid;
    uint8_t* waterTempValid;
    float* waterTemp;
    uint8_t* temp2Valid;
    float* temp2;
    uint8_t* temp3Valid;
    float* temp3;
    uint8_t* waterSpeedValid;
    float* waterSpeed;
    uint8_t* positionValid;
    int32_t* positionY;
    int32_t* positionX;
    int16_t* fishCount;
    float* fishDepths;
    float* surfaceDepth;
    uint8_t* surfaceValid;
    float* topOfBottom;
    uint8_t* topOfBottomValid;
    uint8_t* columnIs50kHz;
    uint8_t* timeValid;
    int32_t* timeOffset;
    uint8_t* speedTrackValid;
    float* speed;
    float* track;
    uint8_t* altitudeValid;
    float* altitude;
};

void putFlag(uint8_t* out, bool value)
{
    *out = value ? 1 : 0;
}

int32_t writeSlg(const uint8_t* block, const SubHeaderOutputs& o)
{
    const vantrel::SlgSubHeader h =
        vantrel::readSlgSubHeader(std::span<const uint8_t, vantrel::kSlgSubHeaderMaxLength>(
            block, vantrel::kSlgSubHeaderMaxLength));

    // Written even for a malformed sub-header: what the first ten bytes and the flags say.
    *o.lower = h.lowerLimit;
    *o.depth = h.depth;
    putFlag(o.depthValid, h.depthValid);
    putFlag(o.waterTempValid, h.waterTempValid);
    putFlag(o.temp2Valid, h.temp2Valid);
    putFlag(o.temp3Valid, h.temp3Valid);
    putFlag(o.waterSpeedValid, h.waterSpeedValid);
    putFlag(o.positionValid, h.positionValid);
    putFlag(o.surfaceValid, h.surfaceValid);
    putFlag(o.topOfBottomValid, h.topOfBottomValid);
    putFlag(o.columnIs50kHz, h.is50kHz);
    putFlag(o.timeValid, h.timeValid);
    putFlag(o.speedTrackValid, h.speedTrackValid);
    *o.fishCount = h.fishCount;
    if (h.malformed()) {
        return -1;
    }

    *o.upper = h.upperLimit;
    // Fields whose bit is clear keep whatever the caller left there.
    if (h.waterTempValid) {
        *o.waterTemp = h.waterTemp;
    }
    if (h.temp2Valid) {
        *o.temp2 = h.temp2;
    }
    if (h.temp3Valid) {
        *o.temp3 = h.temp3;
    }
    if (h.waterSpeedValid) {
        *o.waterSpeed = h.waterSpeed;
    }
    if (h.positionValid) {
        *o.positionY = h.positionY;
        *o.positionX = h.positionX;
    }
    for (int i = 0; i < h.fishCount; ++i) {
        o.fishDepths[i] = h.fishDepths[static_cast<std::size_t>(i)];
    }
    if (h.surfaceValid) {
        *o.surfaceDepth = h.surfaceDepth;
    }
    if (h.topOfBottomValid) {
        *o.topOfBottom = h.topOfBottom;
    }
    *o.timeOffset = h.timeOffset;
    *o.speed = h.speed;
    *o.track = h.track;
    putFlag(o.altitudeValid, h.altitudeValid);
    *o.altitude = h.altitude;
    return h.length;
}

int32_t writeFixed(const uint8_t* block, const SubHeaderOutputs& o)
{
    const vantrel::FixedSubHeader h =
        vantrel::readFixedSubHeader(std::span<const uint8_t, vantrel::kFixedSubHeaderLength>(
            block, vantrel::kFixedSubHeaderLength));
    *o.upper = h.upperLimit;
    *o.lower = h.lowerLimit;
    *o.depth = h.depth;
    putFlag(o.depthValid, h.depthValid());
    putFlag(o.waterTempValid, h.waterTempValid());
    *o.waterTemp = h.waterTemp;
    putFlag(o.temp2Valid, false);
    putFlag(o.temp3Valid, false);
    putFlag(o.waterSpeedValid, h.waterSpeedValid());
    *o.waterSpeed = h.waterSpeed;
    putFlag(o.positionValid, h.positionValid());
    *o.positionY = h.positionY;
    *o.positionX = h.positionX;
    *o.fishCount = 0;
    putFlag(o.surfaceValid, false);
    // This layout has no bottom of its own; the depth stands in for it.
    *o.topOfBottom = h.depth;
    putFlag(o.topOfBottomValid, h.depthValid());
    putFlag(o.timeValid, false);
    putFlag(o.speedTrackValid, h.speedTrackValid());
    *o.speed = h.speed;
    *o.track = h.track;
    putFlag(o.altitudeValid, false);
    *o.altitude = h.altitude;
    return static_cast<int32_t>(vantrel::kFixedSubHeaderLength);
}

} // namespace

extern "C" {

VANTREL_EXPORT int32_t FileReadSubHeader(
    const uint8_t* block, float* upper, float* lower, float* depth, uint8_t* depthValid,
    uint8_t* waterTempValid, float* waterTemp, uint8_t* temp2Valid, float* temp2,
    uint8_t* temp3Valid, float* temp3, uint8_t* waterSpeedValid, float* waterSpeed,
    uint8_t* positionValid, int32_t* positionY, int32_t* positionX, int16_t* fishCount,
    float* fishDepths, float* surfaceDepth, uint8_t* surfaceValid, float* topOfBottom,
    uint8_t* topOfBottomValid, uint8_t* columnIs50kHz, uint8_t* timeValid, int32_t* timeOffset,
    uint8_t* speedTrackValid, float* speed, float* track, uint8_t* altitudeValid, float* altitude)
{
    // Exactly the selector-1 form of FileReadSubHeader2.
    return FileReadSubHeader2(
        0, 1, block, upper, lower, depth, depthValid, waterTempValid, waterTemp, temp2Valid, temp2,
        temp3Valid, temp3, waterSpeedValid, waterSpeed, positionValid, positionY, positionX,
        fishCount, fishDepths, surfaceDepth, surfaceValid, topOfBottom, topOfBottomValid,
        columnIs50kHz, timeValid, timeOffset, speedTrackValid, speed, track, altitudeValid,
        altitude, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
        nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr);
}

VANTREL_EXPORT int32_t FileReadSubHeader2(
    int32_t /*unused*/, int32_t selector, const uint8_t* block, float* upper, float* lower,
    float* depth, uint8_t* depthValid, uint8_t* waterTempValid, float* waterTemp,
    uint8_t* temp2Valid, float* temp2, uint8_t* temp3Valid, float* temp3, uint8_t* waterSpeedValid,
    float* waterSpeed, uint8_t* positionValid, int32_t* positionY, int32_t* positionX,
    int16_t* fishCount, float* fishDepths, float* surfaceDepth, uint8_t* surfaceValid,
    float* topOfBottom, uint8_t* topOfBottomValid, uint8_t* columnIs50kHz, uint8_t* timeValid,
    int32_t* timeOffset, uint8_t* speedTrackValid, float* speed, float* track,
    uint8_t* altitudeValid, float* altitude, void* /*unused1*/, void* /*unused2*/,
    void* /*unused3*/, void* /*unused4*/, void* /*unused5*/, void* /*unused6*/, void* /*unused7*/,
    void* /*unused8*/, void* /*unused9*/, void* /*unused10*/, void* /*unused11*/,
    void* /*unused12*/, void* /*unused13*/, void* /*unused14*/, void* /*unused15*/,
    void* /*unused16*/, void* /*unused17*/)
{
    const SubHeaderOutputs outputs{upper,           lower,           depth,
                                   depthValid,      waterTempValid,  waterTemp,
                                   temp2Valid,      temp2,           temp3Valid,
                                   temp3,           waterSpeedValid, waterSpeed,
                                   positionValid,   positionY,       positionX,
                                   fishCount,       fishDepths,      surfaceDepth,
                                   surfaceValid,    topOfBottom,     topOfBottomValid,
                                   columnIs50kHz,   timeValid,       timeOffset,
                                   speedTrackValid, speed,           track,
                                   altitudeValid,   altitude};
    return selector > 1 ? writeFixed(block, outputs) : writeSlg(block, outputs);
}

VANTREL_EXPORT int32_t FileDecompress(const uint8_t* block, int32_t offset, int32_t available,
                                      void* destination, int32_t* remaining)
{
    const std::span<const uint8_t> area(block + offset,
                                        available > 0 ? static_cast<std::size_t>(available) : 0);
    if (*remaining == 0) {
        *remaining = vantrel::unpackRawSamples(area, static_cast<uint8_t*>(destination));
    } else {
        vantrel::unpackCoefficients(area, destination, *remaining);
    }
    return 0;
}

VANTREL_EXPORT int32_t FileDecode(int32_t* coefficients, uint8_t* samples, int32_t length)
{
    if (length <= 0) {
        return 0;
    }
    const auto count = static_cast<std::size_t>(length);
    vantrel::decodeSounding(std::span<int32_t>(coefficients, count),
                            std::span<uint8_t>(samples, count));
    return 0;
}

} // extern "C"
