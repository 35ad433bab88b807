// The real tarnex program: arguments, file errors, messages on standard output, the output
// file and the exit status as the shell sees it (-1 is 255).
#include "ConverterTestSupport.h"
#include "CsvRows.h"

#include <fcntl.h>
#include <sys/stat.h>

using namespace tarnextest;

namespace {

class TarnexProgram : public TempFolder
{
protected:
    std::string sl2Log(const std::string& name)
    {
        testlog::Sl2Header header;
        header.flags = 1;
        testlog::Sl2Writer log(header);
        for (int i = 0; i < 3; ++i) {
            log.add(column(0));
            log.add(column(10));
            log.add(column(11));
            log.add(column(1));
        }
        EXPECT_TRUE(log.save(path(name)));
        return path(name).string();
    }
};

} // namespace

TEST_F(TarnexProgram, NoArgumentsPrintsTheUsage)
{
    const ProgramRun run = runTarnex({});
    EXPECT_EQ(run.exitCode, 255);
    EXPECT_EQ(run.output,
              "Usage:  Tarnex <SLG/SL2 file> <text output file>\n\nProgram outputs the digital "
              "information stored in the chart in a comma delimted text file. Each column "
              "consists of a line of information containing:\n\nUpperLimit,LowerLimit,"
              "DepthValid,Depth,WaterTempValid,WaterTemp,Temp2Valid,Temp2,Temp3Valid,Temp3,"
              "WaterSpeedValid,WaterSpeed,PositionValid,PositionX,PositionY,SurfaceDepth,"
              "SurfaceValid,TopOfBottomDepth,TopOfBottomValid,ColumnIs50kHz,TimeValid,"
              "TimeOffset[ms],SpeedTrackValid,Speed,Track,AltitudeValid,Altitude\n\nWhere "
              "temperatures are in Celcius, depths are in feet, position is in\nmercator "
              "meters, speed is in knots, angles are in radians, and altitude\nis in feet.\n");
}

TEST_F(TarnexProgram, ThreeArgumentsPrintTheUsage)
{
    const std::string log = sl2Log("a.sl2");
    const ProgramRun run = runTarnex({log, path("out.csv").string(), "extra"});
    EXPECT_EQ(run.exitCode, 255);
    EXPECT_EQ(run.output, tarnex::kUsageText);
    EXPECT_FALSE(fs::exists(path("out.csv")));
}

TEST_F(TarnexProgram, MissingLogCannotBeOpened)
{
    const ProgramRun verify = runTarnex({path("missing.sl2").string()});
    EXPECT_EQ(verify.exitCode, 255);
    EXPECT_EQ(verify.output, "Error opening input file for read");
    const ProgramRun convert = runTarnex({path("missing.sl2").string(), path("o.csv").string()});
    EXPECT_EQ(convert.exitCode, 255);
    EXPECT_EQ(convert.output, "Error opening input file for read");
    EXPECT_FALSE(fs::exists(path("o.csv")));
}

TEST_F(TarnexProgram, FolderIsNotALog)
{
    const ProgramRun run = runTarnex({path("").string()});
    EXPECT_EQ(run.exitCode, 255);
    EXPECT_EQ(run.output, "Error opening input file for read");
}

TEST_F(TarnexProgram, UnwritableOutputFile)
{
    const std::string log = sl2Log("a.sl2");
    const ProgramRun run = runTarnex({log, path("no/such/folder/out.csv").string()});
    EXPECT_EQ(run.exitCode, 255);
    EXPECT_EQ(run.output, "Error opening output file for write");
}

TEST_F(TarnexProgram, FullDiskIsReportedNotPassedForSuccess)
{
    if (!fs::exists("/dev/full")) {
        GTEST_SKIP() << "no /dev/full on this system";
    }
    const std::string log = sl2Log("a.sl2");
    const ProgramRun run = runTarnex({log, "/dev/full"});
    EXPECT_EQ(run.exitCode, 255);
    EXPECT_EQ(run.output, "Error writing output file\n");
}

TEST_F(TarnexProgram, AVerificationThatCannotBePrintedFails)
{
    // Its messages are its result: onto a full disk they are lost, and the run must say so.
    const ProgramRun run = runTarnex({sl2Log("a.sl2")}, "exec >/dev/full; exec ");
    EXPECT_EQ(run.exitCode, 255);
}

