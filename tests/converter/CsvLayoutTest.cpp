// The two comma-separated layouts, the C conversions behind them, and which
// packets and blocks become rows.
#include "CFormat.h"
#include "ConverterTestSupport.h"
#include "CsvRows.h"

#include <cmath>
#include <cstring>
#include <limits>
#include <random>
#include <vector>

using namespace tarnextest;
using testlog::Sl2Writer;
using testlog::SlgFields;

namespace {

std::string fixed(float value)
{
    char text[64];
    *tarnex::formatFixed(text, value) = '\0';
    return text;
}

std::string glibcFixed(float value)
{
    char text[128];
    std::snprintf(text, sizeof text, "%f", static_cast<double>(value));
    return text;
}

float fromBits(uint32_t bits)
{
    float value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

SlgFields sampleFields()
{
    SlgFields f;
    f.upperLimit = 1.5f;
    f.lowerLimit = 40.0f;
    f.depth = 22.75f;
    f.waterTemp = 17.25f;
    f.position = testlog::SlgPosition{5000000, -9000000};
    f.surfaceDepth = 0.5f;
    f.topOfBottom = 21.0f;
    f.fishDepths = {10.0f};
    f.is50kHz = true;
    f.timeOffset = 250;
    f.speedTrack = testlog::SlgSpeedTrack{4.5f, 0.25f, 300.0f};
    return f;
}

const char kSampleSlgRow[] =
    "1.500000,40.000000,T,22.750000,T,17.250000,F,0.000000,F,0.000000,F,0.000000,T,-9000000,"
    "5000000,0.500000,T,21.000000,T,T,T,250,T,4.500000,0.250000,T,300.000000\n";

std::vector<uint8_t> slgLog(const std::vector<SlgFields>& soundings, int16_t blockSize = 96)
{
    testlog::SlgWriter log(blockSize);
    for (const SlgFields& fields : soundings) {
        testlog::SlgSounding s;
        s.header = fields;
        s.samples.assign(4, 9);
        log.add(s);
    }
    return log.bytes();
}

testlog::Sl2Column navigationColumn()
{
    testlog::Sl2Column c = column(2);
    c.frequency = 7;
    c.upperLimit = 2.5f;
    c.lowerLimit = 80.0f;
    c.depth = 31.125f;
    c.waterTemp = 16.5f;
    c.waterSpeed = 3.75f;
    c.positionX = -9123456;
    c.positionY = 5123456;
    c.timeOffset = -42;
    c.speed = 4.25f;
    c.track = 1.5f;
    c.altitude = 120.0f;
    c.heading = 0.125f;
    c.validFlags = testlog::kValidWaterTemp | testlog::kValidPosition | testlog::kValidSpeed |
                   testlog::kValidHeading;
    return c;
}

} // namespace

// ---------------------------------------------------------------------------------------
// The C conversions

TEST(CFormat, FixedMatchesGlibcOnChosenValues)
{
    const float values[] = {0.0f,       -0.0f,      1.0f,          -1.0f,          0.5f,
                            0.0078125f, 0.0234375f, 1e-7f,         -1e-7f,         4.9999e-7f,
                            5e-7f,      5.0001e-7f, 1.0000005f,    123.456f,       -98765.4321f,
                            16777216.f, 1e20f,      3.4028235e38f, -3.4028235e38f, 1.17549435e-38f,
                            1.4e-45f,   0.1f,       0.2f,          0.3f,           2.5e-6f,
                            0.0000025f};
    for (float value : values) {
        EXPECT_EQ(fixed(value), glibcFixed(value)) << value;
    }
}

TEST(CFormat, FixedRoundsExactTiesToEven)
{
    EXPECT_EQ(fixed(0.0078125f), "0.007812"); // 2^-7: exactly halfway, 2 is even
    EXPECT_EQ(fixed(0.0234375f), "0.023438"); // 3 * 2^-7: halfway, rounds up to 8
}

TEST(CFormat, FixedPrintsNonFiniteValuesAsGlibc)
{
    const float nan = std::numeric_limits<float>::quiet_NaN();
    EXPECT_EQ(fixed(nan), glibcFixed(nan));
    EXPECT_EQ(fixed(-nan), glibcFixed(-nan));
    EXPECT_EQ(fixed(fromBits(0x7F800001u)), "nan");
    EXPECT_EQ(fixed(fromBits(0xFFC00000u)), "-nan");
    EXPECT_EQ(fixed(std::numeric_limits<float>::infinity()), "inf");
    EXPECT_EQ(fixed(-std::numeric_limits<float>::infinity()), "-inf");
}

TEST(CFormat, FixedMatchesGlibcOnRandomBitPatterns)
{
    std::mt19937 random(20240601);
    for (int i = 0; i < 300000; ++i) {
        const float value = fromBits(static_cast<uint32_t>(random()));
        ASSERT_EQ(fixed(value), glibcFixed(value)) << std::hex << random();
    }
}

TEST(CFormat, FixedMatchesGlibcOnEveryExponentAroundTheSixthDecimal)
{
    // Every mantissa step matters most where the sixth decimal meets the last bits.
    std::mt19937 random(7);
    for (uint32_t exponent = 90; exponent < 160; ++exponent) {
        for (int i = 0; i < 3000; ++i) {
            const uint32_t bits = (exponent << 23) | (static_cast<uint32_t>(random()) & 0x7FFFFF);
            ASSERT_EQ(fixed(fromBits(bits)), glibcFixed(fromBits(bits))) << std::hex << bits;
        }
    }
}

TEST(CFormat, SignedMatchesPercentLi)
{
    std::vector<int64_t> values = {0, int64_t{2147483647}, int64_t{-2147483647} - 1,
                                   std::numeric_limits<int64_t>::min(),
                                   std::numeric_limits<int64_t>::max()};
    // Either side of every change in the digit count.
    for (int64_t power = 1; power <= std::numeric_limits<int64_t>::max() / 10; power *= 10) {
        for (int64_t value : {power - 1, power, power + 1, power * 10 - 1}) {
            values.push_back(value);
            values.push_back(-value);
        }
    }
    for (int64_t value : values) {
        char mine[32];
        *tarnex::formatSigned(mine, value) = '\0';
        char theirs[32];
        std::snprintf(theirs, sizeof theirs, "%lli", static_cast<long long>(value));
        EXPECT_STREQ(mine, theirs);
    }
}

// ---------------------------------------------------------------------------------------
// SLG layout

TEST(SlgLayout, HeaderLineAndOneRowPerBlock)
{
    const Result result = convertBytes(slgLog({sampleFields(), sampleFields()}));
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.console, "");
    EXPECT_EQ(result.csv, std::string(tarnex::kSlgHeaderLine) + kSampleSlgRow + kSampleSlgRow);
}

