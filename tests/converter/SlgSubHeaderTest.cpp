// The converter's own SLG sub-header parser.
#include "SlgSubHeader.h"
#include "ConverterTestSupport.h"

#include <cstring>

using namespace tarnextest;
using tarnex::parseSlgSubHeader;
using tarnex::SlgSubHeader;
using testlog::SlgFields;

namespace {

int parse(const std::vector<uint8_t>& bytes, SlgSubHeader& header)
{
    return parseSlgSubHeader(bytes.data(), bytes.size(), header);
}

std::vector<uint8_t> rawFlags(uint16_t flags, size_t size = 80)
{
    std::vector<uint8_t> bytes;
    testlog::putU16(bytes, flags);
    testlog::putF32(bytes, 100.0f);
    testlog::putF32(bytes, 25.0f);
    bytes.resize(size, 0);
    return bytes;
}

SlgFields everyField()
{
    SlgFields f;
    f.lowerLimit = 120.5f;
    f.depth = 33.25f;
    f.upperLimit = 4.5f;
    f.waterTemp = 18.75f;
    f.temp2 = -1.5f;
    f.temp3 = 7.0f;
    f.waterSpeed = 2.125f;
    f.position = testlog::SlgPosition{5012345, -9087654};
    f.surfaceDepth = 0.75f;
    f.topOfBottom = 31.5f;
    f.fishDepths = {10.0f, 12.0f, 14.0f};
    f.is50kHz = true;
    f.timeOffset = 123456;
    f.speedTrack = testlog::SlgSpeedTrack{5.5f, 1.25f, 250.0f};
    return f;
}

} // namespace

TEST(SlgSubHeaderParse, NoFlagsIsTenBytes)
{
    SlgSubHeader h;
    EXPECT_EQ(parse(rawFlags(0x0000), h), 10);
    EXPECT_TRUE(h.depthValid);
    EXPECT_EQ(h.lowerLimit, 100.0f);
    EXPECT_EQ(h.depth, 25.0f);
    EXPECT_EQ(h.upperLimit, 0.0f);
    EXPECT_EQ(h.fishCount, 0);
    EXPECT_FALSE(h.altitudeValid);
}

TEST(SlgSubHeaderParse, UpperLimitWithInvalidDepthIsFourteenBytes)
{
    std::vector<uint8_t> bytes = rawFlags(0x0208);
    testlog::setU32(bytes, 10, 0x40000000u); // 2.0f
    SlgSubHeader h;
    EXPECT_EQ(parse(bytes, h), 14);
    EXPECT_FALSE(h.depthValid);
    EXPECT_EQ(h.depth, 25.0f);
    EXPECT_EQ(h.upperLimit, 2.0f);
}

struct LengthCase
{
    uint16_t flags;
    int length;
};

class SlgSubHeaderLength : public ::testing::TestWithParam<LengthCase>
{
};

TEST_P(SlgSubHeaderLength, CountsEveryPresentField)
{
    SlgSubHeader h;
    EXPECT_EQ(parse(rawFlags(GetParam().flags), h), GetParam().length);
}

INSTANTIATE_TEST_SUITE_P(
    Part11Lengths, SlgSubHeaderLength,
    ::testing::Values(LengthCase{0x0000, 10}, LengthCase{0x0008, 14}, LengthCase{0x0010, 14},
                      LengthCase{0x0020, 14}, LengthCase{0x0040, 14}, LengthCase{0x0080, 14},
                      LengthCase{0x0100, 18}, LengthCase{0x0200, 10}, LengthCase{0x0400, 14},
                      LengthCase{0x0800, 14}, LengthCase{0x1000, 10}, LengthCase{0x2001, 14},
                      LengthCase{0x4003, 22}, LengthCase{0x6004, 26}, LengthCase{0x0007, 38},
                      LengthCase{0x0FFF, 74}, LengthCase{0x7FFF, 74}, LengthCase{0xFFFF, 74}));

TEST(SlgSubHeaderParse, ThreeTailWordsWithSpeedTrackAreNoFish)
{
    SlgSubHeader h;
    EXPECT_EQ(parse(rawFlags(0x4003), h), 22);
    EXPECT_EQ(h.fishCount, 0);
    EXPECT_TRUE(h.speedTrackValid);
}

