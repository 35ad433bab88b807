// Reading SL2 columns: range-variable gain, the sub-header fields a packet sets, automatic
// range, debug columns and sub-headers alone.
#include "ReaderTestSupport.h"

#include "logs/tSonarFile.h"

using brellix::tSonarFile;
using brellix::tSubHeader;
using readertest::callerWindow;
using readertest::LogFolder;
using testlog::Sl2Column;
using testlog::Sl2Writer;
using viewertest::flatColumn;
using viewertest::RvgSwitch;

namespace {

const std::vector<uint8_t> kRvgSamples = {0, 1, 5, 9, 10, 11, 47, 48, 49, 50, 128, 200, 255};

// Reads sounding 0 of a log of two copies of column, into the column's own window.
std::vector<uint8_t> readOwnWindow(const QString& log, const Sl2Column& column,
                                   tSubHeader* header = nullptr)
{
    tSonarFile file;
    EXPECT_TRUE(file.SOpen(log, column.channel));
    file.SSeek(0);
    tSubHeader local = callerWindow(column.upperLimit, column.lowerLimit,
                                    static_cast<int32_t>(column.samples.size()));
    tSubHeader& target = header ? *header : local;
    if (header) {
        target.sngUpperLimit = column.upperLimit;
        target.sngLowerLimit = column.lowerLimit;
        target.lNumRangeCells = static_cast<int32_t>(column.samples.size());
    }
    std::vector<uint8_t> cells;
    file.SRead(target, cells, false);
    return cells;
}

struct RvgCase
{
    const char* name;
    int16_t rvgDepth;
    float lowerLimit;
    uint8_t maxAttenuation;
    int reduction; // worked out by hand, single precision, halves to even
};

class Rvg : public LogFolder, public ::testing::WithParamInterface<RvgCase>
{
protected:
    QString writeLog(const Sl2Column& column)
    {
        Sl2Writer writer;
        writer.add(column);
        writer.add(column);
        return save(writer.bytes());
    }

    Sl2Column rvgColumn() const
    {
        const RvgCase& c = GetParam();
        Sl2Column column;
        column.lowerLimit = c.lowerLimit;
        column.rvgDepth = c.rvgDepth;
        column.rvgMaxAttenuation = c.maxAttenuation;
        column.samples = kRvgSamples;
        column.padding = viewertest::alignedPadding(kRvgSamples.size());
        return column;
    }
};

std::vector<uint8_t> reduced(int by)
{
    std::vector<uint8_t> out;
    for (uint8_t v : kRvgSamples) {
        out.push_back(v > by ? static_cast<uint8_t>(v - by) : 0);
    }
    out.push_back(0);
    return out;
}

} // namespace

TEST_P(Rvg, ReducesEveryCellByTheAttenuationWhenOn)
{
    const RvgSwitch on(true);
    const Sl2Column column = rvgColumn();
    EXPECT_EQ(readOwnWindow(writeLog(column), column), reduced(GetParam().reduction));
}

TEST_P(Rvg, LeavesTheCellsAloneWhenOff)
{
    const RvgSwitch off(false);
    const Sl2Column column = rvgColumn();
    EXPECT_EQ(readOwnWindow(writeLog(column), column), reduced(0));
}

INSTANTIATE_TEST_SUITE_P(
    Attenuations, Rvg,
    ::testing::Values(RvgCase{"HalfWayLosesHalf", 100, 50.0f, 20, 10},
                      RvgCase{"AtTheGainDepthNothing", 100, 100.0f, 20, 0},
                      RvgCase{"HalfRoundsDownToEven", 100, 75.0f, 2, 0},
                      RvgCase{"OneAndAHalfRoundsUpToEven", 100, 25.0f, 2, 2},
                      RvgCase{"LargeReductionClearsAllButTheStrongest", 40, 20.0f, 255, 128},
                      RvgCase{"BelowTheGainDepthNothing", 100, 150.0f, 20, 0},
                      RvgCase{"NegativeGainDepthClearsTheColumn", -10, 50.0f, 255, 1530}),
    [](const ::testing::TestParamInfo<RvgCase>& param) { return param.param.name; });

TEST_F(LogFolder, RvgDepthOfZeroAbandonsTheReductionOnly)
{
    const RvgSwitch on(true);
    Sl2Column column;
    column.lowerLimit = 50.0f;
    column.rvgDepth = 0;
    column.rvgMaxAttenuation = 50;
    column.samples = kRvgSamples;
    column.padding = viewertest::alignedPadding(kRvgSamples.size());
    Sl2Writer writer;
    writer.add(column);
    writer.add(column);
    EXPECT_EQ(readOwnWindow(save(writer.bytes()), column), reduced(0));
}