TEST_F(TarnexProgram, VerifiesAnSl2Log)
{
    const ProgramRun run = runTarnex({sl2Log("a.sl2")});
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.output, "\nTotal columns = 12\nChannel 0: 3 columns\nChannel 1: 3 columns\n"
                          "Channel 10: 3 columns\nChannel 11: 3 columns\nAll headers look good.\n");
}

TEST_F(TarnexProgram, VerificationWithErrorsStillEndsWithZero)
{
    testlog::Sl2Writer log;
    log.add(column(0));
    testlog::Sl2Faults f;
    f.sequence = 9;
    log.add(column(0), f);
    ASSERT_TRUE(log.save(path("bad.sl2")));
    const ProgramRun run = runTarnex({path("bad.sl2").string()});
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.output, "Invalid sequence number: 9 != 1 (column entry = 1, addr = 0xB8)\n"
                          "\nTotal columns = 2\nChannel 0: 10 columns\nErrors: 1\n");
}

TEST_F(TarnexProgram, RefusesToVerifySlgAndVeryOldLogs)
{
    testlog::SlgWriter slg(64);
    slg.add({});
    ASSERT_TRUE(slg.save(path("a.slg")));
    const ProgramRun slgRun = runTarnex({path("a.slg").string()});
    EXPECT_EQ(slgRun.exitCode, 255);
    EXPECT_EQ(slgRun.output, "Verification of input SLG not supported.\nTo verify a log file, "
                             "pass in a .SL2 file or provide an output file name for converting "
                             "to text.\n");

    testlog::VeryOldWriter veryOld(128, 1024);
    veryOld.addCoded({}, 1, {0x40});
    ASSERT_TRUE(veryOld.save(path("old.slg")));
    const ProgramRun oldRun = runTarnex({path("old.slg").string()});
    EXPECT_EQ(oldRun.exitCode, 255);
    EXPECT_EQ(oldRun.output, "Input SL2 not supported (very old)\n");
}

TEST_F(TarnexProgram, ConvertsAnSl2Log)
{
    const std::string log = sl2Log("a.sl2");
    const ProgramRun run = runTarnex({log, path("out.csv").string()});
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.output, "");
    const std::string csv = readText(path("out.csv"));
    const std::vector<std::string> rows = lines(csv);
    ASSERT_EQ(rows.size(), 13u);
    EXPECT_EQ(rows[0] + "\n", tarnex::kSl2HeaderLine);
    EXPECT_EQ(rows[1], "Primary,200kHz,0.000000,100.000000,F,0.000000,F,0.000000,F,0.000000,F,"
                       "0,0,0,F,0.000000,F,0.000000,F,0.000000,F,0.000000");
    EXPECT_EQ(rows[2].rfind("Debug Digital,", 0), 0u);
    EXPECT_EQ(rows[3].rfind("Debug Noise,", 0), 0u);
    EXPECT_EQ(rows[4].rfind("Secondary,", 0), 0u);
    EXPECT_EQ(csv.find('\r'), std::string::npos);
}

TEST_F(TarnexProgram, ConvertsAnSlgLog)
{
    testlog::SlgWriter log(80, 0);
    testlog::SlgSounding s;
    s.header.upperLimit = 3.0f;
    s.header.timeOffset = -5;
    log.add(s);
    log.add(s);
    log.appendBytes(std::vector<uint8_t>(79, 1));
    ASSERT_TRUE(log.save(path("a.slg")));
    const ProgramRun run = runTarnex({path("a.slg").string(), path("out.csv").string()});
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.output, "");
    const std::string row = "3.000000,100.000000,T,20.000000,F,0.000000,F,0.000000,F,0.000000,"
                            "F,0.000000,F,0,0,0.000000,F,0.000000,F,F,T,-5,F,0.000000,0.000000,"
                            "F,0.000000\n";
    EXPECT_EQ(readText(path("out.csv")), std::string(tarnex::kSlgHeaderLine) + row + row);
}

TEST_F(TarnexProgram, ConversionReportsFaultsAndEndsWithZero)
{
    testlog::Sl2Writer log;
    testlog::Sl2Column c = column(0);
    c.frequency = 11;
    log.add(c);
    ASSERT_TRUE(log.save(path("f.sl2")));
    const ProgramRun run = runTarnex({path("f.sl2").string(), path("out.csv").string()});
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.output, "Invalid frequency (11)\n");
    EXPECT_EQ(lines(readText(path("out.csv"))).size(), 2u);
}

