// Reading SLG and very old logs: seeking and wrapping, the sanity check, malformed
// sub-headers, automatic range, block buffers, decoding, sub-headers alone, and SaveAs.
#include "ReaderTestSupport.h"

#include "logs/tSonarFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cmath>
#include <limits>

using brellix::tSonarFile;
using brellix::tSubHeader;
using readertest::callerWindow;
using readertest::LogFolder;
using testlog::SlgSounding;
using testlog::SlgWriter;
using testlog::VeryOldWriter;

namespace {

constexpr int16_t kBlock = 100;

// Sounding i has depth i + 0.5 and samples i + 1, in a 0 to 40 ft window.
SlgSounding sounding(int i)
{
    SlgSounding s;
    s.header.upperLimit = 0.0f;
    s.header.lowerLimit = 40.0f;
    s.header.depth = static_cast<float>(i) + 0.5f;
    s.samples.assign(20, static_cast<uint8_t>(i + 1));
    return s;
}

// The index of the sounding a read delivered, from its depth.
int deliveredIndex(const tSubHeader& header)
{
    return static_cast<int>(std::floor(header.sngDepth));
}

class SlgLog : public LogFolder
{
protected:
    // Ten soundings; those named in bad get the given damage.
    QString writeLog(int count = 10, int bad = -1, void (*damage)(SlgSounding&) = nullptr)
    {
        SlgWriter writer(kBlock);
        for (int i = 0; i < count; ++i) {
            SlgSounding s = sounding(i);
            if (i == bad && damage) {
                damage(s);
            }
            writer.add(s);
        }
        return save(writer.bytes());
    }

    int readIndex(tSonarFile& file)
    {
        tSubHeader header = callerWindow(0, 40, 40);
        std::vector<uint8_t> column;
        file.SRead(header, column, false);
        return deliveredIndex(header);
    }
};

struct SeekCase
{
    int32_t target;
    int32_t current;
};

class SlgSeek : public SlgLog, public ::testing::WithParamInterface<SeekCase>
{
};

} // namespace

TEST_P(SlgSeek, WrapsIndexesIntoTheLog)
{
    tSonarFile file;
    ASSERT_TRUE(file.SOpen(writeLog(), 0));
    file.SSeek(GetParam().target);
    EXPECT_EQ(file.STell(), GetParam().current);
    EXPECT_EQ(file.AddressTell(), 10 + GetParam().current * kBlock);
    EXPECT_EQ(readIndex(file), GetParam().current);
}

INSTANTIATE_TEST_SUITE_P(TenSoundings, SlgSeek,
                         ::testing::Values(SeekCase{0, 0}, SeekCase{9, 9}, SeekCase{-1, 9},
                                           SeekCase{12, 2}, SeekCase{10, 0}, SeekCase{-11, 9},
                                           SeekCase{-20, 0}, SeekCase{1000003, 3}));

TEST_F(SlgLog, ConsecutiveReadsDeliverConsecutiveSoundings)
{
    tSonarFile file;
    ASSERT_TRUE(file.SOpen(writeLog(), 0));
    file.SSeek(4);
    for (int expected = 4; expected < 8; ++expected) {
        EXPECT_EQ(readIndex(file), expected);
        EXPECT_EQ(file.STell(), expected + 1);
    }
}

TEST_F(SlgLog, ReadingTheLastSoundingMakesTheFirstCurrent)
{
    tSonarFile file;
    ASSERT_TRUE(file.SOpen(writeLog(), 0));
    file.SSeek(9);
    EXPECT_EQ(readIndex(file), 9);
    EXPECT_EQ(file.STell(), 0);
    EXPECT_EQ(readIndex(file), 0);
}

struct SanityCase
{
    const char* name;
    void (*damage)(SlgSounding&);
};

class SlgSanity : public SlgLog, public ::testing::WithParamInterface<SanityCase>
{
};

