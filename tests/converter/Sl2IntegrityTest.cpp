// The SL2 walk: every integrity rule with its exact message, and the
// rules for losing and finding the chain again. Packets of 32 cells are 176 (0xB0) bytes, so
// a clean chain has packets at 0x8, 0xB8, 0x168, 0x218, 0x2C8, ...
#include "ConverterTestSupport.h"

using namespace tarnextest;
using testlog::Sl2Faults;
using testlog::Sl2Writer;

namespace {

// The summary lines that follow the faults of a verification.
std::string summary(int columns, const std::string& channels, const std::string& verdict)
{
    return "\nTotal columns = " + std::to_string(columns) + "\n" + channels + verdict;
}

std::string verify(const Sl2Writer& log)
{
    const Result result = verifyBytes(log.bytes());
    EXPECT_EQ(result.status, 0);
    return result.console;
}

Sl2Faults thisAddress(uint32_t value)
{
    Sl2Faults f;
    f.thisAddress = value;
    return f;
}

Sl2Faults link(int entry, uint32_t value)
{
    Sl2Faults f;
    f.lastChannelAddress = std::make_pair(entry, value);
    return f;
}

} // namespace

TEST(Sl2Integrity, WellFormedChainHasNoFaults)
{
    Sl2Writer log;
    log.add(column(0));
    log.add(column(1));
    log.add(column(0));
    log.add(column(1));
    log.add(column(2));
    EXPECT_EQ(verify(log), summary(5, "Channel 0: 2 columns\nChannel 1: 2 columns\n",
                                   "All headers look good.\n"));
}

TEST(Sl2Integrity, MisalignedPacketIsReportedAndReadAllTheSame)
{
    Sl2Writer log;
    log.add(column(0));
    testlog::Sl2Column odd = column(1);
    odd.padding = 2; // packet size 178: the next packet lands at 0x16A
    log.add(odd);
    log.add(column(0));
    EXPECT_EQ(verify(log), "Misaligned file address: 0x16A (column entry = 2)\n" +
                               summary(3, "Channel 0: 2 columns\n", "Errors: 1\n"));
}

TEST(Sl2Integrity, DamagedThisAddressScansAndSyncsAtTheNextPacket)
{
    Sl2Writer log;
    log.add(column(0));
    log.add(column(0), thisAddress(0xDEAD));
    log.add(column(0));
    log.add(column(0));
    EXPECT_EQ(verify(log),
              "\nInvalid this address: 0xDEAD != 0xB8 (column entry = 1, addr = 0xB8)\n"
              "Scanning for next valid address.\n"
              "Synced up again: 0x168\n" +
                  summary(3, "Channel 0: 4 columns\n", "Errors: 1\n"));
}

TEST(Sl2Integrity, SyncedPacketIsNotComparedWithThePrevious)
{
    Sl2Writer log;
    log.add(column(0));
    log.add(column(1), thisAddress(0xDEAD));
    Sl2Faults wrong = link(1, 0x999);
    wrong.previousSize = 999;
    wrong.sequence = 7;
    log.add(column(0), wrong); // synced here: size, sequence and links not checked
    Sl2Faults next = link(1, 0x999);
    next.sequence = 8;
    log.add(column(0), next); // checked against the synced packet, which it matches
    EXPECT_EQ(verify(log),
              "\nInvalid this address: 0xDEAD != 0xB8 (column entry = 1, addr = 0xB8)\n"
              "Scanning for next valid address.\n"
              "Synced up again: 0x168\n" +
                  summary(3, "Channel 0: 9 columns\n", "Errors: 1\n"));
}

TEST(Sl2Integrity, SyncedPacketStillChecksItsOwnFields)
{
    Sl2Writer log;
    log.add(column(0));
    log.add(column(1), thisAddress(0xDEAD));
    log.add(column(0), link(0, 0x40));
    EXPECT_EQ(verify(log),
              "\nInvalid this address: 0xDEAD != 0xB8 (column entry = 1, addr = 0xB8)\n"
              "Scanning for next valid address.\n"
              "Synced up again: 0x168\n"
              "Invalid current channel address: 0: 64 != 360 (column entry = 1, addr = 0x168)\n" +
                  summary(2, "Channel 0: 2 columns\n", "Errors: 2\n"));
}

