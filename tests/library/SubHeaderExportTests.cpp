// FileReadSubHeader and FileReadSubHeader2: sub-header parsing and the output rules.
#include "LogWriter.h"
#include <vantrel/vantrel.h>

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <ostream>
#include <string>
#include <vector>

namespace {

using testlog::SlgFields;

// Output sentinels: any value the export writes differs from them.
constexpr float kFloatSentinel = 12345.5f;
constexpr int32_t kIntSentinel = 0x5A5A5A5A;
constexpr int16_t kShortSentinel = 0x5A5A;
constexpr uint8_t kFlagSentinel = 0xEE;

// Every output of the sub-header exports, pre-filled with sentinels. Each flag is the first
// byte of two so a test can see that the byte after it stays as it was.
struct Outputs
{
    float upper = kFloatSentinel;
    float lower = kFloatSentinel;
    float depth = kFloatSentinel;
    uint8_t depthValid[2] = {kFlagSentinel, kFlagSentinel};
    uint8_t waterTempValid[2] = {kFlagSentinel, kFlagSentinel};
    float waterTemp = kFloatSentinel;
    uint8_t temp2Valid[2] = {kFlagSentinel, kFlagSentinel};
    float temp2 = kFloatSentinel;
    uint8_t temp3Valid[2] = {kFlagSentinel, kFlagSentinel};
    float temp3 = kFloatSentinel;
    uint8_t waterSpeedValid[2] = {kFlagSentinel, kFlagSentinel};
    float waterSpeed = kFloatSentinel;
    uint8_t positionValid[2] = {kFlagSentinel, kFlagSentinel};
    int32_t positionY = kIntSentinel;
    int32_t positionX = kIntSentinel;
    int16_t fishCount = kShortSentinel;
    std::array<float, 8> fishDepths = filledFish();
    float surfaceDepth = kFloatSentinel;
    uint8_t surfaceValid[2] = {kFlagSentinel, kFlagSentinel};
    float topOfBottom = kFloatSentinel;
    uint8_t topOfBottomValid[2] = {kFlagSentinel, kFlagSentinel};
    uint8_t is50kHz[2] = {kFlagSentinel, kFlagSentinel};
    uint8_t timeValid[2] = {kFlagSentinel, kFlagSentinel};
    int32_t timeOffset = kIntSentinel;
    uint8_t speedTrackValid[2] = {kFlagSentinel, kFlagSentinel};
    float speed = kFloatSentinel;
    float track = kFloatSentinel;
    uint8_t altitudeValid[2] = {kFlagSentinel, kFlagSentinel};
    float altitude = kFloatSentinel;

    static std::array<float, 8> filledFish()
    {
        std::array<float, 8> a;
        a.fill(kFloatSentinel);
        return a;
    }

    // Every output byte by byte (padding left out), for comparing two calls.
    std::vector<uint8_t> bytes() const
    {
        std::vector<uint8_t> out;
        auto add = [&out](const auto& field) {
            const auto* p = reinterpret_cast<const uint8_t*>(&field);
            out.insert(out.end(), p, p + sizeof field);
        };
        add(upper), add(lower), add(depth), add(depthValid), add(waterTempValid);
        add(waterTemp), add(temp2Valid), add(temp2), add(temp3Valid), add(temp3);
        add(waterSpeedValid), add(waterSpeed), add(positionValid), add(positionY);
        add(positionX), add(fishCount), add(fishDepths), add(surfaceDepth), add(surfaceValid);
        add(topOfBottom), add(topOfBottomValid), add(is50kHz), add(timeValid), add(timeOffset);
        add(speedTrackValid), add(speed), add(track), add(altitudeValid), add(altitude);
        return out;
    }