TEST(SlgSubHeaderParse, TimeTakesOneTailWord)
{
    std::vector<uint8_t> bytes = rawFlags(0x2002);
    testlog::setU32(bytes, 10, 0x41200000u); // fish 10.0f
    testlog::setU32(bytes, 14, 777u);        // time
    SlgSubHeader h;
    EXPECT_EQ(parse(bytes, h), 18);
    EXPECT_EQ(h.fishCount, 1);
    EXPECT_EQ(h.fishDepths[0], 10.0f);
    EXPECT_TRUE(h.timeValid);
    EXPECT_EQ(h.timeOffset, 777);
}

TEST(SlgSubHeaderParse, NegativeFishCountIsMalformedAndKeepsLaterValues)
{
    SlgSubHeader h;
    h.upperLimit = -1.0f; // sentinels: a malformed sub-header must not touch these
    h.waterTemp = -2.0f;
    h.positionX = -3;
    h.positionY = -4;
    h.timeOffset = -5;
    h.speed = -6.0f;
    h.track = -7.0f;
    h.altitude = -8.0f;
    h.altitudeValid = true;
    h.surfaceDepth = -9.0f;
    h.topOfBottom = -10.0f;
    // Bits 0-2 = 2 with bit 14: fish count -1. Also bit 4 and bit 9.
    EXPECT_EQ(parse(rawFlags(0x4212), h), -1);
    EXPECT_EQ(h.fishCount, -1);
    EXPECT_EQ(h.lowerLimit, 100.0f);
    EXPECT_EQ(h.depth, 25.0f);
    EXPECT_FALSE(h.depthValid);
    EXPECT_TRUE(h.waterTempValid);
    EXPECT_TRUE(h.speedTrackValid);
    EXPECT_EQ(h.upperLimit, -1.0f);
    EXPECT_EQ(h.waterTemp, -2.0f);
    EXPECT_EQ(h.positionX, -3);
    EXPECT_EQ(h.positionY, -4);
    EXPECT_EQ(h.timeOffset, -5);
    EXPECT_EQ(h.speed, -6.0f);
    EXPECT_EQ(h.track, -7.0f);
    EXPECT_EQ(h.altitude, -8.0f);
    EXPECT_TRUE(h.altitudeValid);
    EXPECT_EQ(h.surfaceDepth, -9.0f);
    EXPECT_EQ(h.topOfBottom, -10.0f);
}

TEST(SlgSubHeaderParse, TimeWithoutTailWordsIsMalformed)
{
    SlgSubHeader h;
    EXPECT_EQ(parse(rawFlags(0x2000), h), -1);
}

TEST(SlgSubHeaderParse, AltitudeMinusTenThousandMeansNone)
{
    SlgFields f;
    f.speedTrack = testlog::SlgSpeedTrack{3.0f, 0.5f, -10000.0f};
    SlgSubHeader h;
    EXPECT_EQ(parse(testlog::encodeSlgSubHeader(f), h), 22);
    EXPECT_TRUE(h.speedTrackValid);
    EXPECT_EQ(h.speed, 3.0f);
    EXPECT_EQ(h.track, 0.5f);
    EXPECT_FALSE(h.altitudeValid);
    EXPECT_EQ(h.altitude, 0.0f);
}

TEST(SlgSubHeaderParse, OtherAltitudesAreValid)
{
    for (float altitude : {0.0f, -9999.0f, 150.5f}) {
        SlgFields f;
        f.speedTrack = testlog::SlgSpeedTrack{3.0f, 0.5f, altitude};
        SlgSubHeader h;
        parse(testlog::encodeSlgSubHeader(f), h);
        EXPECT_TRUE(h.altitudeValid) << altitude;
        EXPECT_EQ(h.altitude, altitude);
    }
}

TEST(SlgSubHeaderParse, DepthValidityIsBitNineClear)
{
    SlgFields f;
    f.depth = 0.0f;
    SlgSubHeader h;
    parse(testlog::encodeSlgSubHeader(f), h);
    EXPECT_TRUE(h.depthValid);
    f.depthValid = false;
    f.depth = 12.0f;
    parse(testlog::encodeSlgSubHeader(f), h);
    EXPECT_FALSE(h.depthValid);
    EXPECT_EQ(h.depth, 12.0f);
}