TEST(Sl2Integrity, GarbageBetweenPacketsIsSkippedSilently)
{
    Sl2Writer log;
    log.add(column(0));
    log.appendBytes(std::vector<uint8_t>(400, 0));
    log.add(column(0));
    EXPECT_EQ(verify(log), "\nInvalid this address: 0x0 != 0xB8 (column entry = 1, addr = 0xB8)\n"
                           "Scanning for next valid address.\n"
                           "Synced up again: 0x248\n" +
                               summary(2, "Channel 0: 2 columns\n", "Errors: 1\n"));
}

TEST(Sl2Integrity, MisalignmentCountsOnEveryPassWhileScanning)
{
    Sl2Writer log;
    log.add(column(0));
    testlog::Sl2Column odd = column(1);
    odd.padding = 2;
    log.add(odd);
    log.add(column(0), thisAddress(0xDEAD)); // at 0x16A
    log.add(column(0));
    log.add(column(0));
    log.add(column(0));
    std::string expected = "Misaligned file address: 0x16A (column entry = 2)\n"
                           "\nInvalid this address: 0xDEAD != 0x16A (column entry = 2, addr = "
                           "0x16A)\nScanning for next valid address.\n";
    for (int k = 1; k <= 38; ++k) {
        char line[80];
        std::snprintf(line, sizeof line, "Misaligned file address: 0x%X (column entry = 2)\n",
                      0x16A + 4 * k);
        expected += line;
    }
    EXPECT_EQ(verify(log), expected + summary(2, "", "Too many errors!\n"));
}

TEST(Sl2Integrity, PreviousSizeMustMatchThePacketBefore)
{
    Sl2Writer log;
    log.add(column(0));
    Sl2Faults f;
    f.previousSize = 999;
    log.add(column(1), f);
    EXPECT_EQ(verify(log), "Invalid previous size: 999 != 176 (column entry = 1, addr = 0xB8)\n" +
                               summary(2, "", "Errors: 1\n"));
}

TEST(Sl2Integrity, FirstPacketHasPreviousSizeZero)
{
    Sl2Writer log;
    Sl2Faults f;
    f.previousSize = 5;
    log.add(column(0), f);
    EXPECT_EQ(verify(log), "Invalid previous size: 5 != 0 (column entry = 0, addr = 0x8)\n" +
                               summary(1, "", "Errors: 1\n"));
}

TEST(Sl2Integrity, SequenceGapIsOneErrorAndTheCountFollowsTheStoredNumber)
{
    Sl2Writer log;
    for (int i = 0; i < 4; ++i) {
        log.add(column(3));
    }
    Sl2Faults five;
    five.sequence = 5;
    log.add(column(3), five);
    Sl2Faults six;
    six.sequence = 6;
    log.add(column(3), six);
    EXPECT_EQ(verify(log), "Invalid sequence number: 5 != 4 (column entry = 4, addr = 0x2C8)\n" +
                               summary(6, "Channel 3: 7 columns\n", "Errors: 1\n"));
}

TEST(Sl2Integrity, FirstPacketOfAChannelCarriesSequenceZero)
{
    Sl2Writer log;
    Sl2Faults f;
    f.sequence = 1;
    log.add(column(0), f);
    EXPECT_EQ(verify(log), "Invalid sequence number: 1 != 0 (column entry = 0, addr = 0x8)\n" +
                               summary(1, "Channel 0: 2 columns\n", "Errors: 1\n"));
}

TEST(Sl2Integrity, SequenceNumbersPrintSigned)
{
    Sl2Writer log;
    Sl2Faults f;
    f.sequence = 0xFFFFFFF0u;
    log.add(column(0), f);
    EXPECT_EQ(verify(log), "Invalid sequence number: -16 != 0 (column entry = 0, addr = 0x8)\n" +
                               summary(1, "", "Errors: 1\n"));
}

TEST(Sl2Integrity, WrongLinkIsReportedAndTheExpectedTableFollowsTheStoredOne)
{
    Sl2Writer log;
    log.add(column(0));
    log.add(column(1));
    log.add(column(0), link(1, 0x1234));
    log.add(column(2)); // carries the true link 0xB8, which now differs from 0x1234
    EXPECT_EQ(verify(log),
              "Invalid last channel address: Seq=1, 1: 0x1234 != 0xB8 (column entry = 2, addr = "
              "0x168)\n"
              "Invalid last channel address: Seq=0, 1: 0xB8 != 0x1234 (column entry = 3, addr = "
              "0x218)\n" +
                  summary(4, "Channel 0: 2 columns\n", "Errors: 2\n"));
}

