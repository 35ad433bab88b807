// The SLG sub-header that opens every SLG and very old sounding record: a flags word, the
// lower limit and depth, then the optional fields the flags announce.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

namespace vantrel {

// Flags word bits.
inline constexpr uint16_t kSlgTailWordsMask = 0x0007;
inline constexpr uint16_t kSlgUpperLimit = 0x0008;
inline constexpr uint16_t kSlgWaterTemp = 0x0010;
inline constexpr uint16_t kSlgTemp2 = 0x0020;
inline constexpr uint16_t kSlgTemp3 = 0x0040;
inline constexpr uint16_t kSlgWaterSpeed = 0x0080;
inline constexpr uint16_t kSlgPosition = 0x0100;
inline constexpr uint16_t kSlgDepthInvalid = 0x0200;
inline constexpr uint16_t kSlgSurface = 0x0400;
inline constexpr uint16_t kSlgTopOfBottom = 0x0800;
inline constexpr uint16_t kSlgIs50kHz = 0x1000;
inline constexpr uint16_t kSlgTime = 0x2000;
inline constexpr uint16_t kSlgSpeedTrack = 0x4000;

// Every field present: 14 + 4 * 4 + 8 + 2 * 4 + 7 tail words.
inline constexpr std::size_t kSlgSubHeaderMaxLength = 74;
inline constexpr int kSlgMaxFish = 7;

// A stored altitude of exactly this value means the recorder had none.
inline constexpr float kSlgNoAltitude = -10000.0f;

struct SlgSubHeader
{
    uint16_t flags = 0;
    // Offset of the sample area in the block, or -1 when the fish count is negative. A
    // malformed sub-header holds only the flags, lower limit, depth, validity flags of the
    // flags word and the (negative) fish count.
    int32_t length = -1;

    float lowerLimit = 0;
    float depth = 0;
    bool depthValid = false;
    float upperLimit = 0; // 0 when absent

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

    int16_t fishCount = 0;
    std::array<float, kSlgMaxFish> fishDepths{};

    bool is50kHz = false;
    bool timeValid = false;
    int32_t timeOffset = 0; // 0 when absent
    bool speedTrackValid = false;
    float speed = 0; // speed, track and altitude are 0 when absent
    float track = 0;
    bool altitudeValid = false;
    float altitude = 0; // 0 when absent or stored as "none"

    bool malformed() const { return length < 0; }
};

// Fish count announced by a flags word: the tail words less the time and speed/track words.
// Negative for a malformed flags word.
int slgFishCount(uint16_t flags);

// Parses the sub-header at the start of a record. No sub-header is longer than
// kSlgSubHeaderMaxLength bytes, so that much of the record is all it reads.
SlgSubHeader readSlgSubHeader(std::span<const uint8_t, kSlgSubHeaderMaxLength> bytes);

} // namespace vantrel