TEST(SlgLayout, HeaderLineIsExact)
{
    EXPECT_STREQ(tarnex::kSlgHeaderLine,
                 "UpperLimit,LowerLimit,DepthValid,Depth,WaterTempValid,WaterTemp,Temp2Valid,"
                 "Temp2,Temp3Valid,Temp3,WaterSpeedValid,WaterSpeed,PositionValid,PositionX,"
                 "PositionY,SurfaceDepth,SurfaceValid,TopOfBottomDepth,TopOfBottomValid,"
                 "ColumnIs50kHz,TimeValid,TimeOffset[ms],SpeedTrackValid,Speed,Track,"
                 "AltitudeValid,Altitude\n");
}

TEST(SlgLayout, EveryFlagPrintsAsItsLetter)
{
    SlgFields f;
    f.depthValid = false;
    f.lowerLimit = -0.0f;
    f.depth = 1e10f;
    f.temp2 = -3.5f;
    f.temp3 = 4.0f;
    f.waterSpeed = 1.0f;
    f.speedTrack = testlog::SlgSpeedTrack{0.0f, -1.0f, -10000.0f};
    const std::vector<std::string> rows = lines(convertBytes(slgLog({f})).csv);
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[1], "0.000000,-0.000000,F,10000000000.000000,F,0.000000,T,-3.500000,T,"
                       "4.000000,T,1.000000,F,0,0,0.000000,F,0.000000,F,F,F,0,T,0.000000,"
                       "-1.000000,F,0.000000");
}