TEST(Sl2Integrity, FirstPacketLinksOtherChannelsToZero)
{
    Sl2Writer log;
    log.add(column(0), link(2, 0x40));
    EXPECT_EQ(verify(log), "Invalid last channel address: Seq=0, 2: 0x40 != 0x0 (column entry = "
                           "0, addr = 0x8)\n" +
                               summary(1, "", "Errors: 1\n"));
}

TEST(Sl2Integrity, OwnLinkMustNameThePacket)
{
    Sl2Writer log;
    log.add(column(0));
    log.add(column(1), link(1, 0x50));
    EXPECT_EQ(verify(log),
              "Invalid current channel address: 1: 80 != 184 (column entry = 1, addr = 0xB8)\n" +
                  summary(2, "", "Errors: 1\n"));
}

TEST(Sl2Integrity, TooManyRangeCellsAlsoBreaksThePacketSize)
{
    Sl2Writer log;
    log.add(column(0));
    Sl2Faults f;
    f.rangeCells = 4000;
    log.add(column(1), f);
    EXPECT_EQ(verify(log),
              "Invalid num range cells: 4000 > 3200 (column entry = 1, addr = 0xB8)\n"
              "Invalid packet size: 176 < 4000 + 144 (column entry = 1, addr = 0xB8)\n" +
                  summary(2, "", "Errors: 2\n"));
}

TEST(Sl2Integrity, LargestCleanPacketHasBlockSizeMinusSixteenCells)
{
    // Rules 4 and 5 together: 144 + N <= block size + 128.
    testlog::Sl2Header header;
    header.blockSize = 48;
    Sl2Writer log(header);
    log.add(column(0, 32));
    log.add(column(0, 33));
    EXPECT_EQ(verify(log), "Invalid packet size: 177 (column entry = 1, addr = 0xB8)\n" +
                               summary(2, "Channel 0: 2 columns\n", "Errors: 1\n"));
}

TEST(Sl2Integrity, OversizePacketIsReported)
{
    Sl2Writer log;
    log.add(column(0));
    Sl2Faults f;
    f.packetSize = 3400; // block size 3200 + 128 = 3328
    log.add(column(1), f);
    log.add(column(0));
    EXPECT_EQ(verify(log), "Invalid packet size: 3400 (column entry = 1, addr = 0xB8)\n" +
                               summary(3, "Channel 0: 2 columns\n", "Errors: 1\n"));
}

TEST(Sl2Integrity, PacketSmallerThanItsCellsIsReported)
{
    Sl2Writer log;
    log.add(column(0));
    Sl2Faults f;
    f.rangeCells = 40;
    log.add(column(1), f);
    EXPECT_EQ(verify(log), "Invalid packet size: 176 < 40 + 144 (column entry = 1, addr = 0xB8)\n" +
                               summary(2, "", "Errors: 1\n"));
}

TEST(Sl2Integrity, InvalidChannelIsCountedButNotChecked)
{
    Sl2Writer log;
    log.add(column(0));
    log.add(column(12));
    log.add(column(300));
    log.add(column(0));
    EXPECT_EQ(verify(log), "Invalid channel: 12 (column entry = 1, addr = 0xB8)\n"
                           "Invalid channel: 300 (column entry = 2, addr = 0x168)\n" +
                               summary(4, "Channel 0: 2 columns\n", "Errors: 2\n"));
}

TEST(Sl2Integrity, DebugChannelWithoutTheDebugBitIsReported)
{
    Sl2Writer log;
    log.add(column(0));
    log.add(column(10));
    log.add(column(6));
    EXPECT_EQ(verify(log),
              "Debug not on but debug channel encountered: 10 (column entry = 1, addr = 0xB8)\n"
              "Debug not on but debug channel encountered: 6 (column entry = 2, addr = 0x168)\n" +
                  summary(3, "", "Errors: 2\n"));
}

