// Telling the generations apart by the format word as the converter does.
#include "ConverterTestSupport.h"
#include "CsvRows.h"
#include "LogHeader.h"

using namespace tarnextest;
using tarnex::LogHeader;
using tarnex::LogKind;

namespace {

LogHeader headerWithWord(int16_t word)
{
    std::vector<uint8_t> bytes;
    testlog::putI16(bytes, word);
    testlog::putI16(bytes, 7);    // version
    testlog::putI16(bytes, 1234); // block size
    testlog::putU32(bytes, 0x00010001u);
    return LogHeader::fromBytes(bytes.data());
}

const char kSlgRefusal[] =
    "Verification of input SLG not supported.\nTo verify a log file, pass in a .SL2 file or "
    "provide an output file name for converting to text.\n";

std::vector<uint8_t> slgLog(int16_t format)
{
    testlog::SlgWriter log(64, format);
    testlog::SlgSounding sounding;
    sounding.header.depth = 12.5f;
    sounding.samples.assign(8, 1);
    log.add(sounding);
    log.add(sounding);
    return log.bytes();
}

} // namespace

struct WordCase
{
    int16_t word;
    LogKind kind;
};

class FormatWord : public ::testing::TestWithParam<WordCase>
{
};

TEST_P(FormatWord, NamesTheGeneration)
{
    EXPECT_EQ(headerWithWord(GetParam().word).kind(), GetParam().kind);
}

INSTANTIATE_TEST_SUITE_P(Part11EdgeCases, FormatWord,
                         ::testing::Values(WordCase{101, LogKind::VeryOldSlg},
                                           WordCase{32767, LogKind::VeryOldSlg},
                                           WordCase{100, LogKind::Sl2}, WordCase{2, LogKind::Sl2},
                                           WordCase{3, LogKind::Sl2}, WordCase{1, LogKind::Slg},
                                           WordCase{0, LogKind::Slg}, WordCase{-1, LogKind::Slg},
                                           WordCase{-32768, LogKind::Slg}));

TEST(LogHeaderTest, ReadsTheFirstTenBytes)
{
    const LogHeader header = headerWithWord(2);
    EXPECT_EQ(header.formatWord, 2);
    EXPECT_EQ(header.version, 7);
    EXPECT_EQ(header.blockSize, 1234);
    EXPECT_EQ(header.debugWord, 0x00010001u);
    EXPECT_TRUE(header.debugChannels());
}

TEST(LogHeaderTest, ShortFileReadsAsZeros)
{
    const std::vector<uint8_t> bytes = {0x02, 0x00, 0x05};
    auto input = tarnex::LogInput::fromMemory(bytes.data(), bytes.size());
    const LogHeader header = LogHeader::read(*input);
    EXPECT_EQ(header.formatWord, 2);
    EXPECT_EQ(header.version, 5);
    EXPECT_EQ(header.blockSize, 0);
    EXPECT_EQ(header.debugWord, 0u);
}

TEST(FormatDetection, WordOneHundredIsSl2)
{
    testlog::Sl2Header header;
    header.format = 100;
    testlog::Sl2Writer log(header);
    log.add(column(0));
    log.add(column(0));
    const Result verified = verifyBytes(log.bytes());
    EXPECT_EQ(verified.status, 0);
    EXPECT_EQ(verified.console,
              "\nTotal columns = 2\nChannel 0: 2 columns\nAll headers look good.\n");
    const Result converted = convertBytes(log.bytes());
    EXPECT_EQ(converted.status, 0);
    EXPECT_EQ(lines(converted.csv).size(), 3u);
    EXPECT_EQ(converted.csv.rfind(tarnex::kSl2HeaderLine, 0), 0u);
}

TEST(FormatDetection, WordOneHundredAndOneIsVeryOldAndRefusedForVerification)
{
    testlog::VeryOldWriter log(101, 1024);
    log.addCoded({}, 1, {0x40});
    const Result verified = verifyBytes(log.bytes());
    EXPECT_EQ(verified.status, -1);
    EXPECT_EQ(verified.console, "Input SL2 not supported (very old)\n");
}

TEST(FormatDetection, VeryOldLogConvertsWithRecordsFromAddressSix)
{
    testlog::VeryOldWriter log(120, 1024);
    testlog::SlgFields first;
    first.lowerLimit = 50.0f;
    first.depth = 10.25f;
    testlog::SlgFields second;
    second.lowerLimit = 60.0f;
    second.depth = 11.5f;
    second.upperLimit = 2.0f;
    log.addCoded(first, 1, {0x40, 0x41});
    log.addCoded(second, 1, {0x40});
    log.appendBytes(std::vector<uint8_t>(119, 0)); // one byte short of a third block
    const Result converted = convertBytes(log.bytes());
    EXPECT_EQ(converted.status, 0);
    EXPECT_EQ(converted.console, "");
    EXPECT_EQ(converted.csv,
              std::string(tarnex::kSlgHeaderLine) +
                  "0.000000,50.000000,T,10.250000,F,0.000000,F,0.000000,F,0.000000,F,0.000000,F,"
                  "0,0,0.000000,F,0.000000,F,F,F,0,F,0.000000,0.000000,F,0.000000\n"
                  "2.000000,60.000000,T,11.500000,F,0.000000,F,0.000000,F,0.000000,F,0.000000,F,"
                  "0,0,0.000000,F,0.000000,F,F,F,0,F,0.000000,0.000000,F,0.000000\n");
}

TEST(FormatDetection, WordOneIsSlgAndRefusedForVerification)
{
    const Result verified = verifyBytes(slgLog(1));
    EXPECT_EQ(verified.status, -1);
    EXPECT_EQ(verified.console, kSlgRefusal);
}

TEST(FormatDetection, WordZeroConvertsLikeWordOne)
{
    const Result one = convertBytes(slgLog(1));
    const Result zero = convertBytes(slgLog(0));
    EXPECT_EQ(one.status, 0);
    EXPECT_EQ(zero.status, 0);
    EXPECT_EQ(lines(one.csv).size(), 3u);
    EXPECT_EQ(zero.csv, one.csv);
    EXPECT_EQ(verifyBytes(slgLog(0)).console, kSlgRefusal);
}

TEST(FormatDetection, NegativeWordsConvertAsSlg)
{
    const Result one = convertBytes(slgLog(1));
    for (int16_t word : {int16_t{-1}, int16_t{-100}, int16_t{-32768}}) {
        SCOPED_TRACE(word);
        const Result negative = convertBytes(slgLog(word));
        EXPECT_EQ(negative.status, 0);
        EXPECT_EQ(negative.csv, one.csv);
        const Result verified = verifyBytes(slgLog(word));
        EXPECT_EQ(verified.status, -1);
        EXPECT_EQ(verified.console, kSlgRefusal);
    }
}

TEST(FormatDetection, EmptyFileIsSlgWithoutABlockSize)
{
    const std::vector<uint8_t> empty;
    const Result verified = verifyBytes(empty);
    EXPECT_EQ(verified.status, -1);
    EXPECT_EQ(verified.console, kSlgRefusal);
    const Result converted = convertBytes(empty);
    EXPECT_EQ(converted.status, -1);
    EXPECT_EQ(converted.console, "Invalid block size in SLG header: 0\n");
    EXPECT_EQ(converted.csv, "");
}