    // Every flag's second byte, which no export may touch.
    std::vector<uint8_t> flagTails() const
    {
        return {depthValid[1],      waterTempValid[1], temp2Valid[1],      temp3Valid[1],
                waterSpeedValid[1], positionValid[1],  surfaceValid[1],    topOfBottomValid[1],
                is50kHz[1],         timeValid[1],      speedTrackValid[1], altitudeValid[1]};
    }
};

int32_t readSubHeader(const uint8_t* block, Outputs& o)
{
    return FileReadSubHeader(
        block, &o.upper, &o.lower, &o.depth, o.depthValid, o.waterTempValid, &o.waterTemp,
        o.temp2Valid, &o.temp2, o.temp3Valid, &o.temp3, o.waterSpeedValid, &o.waterSpeed,
        o.positionValid, &o.positionY, &o.positionX, &o.fishCount, o.fishDepths.data(),
        &o.surfaceDepth, o.surfaceValid, &o.topOfBottom, o.topOfBottomValid, o.is50kHz, o.timeValid,
        &o.timeOffset, o.speedTrackValid, &o.speed, &o.track, o.altitudeValid, &o.altitude);
}

int32_t readSubHeader2(int32_t selector, const uint8_t* block, Outputs& o)
{
    return FileReadSubHeader2(
        0, selector, block, &o.upper, &o.lower, &o.depth, o.depthValid, o.waterTempValid,
        &o.waterTemp, o.temp2Valid, &o.temp2, o.temp3Valid, &o.temp3, o.waterSpeedValid,
        &o.waterSpeed, o.positionValid, &o.positionY, &o.positionX, &o.fishCount,
        o.fishDepths.data(), &o.surfaceDepth, o.surfaceValid, &o.topOfBottom, o.topOfBottomValid,
        o.is50kHz, o.timeValid, &o.timeOffset, o.speedTrackValid, &o.speed, &o.track,
        o.altitudeValid, &o.altitude, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
        nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr);
}

// A record as the reader hands it over: the sub-header, then samples, in a 201-byte buffer.
std::vector<uint8_t> recordOf(const SlgFields& fields)
{
    std::vector<uint8_t> block = testlog::encodeSlgSubHeader(fields);
    block.resize(201, 0xA7);
    return block;
}

uint32_t bitsOf(float f)
{
    uint32_t bits;
    std::memcpy(&bits, &f, sizeof bits);
    return bits;
}

float floatOfBits(uint32_t bits)
{
    float f;
    std::memcpy(&f, &bits, sizeof f);
    return f;
}

SlgFields everyField()
{
    SlgFields f;
    f.lowerLimit = 120.25f;
    f.depth = 33.5f;
    f.upperLimit = 2.75f;
    f.waterTemp = 14.5f;
    f.temp2 = 15.25f;
    f.temp3 = 16.125f;
    f.waterSpeed = 4.5f;
    f.position = testlog::SlgPosition{-7654321, 1234567};
    f.surfaceDepth = 1.5f;
    f.topOfBottom = 31.0f;
    f.fishDepths = {10.5f, 11.5f, 12.5f};
    f.is50kHz = true;
    f.timeOffset = 987654;
    f.speedTrack = testlog::SlgSpeedTrack{5.25f, 1.75f, 42.0f};
    return f;
}

// ---------------------------------------------------------------------------------------
// Lengths

struct LengthCase
{
    const char* name;
    SlgFields fields;
};

std::vector<LengthCase> lengthCases()
{
    std::vector<LengthCase> cases;
    cases.push_back({"bare", SlgFields{}});
    SlgFields f;
    f.upperLimit = 3.5f;
    cases.push_back({"upper", f});
    f = {};
    f.waterTemp = 1;
    cases.push_back({"waterTemp", f});
    f = {};
    f.temp2 = 1;
    f.temp3 = 2;
    cases.push_back({"temps2and3", f});
    f = {};
    f.waterSpeed = 1;
    cases.push_back({"waterSpeed", f});
    f = {};
    f.position = testlog::SlgPosition{1, 2};
    cases.push_back({"position", f});
    f = {};
    f.surfaceDepth = 1;
    f.topOfBottom = 2;
    cases.push_back({"surfaceAndBottom", f});
    f = {};
    f.fishDepths = {1, 2, 3, 4, 5, 6, 7};
    cases.push_back({"sevenFish", f});
    f = {};
    f.timeOffset = 5;
    cases.push_back({"time", f});
    f = {};
    f.speedTrack = testlog::SlgSpeedTrack{};
    cases.push_back({"speedTrack", f});
    f = {};
    f.speedTrack = testlog::SlgSpeedTrack{};
    f.timeOffset = 1;
    f.fishDepths = {1, 2, 3};
    f.upperLimit = 1;
    f.waterTemp = f.temp2 = f.temp3 = f.waterSpeed = f.surfaceDepth = f.topOfBottom = 1;
    f.position = testlog::SlgPosition{};
    cases.push_back({"everythingLongest", f});
    cases.push_back({"everything", everyField()});
    return cases;
}

void PrintTo(const LengthCase& c, std::ostream* os)
{
    *os << c.name;
}

class SubHeaderLength : public testing::TestWithParam<LengthCase>
{
};

TEST_P(SubHeaderLength, ResultIsTheOffsetOfTheSampleArea)
{
    const SlgFields& fields = GetParam().fields;
    const std::vector<uint8_t> record = recordOf(fields);
    Outputs o;
    EXPECT_EQ(readSubHeader(record.data(), o),
              static_cast<int32_t>(testlog::encodeSlgSubHeader(fields).size()));
}

INSTANTIATE_TEST_SUITE_P(FileReadSubHeader, SubHeaderLength, testing::ValuesIn(lengthCases()),
                         [](const auto& p) { return std::string(p.param.name); });

TEST(FileReadSubHeader, LongestSubHeaderIs74BytesAndReadsNothingBeyond)
{
    // Exactly sized on the heap: a read past the sub-header shows under the address sanitizer.
    const std::vector<uint8_t> bytes = testlog::encodeSlgSubHeader(lengthCases()[10].fields);
    ASSERT_EQ(bytes.size(), 74u);
    std::vector<uint8_t> exact(bytes);
    Outputs o;
    EXPECT_EQ(readSubHeader(exact.data(), o), 74);
}

TEST(FileReadSubHeader, UpperLimitPresentGives14AndItsValue)
{
    SlgFields f;
    f.upperLimit = 3.5f;
    Outputs o;
    EXPECT_EQ(readSubHeader(recordOf(f).data(), o), 14);
    EXPECT_EQ(o.upper, 3.5f);
}

TEST(FileReadSubHeader, UpperLimitAbsentGives10AndZero)
{
    Outputs o;
    EXPECT_EQ(readSubHeader(recordOf(SlgFields{}).data(), o), 10);
    EXPECT_EQ(o.upper, 0.0f);
}

TEST(FileReadSubHeader, Flags0208Give14BytesAndAnInvalidDepth)
{
    SlgFields f;
    f.upperLimit = 1.0f;
    f.depthValid = false;
    ASSERT_EQ(testlog::slgFlags(f), 0x0208);
    Outputs o;
    EXPECT_EQ(readSubHeader(recordOf(f).data(), o), 14);
    EXPECT_EQ(o.depthValid[0], 0);
}

// ---------------------------------------------------------------------------------------
// Values

TEST(FileReadSubHeader, EveryPresentFieldComesThroughWithItsFlag)
{
    const SlgFields f = everyField();
    Outputs o;
    ASSERT_GT(readSubHeader(recordOf(f).data(), o), 0);
    EXPECT_EQ(o.upper, *f.upperLimit);
    EXPECT_EQ(o.lower, f.lowerLimit);
    EXPECT_EQ(o.depth, f.depth);
    EXPECT_EQ(o.depthValid[0], 1);
    EXPECT_EQ(o.waterTempValid[0], 1);
    EXPECT_EQ(o.waterTemp, *f.waterTemp);
    EXPECT_EQ(o.temp2Valid[0], 1);
    EXPECT_EQ(o.temp2, *f.temp2);
    EXPECT_EQ(o.temp3Valid[0], 1);
    EXPECT_EQ(o.temp3, *f.temp3);
    EXPECT_EQ(o.waterSpeedValid[0], 1);
    EXPECT_EQ(o.waterSpeed, *f.waterSpeed);
    EXPECT_EQ(o.positionValid[0], 1);
    EXPECT_EQ(o.positionY, f.position->y);
    EXPECT_EQ(o.positionX, f.position->x);
    EXPECT_EQ(o.fishCount, 3);
    EXPECT_EQ(o.fishDepths[0], f.fishDepths[0]);
    EXPECT_EQ(o.fishDepths[1], f.fishDepths[1]);
    EXPECT_EQ(o.fishDepths[2], f.fishDepths[2]);
    EXPECT_EQ(o.surfaceValid[0], 1);
    EXPECT_EQ(o.surfaceDepth, *f.surfaceDepth);
    EXPECT_EQ(o.topOfBottomValid[0], 1);
    EXPECT_EQ(o.topOfBottom, *f.topOfBottom);
    EXPECT_EQ(o.is50kHz[0], 1);
    EXPECT_EQ(o.timeValid[0], 1);
    EXPECT_EQ(o.timeOffset, *f.timeOffset);
    EXPECT_EQ(o.speedTrackValid[0], 1);
    EXPECT_EQ(o.speed, f.speedTrack->speed);
    EXPECT_EQ(o.track, f.speedTrack->track);
    EXPECT_EQ(o.altitudeValid[0], 1);
    EXPECT_EQ(o.altitude, f.speedTrack->altitude);
}

TEST(FileReadSubHeader, FishDepthsBeyondTheCountStayUntouched)
{
    SlgFields f;
    f.fishDepths = {7.0f, 8.0f};
    Outputs o;
    ASSERT_EQ(readSubHeader(recordOf(f).data(), o), 18);
    EXPECT_EQ(o.fishCount, 2);
    EXPECT_EQ(o.fishDepths[0], 7.0f);
    EXPECT_EQ(o.fishDepths[1], 8.0f);
    for (size_t i = 2; i < o.fishDepths.size(); ++i) {
        EXPECT_EQ(o.fishDepths[i], kFloatSentinel) << i;
    }
}

TEST(FileReadSubHeader, SevenFishFillTheArrayAndNoMore)
{
    SlgFields f;
    f.fishDepths = {1, 2, 3, 4, 5, 6, 7};
    Outputs o;
    ASSERT_EQ(readSubHeader(recordOf(f).data(), o), 38);
    EXPECT_EQ(o.fishCount, 7);
    for (size_t i = 0; i < 7; ++i) {
        EXPECT_EQ(o.fishDepths[i], static_cast<float>(i + 1));
    }
    EXPECT_EQ(o.fishDepths[7], kFloatSentinel);
}

TEST(FileReadSubHeader, ThreeTailWordsWithSpeedTrackMeanNoFish)
{
    SlgFields f;
    f.speedTrack = testlog::SlgSpeedTrack{1.0f, 2.0f, 3.0f};
    ASSERT_EQ(testlog::slgFlags(f) & 7, 3);
    Outputs o;
    EXPECT_EQ(readSubHeader(recordOf(f).data(), o), 22);
    EXPECT_EQ(o.fishCount, 0);
    EXPECT_EQ(o.fishDepths[0], kFloatSentinel);
    EXPECT_EQ(o.speed, 1.0f);
    EXPECT_EQ(o.track, 2.0f);
    EXPECT_EQ(o.altitude, 3.0f);
}

TEST(FileReadSubHeader, AbsentFieldsKeepWhatTheCallerHadAndAlwaysFieldsAreZeroed)
{
    Outputs o;
    ASSERT_EQ(readSubHeader(recordOf(SlgFields{}).data(), o), 10);
    // Written only when present.
    EXPECT_EQ(o.waterTemp, kFloatSentinel);
    EXPECT_EQ(o.temp2, kFloatSentinel);
    EXPECT_EQ(o.temp3, kFloatSentinel);
    EXPECT_EQ(o.waterSpeed, kFloatSentinel);
    EXPECT_EQ(o.positionY, kIntSentinel);
    EXPECT_EQ(o.positionX, kIntSentinel);
    EXPECT_EQ(o.surfaceDepth, kFloatSentinel);
    EXPECT_EQ(o.topOfBottom, kFloatSentinel);
    EXPECT_EQ(o.fishDepths[0], kFloatSentinel);
    // Always written.
    EXPECT_EQ(o.upper, 0.0f);
    EXPECT_EQ(o.fishCount, 0);
    EXPECT_EQ(o.timeOffset, 0);
    EXPECT_EQ(o.speed, 0.0f);
    EXPECT_EQ(o.track, 0.0f);
    EXPECT_EQ(o.altitude, 0.0f);
    for (const uint8_t* flag : {o.waterTempValid, o.temp2Valid, o.temp3Valid, o.waterSpeedValid,
                                o.positionValid, o.surfaceValid, o.topOfBottomValid, o.is50kHz,
                                o.timeValid, o.speedTrackValid, o.altitudeValid}) {
        EXPECT_EQ(flag[0], 0);
    }
    EXPECT_EQ(o.depthValid[0], 1);
}

TEST(FileReadSubHeader, FlagsAreOneByteEach)
{
    Outputs o;
    ASSERT_GT(readSubHeader(recordOf(everyField()).data(), o), 0);
    for (uint8_t tail : o.flagTails()) {
        EXPECT_EQ(tail, kFlagSentinel);
    }
}

TEST(FileReadSubHeader, EachFlagBitSetsOnlyItsOwnFlag)
{
    const std::vector<std::pair<uint16_t, uint8_t* (*)(Outputs&)>> bits = {
        {0x0010, [](Outputs& o) { return o.waterTempValid; }},
        {0x0020, [](Outputs& o) { return o.temp2Valid; }},
        {0x0040, [](Outputs& o) { return o.temp3Valid; }},
        {0x0080, [](Outputs& o) { return o.waterSpeedValid; }},
        {0x0100, [](Outputs& o) { return o.positionValid; }},
        {0x0400, [](Outputs& o) { return o.surfaceValid; }},
        {0x0800, [](Outputs& o) { return o.topOfBottomValid; }},
        {0x1000, [](Outputs& o) { return o.is50kHz; }},
    };
    for (const auto& [bit, flagOf] : bits) {
        SlgFields f;
        f.flagsOverride = bit;
        Outputs o;
        ASSERT_GT(readSubHeader(recordOf(f).data(), o), 0) << bit;
        int set = 0;
        for (uint8_t* flag : {o.waterTempValid, o.temp2Valid, o.temp3Valid, o.waterSpeedValid,
                              o.positionValid, o.surfaceValid, o.topOfBottomValid, o.is50kHz,
                              o.timeValid, o.speedTrackValid, o.altitudeValid}) {
            set += flag[0];
        }
        EXPECT_EQ(set, 1) << std::hex << bit;
        EXPECT_EQ(flagOf(o)[0], 1) << std::hex << bit;
    }
}

TEST(FileReadSubHeader, StoredNoAltitudeGivesZeroAndNotValid)
{
    SlgFields f;
    f.speedTrack = testlog::SlgSpeedTrack{2.0f, 0.5f, -10000.0f};
    Outputs o;
    ASSERT_EQ(readSubHeader(recordOf(f).data(), o), 22);
    EXPECT_EQ(o.altitudeValid[0], 0);
    EXPECT_EQ(o.altitude, 0.0f);
    EXPECT_EQ(o.speedTrackValid[0], 1);
    EXPECT_EQ(o.speed, 2.0f);
}

TEST(FileReadSubHeader, AltitudeNextToTheNoneValueIsValid)
{
    const float nearNone = std::nextafter(-10000.0f, 0.0f);
    SlgFields f;
    f.speedTrack = testlog::SlgSpeedTrack{2.0f, 0.5f, nearNone};
    Outputs o;
    ASSERT_EQ(readSubHeader(recordOf(f).data(), o), 22);
    EXPECT_EQ(o.altitudeValid[0], 1);
    EXPECT_EQ(o.altitude, nearNone);
}

TEST(FileReadSubHeader, FloatOutputsAreTheStoredBitsUnchanged)
{
    // A signalling NaN payload and a negative zero survive only a byte-exact copy.
    const uint32_t signallingNan = 0x7FA00001;
    const uint32_t negativeZero = 0x80000000;
    SlgFields f;
    f.waterTemp = floatOfBits(signallingNan);
    f.upperLimit = floatOfBits(negativeZero);
    f.fishDepths = {floatOfBits(0xFFC12345)};
    Outputs o;
    ASSERT_EQ(readSubHeader(recordOf(f).data(), o), 22);
    EXPECT_EQ(bitsOf(o.waterTemp), signallingNan);
    EXPECT_EQ(bitsOf(o.upper), negativeZero);
    EXPECT_EQ(bitsOf(o.fishDepths[0]), 0xFFC12345u);
}

// ---------------------------------------------------------------------------------------
// Malformed

struct MalformedCase
{
    uint16_t flags;
    int16_t fishCount;
};

void PrintTo(const MalformedCase& c, std::ostream* os)
{
    *os << "flags 0x" << std::hex << c.flags;
}

class MalformedSubHeader : public testing::TestWithParam<MalformedCase>
{
};

TEST_P(MalformedSubHeader, ReturnsMinusOneAndWritesOnlyTheListedOutputs)
{
    // Laid out as if everything were there, so an export that read on would find values.
    SlgFields f = everyField();
    f.fishDepths.clear();
    f.flagsOverride = GetParam().flags;
    Outputs o;
    EXPECT_EQ(readSubHeader(recordOf(f).data(), o), -1);

    EXPECT_EQ(o.lower, f.lowerLimit);
    EXPECT_EQ(o.depth, f.depth);
    EXPECT_EQ(o.fishCount, GetParam().fishCount);
    const uint16_t flags = GetParam().flags;
    EXPECT_EQ(o.depthValid[0], (flags & 0x0200) ? 0 : 1);
    EXPECT_EQ(o.waterTempValid[0], (flags & 0x0010) ? 1 : 0);
    EXPECT_EQ(o.temp2Valid[0], (flags & 0x0020) ? 1 : 0);
    EXPECT_EQ(o.temp3Valid[0], (flags & 0x0040) ? 1 : 0);
    EXPECT_EQ(o.waterSpeedValid[0], (flags & 0x0080) ? 1 : 0);
    EXPECT_EQ(o.positionValid[0], (flags & 0x0100) ? 1 : 0);
    EXPECT_EQ(o.surfaceValid[0], (flags & 0x0400) ? 1 : 0);
    EXPECT_EQ(o.topOfBottomValid[0], (flags & 0x0800) ? 1 : 0);
    EXPECT_EQ(o.is50kHz[0], (flags & 0x1000) ? 1 : 0);
    EXPECT_EQ(o.timeValid[0], (flags & 0x2000) ? 1 : 0);
    EXPECT_EQ(o.speedTrackValid[0], (flags & 0x4000) ? 1 : 0);

    // Nothing else.
    EXPECT_EQ(o.upper, kFloatSentinel);
    EXPECT_EQ(o.waterTemp, kFloatSentinel);
    EXPECT_EQ(o.temp2, kFloatSentinel);
    EXPECT_EQ(o.temp3, kFloatSentinel);
    EXPECT_EQ(o.waterSpeed, kFloatSentinel);
    EXPECT_EQ(o.positionY, kIntSentinel);
    EXPECT_EQ(o.positionX, kIntSentinel);
    EXPECT_EQ(o.fishDepths, Outputs::filledFish());
    EXPECT_EQ(o.surfaceDepth, kFloatSentinel);
    EXPECT_EQ(o.topOfBottom, kFloatSentinel);
    EXPECT_EQ(o.timeOffset, kIntSentinel);
    EXPECT_EQ(o.speed, kFloatSentinel);
    EXPECT_EQ(o.track, kFloatSentinel);
    EXPECT_EQ(o.altitudeValid[0], kFlagSentinel);
    EXPECT_EQ(o.altitude, kFloatSentinel);
}

INSTANTIATE_TEST_SUITE_P(FileReadSubHeader, MalformedSubHeader,
                         testing::Values(MalformedCase{0x4002, -1}, MalformedCase{0x4000, -3},
                                         MalformedCase{0x2000, -1}, MalformedCase{0x6003, -1},
                                         MalformedCase{0x6000, -4}, MalformedCase{0x7FF8, -4}));

TEST(FileReadSubHeader, IsFileReadSubHeader2WithSelectorOne)
{
    for (const auto& c : lengthCases()) {
        const std::vector<uint8_t> record = recordOf(c.fields);
        Outputs a;
        Outputs b;
        EXPECT_EQ(readSubHeader(record.data(), a), readSubHeader2(1, record.data(), b)) << c.name;
        EXPECT_EQ(a.bytes(), b.bytes()) << c.name;
    }
}

TEST(FileReadSubHeader2, SelectorsZeroAndNegativeReadTheSlgLayout)
{
    const std::vector<uint8_t> record = recordOf(everyField());
    Outputs expected;
    const int32_t length = readSubHeader(record.data(), expected);
    for (int32_t selector : {0, -1, std::numeric_limits<int32_t>::min()}) {
        Outputs o;
        EXPECT_EQ(readSubHeader2(selector, record.data(), o), length) << selector;
        EXPECT_EQ(o.bytes(), expected.bytes()) << selector;
    }
}

// ---------------------------------------------------------------------------------------
// The fixed 124-byte layout (selector above 1)

struct FixedValues
{
    float upper = 1.5f;
    float lower = 80.25f;
    float depth = 22.75f;
    float speed = 6.5f;
    float waterTemp = 18.25f;
    int32_t positionX = -2000001;
    int32_t positionY = 3000002;
    float waterSpeed = 4.25f;
    float track = 2.5f;
    float altitude = -10000.0f;
};

// Exactly 124 bytes on the heap: the export must read nothing past them.
std::vector<uint8_t> fixedRecord(const FixedValues& v, uint32_t flags)
{
    std::vector<uint8_t> b(124, 0xC3);
    auto putF = [&](size_t at, float f) { testlog::setU32(b, at, bitsOf(f)); };
    putF(36, v.upper);
    putF(40, v.lower);
    putF(60, v.depth);
    putF(92, v.speed);
    putF(96, v.waterTemp);
    testlog::setU32(b, 100, static_cast<uint32_t>(v.positionX));
    testlog::setU32(b, 104, static_cast<uint32_t>(v.positionY));
    putF(108, v.waterSpeed);
    putF(112, v.track);
    putF(116, v.altitude);
    testlog::setU32(b, 120, flags);
    return b;
}

TEST(FileReadSubHeader2, FixedLayoutReturns124AndItsValues)
{
    const FixedValues v;
    const std::vector<uint8_t> record = fixedRecord(v, 0x7);
    Outputs o;
    EXPECT_EQ(readSubHeader2(2, record.data(), o), 124);
    EXPECT_EQ(o.upper, v.upper);
    EXPECT_EQ(o.lower, v.lower);
    EXPECT_EQ(o.depth, v.depth);
    EXPECT_EQ(o.speed, v.speed);
    EXPECT_EQ(o.waterTemp, v.waterTemp);
    EXPECT_EQ(o.positionX, v.positionX);
    EXPECT_EQ(o.positionY, v.positionY);
    EXPECT_EQ(o.waterSpeed, v.waterSpeed);
    EXPECT_EQ(o.track, v.track);
    EXPECT_EQ(o.topOfBottom, v.depth);
    EXPECT_EQ(o.fishCount, 0);
}

TEST(FileReadSubHeader2, FixedLayoutCopiesTheAltitudeAsStored)
{
    const FixedValues v; // altitude -10000, the SLG "none" value
    Outputs o;
    ASSERT_EQ(readSubHeader2(5, fixedRecord(v, 0x1).data(), o), 124);
    EXPECT_EQ(o.altitude, -10000.0f);
    EXPECT_EQ(o.altitudeValid[0], 0);
}

TEST(FileReadSubHeader2, FixedLayoutLeavesItsUnwrittenOutputsUntouched)
{
    Outputs o;
    ASSERT_EQ(readSubHeader2(std::numeric_limits<int32_t>::max(),
                             fixedRecord(FixedValues{}, 0x7).data(), o),
              124);
    EXPECT_EQ(o.temp2, kFloatSentinel);
    EXPECT_EQ(o.temp3, kFloatSentinel);
    EXPECT_EQ(o.surfaceDepth, kFloatSentinel);
    EXPECT_EQ(o.timeOffset, kIntSentinel);
    EXPECT_EQ(o.fishDepths, Outputs::filledFish());
    EXPECT_EQ(o.is50kHz[0], kFlagSentinel);
    for (uint8_t tail : o.flagTails()) {
        EXPECT_EQ(tail, kFlagSentinel);
    }
}

struct FixedFlagsCase
{
    uint32_t flags;
    uint8_t speedTrack, waterTemp, position, depth, waterSpeed;
};

void PrintTo(const FixedFlagsCase& c, std::ostream* os)
{
    *os << "flags 0x" << std::hex << c.flags;
}

class FixedLayoutFlags : public testing::TestWithParam<FixedFlagsCase>
{
};

TEST_P(FixedLayoutFlags, ValidityFollowsBitsZeroToTwo)
{
    const FixedFlagsCase& c = GetParam();
    Outputs o;
    ASSERT_EQ(readSubHeader2(2, fixedRecord(FixedValues{}, c.flags).data(), o), 124);
    EXPECT_EQ(o.speedTrackValid[0], c.speedTrack);
    EXPECT_EQ(o.waterTempValid[0], c.waterTemp);
    EXPECT_EQ(o.positionValid[0], c.position);
    EXPECT_EQ(o.depthValid[0], c.depth);
    EXPECT_EQ(o.topOfBottomValid[0], c.depth);
    EXPECT_EQ(o.waterSpeedValid[0], c.waterSpeed);
    EXPECT_EQ(o.temp2Valid[0], 0);
    EXPECT_EQ(o.temp3Valid[0], 0);
    EXPECT_EQ(o.surfaceValid[0], 0);
    EXPECT_EQ(o.timeValid[0], 0);
    EXPECT_EQ(o.altitudeValid[0], 0);
}

INSTANTIATE_TEST_SUITE_P(
    FileReadSubHeader2, FixedLayoutFlags,
    testing::Values(FixedFlagsCase{0x0, 0, 0, 0, 0, 0}, FixedFlagsCase{0x1, 1, 0, 0, 1, 0},
                    FixedFlagsCase{0x2, 0, 1, 0, 1, 1}, FixedFlagsCase{0x4, 0, 0, 1, 0, 1},
                    FixedFlagsCase{0x5, 1, 0, 1, 1, 1}, FixedFlagsCase{0x7, 1, 1, 1, 1, 1},
                    // Bits above 2 mean nothing.
                    FixedFlagsCase{0xFFFFFFF8, 0, 0, 0, 0, 0},
                    FixedFlagsCase{0x80000002, 0, 1, 0, 1, 1}));

} // namespace