TEST_P(SlgSanity, BadBlockAtSevenLeavesSixSoundingsAndDeliversTheFifth)
{
    tSonarFile file;
    ASSERT_TRUE(file.SOpen(writeLog(10, 7, GetParam().damage), 0));
    file.SSeek(7);
    EXPECT_EQ(readIndex(file), 5);
    EXPECT_EQ(file.NumSoundings(), 6);
    EXPECT_EQ(file.STell(), 0); // sounding 5 was the last one left
    file.SSeek(8);
    EXPECT_EQ(file.STell(), 2);
}

INSTANTIATE_TEST_SUITE_P(
    Damage, SlgSanity,
    ::testing::Values(SanityCase{"LowerLimitJustAbove12000",
                                 [](SlgSounding& s) { s.header.lowerLimit = 12000.001f; }},
                      SanityCase{"NegativeUpperLimit",
                                 [](SlgSounding& s) { s.header.upperLimit = -0.5f; }},
                      SanityCase{"UpperLimitEqualToLower",
                                 [](SlgSounding& s) { s.header.upperLimit = s.header.lowerLimit; }},
                      SanityCase{"UpperLimitNotANumber",
                                 [](SlgSounding& s) {
                                     s.header.upperLimit = std::numeric_limits<float>::quiet_NaN();
                                 }},
                      SanityCase{"LowerLimitNotANumber",
                                 [](SlgSounding& s) {
                                     s.header.lowerLimit = std::numeric_limits<float>::quiet_NaN();
                                 }}),
    [](const ::testing::TestParamInfo<SanityCase>& param) { return param.param.name; });

TEST_F(SlgLog, LowerLimitOf12000IsStillSane)
{
    tSonarFile file;
    ASSERT_TRUE(
        file.SOpen(writeLog(10, 7, [](SlgSounding& s) { s.header.lowerLimit = 12000.0f; }), 0));
    file.SSeek(7);
    EXPECT_EQ(readIndex(file), 7);
    EXPECT_EQ(file.NumSoundings(), 10);
}

struct EarlyCase
{
    int bad;
    int32_t soundingsLeft;
    int delivered; // -1: nothing
};

class SlgSanityNearTheStart : public SlgLog, public ::testing::WithParamInterface<EarlyCase>
{
};

TEST_P(SlgSanityNearTheStart, EndsWithAnEmptyOrShortLog)
{
    const EarlyCase c = GetParam();
    tSonarFile file;
    ASSERT_TRUE(
        file.SOpen(writeLog(10, c.bad, [](SlgSounding& s) { s.header.lowerLimit = 20000.0f; }), 0));
    file.SSeek(c.bad);
    tSubHeader header = callerWindow(0, 40, 40);
    header.sngDepth = -7.0f;
    std::vector<uint8_t> column;
    file.SRead(header, column, false);
    EXPECT_EQ(file.NumSoundings(), c.soundingsLeft);
    EXPECT_EQ(deliveredIndex(header), c.delivered);
    if (c.delivered < 0) {
        EXPECT_EQ(column, std::vector<uint8_t>(41, 0));
        // Reading and seeking an emptied log end at once.
        file.SSeek(3);
        file.SRead(header, column, false);
        EXPECT_EQ(file.STell(), 0);
    }
}

INSTANTIATE_TEST_SUITE_P(FirstBlocks, SlgSanityNearTheStart,
                         ::testing::Values(EarlyCase{0, 0, -7}, EarlyCase{1, 0, -7},
                                           EarlyCase{2, 1, 0}, EarlyCase{3, 2, 1}));

