// The verification summary (verification steps 4 to 6): total columns, one line per
// channel whose newest sequence number is above 0, and the three verdicts.
#include "ConverterTestSupport.h"

using namespace tarnextest;
using testlog::Sl2Faults;
using testlog::Sl2Writer;

namespace {

// A log with one fault per packet after the first: count errors in all.
std::vector<uint8_t> logWithErrors(int count)
{
    Sl2Writer log;
    log.add(column(0));
    Sl2Faults bad;
    bad.previousSize = 1;
    for (int i = 0; i < count; ++i) {
        log.add(column(0), bad);
    }
    log.add(column(0));
    return log.bytes();
}

} // namespace

TEST(VerificationSummary, ListsEveryChannelWithMoreThanOnePacket)
{
    Sl2Writer log;
    for (int round = 0; round < 3; ++round) {
        for (uint16_t channel = 0; channel < 6; ++channel) {
            if (channel == 4 && round > 0) {
                continue; // channel 4 keeps a single packet
            }
            log.add(column(channel));
        }
    }
    log.add(column(5));
    EXPECT_EQ(verifyBytes(log.bytes()).console,
              "\nTotal columns = 17\nChannel 0: 3 columns\nChannel 1: 3 columns\n"
              "Channel 2: 3 columns\nChannel 3: 3 columns\nChannel 5: 4 columns\n"
              "All headers look good.\n");
}

TEST(VerificationSummary, SinglePacketChannelGetsNoLine)
{
    Sl2Writer log;
    log.add(column(2));
    const Result result = verifyBytes(log.bytes());
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.console, "\nTotal columns = 1\nAll headers look good.\n");
}

TEST(VerificationSummary, ChannelLineGivesNewestSequencePlusOne)
{
    Sl2Writer log;
    log.add(column(4));
    Sl2Faults jump;
    jump.sequence = 41;
    log.add(column(4), jump);
    const std::string out = verifyBytes(log.bytes()).console;
    EXPECT_TRUE(out.ends_with("\nTotal columns = 2\nChannel 4: 42 columns\nErrors: 1\n")) << out;
}

TEST(VerificationSummary, ErrorsBelowFortyAreCounted)
{
    const std::string out = verifyBytes(logWithErrors(39)).console;
    EXPECT_TRUE(out.ends_with("\nTotal columns = 41\nChannel 0: 41 columns\nErrors: 39\n")) << out;
}

TEST(VerificationSummary, FortyErrorsAreTooMany)
{
    const std::string out = verifyBytes(logWithErrors(40)).console;
    EXPECT_TRUE(out.ends_with("\nTotal columns = 41\nChannel 0: 41 columns\nToo many errors!\n"))
        << out;
}

TEST(VerificationSummary, CleanLogLooksGood)
{
    const Result result = verifyBytes(logWithErrors(0));
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.console,
              "\nTotal columns = 2\nChannel 0: 2 columns\nAll headers look good.\n");
}

TEST(VerificationSummary, FinishedVerificationReturnsZeroWhateverTheErrors)
{
    EXPECT_EQ(verifyBytes(logWithErrors(5)).status, 0);
    EXPECT_EQ(verifyBytes(logWithErrors(60)).status, 0);
}
