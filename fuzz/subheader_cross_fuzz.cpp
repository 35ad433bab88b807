// The converter and the library parse SLG sub-headers with separate code, by design; on the
// same arbitrary bytes they must agree on the length and on every field both report. Floats
// are compared bit for bit, so NaNs from the log must agree too.
#include "SlgSubHeader.h"

#include <vantrel/vantrel.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace {

struct LibraryFields
{
    float upper, lower, depth, waterTemp, temp2, temp3, waterSpeed;
    int32_t positionY, positionX;
    int16_t fishCount;
    float fishDepths[7];
    float surfaceDepth, topOfBottom;
    int32_t timeOffset;
    float speed, track, altitude;
    uint8_t depthValid, waterTempValid, temp2Valid, temp3Valid, waterSpeedValid, positionValid,
        surfaceValid, topOfBottomValid, is50kHz, timeValid, speedTrackValid, altitudeValid;
};

[[noreturn]] void disagree(const char* field)
{
    std::fprintf(stderr, "subheader_cross_fuzz: converter and library disagree on %s\n", field);
    std::abort();
}

template <typename A, typename B> void same(const A& a, const B& b, const char* field)
{
    static_assert(sizeof a == sizeof b);
    if (std::memcmp(&a, &b, sizeof a) != 0) {
        disagree(field);
    }
}

void sameFlag(uint8_t library, bool converter, const char* field)
{
    if ((library != 0) != converter || library > 1) {
        disagree(field);
    }
}

int32_t readWithLibrary(const uint8_t* block, LibraryFields& o)
{
    return FileReadSubHeader2(
        0, 1, block, &o.upper, &o.lower, &o.depth, &o.depthValid, &o.waterTempValid, &o.waterTemp,
        &o.temp2Valid, &o.temp2, &o.temp3Valid, &o.temp3, &o.waterSpeedValid, &o.waterSpeed,
        &o.positionValid, &o.positionY, &o.positionX, &o.fishCount, o.fishDepths, &o.surfaceDepth,
        &o.surfaceValid, &o.topOfBottom, &o.topOfBottomValid, &o.is50kHz, &o.timeValid,
        &o.timeOffset, &o.speedTrackValid, &o.speed, &o.track, &o.altitudeValid, &o.altitude,
        nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
        nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    // The library reads up to the longest sub-header; the converter reads what it is given and
    // zeros past it, which the padding matches.
    std::vector<uint8_t> block(std::max(size, tarnex::kMaxSlgSubHeaderLength), 0);
    if (size > 0) {
        std::memcpy(block.data(), data, size);
    }
    LibraryFields lib{};
    const int32_t libraryLength = readWithLibrary(block.data(), lib);
    tarnex::SlgSubHeader conv;
    const int converterLength = tarnex::parseSlgSubHeader(data, size, conv);

    if (libraryLength != converterLength) {
        disagree("the length");
    }
    if (lib.fishCount != conv.fishCount) {
        disagree("the fish count");
    }
    same(lib.lower, conv.lowerLimit, "the lower limit");
    same(lib.depth, conv.depth, "the depth");
    sameFlag(lib.depthValid, conv.depthValid, "depth validity");
    sameFlag(lib.waterTempValid, conv.waterTempValid, "water temperature validity");
    sameFlag(lib.temp2Valid, conv.temp2Valid, "temperature 2 validity");
    sameFlag(lib.temp3Valid, conv.temp3Valid, "temperature 3 validity");
    sameFlag(lib.waterSpeedValid, conv.waterSpeedValid, "water speed validity");
    sameFlag(lib.positionValid, conv.positionValid, "position validity");
    sameFlag(lib.surfaceValid, conv.surfaceValid, "surface validity");
    sameFlag(lib.topOfBottomValid, conv.topOfBottomValid, "top of bottom validity");
    sameFlag(lib.is50kHz, conv.is50kHz, "the 50 kHz flag");
    sameFlag(lib.timeValid, conv.timeValid, "time validity");
    sameFlag(lib.speedTrackValid, conv.speedTrackValid, "speed and track validity");
    if (converterLength < 0) {
        return 0;
    }

    same(lib.upper, conv.upperLimit, "the upper limit");
    same(lib.waterTemp, conv.waterTemp, "the water temperature");
    same(lib.temp2, conv.temp2, "temperature 2");
    same(lib.temp3, conv.temp3, "temperature 3");
    same(lib.waterSpeed, conv.waterSpeed, "the water speed");
    same(lib.positionY, conv.positionY, "the position's Y");
    same(lib.positionX, conv.positionX, "the position's X");
    same(lib.surfaceDepth, conv.surfaceDepth, "the surface depth");
    same(lib.topOfBottom, conv.topOfBottom, "the top of bottom");
    for (int i = 0; i < 7; ++i) {
        // The library writes the depths the count names; the rest is undefined.
        if (i < conv.fishCount) {
            same(lib.fishDepths[i], conv.fishDepths[i], "a fish depth");
        }
    }
    same(lib.timeOffset, conv.timeOffset, "the time offset");
    same(lib.speed, conv.speed, "the speed");
    same(lib.track, conv.track, "the track");
    sameFlag(lib.altitudeValid, conv.altitudeValid, "altitude validity");
    same(lib.altitude, conv.altitude, "the altitude");
    return 0;
}