TEST_F(SlgLog, MalformedSubHeaderIsSkippedWithoutTouchingTheCaller)
{
    // Two tail words but speed, track and altitude claimed: a negative fish count.
    tSonarFile file;
    ASSERT_TRUE(file.SOpen(
        writeLog(10, 3, [](SlgSounding& s) { s.header.flagsOverride = 0x4000 | 0x0008 | 2; }), 0));
    file.SSeek(3);
    tSubHeader header = callerWindow(0, 40, 40);
    header.sngDepth = 77.0f;
    std::vector<uint8_t> column(5, 9);
    file.SRead(header, column, false);
    EXPECT_EQ(column, std::vector<uint8_t>(41, 0));
    EXPECT_FLOAT_EQ(header.sngDepth, 77.0f);
    EXPECT_EQ(file.STell(), 4);
    EXPECT_EQ(file.NumSoundings(), 10);
    EXPECT_EQ(readIndex(file), 4);
}

struct AutoRangeCase
{
    float upper;
    float lower;
    float roundedUpper;
    float roundedLower;
};

class SlgAutoRange : public LogFolder, public ::testing::WithParamInterface<AutoRangeCase>
{
};

TEST_P(SlgAutoRange, TakesTheSoundingLimitsRoundedHalvesToEven)
{
    const AutoRangeCase c = GetParam();
    SlgWriter writer(kBlock);
    SlgSounding s = sounding(0);
    s.header.upperLimit = c.upper;
    s.header.lowerLimit = c.lower;
    writer.add(s);
    tSonarFile file;
    ASSERT_TRUE(file.SOpen(save(writer.bytes()), 0));
    tSubHeader header = callerWindow(100, 200, 50);
    std::vector<uint8_t> column;
    file.SRead(header, column, true);
    EXPECT_FLOAT_EQ(header.sngUpperLimit, c.roundedUpper);
    EXPECT_FLOAT_EQ(header.sngLowerLimit, c.roundedLower);
}

INSTANTIATE_TEST_SUITE_P(Limits, SlgAutoRange,
                         ::testing::Values(AutoRangeCase{2.5f, 30.5f, 2.0f, 30.0f},
                                           AutoRangeCase{3.5f, 31.5f, 4.0f, 32.0f},
                                           AutoRangeCase{2.4f, 30.6f, 2.0f, 31.0f},
                                           AutoRangeCase{0.0f, 12000.0f, 0.0f, 12000.0f}));

TEST_F(SlgLog, WithoutAutoRangeTheCallersWindowStays)
{
    tSonarFile file;
    ASSERT_TRUE(file.SOpen(writeLog(), 0));
    tSubHeader header = callerWindow(5, 25, 40);
    std::vector<uint8_t> column;
    file.SRead(header, column, false);
    EXPECT_FLOAT_EQ(header.sngUpperLimit, 5.0f);
    EXPECT_FLOAT_EQ(header.sngLowerLimit, 25.0f);
    EXPECT_EQ(header.lNumRangeCells, 40);
}

TEST_F(LogFolder, SlgSampleCountBeyondTheBlockIsCutToTheBlock)
{
    SlgWriter writer(64);
    SlgSounding s;
    s.header.lowerLimit = 52.0f; // upper 0: one cell per foot
    for (int i = 0; i < 52; ++i) {
        s.samples.push_back(static_cast<uint8_t>(10 + i));
    }
    s.sampleCountOverride = 30000;
    writer.add(s);
    tSonarFile file;
    ASSERT_TRUE(file.SOpen(save(writer.bytes()), 0));
    tSubHeader header = callerWindow(0, 52, 52);
    std::vector<uint8_t> column;
    file.SRead(header, column, false);
    std::vector<uint8_t> expected = s.samples;
    expected.push_back(0);
    EXPECT_EQ(column, expected);
}

TEST_F(LogFolder, SlgNegativeSampleCountReadsNoSamples)
{
    SlgWriter writer(64);
    SlgSounding s;
    s.samples.assign(20, 99);
    s.sampleCountOverride = -5;
    writer.add(s);
    tSonarFile file;
    ASSERT_TRUE(file.SOpen(save(writer.bytes()), 0));
    tSubHeader header = callerWindow(0, 100, 20);
    std::vector<uint8_t> column;
    file.SRead(header, column, false);
    EXPECT_EQ(column, std::vector<uint8_t>(21, 0));
    EXPECT_EQ(file.STell(), 0);
}