TEST(SlgSubHeaderParse, ReadsEveryFieldInOrder)
{
    const SlgFields f = everyField();
    const std::vector<uint8_t> bytes = testlog::encodeSlgSubHeader(f);
    SlgSubHeader h;
    ASSERT_EQ(parse(bytes, h), static_cast<int>(bytes.size()));
    EXPECT_EQ(h.flags, testlog::slgFlags(f));
    EXPECT_EQ(h.lowerLimit, 120.5f);
    EXPECT_EQ(h.depth, 33.25f);
    EXPECT_TRUE(h.depthValid);
    EXPECT_EQ(h.upperLimit, 4.5f);
    EXPECT_TRUE(h.waterTempValid);
    EXPECT_EQ(h.waterTemp, 18.75f);
    EXPECT_TRUE(h.temp2Valid);
    EXPECT_EQ(h.temp2, -1.5f);
    EXPECT_TRUE(h.temp3Valid);
    EXPECT_EQ(h.temp3, 7.0f);
    EXPECT_TRUE(h.waterSpeedValid);
    EXPECT_EQ(h.waterSpeed, 2.125f);
    EXPECT_TRUE(h.positionValid);
    EXPECT_EQ(h.positionY, 5012345);
    EXPECT_EQ(h.positionX, -9087654);
    EXPECT_TRUE(h.surfaceValid);
    EXPECT_EQ(h.surfaceDepth, 0.75f);
    EXPECT_TRUE(h.topOfBottomValid);
    EXPECT_EQ(h.topOfBottom, 31.5f);
    EXPECT_EQ(h.fishCount, 3);
    EXPECT_EQ(h.fishDepths[0], 10.0f);
    EXPECT_EQ(h.fishDepths[1], 12.0f);
    EXPECT_EQ(h.fishDepths[2], 14.0f);
    EXPECT_TRUE(h.is50kHz);
    EXPECT_TRUE(h.timeValid);
    EXPECT_EQ(h.timeOffset, 123456);
    EXPECT_TRUE(h.speedTrackValid);
    EXPECT_EQ(h.speed, 5.5f);
    EXPECT_EQ(h.track, 1.25f);
    EXPECT_TRUE(h.altitudeValid);
    EXPECT_EQ(h.altitude, 250.0f);
}

TEST(SlgSubHeaderParse, AbsentFieldsReadAsZeroEvenAfterARichOne)
{
    SlgSubHeader h;
    parse(testlog::encodeSlgSubHeader(everyField()), h);
    ASSERT_EQ(parse(testlog::encodeSlgSubHeader(SlgFields{}), h), 10);
    EXPECT_EQ(h.upperLimit, 0.0f);
    EXPECT_EQ(h.waterTemp, 0.0f);
    EXPECT_EQ(h.temp2, 0.0f);
    EXPECT_EQ(h.temp3, 0.0f);
    EXPECT_EQ(h.waterSpeed, 0.0f);
    EXPECT_EQ(h.positionX, 0);
    EXPECT_EQ(h.positionY, 0);
    EXPECT_EQ(h.surfaceDepth, 0.0f);
    EXPECT_EQ(h.topOfBottom, 0.0f);
    EXPECT_EQ(h.timeOffset, 0);
    EXPECT_EQ(h.speed, 0.0f);
    EXPECT_EQ(h.track, 0.0f);
    EXPECT_EQ(h.altitude, 0.0f);
    EXPECT_FALSE(h.altitudeValid);
    EXPECT_FALSE(h.waterTempValid);
    EXPECT_FALSE(h.speedTrackValid);
}

TEST(SlgSubHeaderParse, BytesPastAShortBlockReadAsZero)
{
    std::vector<uint8_t> bytes = testlog::encodeSlgSubHeader(everyField());
    ASSERT_EQ(bytes.size(), tarnex::kMaxSlgSubHeaderLength);
    bytes[12] = 0xAA; // beyond the 12 bytes given to the parser: never read
    bytes[13] = 0xAA;
    SlgSubHeader h;
    EXPECT_EQ(parseSlgSubHeader(bytes.data(), 12, h), 74);
    EXPECT_EQ(h.lowerLimit, 120.5f);
    EXPECT_EQ(h.depth, 33.25f);
    EXPECT_EQ(h.upperLimit, 0.0f); // 4.5f is 00 00 90 40: its low half came from the block
    EXPECT_EQ(h.waterTemp, 0.0f);
    EXPECT_EQ(h.positionX, 0);
    EXPECT_EQ(h.timeOffset, 0);
    EXPECT_TRUE(h.altitudeValid); // bit 14 with an altitude of 0, which is not -10000
    EXPECT_EQ(h.altitude, 0.0f);
}
