// Both scale paths, SLG and SL2, against the expected cells worked out from the windows by
// hand and resampled by the definition in ExpectedColumn.
#include "ExpectedColumn.h"
#include "ReaderTestSupport.h"

#include "logs/tSonarFile.h"

using brellix::tSonarFile;
using brellix::tSubHeader;
using readertest::LogFolder;

namespace {

// A sounding of 100 cells over 0 to 50 ft (two cells per foot) read into a caller's window.
// The ranges are the shared depth span in each column, worked out by hand.
struct ScaleCase
{
    const char* name;
    float upper;
    float lower;
    int cells;
    int srcStart;
    int srcEnd;
    int dstStart;
    int dstEnd;
};

constexpr float kSoundingUpper = 0.0f;
constexpr float kSoundingLower = 50.0f;
constexpr int kSoundingCells = 100;

const ScaleCase kScaleCases[] = {
    {"SameRateInside", 10, 30, 40, 20, 60, 0, 40},
    {"HalfRateShrinks", 10, 30, 20, 20, 60, 0, 20},
    {"DoubleRateEnlargesAndStopsAtTheSoundingsEnd", 0, 100, 400, 0, 100, 0, 200},
    {"WindowAboveTheSoundingStartsLower", -10, 40, 100, 0, 80, 20, 100},
    {"OverlapAtTheBottomOnly", 45, 95, 50, 90, 100, 0, 5},
    {"ThreeCellsForEveryFour", 0, 30, 45, 0, 60, 0, 45},
    {"QuarterFootStartRoundsDownToEven", 0.25f, 30.25f, 60, 0, 60, 0, 60},
    {"ThreeQuarterFootStartRoundsUpToEven", 0.75f, 30.75f, 60, 2, 62, 0, 60},
    {"OddCellsEnlargeUnevenly", 0, 50, 250, 0, 100, 0, 250},
    {"WindowBelowTheSoundingGetsNothing", 60, 100, 40, 100, 100, -10, -10},
};

std::vector<uint8_t> soundingSamples()
{
    std::vector<uint8_t> samples;
    for (int i = 0; i < kSoundingCells; ++i) {
        samples.push_back(static_cast<uint8_t>((i * 37 + 11) % 251));
    }
    return samples;
}

std::vector<uint8_t> expectedFor(const ScaleCase& c)
{
    if (c.dstEnd <= c.dstStart) {
        return std::vector<uint8_t>(static_cast<size_t>(c.cells) + 1, 0);
    }
    return readertest::expectedColumn(soundingSamples(), c.srcStart, c.srcEnd, c.cells, c.dstStart,
                                      c.dstEnd);
}

tSubHeader windowOf(const ScaleCase& c)
{
    tSubHeader header;
    header.sngUpperLimit = c.upper;
    header.sngLowerLimit = c.lower;
    header.lNumRangeCells = c.cells;
    return header;
}

class Scale : public LogFolder, public ::testing::WithParamInterface<ScaleCase>
{
};

} // namespace

TEST_P(Scale, SlgSoundingLandsOnTheSharedDepthSpan)
{
    const ScaleCase c = GetParam();
    testlog::SlgWriter writer(200);
    testlog::SlgSounding sounding;
    sounding.header.upperLimit = kSoundingUpper;
    sounding.header.lowerLimit = kSoundingLower;
    sounding.header.depth = 20.0f;
    sounding.samples = soundingSamples();
    writer.add(sounding);
    tSonarFile file;
    ASSERT_TRUE(file.SOpen(save(writer.bytes()), 0));

    tSubHeader header = windowOf(c);
    std::vector<uint8_t> column;
    file.SRead(header, column, false);
    EXPECT_EQ(column, expectedFor(c));
    // The sub-header keeps the caller's window; its bottom is the depth in that window.
    EXPECT_EQ(header.lNumRangeCells, c.cells);
    EXPECT_FLOAT_EQ(header.sngDepth, 20.0f);
    EXPECT_FLOAT_EQ(header.sngPixelsPerFoot, static_cast<float>(c.cells / (c.lower - c.upper)));
}

TEST_P(Scale, Sl2SoundingLandsOnTheSharedDepthSpan)
{
    const ScaleCase c = GetParam();
    const viewertest::RvgSwitch rvgOff(false);
    testlog::Sl2Writer writer;
    testlog::Sl2Column column;
    column.upperLimit = kSoundingUpper;
    column.lowerLimit = kSoundingLower;
    column.depth = 20.0f;
    column.samples = soundingSamples();
    writer.add(column);
    writer.add(column);
    tSonarFile file;
    ASSERT_TRUE(file.SOpen(save(writer.bytes()), 0));

    file.SSeek(0);
    tSubHeader header = windowOf(c);
    std::vector<uint8_t> cells;
    file.SRead(header, cells, false);
    EXPECT_EQ(cells, expectedFor(c));
    EXPECT_EQ(header.lNumRangeCells, c.cells);
    EXPECT_FLOAT_EQ(header.sngUpperLimit, c.upper);
    EXPECT_FLOAT_EQ(header.sngDepth, 20.0f);
}

INSTANTIATE_TEST_SUITE_P(CallerWindows, Scale, ::testing::ValuesIn(kScaleCases),
                         [](const ::testing::TestParamInfo<ScaleCase>& param) {
                             return param.param.name;
                         });

TEST_F(LogFolder, ZeroHeightCallerWindowAbandonsTheRead)
{
    testlog::SlgWriter writer(200);
    testlog::SlgSounding sounding;
    sounding.header.lowerLimit = 50.0f;
    sounding.header.depth = 20.0f;
    sounding.samples = soundingSamples();
    writer.add(sounding);
    writer.add(sounding);
    tSonarFile file;
    ASSERT_TRUE(file.SOpen(save(writer.bytes()), 0));
    tSubHeader header;
    header.sngUpperLimit = 10.0f;
    header.sngLowerLimit = 10.0f;
    header.lNumRangeCells = 30;
    header.sngDepth = -1.0f;
    std::vector<uint8_t> column;
    file.SRead(header, column, false);
    EXPECT_EQ(column, std::vector<uint8_t>(31, 0));
    EXPECT_FLOAT_EQ(header.sngDepth, -1.0f) << "the sub-header is left as it was";
    EXPECT_EQ(file.STell(), 1) << "the sounding is consumed with its block";
}

TEST_F(LogFolder, NegativeCellCountReadsNothing)
{
    testlog::SlgWriter writer(200);
    testlog::SlgSounding sounding;
    sounding.samples = soundingSamples();
    writer.add(sounding);
    tSonarFile file;
    ASSERT_TRUE(file.SOpen(save(writer.bytes()), 0));
    tSubHeader header;
    header.lNumRangeCells = -1;
    std::vector<uint8_t> column(3, 1);
    file.SRead(header, column, false);
    EXPECT_TRUE(column.empty());
}