TEST(SlgLayout, MalformedSubHeaderKeepsThePreviousRowsLaterValues)
{
    SlgFields malformed = sampleFields();
    malformed.lowerLimit = 55.0f;
    malformed.depth = 44.0f;
    // Bits 0-2 = 1 with time and speed/track: fish count -3. Flags as written: bit 13, 14, 9.
    malformed.flagsOverride = static_cast<uint16_t>((1u << 13) | (1u << 14) | (1u << 9) | 1u);
    const std::vector<std::string> rows =
        lines(convertBytes(slgLog({sampleFields(), malformed})).csv);
    ASSERT_EQ(rows.size(), 3u);
    // Lower limit, depth and the flag letters come from the malformed block; every value after
    // the depth (and the altitude's validity) stays as the previous row left it.
    EXPECT_EQ(rows[2], "1.500000,55.000000,F,44.000000,F,17.250000,F,0.000000,F,0.000000,F,"
                       "0.000000,F,-9000000,5000000,0.500000,F,21.000000,F,F,T,250,T,4.500000,"
                       "0.250000,T,300.000000");
}

TEST(SlgLayout, MalformedFirstSubHeaderHasZerosAfterTheDepth)
{
    SlgFields malformed = sampleFields();
    malformed.flagsOverride = static_cast<uint16_t>((1u << 14) | (1u << 4) | 2u);
    const std::vector<std::string> rows = lines(convertBytes(slgLog({malformed})).csv);
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[1], "0.000000,40.000000,T,22.750000,T,0.000000,F,0.000000,F,0.000000,F,"
                       "0.000000,F,0,0,0.000000,F,0.000000,F,F,F,0,T,0.000000,0.000000,F,"
                       "0.000000");
}

TEST(SlgLayout, PartialLastBlockIsIgnored)
{
    testlog::SlgWriter log(96);
    testlog::SlgSounding s;
    s.header = sampleFields();
    log.add(s);
    log.appendBytes(std::vector<uint8_t>(95, 0x33));
    const Result result = convertBytes(log.bytes());
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.csv, std::string(tarnex::kSlgHeaderLine) + kSampleSlgRow);
}

TEST(SlgLayout, BlockSmallerThanItsSubHeaderReadsZerosPastItsEnd)
{
    testlog::SlgWriter log(12);
    log.addRawBlock(testlog::encodeSlgSubHeader(sampleFields())); // cut to 12 bytes
    const std::vector<std::string> rows = lines(convertBytes(log.bytes()).csv);
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[1], "0.000000,40.000000,T,22.750000,T,0.000000,F,0.000000,F,0.000000,F,"
                       "0.000000,T,0,0,0.000000,T,0.000000,T,T,T,0,T,0.000000,0.000000,T,"
                       "0.000000");
}

TEST(SlgLayout, BlockSizeOfZeroOrLessIsRefused)
{
    for (int16_t blockSize : {int16_t{0}, int16_t{-1}, int16_t{-32768}}) {
        SCOPED_TRACE(blockSize);
        testlog::SlgWriter log(blockSize);
        log.appendBytes(testlog::encodeSlgSubHeader(sampleFields()));
        const Result result = convertBytes(log.bytes());
        EXPECT_EQ(result.status, -1);
        EXPECT_EQ(result.console,
                  "Invalid block size in SLG header: " + std::to_string(blockSize) + "\n");
        EXPECT_EQ(result.csv, "");
    }
}

// ---------------------------------------------------------------------------------------
// SL2 layout

TEST(Sl2Layout, HeaderLineIsExact)
{
    EXPECT_STREQ(tarnex::kSl2HeaderLine,
                 "Channel,Frequency,UpperLimit[ft],LowerLimit[ft],DepthValid,Depth[ft],"
                 "WaterTempValid,WaterTemp[C],WaterSpeedValid,WaterSpeed[kn],PositionValid,"
                 "PositionX,PositionY,TimeOffset[ms],SpeedValid,Speed[kn],TrackValid,Track[rad],"
                 "AltitudeValid,Altitude[ft],HeadingValid,Heading[rad]\n");
}