TEST(Sl2Integrity, DebugChannelsWithTheDebugBitAreFine)
{
    testlog::Sl2Header header;
    header.flags = 1;
    Sl2Writer log(header);
    for (int i = 0; i < 3; ++i) {
        log.add(column(0));
        log.add(column(10));
        log.add(column(11));
    }
    log.add(column(7));
    EXPECT_EQ(verify(log),
              summary(10,
                      "Channel 0: 3 columns\nChannel 7: 3 columns\nChannel 10: 3 columns\n"
                      "Channel 11: 3 columns\n",
                      "All headers look good.\n"));
}

TEST(Sl2Integrity, CutHeaderIsAShortRead)
{
    Sl2Writer log;
    log.add(column(0));
    log.add(column(1));
    log.add(column(0));
    log.truncate(log.size() - 100);
    EXPECT_EQ(verify(log), "Short read: 76 < 144 (column entry = 2, addr = 0x168)\n" +
                               summary(2, "", "Errors: 1\n"));
}

TEST(Sl2Integrity, CutSamplesPassUnnoticed)
{
    Sl2Writer log;
    log.add(column(0));
    log.add(column(0));
    log.truncate(log.size() - 20);
    EXPECT_EQ(verify(log), summary(2, "Channel 0: 2 columns\n", "All headers look good.\n"));
}

TEST(Sl2Integrity, ShortTrailingGarbageIsAShortRead)
{
    Sl2Writer log;
    log.add(column(0));
    log.add(column(1));
    log.add(column(0));
    log.appendBytes(std::vector<uint8_t>(90, 0xA5));
    EXPECT_EQ(verify(log), "Short read: 90 < 144 (column entry = 3, addr = 0x218)\n" +
                               summary(3, "Channel 0: 2 columns\n", "Errors: 1\n"));
}

TEST(Sl2Integrity, LongTrailingGarbageScansIntoAShortRead)
{
    Sl2Writer log;
    log.add(column(0));
    log.add(column(1));
    log.add(column(0));
    log.appendBytes(std::vector<uint8_t>(200, 0xA5));
    EXPECT_EQ(verify(log),
              "\nInvalid this address: 0xA5A5A5A5 != 0x218 (column entry = 3, addr = 0x218)\n"
              "Scanning for next valid address.\n"
              "Short read: 140 < 144 (column entry = 3, addr = 0x254)\n" +
                  summary(3, "Channel 0: 2 columns\n", "Errors: 2\n"));
}

TEST(Sl2Integrity, WalkStopsAfterThePassOfTheFortiethError)
{
    Sl2Writer log;
    log.add(column(0));
    Sl2Faults bad;
    bad.previousSize = 1;
    for (int i = 1; i <= 39; ++i) {
        log.add(column(0), bad);
    }
    Sl2Faults twice = bad;
    twice.sequence = 999;
    log.add(column(0), twice); // errors 40 and 41, both reported
    log.add(column(0), bad);   // never reached
    const std::vector<std::string> out = lines(verify(log));
    ASSERT_EQ(out.size(), 41u + 4u);
    EXPECT_EQ(out[0], "Invalid previous size: 1 != 176 (column entry = 1, addr = 0xB8)");
    EXPECT_EQ(out[39], "Invalid previous size: 1 != 176 (column entry = 40, addr = 0x1B88)");
    EXPECT_EQ(out[40], "Invalid sequence number: 999 != 40 (column entry = 40, addr = 0x1B88)");
    EXPECT_EQ(out[41], "");
    EXPECT_EQ(out[42], "Total columns = 41");
    EXPECT_EQ(out[43], "Channel 0: 1000 columns");
    EXPECT_EQ(out[44], "Too many errors!");
}

TEST(Sl2Integrity, ZeroPacketSizeEndsAtTheErrorLimit)
{
    Sl2Writer log;
    log.add(column(0));
    Sl2Faults zero;
    zero.packetSize = 0;
    log.add(column(0), zero);
    log.add(column(0));
    const std::string out = verify(log);
    EXPECT_NE(out.find("Invalid packet size: 0 < 32 + 144 (column entry = 1, addr = 0xB8)\n"),
              std::string::npos);
    EXPECT_TRUE(out.ends_with("Too many errors!\n"));
}

TEST(Sl2Integrity, HeaderShorterThanItsEightBytesHasNoColumns)
{
    const std::vector<uint8_t> bytes = {0x02, 0x00, 0x10};
    const Result result = verifyBytes(bytes);
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.console, summary(0, "", "All headers look good.\n"));
}