TEST_F(LogFolder, BlocksSmallerThanASubHeaderReadInsideTheirBuffers)
{
    for (int16_t blockSize : {1, 8, 11, 12}) {
        SlgWriter writer(blockSize);
        testlog::SlgFields fields;
        fields.lowerLimit = 30.0f;
        for (int i = 0; i < 3; ++i) {
            writer.addRawBlock(testlog::encodeSlgSubHeader(fields));
        }
        tSonarFile file;
        ASSERT_TRUE(file.SOpen(save(writer.bytes()), 0));
        ASSERT_EQ(file.NumSoundings(), 3);
        tSubHeader header = callerWindow(0, 30, 30);
        std::vector<uint8_t> column;
        file.SRead(header, column, false);
        tSubHeader alone;
        file.SReadSubHeader(2, alone);
        EXPECT_EQ(column, std::vector<uint8_t>(31, 0)) << blockSize;
    }
}

TEST_F(LogFolder, SReadSubHeaderFillsOnlyTheSubHeader)
{
    SlgWriter writer(kBlock);
    for (int i = 0; i < 4; ++i) {
        SlgSounding s = sounding(i);
        if (i == 2) {
            s.header.upperLimit = 3.5f;
            s.header.position = testlog::SlgPosition{5000, -6000};
            s.header.timeOffset = 123456;
            s.header.speedTrack = testlog::SlgSpeedTrack{4.5f, 1.25f, -10000.0f};
            s.header.is50kHz = true;
        }
        writer.add(s);
    }
    tSonarFile file;
    ASSERT_TRUE(file.SOpen(save(writer.bytes()), 0));
    tSubHeader header = callerWindow(0, 40, 77);
    header.sngWaterTemperature = 99.0f;
    header.bWaterTemperatureValid = true;
    file.SReadSubHeader(2, header);
    EXPECT_EQ(file.STell(), 2);
    EXPECT_EQ(header.lNumRangeCells, 77);
    EXPECT_FLOAT_EQ(header.sngUpperLimit, 3.5f);
    EXPECT_FLOAT_EQ(header.sngLowerLimit, 40.0f);
    EXPECT_FLOAT_EQ(header.sngDepth, 2.5f);
    EXPECT_TRUE(header.bDepthValid);
    EXPECT_TRUE(header.bPositionValid);
    EXPECT_EQ(header.lPositionY, 5000);
    EXPECT_EQ(header.lPositionX, -6000);
    EXPECT_TRUE(header.bTimeValid);
    EXPECT_EQ(header.lTimeOffset, 123456);
    EXPECT_TRUE(header.bSpeedTrackValid);
    EXPECT_FLOAT_EQ(header.sngSpeed, 4.5f);
    EXPECT_FALSE(header.bAltitudeValid);
    EXPECT_FLOAT_EQ(header.sngAltitude, 0.0f);
    EXPECT_TRUE(header.bColumnIs50KHz);
    // Absent: the flag is cleared, the value left as it was.
    EXPECT_FALSE(header.bWaterTemperatureValid);
    EXPECT_FLOAT_EQ(header.sngWaterTemperature, 99.0f);
    // The next read, without a seek, delivers that same sounding.
    tSubHeader next = callerWindow(0, 40, 40);
    std::vector<uint8_t> column;
    file.SRead(next, column, false);
    EXPECT_FLOAT_EQ(next.sngDepth, 2.5f);
}