TEST(Sl2Layout, RowPrintsEveryValueWhateverItsFlag)
{
    Sl2Writer log;
    log.add(navigationColumn());
    const Result result = convertBytes(log.bytes());
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.console, "");
    EXPECT_EQ(result.csv,
              std::string(tarnex::kSl2HeaderLine) +
                  "Downscan,130kHz-210kHz,2.500000,80.000000,T,31.125000,T,16.500000,F,3.750000,"
                  "T,-9123456,5123456,-42,T,4.250000,F,1.500000,F,120.000000,T,0.125000\n");
}

TEST(Sl2Layout, EachValidFlagHasItsColumn)
{
    Sl2Writer log;
    testlog::Sl2Column c = column(0);
    c.validFlags = testlog::kValidWaterSpeed | testlog::kValidTrack | testlog::kValidAltitude;
    log.add(c);
    const std::vector<std::string> rows = lines(convertBytes(log.bytes()).csv);
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[1], "Primary,200kHz,0.000000,100.000000,F,0.000000,F,0.000000,T,0.000000,F,0,"
                       "0,0,F,0.000000,T,0.000000,T,0.000000,F,0.000000");
}

TEST(Sl2Layout, DepthIsValidWhenNotZeroNegativeIncluded)
{
    Sl2Writer log;
    for (float depth : {0.0f, -0.0f, -2.5f, 1e-30f}) {
        testlog::Sl2Column c = column(0);
        c.depth = depth;
        log.add(c);
    }
    const std::vector<std::string> rows = lines(convertBytes(log.bytes()).csv);
    ASSERT_EQ(rows.size(), 5u);
    EXPECT_NE(rows[1].find(",F,0.000000,"), std::string::npos) << rows[1];
    EXPECT_NE(rows[2].find(",F,-0.000000,"), std::string::npos) << rows[2];
    EXPECT_NE(rows[3].find(",T,-2.500000,"), std::string::npos) << rows[3];
    EXPECT_NE(rows[4].find(",T,0.000000,"), std::string::npos) << rows[4];
}

TEST(Sl2Layout, NonFiniteValuesPrintAsGlibc)
{
    Sl2Writer log;
    testlog::Sl2Column c = column(1);
    c.upperLimit = std::numeric_limits<float>::quiet_NaN();
    c.lowerLimit = -std::numeric_limits<float>::quiet_NaN();
    c.depth = std::numeric_limits<float>::infinity();
    c.waterTemp = -std::numeric_limits<float>::infinity();
    log.add(c);
    const std::vector<std::string> rows = lines(convertBytes(log.bytes()).csv);
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[1].substr(0, 39), "Secondary,200kHz,nan,-nan,T,inf,F,-inf,");
}

TEST(Sl2Layout, ChannelAndFrequencyNames)
{
    const char* channels[] = {"Primary",        "Secondary", "Downscan",      "Sidescan Left",
                              "Sidescan Right", "Sidescan",  "Invalid",       "Invalid",
                              "Invalid",        "Invalid",   "Debug Digital", "Debug Noise"};
    for (unsigned code = 0; code < 12; ++code) {
        EXPECT_STREQ(tarnex::channelName(code), channels[code]);
    }
    EXPECT_EQ(tarnex::channelName(12), nullptr);
    const char* frequencies[] = {"200kHz",       "50kHz",       "83kHz",      "455kHz",
                                 "800kHz",       "38kHz",       "28kHz",      "130kHz-210kHz",
                                 "90kHz-150kHz", "40kHz-60kHz", "25kHz-45kHz"};
    for (unsigned code = 0; code < 11; ++code) {
        EXPECT_STREQ(tarnex::frequencyName(code), frequencies[code]);
    }
    EXPECT_EQ(tarnex::frequencyName(11), nullptr);
}

