// The converter's own parser of an SLG sub-header (the flags word, then the fields its bits name,
// in fixed order). It shares no code with the library's FileReadSubHeader.
#pragma once

#include <cstddef>
#include <cstdint>

namespace tarnex {

struct SlgSubHeader
{
    uint16_t flags = 0;
    float lowerLimit = 0;
    float depth = 0;
    bool depthValid = false; // bit 9 clear
    float upperLimit = 0;    // bit 3, else 0
    bool waterTempValid = false;
    float waterTemp = 0;
    bool temp2Valid = false;
    float temp2 = 0;
    bool temp3Valid = false;
    float temp3 = 0;
    bool waterSpeedValid = false;
    float waterSpeed = 0;
    bool positionValid = false;
    int32_t positionY = 0;
    int32_t positionX = 0;
    bool surfaceValid = false;
    float surfaceDepth = 0;
    bool topOfBottomValid = false;
    float topOfBottom = 0;
    int fishCount = 0; // negative: malformed
    float fishDepths[7] = {};
    bool is50kHz = false;
    bool timeValid = false;
    int32_t timeOffset = 0;
    bool speedTrackValid = false;
    float speed = 0;
    float track = 0;
    bool altitudeValid = false;
    float altitude = 0;
};

// The longest sub-header: 14 + 4 x 4 + 8 + 2 x 4 + 7 tail words x 4.
inline constexpr size_t kMaxSlgSubHeaderLength = 74;

// Parses the sub-header at the start of block (size bytes; bytes past size read as 0) into
// header and returns its length, the offset of the sample area. A negative fish count makes
// it malformed: then only the flags, the validity bits 4 to 14, the lower limit and the depth
// are set, every other member keeps the value it had, and the result is -1.
int parseSlgSubHeader(const uint8_t* block, size_t size, SlgSubHeader& header);

} // namespace tarnex