TEST_F(TarnexProgram, SlgBlockSizeOfZeroEndsWithoutWritingAFile)
{
    testlog::SlgWriter log(0);
    log.appendBytes(std::vector<uint8_t>(100, 0));
    ASSERT_TRUE(log.save(path("zero.slg")));
    const ProgramRun run = runTarnex({path("zero.slg").string(), path("out.csv").string()});
    EXPECT_EQ(run.exitCode, 255);
    EXPECT_EQ(run.output, "Invalid block size in SLG header: 0\n");
    EXPECT_FALSE(fs::exists(path("out.csv")));
}

TEST_F(TarnexProgram, OutputFileIsReplaced)
{
    const std::string log = sl2Log("a.sl2");
    ASSERT_TRUE(testlog::saveFile(path("out.csv"), std::vector<uint8_t>(100000, 'x')));
    ASSERT_EQ(runTarnex({log, path("out.csv").string()}).exitCode, 0);
    EXPECT_EQ(readText(path("out.csv")).find('x'), std::string::npos);
}

// A log past 2 GB (signed 32-bit offsets end there): packet headers from the writer, placed
// in a sparse file so the test needs no disk space. Every packet has the largest clean size.
TEST_F(TarnexProgram, WalksAnSl2LogLargerThanTwoGigabytes)
{
    constexpr int16_t kBlockSize = 32767;
    constexpr uint32_t kCells = 32748; // packet size 32892: a multiple of 4, <= block + 128
    constexpr uint64_t kPacket = 144 + kCells;
    constexpr uint64_t kTarget = (uint64_t{1} << 31) + (uint64_t{200} << 20);

    testlog::Sl2Header header;
    header.blockSize = kBlockSize;
    testlog::Sl2Writer writer(header);
    testlog::Sl2Column c = column(0, 0);
    c.depth = 42.5f;
    c.padding = static_cast<uint16_t>(kCells);
    writer.add(c);
    std::vector<uint8_t> first = writer.bytes();
    testlog::setU16(first, 8 + 34, static_cast<uint16_t>(kCells)); // range cells field

    const int fd = ::open(path("big.sl2").c_str(), O_CREAT | O_TRUNC | O_WRONLY, 0644);
    ASSERT_GE(fd, 0);
    ASSERT_EQ(::pwrite(fd, first.data(), 8, 0), 8);
    std::vector<uint8_t> packet(first.begin() + 8, first.begin() + 8 + 144);
    uint64_t address = 8;
    uint32_t count = 0;
    for (; address + kPacket <= kTarget; address += kPacket, ++count) {
        testlog::setU32(packet, 0, static_cast<uint32_t>(address));
        testlog::setU32(packet, 4, static_cast<uint32_t>(address)); // channel 0's own link
        testlog::setU16(packet, 30, count == 0 ? 0 : static_cast<uint16_t>(kPacket));
        testlog::setU32(packet, 36, count);
        ASSERT_EQ(::pwrite(fd, packet.data(), packet.size(), static_cast<off_t>(address)), 144);
    }
    ASSERT_EQ(::ftruncate(fd, static_cast<off_t>(address)), 0);
    ::close(fd);
    ASSERT_GT(address, uint64_t{1} << 31);

    const ProgramRun verify = runTarnex({path("big.sl2").string()});
    EXPECT_EQ(verify.exitCode, 0);
    EXPECT_EQ(verify.output, "\nTotal columns = " + std::to_string(count) + "\nChannel 0: " +
                                 std::to_string(count) + " columns\nAll headers look good.\n");

    const ProgramRun convert = runTarnex({path("big.sl2").string(), path("big.csv").string()});
    EXPECT_EQ(convert.exitCode, 0);
    EXPECT_EQ(convert.output, "");
    const std::vector<std::string> rows = lines(readText(path("big.csv")));
    ASSERT_EQ(rows.size(), count + 1u);
    EXPECT_EQ(rows.back(), "Primary,200kHz,0.000000,100.000000,T,42.500000,F,0.000000,F,"
                           "0.000000,F,0,0,0,F,0.000000,F,0.000000,F,0.000000,F,0.000000");
}