namespace {

// Coefficients that are all zero but the two coarsest smooth ones, both k: every level of the
// inverse transform scales them by (C0 + C2) = (C1 + C3) = 1/sqrt(2), so the nine levels from
// 4 to 1024 give k / 2^4.5 everywhere. Aimed at value + 0.5 (times 256), the sample is value.
int32_t flatScale(int value)
{
    return static_cast<int32_t>(std::lround((value + 0.5) * 256.0 * std::pow(2.0, 4.5)));
}

std::vector<uint8_t> flatCodes(int runs)
{
    // Per run of 1024: two coefficients of 1 * scale, then 1022 zeros.
    std::vector<uint8_t> codes;
    for (int run = 0; run < runs; ++run) {
        codes.insert(codes.end(), {0x41, 0x41});
        for (int i = 0; i < 7; ++i) {
            codes.push_back(0xFF); // 128 zeros
        }
        codes.push_back(0x80 | 125); // 126 zeros
    }
    return codes;
}

} // namespace

TEST_F(LogFolder, VeryOldSoundingsDecodeToTheirSamples)
{
    for (int runs : {1, 2}) {
        const uint32_t samplesPerSounding = 1024u * static_cast<uint32_t>(runs);
        VeryOldWriter writer(200, samplesPerSounding);
        testlog::SlgFields fields;
        fields.lowerLimit = 64.0f;
        fields.depth = 10.0f;
        writer.addCoded(fields, flatScale(100), flatCodes(runs));
        fields.depth = 11.0f;
        writer.addCoded(fields, flatScale(37), flatCodes(runs));
        tSonarFile file;
        ASSERT_TRUE(file.SOpen(save(writer.bytes()), 0));
        ASSERT_EQ(file.NumSoundings(), 2);

        const int cells = static_cast<int>(samplesPerSounding);
        for (int value : {100, 37}) {
            tSubHeader header = callerWindow(0, 64, cells);
            std::vector<uint8_t> column;
            file.SRead(header, column, false);
            std::vector<uint8_t> expected(static_cast<size_t>(cells), static_cast<uint8_t>(value));
            expected.push_back(0);
            EXPECT_EQ(column, expected) << runs << " runs, value " << value;
        }
    }
}

TEST_F(LogFolder, SaveAsCopiesTheOpenLogAndTakesTheNewName)
{
    SlgWriter writer(kBlock);
    for (int i = 0; i < 5; ++i) {
        writer.add(sounding(i));
    }
    const QString original = save(writer.bytes());
    tSonarFile file;
    ASSERT_TRUE(file.SOpen(original, 0));
    const QString copy = path(QStringLiteral("copy.slg"));
    ASSERT_TRUE(file.SaveAs(copy));
    EXPECT_EQ(file.GetFilename(), copy);
    EXPECT_EQ(testlog::loadFile(copy.toStdString()), writer.bytes());
    // Reading goes on from the log opened before.
    file.SSeek(3);
    tSubHeader header = callerWindow(0, 40, 40);
    std::vector<uint8_t> column;
    file.SRead(header, column, false);
    EXPECT_FLOAT_EQ(header.sngDepth, 3.5f);
}

TEST_F(LogFolder, FailedSaveAsLeavesNothingUnderTheNewNameAndKeepsTheOldName)
{
    SlgWriter writer(kBlock);
    writer.add(sounding(0));
    const QString original = save(writer.bytes());
    tSonarFile file;
    ASSERT_TRUE(file.SOpen(original, 0));

    const QString inMissingFolder = path(QStringLiteral("missing/copy.slg"));
    EXPECT_FALSE(file.SaveAs(inMissingFolder));
    EXPECT_FALSE(QFileInfo::exists(inMissingFolder));
    EXPECT_EQ(file.GetFilename(), original);

    // A folder in the way: the finished copy cannot be renamed onto it.
    const QString folder = path(QStringLiteral("taken"));
    ASSERT_TRUE(QDir().mkdir(folder));
    EXPECT_FALSE(file.SaveAs(folder));
    EXPECT_TRUE(QFileInfo(folder).isDir());
    EXPECT_EQ(file.GetFilename(), original);
    // No temporary copy is left beside it either.
    EXPECT_EQ(QDir(m_folder.path()).entryList(QDir::Files).size(), 1);
}