TEST_F(LogFolder, PacketFieldsFillTheSubHeader)
{
    const RvgSwitch off(false);
    Sl2Column column;
    column.upperLimit = 2.0f;
    column.lowerLimit = 42.0f;
    column.burstLengthUs = -300;
    column.integration = 1;
    column.gainDuty = 2;
    column.videoIntegration = 3;
    column.frequency = 7;
    column.pingPeriodMs = 250;
    column.correlation = 4;
    column.discrimination = 5;
    column.deviceFlags = -2;
    column.runningTimeMs = 987654;
    column.depth = 22.0f;
    column.keelOffset = 1.5f;
    column.autoSenseRangecell = 6;
    column.digitalRangecell = 8;
    column.noiseCount = 9;
    column.noisePeak = 10;
    column.noiseAverage = 11;
    column.rvgMaxAttenuation = 12;
    column.rvgDepth = 13;
    column.speed = 6.5f;
    column.waterTemp = 14.0f;
    column.positionX = -7000000;
    column.positionY = 5200000;
    column.track = 2.25f;
    column.heading = 3.0f;
    column.validFlags = testlog::kValidSpeed | testlog::kValidPosition;
    column.manualMode = 5;
    column.fishingMode = 6;
    column.pingSpeed = 7;
    column.noiseRejection = 8;
    column.samples.assign(80, 1);

    Sl2Writer writer;
    writer.add(column);
    writer.add(column);
    const QString log = save(writer.bytes());

    tSubHeader header;
    header.sngWaterTemperature = -99.0f;
    header.sngTopBottom = 31.0f;
    header.bTopOfBottomValid = false;
    readOwnWindow(log, column, &header);

    EXPECT_EQ(header.lNumRangeCells, 80);
    EXPECT_EQ(header.m_BurstLengthUs, -300);
    EXPECT_EQ(header.m_Integration, 1);
    EXPECT_EQ(header.m_GainDuty, 2);
    EXPECT_EQ(header.m_VideoIntegration, 3);
    EXPECT_EQ(header.m_Frequency, 7);
    EXPECT_EQ(header.m_PingPeriodMs, 250);
    EXPECT_EQ(header.m_Correlation, 4);
    EXPECT_EQ(header.m_Discrimination, 5);
    EXPECT_EQ(header.m_Flags, -2);
    EXPECT_EQ(header.m_RunningTimeMs, 987654);
    EXPECT_FLOAT_EQ(header.sngDepth, 22.0f);
    EXPECT_TRUE(header.bDepthValid);
    EXPECT_FLOAT_EQ(header.m_KeelOffset, 1.5f);
    EXPECT_EQ(header.m_AutoSenseRangecell, 6);
    EXPECT_EQ(header.m_DigitalRangecell, 8);
    EXPECT_EQ(header.m_NoiseCount, 9);
    EXPECT_EQ(header.m_NoisePeak, 10);
    EXPECT_EQ(header.m_NoiseAverage, 11);
    EXPECT_EQ(header.m_RVGMaxAttenuation, 12);
    EXPECT_EQ(header.m_RVGDepth, 13);
    EXPECT_FLOAT_EQ(header.sngSpeed, 6.5f);
    EXPECT_FLOAT_EQ(header.sngTrack, 2.25f);
    EXPECT_TRUE(header.bSpeedTrackValid);
    EXPECT_EQ(header.lPositionX, -7000000);
    EXPECT_EQ(header.lPositionY, 5200000);
    EXPECT_TRUE(header.bPositionValid);
    EXPECT_FLOAT_EQ(header.m_Heading, 3.0f);
    EXPECT_EQ(header.m_FishingMode, 6);
    EXPECT_EQ(header.m_PingSpeed, 7);
    EXPECT_EQ(header.m_NoiseRejection, 8);
    EXPECT_TRUE(header.m_ManualMode);
    // Derived in the window: 2 cells per foot, depth 22 is 20 ft down.
    EXPECT_EQ(header.lBottomCellIndex, 40);
    // Fields a packet does not carry keep what they held.
    EXPECT_FLOAT_EQ(header.sngWaterTemperature, -99.0f);
    EXPECT_FLOAT_EQ(header.sngTopBottom, 31.0f);
}

struct ValidityCase
{
    const char* name;
    float depth;
    uint32_t flags;
    bool depthValid;
    bool speedTrackValid;
    bool positionValid;
};

class PacketValidity : public LogFolder, public ::testing::WithParamInterface<ValidityCase>
{
};

TEST_P(PacketValidity, FollowsTheDepthAndTheFlagsNamedForIt)
{
    const ValidityCase c = GetParam();
    Sl2Column column = flatColumn(0, 40, 3);
    column.depth = c.depth;
    column.validFlags = c.flags;
    Sl2Writer writer;
    writer.add(column);
    writer.add(column);
    tSubHeader header;
    header.bDepthValid = !c.depthValid;
    header.bSpeedTrackValid = !c.speedTrackValid;
    header.bPositionValid = !c.positionValid;
    readOwnWindow(save(writer.bytes()), column, &header);
    EXPECT_EQ(header.bDepthValid, c.depthValid);
    EXPECT_EQ(header.bSpeedTrackValid, c.speedTrackValid);
    EXPECT_EQ(header.bPositionValid, c.positionValid);
}