TEST(Sl2Layout, InvalidFrequencyIsReportedAndPrintedAsCodeZero)
{
    Sl2Writer log;
    testlog::Sl2Column c = column(0);
    c.frequency = 12;
    log.add(c);
    const Result converted = convertBytes(log.bytes());
    EXPECT_EQ(converted.status, 0);
    EXPECT_EQ(converted.console, "Invalid frequency (12)\n");
    const std::vector<std::string> rows = lines(converted.csv);
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[1].rfind("Primary,200kHz,", 0), 0u);
    // Verification does not look at frequencies.
    EXPECT_EQ(verifyBytes(log.bytes()).console, "\nTotal columns = 1\nAll headers look good.\n");
}

TEST(Sl2Layout, InvalidFrequencyCountsTowardsTheErrorLimit)
{
    Sl2Writer log;
    testlog::Sl2Column c = column(0);
    c.frequency = 200;
    for (int i = 0; i < 45; ++i) {
        log.add(c);
    }
    const Result converted = convertBytes(log.bytes());
    EXPECT_EQ(lines(converted.console).size(), 40u);
    EXPECT_EQ(lines(converted.csv).size(), 41u); // header and 40 rows
}

TEST(Sl2Layout, InvalidChannelGetsNoRowDebugAndReservedCodesDo)
{
    testlog::Sl2Header header;
    header.flags = 1;
    Sl2Writer log(header);
    log.add(column(0));
    log.add(column(10));
    log.add(column(11));
    log.add(column(12));
    log.add(column(8));
    const Result converted = convertBytes(log.bytes());
    EXPECT_EQ(converted.console, "Invalid channel: 12 (column entry = 3, addr = 0x218)\n");
    const std::vector<std::string> rows = lines(converted.csv);
    ASSERT_EQ(rows.size(), 5u);
    EXPECT_EQ(rows[1].rfind("Primary,", 0), 0u);
    EXPECT_EQ(rows[2].rfind("Debug Digital,", 0), 0u);
    EXPECT_EQ(rows[3].rfind("Debug Noise,", 0), 0u);
    EXPECT_EQ(rows[4].rfind("Invalid,", 0), 0u);
}

TEST(Sl2Layout, ConversionReportsFaultsWithoutASummary)
{
    Sl2Writer log;
    log.add(column(0));
    testlog::Sl2Faults f;
    f.previousSize = 3;
    log.add(column(0), f);
    const Result converted = convertBytes(log.bytes());
    EXPECT_EQ(converted.status, 0);
    EXPECT_EQ(converted.console,
              "Invalid previous size: 3 != 176 (column entry = 1, addr = 0xB8)\n");
    EXPECT_EQ(lines(converted.csv).size(), 3u);
}

TEST(Sl2Layout, RowsStopWithTheFortiethError)
{
    Sl2Writer log;
    log.add(column(0));
    testlog::Sl2Faults bad;
    bad.previousSize = 1;
    for (int i = 0; i < 50; ++i) {
        log.add(column(0), bad);
    }
    const Result converted = convertBytes(log.bytes());
    EXPECT_EQ(converted.status, 0);
    EXPECT_EQ(lines(converted.console).size(), 40u);
    EXPECT_EQ(lines(converted.csv).size(), 1u + 41u); // the pass of the 40th error writes its row
}

TEST(Sl2Layout, SkippedBytesGetNoRows)
{
    Sl2Writer log;
    log.add(column(0));
    log.add(column(0), [] {
        testlog::Sl2Faults f;
        f.thisAddress = 0;
        return f;
    }());
    log.add(column(0));
    const Result converted = convertBytes(log.bytes());
    EXPECT_EQ(lines(converted.csv).size(), 3u);
}

TEST(Sl2Layout, LinesEndWithALineFeedOnly)
{
    Sl2Writer log;
    log.add(navigationColumn());
    log.add(column(0));
    const std::string csv = convertBytes(log.bytes()).csv;
    EXPECT_EQ(csv.find('\r'), std::string::npos);
    EXPECT_EQ(std::count(csv.begin(), csv.end(), '\n'), 3);
    EXPECT_EQ(csv.back(), '\n');
}
