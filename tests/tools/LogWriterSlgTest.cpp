// The test-log writer's SLG side: every other test's SLG input relies on these layouts.
#include "LogBytes.h"
#include "LogWriter.h"
#include "TestSlgReader.h"
#include "WaveletCoder.h"

#include <gtest/gtest.h>

#include <functional>
#include <stdexcept>

namespace toolstest {
namespace {

struct SubHeaderCase
{
    const char* name;
    std::function<void(testlog::SlgFields&)> set;
    uint16_t flags;
    size_t length;
};

class SlgSubHeaderLayout : public ::testing::TestWithParam<SubHeaderCase>
{
};

TEST_P(SlgSubHeaderLayout, FlagsAndLengthFollowTheFieldsPresent)
{
    testlog::SlgFields fields;
    GetParam().set(fields);
    const std::vector<uint8_t> bytes = testlog::encodeSlgSubHeader(fields);
    EXPECT_EQ(testlog::slgFlags(fields), GetParam().flags);
    ASSERT_EQ(bytes.size(), GetParam().length);
    EXPECT_EQ(LogBytes(bytes).u16(0), GetParam().flags);
    EXPECT_EQ(parseSlgSubHeader(bytes).length, static_cast<int>(GetParam().length));
}

INSTANTIATE_TEST_SUITE_P(
    Flags, SlgSubHeaderLayout,
    ::testing::Values(
        SubHeaderCase{"Nothing", [](testlog::SlgFields&) {}, 0x0000, 10},
        SubHeaderCase{"UpperLimitAndInvalidDepth",
                      [](testlog::SlgFields& f) {
                          f.upperLimit = 5.0f;
                          f.depthValid = false;
                      },
                      0x0208, 14},
        SubHeaderCase{"WaterTemperature", [](testlog::SlgFields& f) { f.waterTemp = 12.0f; },
                      0x0010, 14},
        SubHeaderCase{"TemperaturesTwoAndThree",
                      [](testlog::SlgFields& f) {
                          f.temp2 = 1.0f;
                          f.temp3 = 2.0f;
                      },
                      0x0060, 18},
        SubHeaderCase{"WaterSpeed", [](testlog::SlgFields& f) { f.waterSpeed = 3.0f; }, 0x0080, 14},
        SubHeaderCase{"Position",
                      [](testlog::SlgFields& f) {
                          f.position = {{10, 20}};
                      },
                      0x0100, 18},
        SubHeaderCase{"SurfaceAndTopOfBottom",
                      [](testlog::SlgFields& f) {
                          f.surfaceDepth = 1.0f;
                          f.topOfBottom = 19.0f;
                      },
                      0x0C00, 18},
        SubHeaderCase{"FiftyKilohertz", [](testlog::SlgFields& f) { f.is50kHz = true; }, 0x1000,
                      10},
        SubHeaderCase{"TwoFish",
                      [](testlog::SlgFields& f) {
                          f.fishDepths = {4.0f, 8.0f};
                      },
                      0x0002, 18},
        SubHeaderCase{"TimeOffset", [](testlog::SlgFields& f) { f.timeOffset = 100; }, 0x2001, 14},
        SubHeaderCase{"SpeedTrackAltitude",
                      [](testlog::SlgFields& f) {
                          f.speedTrack = {{3.0f, 1.0f, -10000.0f}};
                      },
                      0x4003, 22},
        SubHeaderCase{"Everything",
                      [](testlog::SlgFields& f) {
                          f.upperLimit = 1.0f;
                          f.waterTemp = 2.0f;
                          f.temp2 = 3.0f;
                          f.temp3 = 4.0f;
                          f.waterSpeed = 5.0f;
                          f.position = {{6, 7}};
                          f.surfaceDepth = 8.0f;
                          f.topOfBottom = 9.0f;
                          f.fishDepths = {10.0f, 11.0f, 12.0f};
                          f.is50kHz = true;
                          f.timeOffset = 13;
                          f.speedTrack = {{14.0f, 15.0f, 16.0f}};
                      },
                      0x7DFF, 74}),
    [](const ::testing::TestParamInfo<SubHeaderCase>& param) { return param.param.name; });

TEST(SlgSubHeader, FieldsFollowTheFlagsWordInTheirFixedOrder)
{
    testlog::SlgFields f;
    f.lowerLimit = 100.0f;
    f.depth = 20.0f;
    f.upperLimit = 1.0f;
    f.waterTemp = 2.0f;
    f.temp2 = 3.0f;
    f.temp3 = 4.0f;
    f.waterSpeed = 5.0f;
    f.position = {{-6, 7}}; // y, then x
    f.surfaceDepth = 8.0f;
    f.topOfBottom = 9.0f;
    f.fishDepths = {10.0f};
    f.timeOffset = 13;
    f.speedTrack = {{14.0f, 15.0f, -10000.0f}};
    const std::vector<uint8_t> bytes = testlog::encodeSlgSubHeader(f);
    const LogBytes b(bytes);
    EXPECT_EQ(b.f32(2), 100.0f);
    EXPECT_EQ(b.f32(6), 20.0f);
    EXPECT_EQ(b.f32(10), 1.0f);
    EXPECT_EQ(b.f32(14), 2.0f);
    EXPECT_EQ(b.f32(18), 3.0f);
    EXPECT_EQ(b.f32(22), 4.0f);
    EXPECT_EQ(b.f32(26), 5.0f);
    EXPECT_EQ(b.i32(30), -6);
    EXPECT_EQ(b.i32(34), 7);
    EXPECT_EQ(b.f32(38), 8.0f);
    EXPECT_EQ(b.f32(42), 9.0f);
    EXPECT_EQ(b.f32(46), 10.0f);
    EXPECT_EQ(b.i32(50), 13);
    EXPECT_EQ(b.f32(54), 14.0f);
    EXPECT_EQ(b.f32(58), 15.0f);
    EXPECT_EQ(b.f32(62), -10000.0f);
    EXPECT_EQ(bytes.size(), 66u);
}

TEST(SlgSubHeader, OverriddenFlagsAreWrittenOverTheComputedLayout)
{
    testlog::SlgFields f;
    f.speedTrack = {{1.0f, 2.0f, 3.0f}};
    f.flagsOverride = 0x4002; // two tail words with bit 14: a malformed sub-header
    const std::vector<uint8_t> bytes = testlog::encodeSlgSubHeader(f);
    EXPECT_EQ(LogBytes(bytes).u16(0), 0x4002);
    EXPECT_EQ(bytes.size(), 22u);
    EXPECT_EQ(parseSlgSubHeader(bytes).length, -1);
}

TEST(SlgSubHeader, MoreThanSevenTailWordsIsRefused)
{
    testlog::SlgFields f;
    f.fishDepths = {1.0f, 2.0f, 3.0f, 4.0f};
    f.speedTrack = {{1.0f, 2.0f, 3.0f}};
    f.timeOffset = 1;
    EXPECT_THROW(testlog::encodeSlgSubHeader(f), std::length_error);
}

TEST(SlgWriterLog, HeaderHoldsFormatVersionBlockSizeAndFourZeroBytes)
{
    const testlog::SlgWriter w(300, 0, 7);
    const std::vector<uint8_t> expected = {0, 0, 7, 0, 0x2C, 0x01, 0, 0, 0, 0};
    EXPECT_EQ(w.bytes(), expected);
}

TEST(SlgWriterLog, EachSoundingFillsExactlyOneBlock)
{
    testlog::SlgWriter w(64);
    testlog::SlgSounding s;
    s.samples = {1, 2, 3};
    w.add(s);
    s.header.upperLimit = 2.0f;
    s.samples = {9, 8};
    w.add(s);
    const std::vector<uint8_t>& bytes = w.bytes();
    ASSERT_EQ(bytes.size(), 10u + 2 * 64);
    const LogBytes b(bytes);
    // Block 0: 10-byte sub-header, count 3, samples, zeros.
    EXPECT_EQ(b.u16(10), 0x0000);
    EXPECT_EQ(b.i16(20), 3);
    EXPECT_EQ(bytes[22], 1);
    EXPECT_EQ(bytes[24], 3);
    EXPECT_EQ(bytes[25], 0);
    EXPECT_EQ(bytes[73], 0);
    // Block 1 at 10 + 64: the upper limit makes a 14-byte sub-header.
    EXPECT_EQ(b.u16(74), 0x0008);
    EXPECT_EQ(b.f32(84), 2.0f);
    EXPECT_EQ(b.i16(88), 2);
    EXPECT_EQ(bytes[90], 9);
    EXPECT_EQ(bytes[91], 8);
}

TEST(SlgWriterLog, SoundingThatDoesNotFitIsRefusedAndLeavesTheLog)
{
    testlog::SlgWriter w(20);
    testlog::SlgSounding s;
    s.samples.assign(9, 1); // 10 + 2 + 9 = 21 bytes
    EXPECT_THROW(w.add(s), std::length_error);
    EXPECT_EQ(w.bytes().size(), 10u);
    s.samples.assign(8, 1);
    EXPECT_NO_THROW(w.add(s));
    EXPECT_EQ(w.bytes().size(), 30u);
}

TEST(SlgWriterLog, SampleCountOverrideIsStoredInsteadOfTheCount)
{
    testlog::SlgWriter w(40);
    testlog::SlgSounding s;
    s.samples = {1, 2};
    s.sampleCountOverride = 500;
    w.add(s);
    EXPECT_EQ(LogBytes(w.bytes()).i16(20), 500);
    EXPECT_EQ(w.bytes()[22], 1);
}

TEST(SlgWriterLog, RawBlocksArePaddedOrCutAndPartialBytesAppended)
{
    testlog::SlgWriter w(4);
    w.addRawBlock({1, 2});
    w.addRawBlock({3, 4, 5, 6, 7});
    w.appendBytes({8});
    const std::vector<uint8_t> tail(w.bytes().begin() + 10, w.bytes().end());
    EXPECT_EQ(tail, (std::vector<uint8_t>{1, 2, 0, 0, 3, 4, 5, 6, 8}));
}

TEST(VeryOldWriterLog, HeaderIsTheBlockSizeAndTheSamplesPerSounding)
{
    const testlog::VeryOldWriter w(1100, 2048);
    EXPECT_EQ(w.bytes(), (std::vector<uint8_t>{0x4C, 0x04, 0x00, 0x08, 0x00, 0x00}));
}

TEST(VeryOldWriterLog, CodedBlockHoldsSubHeaderScaleCodesAndZeroRunsToTheEnd)
{
    testlog::VeryOldWriter w(120, 1024);
    testlog::SlgFields f;
    f.upperLimit = 0.0f;
    w.addCoded(f, 3, {64, 0x85, 70});
    const std::vector<uint8_t>& bytes = w.bytes();
    ASSERT_EQ(bytes.size(), 6u + 120);
    const LogBytes b(bytes);
    EXPECT_EQ(b.u16(6), 0x0008);
    EXPECT_EQ(b.i32(6 + 14), 3);
    EXPECT_EQ(bytes[24], 64);
    EXPECT_EQ(bytes[25], 0x85);
    EXPECT_EQ(bytes[26], 70);
    // The rest reads as runs of zero coefficients, never as coefficients.
    for (size_t i = 27; i < bytes.size(); ++i) {
        ASSERT_EQ(bytes[i], 0xFF) << i;
    }
}

TEST(VeryOldWriterLog, AddCodesTheSamplesIntoOneBlock)
{
    testlog::VeryOldWriter w(1100, 1024);
    std::vector<uint8_t> samples(1024);
    for (size_t i = 0; i < samples.size(); ++i) {
        samples[i] = static_cast<uint8_t>(i < 700 ? 20 : 220);
    }
    testlog::SlgFields f;
    w.add(f, samples);
    const testlog::WaveletCode code = testlog::codeSamples(samples);
    const std::vector<uint8_t>& bytes = w.bytes();
    ASSERT_EQ(bytes.size(), 6u + 1100);
    EXPECT_EQ(LogBytes(bytes).i32(6 + 10), code.scale);
    EXPECT_TRUE(std::equal(code.codes.begin(), code.codes.end(), bytes.begin() + 20));
}

TEST(VeryOldWriterLog, AddRefusesAWrongSampleCount)
{
    testlog::VeryOldWriter w(1100, 1024);
    EXPECT_THROW(w.add({}, std::vector<uint8_t>(1000)), std::invalid_argument);
    EXPECT_EQ(w.bytes().size(), 6u);
}

} // namespace
} // namespace toolstest