INSTANTIATE_TEST_SUITE_P(
    Flags, PacketValidity,
    ::testing::Values(
        ValidityCase{"DepthZeroIsNotValid", 0.0f, 0, false, false, false},
        ValidityCase{"NegativeDepthIsValid", -3.0f, 0, true, false, false},
        ValidityCase{"TrackFlagAloneIsNotEnough", 5.0f, testlog::kValidTrack, true, false, false},
        ValidityCase{"SpeedFlagMakesSpeedAndTrackValid", 5.0f, testlog::kValidSpeed, true, true,
                     false},
        ValidityCase{"PositionFlag", 5.0f, testlog::kValidPosition, true, false, true}),
    [](const ::testing::TestParamInfo<ValidityCase>& param) { return param.param.name; });

TEST_F(LogFolder, Sl2AutoRangeTakesThePacketLimitsUnrounded)
{
    Sl2Column column = flatColumn(0, 56, 3);
    column.upperLimit = 2.5f;
    column.lowerLimit = 30.5f;
    Sl2Writer writer;
    writer.add(column);
    writer.add(column);
    tSonarFile file;
    ASSERT_TRUE(file.SOpen(save(writer.bytes()), 0));
    file.SSeek(0);
    tSubHeader header = callerWindow(100, 200, 20);
    std::vector<uint8_t> cells;
    file.SRead(header, cells, true);
    EXPECT_FLOAT_EQ(header.sngUpperLimit, 2.5f);
    EXPECT_FLOAT_EQ(header.sngLowerLimit, 30.5f);
}

TEST_F(LogFolder, Sl2PacketWithoutCellsIsNotRead)
{
    Sl2Writer writer;
    writer.add(flatColumn(0, 0, 0));
    writer.add(flatColumn(0, 10, 4));
    writer.add(flatColumn(0, 10, 4));
    tSonarFile file;
    ASSERT_TRUE(file.SOpen(save(writer.bytes()), 0));
    file.SSeek(0);
    tSubHeader header = callerWindow(0, 100, 10);
    header.sngDepth = 8.0f;
    std::vector<uint8_t> cells;
    file.SRead(header, cells, false);
    EXPECT_EQ(cells, std::vector<uint8_t>(11, 0));
    EXPECT_FLOAT_EQ(header.sngDepth, 8.0f);
    EXPECT_EQ(file.STell(), 0);
}

// Each channel-0 packet i is followed by its digital (100 + i) and noise (200 + i) columns,
// then come channels 2 and 1 at their own rates.
class DebugColumns : public LogFolder
{
protected:
    QString debugLog(int soundings)
    {
        testlog::Sl2Header header;
        header.flags = 1;
        Sl2Writer writer(header);
        for (int i = 0; i <= soundings; ++i) {
            writer.add(flatColumn(0, 30, static_cast<uint8_t>(i)));
            writer.add(flatColumn(10, 20, static_cast<uint8_t>(100 + i)));
            writer.add(flatColumn(11, 25, static_cast<uint8_t>(200 + i)));
            if (i % 2 == 0) {
                writer.add(flatColumn(2, 40, 77));
            }
            if (i % 3 == 0) {
                writer.add(flatColumn(1, 35, 88));
            }
        }
        return save(writer.bytes());
    }
};

TEST_F(DebugColumns, ChannelsTenAndElevenReadTheFirstAndSecondPacketAfterChannelZero)
{
    const QString log = debugLog(40);
    const RvgSwitch off(false);
    for (const auto& [channel, base] : {std::pair{0, 0}, std::pair{10, 100}, std::pair{11, 200}}) {
        tSonarFile file;
        ASSERT_TRUE(file.SOpen(log, channel));
        ASSERT_EQ(file.NumSoundings(), 40);
        for (int i = 0; i < 40; ++i) {
            file.SSeek(i);
            tSubHeader header = callerWindow(0, 100, 10);
            std::vector<uint8_t> cells;
            file.SRead(header, cells, false);
            EXPECT_EQ(cells[0], base + i) << "channel " << channel << " sounding " << i;
        }
    }
}

TEST_F(LogFolder, Sl2SReadSubHeaderFillsTheSoundingsWindowAndFields)
{
    Sl2Writer writer;
    for (int i = 0; i < 6; ++i) {
        Sl2Column column = flatColumn(0, static_cast<size_t>(20 + i), 1);
        column.upperLimit = static_cast<float>(i);
        column.lowerLimit = 50.0f + static_cast<float>(i);
        column.depth = 10.0f + static_cast<float>(i);
        writer.add(column);
        writer.add(flatColumn(1, 12, 2));
    }
    tSonarFile file;
    ASSERT_TRUE(file.SOpen(save(writer.bytes()), 0));
    tSubHeader header;
    file.SReadSubHeader(3, header);
    EXPECT_EQ(file.STell(), 3);
    EXPECT_EQ(header.lNumRangeCells, 23);
    EXPECT_FLOAT_EQ(header.sngUpperLimit, 3.0f);
    EXPECT_FLOAT_EQ(header.sngLowerLimit, 53.0f);
    EXPECT_FLOAT_EQ(header.sngDepth, 13.0f);
    EXPECT_EQ(header.lBottomCellIndex, 5); // 10 ft at 23 / 50 cells per foot: 4.6
}
