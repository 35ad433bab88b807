// The reader's arithmetic on plain values: the log header, the depth-window ranges and the
// range-variable-gain reduction.
#include "logs/LogFormat.h"
#include "logs/SoundingScale.h"
#include "logs/tSubHeader.h"

#include <gtest/gtest.h>

#include <limits>
#include <optional>
#include <string>
#include <vector>

namespace {

using brellix::LogFormat;
using brellix::LogHeader;
using brellix::ScaleRanges;

struct HeaderCase
{
    const char* name;
    std::vector<uint8_t> bytes;
    std::optional<LogFormat> format;
    int16_t headerLength;
    int16_t blockSize;
};

TEST(LogHeaderTest, TheFirstBytesDecideTheFormatOrRefuseTheLog)
{
    const HeaderCase cases[] = {
        {"Slg", {1, 0, 7, 0, 0x00, 0x04}, LogFormat::Slg, 10, 1024},
        {"SlgWithoutBlocks", {1, 0, 7, 0, 0, 0}, std::nullopt, 0, 0},
        {"Sl2", {2, 0, 1, 0, 0x00, 0x0C, 1, 0}, LogFormat::Sl2, 8, 3072},
        {"Sl2CutShort", {2, 0, 1, 0, 0x00, 0x0C}, std::nullopt, 0, 0},
        {"VeryOld", {200, 0, 0x00, 0x04, 0, 0}, LogFormat::VeryOld, 6, 200},
        {"VeryOldPartRun", {200, 0, 0xE8, 0x03, 0, 0}, std::nullopt, 0, 0},
        {"VeryOldMoreThanTheBlockCodes", {20, 1, 0x00, 0x00, 0x10, 0}, std::nullopt, 0, 0},
        {"Word3", {3, 0, 0, 0, 0, 0, 0, 0}, std::nullopt, 0, 0},
        {"Word100", {100, 0, 0, 0, 0, 0, 0, 0}, std::nullopt, 0, 0},
        {"NegativeWord", {0xFF, 0xFF, 0, 0, 0, 0}, std::nullopt, 0, 0},
        {"OneByte", {1}, std::nullopt, 0, 0},
    };
    for (const HeaderCase& c : cases) {
        SCOPED_TRACE(c.name);
        const std::optional<LogHeader> header =
            brellix::readLogHeader(c.bytes.data(), static_cast<int64_t>(c.bytes.size()));
        ASSERT_EQ(header.has_value(), c.format.has_value());
        if (header) {
            EXPECT_EQ(header->format, *c.format);
            EXPECT_EQ(header->headerLength, c.headerLength);
            EXPECT_EQ(header->blockSize, c.blockSize);
        }
    }
}

struct RangeCase
{
    const char* name;
    float upper, lower;
    int32_t cells;
    float soundingUpper, soundingLower;
    int32_t soundingCells;
    bool computes;
    ScaleRanges ranges;
};

TEST(SoundingScaleTest, TheSharedDepthSpanLandsOnBothColumns)
{
    const RangeCase cases[] = {
        {"SoundingInsideTheWindow", 0, 100, 200, 20, 60, 80, true, {0, 80, 40, 120}},
        {"WindowInsideTheSounding", 10, 30, 100, 0, 100, 400, true, {40, 120, 0, 100}},
        // 1.5 rounds to 2, and the end 1.5 + 2 to 4: halves to even, the end from the start.
        {"HalvesToEven", 0, 2, 3, 1, 2, 2, true, {0, 2, 2, 4}},
        {"WindowOfNoHeight", 5, 5, 100, 0, 100, 400, false, {}},
        {"SoundingOfNoHeight", 0, 100, 100, 30, 30, 400, false, {}},
    };
    for (const RangeCase& c : cases) {
        SCOPED_TRACE(c.name);
        brellix::tSubHeader window;
        window.sngUpperLimit = c.upper;
        window.sngLowerLimit = c.lower;
        window.lNumRangeCells = c.cells;
        ScaleRanges ranges;
        ASSERT_EQ(
            brellix::scaleRanges(window, c.soundingUpper, c.soundingLower, c.soundingCells, ranges),
            c.computes);
        if (c.computes) {
            EXPECT_EQ(ranges.srcStart, c.ranges.srcStart);
            EXPECT_EQ(ranges.srcEnd, c.ranges.srcEnd);
            EXPECT_EQ(ranges.dstStart, c.ranges.dstStart);
            EXPECT_EQ(ranges.dstEnd, c.ranges.dstEnd);
        }
    }
}

TEST(SoundingScaleTest, OnlyAWindowASonarCouldRecordIsPlausible)
{
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float infinity = std::numeric_limits<float>::infinity();
    const struct
    {
        float upper, lower;
        bool plausible;
    } cases[] = {
        {0, 100, true},       {-50, 50, true},     {0, 12000, true},  {-12000, 0, true},
        {100, 100, false},    {100, 50, false},    {nan, 100, false}, {0, nan, false},
        {0, infinity, false}, {-1e15f, 10, false}, {0, 12001, false}, {-infinity, 0, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.upper) + " " + std::to_string(c.lower));
        EXPECT_EQ(brellix::isPlausibleWindow(c.upper, c.lower), c.plausible);
    }
}

TEST(SoundingScaleTest, TheAttenuationFollowsTheRecordersFormula)
{
    int32_t attenuation = 99;
    EXPECT_TRUE(brellix::rvgAttenuation(100, 50.0f, 20, attenuation));
    EXPECT_EQ(attenuation, 10);
    EXPECT_TRUE(brellix::rvgAttenuation(40, 30.0f, 10, attenuation));
    EXPECT_EQ(attenuation, 2) << "2.5 rounds to the even 2";
    EXPECT_TRUE(brellix::rvgAttenuation(100, 150.0f, 20, attenuation));
    EXPECT_EQ(attenuation, -10);
    attenuation = 99;
    EXPECT_FALSE(brellix::rvgAttenuation(0, 50.0f, 20, attenuation));
    EXPECT_EQ(attenuation, 99) << "no depth leaves the result alone";
}

TEST(SoundingScaleTest, ReducingStopsAtZeroAndAtTheLastIndex)
{
    std::vector<uint8_t> cells{10, 3, 5, 200};
    brellix::reduceCells(cells, 2, 5);
    EXPECT_EQ(cells, (std::vector<uint8_t>{5, 0, 0, 200}));
    brellix::reduceCells(cells, 99, 100);
    EXPECT_EQ(cells, (std::vector<uint8_t>{0, 0, 0, 100}));
    brellix::reduceCells(cells, 3, 0);
    EXPECT_EQ(cells, (std::vector<uint8_t>{0, 0, 0, 100}));
}

} // namespace
