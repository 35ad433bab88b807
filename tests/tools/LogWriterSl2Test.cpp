// The test-log writer's SL2 side: links, sizes, sequence numbers and every fault must land
// where the format puts them, since the converter's and viewer's tests are built on them.
#include "LogBytes.h"
#include "LogWriter.h"
#include "LogsynthRun.h"

#include <gtest/gtest.h>

#include <functional>
#include <stdexcept>

namespace toolstest {
namespace {

testlog::Sl2Column column(uint16_t channel, size_t cells)
{
    testlog::Sl2Column c;
    c.channel = channel;
    c.samples.assign(cells, 0x5A);
    return c;
}

TEST(Sl2WriterLog, HeaderHoldsFormatVersionBlockSizeAndFlags)
{
    testlog::Sl2Header h;
    h.format = 2;
    h.version = 9;
    h.blockSize = 1970;
    h.flags = 1;
    const testlog::Sl2Writer w(h);
    EXPECT_EQ(w.bytes(), (std::vector<uint8_t>{2, 0, 9, 0, 0xB2, 0x07, 1, 0}));
    EXPECT_EQ(w.size(), 8u);
}

TEST(Sl2WriterLog, PacketsChainWithAddressesSizesAndSequences)
{
    testlog::Sl2Writer w;
    auto padded = column(3, 12);
    padded.padding = 4;
    const uint32_t a0 = w.add(column(0, 100));
    const uint32_t a1 = w.add(column(1, 40));
    const uint32_t a2 = w.add(column(0, 100));
    const uint32_t a3 = w.add(padded);
    EXPECT_EQ(a0, 8u);
    EXPECT_EQ(a1, 8u + 244);
    EXPECT_EQ(a2, a1 + 184);
    EXPECT_EQ(a3, a2 + 244);
    EXPECT_EQ(w.size(), a3 + 160u);

    const LogBytes b(w.bytes());
    struct Expect
    {
        uint32_t at;
        uint16_t size, previous, channel, cells;
        uint32_t sequence;
        std::array<uint32_t, 6> table;
    };
    const Expect expected[] = {
        {a0, 244, 0, 0, 100, 0, {a0, 0, 0, 0, 0, 0}},
        {a1, 184, 244, 1, 40, 0, {a0, a1, 0, 0, 0, 0}},
        {a2, 244, 184, 0, 100, 1, {a2, a1, 0, 0, 0, 0}},
        {a3, 160, 244, 3, 12, 0, {a2, a1, 0, a3, 0, 0}},
    };
    for (const Expect& e : expected) {
        EXPECT_EQ(b.u32(e.at), e.at);
        for (size_t i = 0; i < 6; ++i) {
            EXPECT_EQ(b.u32(e.at + 4 + 4 * i), e.table[i]) << "packet " << e.at << " entry " << i;
        }
        EXPECT_EQ(b.u16(e.at + 28), e.size) << "packet " << e.at;
        EXPECT_EQ(b.u16(e.at + 30), e.previous) << "packet " << e.at;
        EXPECT_EQ(b.u16(e.at + 32), e.channel) << "packet " << e.at;
        EXPECT_EQ(b.u16(e.at + 34), e.cells) << "packet " << e.at;
        EXPECT_EQ(b.u32(e.at + 36), e.sequence) << "packet " << e.at;
        EXPECT_EQ(b.u8(e.at + 144), 0x5A) << "packet " << e.at;
    }
    EXPECT_EQ(b.u8(a3 + 156), 0); // padding after the samples
    EXPECT_EQ(w.nextSequence(0), 2u);
    EXPECT_EQ(w.nextSequence(3), 1u);
    EXPECT_EQ(w.nextSequence(5), 0u);
}

TEST(Sl2WriterLog, DebugPacketsCarryTheTableAndThePrimarySequenceWithoutChangingThem)
{
    testlog::Sl2Header h;
    h.flags = 1;
    testlog::Sl2Writer w(h);
    w.add(column(0, 8));
    const uint32_t a1 = w.add(column(0, 8));
    const uint32_t d = w.add(column(10, 8));
    const uint32_t next = w.add(column(0, 8));
    const LogBytes b(w.bytes());
    EXPECT_EQ(b.u16(d + 32), 10);
    EXPECT_EQ(b.u32(d + 4), a1);
    EXPECT_EQ(b.u32(d + 36), 1u);
    EXPECT_EQ(b.u32(next + 36), 2u);
    EXPECT_EQ(b.u16(next + 30), 152); // previous size: the debug packet's
}

TEST(Sl2WriterLog, ColumnFieldsLandAtTheirOffsets)
{
    testlog::Sl2Column c = column(2, 4);
    c.upperLimit = 1.5f;
    c.lowerLimit = 60.0f;
    c.burstLengthUs = -300;
    c.integration = 11;
    c.gainDuty = 12;
    c.videoIntegration = 13;
    c.frequency = 4;
    c.pingPeriodMs = 150;
    c.correlation = 2;
    c.discrimination = 14;
    c.deviceFlags = 0x1234;
    c.runningTimeMs = 0x89ABCDEF;
    c.depth = 33.25f;
    c.keelOffset = -1.0f;
    c.autoSenseRangecell = 170;
    c.digitalRangecell = 171;
    c.noiseCount = 172;
    c.noisePeak = 173;
    c.noiseAverage = 174;
    c.rvgMaxAttenuation = 40;
    c.rvgDepth = 80;
    c.speed = 4.5f;
    c.waterTemp = 18.5f;
    c.positionX = -9000000;
    c.positionY = 5000000;
    c.waterSpeed = 4.25f;
    c.track = 1.25f;
    c.altitude = 600.0f;
    c.heading = 1.3f;
    c.validFlags = 0x03D6;
    c.manualMode = 1;
    c.fishingMode = 2;
    c.pingSpeed = 3;
    c.noiseRejection = 4;
    c.timeOffset = 123456;
    testlog::Sl2Writer w;
    const uint32_t a = w.add(c);
    const LogBytes b(w.bytes());
    EXPECT_EQ(b.f32(a + 40), 1.5f);
    EXPECT_EQ(b.f32(a + 44), 60.0f);
    EXPECT_EQ(b.i16(a + 48), -300);
    EXPECT_EQ(b.u8(a + 50), 11);
    EXPECT_EQ(b.u8(a + 51), 12);
    EXPECT_EQ(b.u8(a + 52), 13);
    EXPECT_EQ(b.u8(a + 53), 4);
    EXPECT_EQ(b.i16(a + 54), 150);
    EXPECT_EQ(b.u8(a + 56), 2);
    EXPECT_EQ(b.u8(a + 57), 14);
    EXPECT_EQ(b.i16(a + 58), 0x1234);
    EXPECT_EQ(b.u32(a + 60), 0x89ABCDEFu);
    EXPECT_EQ(b.f32(a + 64), 33.25f);
    EXPECT_EQ(b.f32(a + 68), -1.0f);
    EXPECT_EQ(b.u8(a + 72), 170);
    EXPECT_EQ(b.u8(a + 73), 171);
    EXPECT_EQ(b.u8(a + 74), 172);
    EXPECT_EQ(b.u8(a + 75), 173);
    EXPECT_EQ(b.u8(a + 76), 174);
    EXPECT_EQ(b.u8(a + 77), 40);
    EXPECT_EQ(b.i16(a + 78), 80);
    for (uint32_t i = 80; i < 100; ++i) {
        EXPECT_EQ(b.u8(a + i), 0) << "byte " << i;
    }
    EXPECT_EQ(b.f32(a + 100), 4.5f);
    EXPECT_EQ(b.f32(a + 104), 18.5f);
    EXPECT_EQ(b.i32(a + 108), -9000000);
    EXPECT_EQ(b.i32(a + 112), 5000000);
    EXPECT_EQ(b.f32(a + 116), 4.25f);
    EXPECT_EQ(b.f32(a + 120), 1.25f);
    EXPECT_EQ(b.f32(a + 124), 600.0f);
    EXPECT_EQ(b.f32(a + 128), 1.3f);
    EXPECT_EQ(b.u32(a + 132), 0x03D6u);
    EXPECT_EQ(b.u8(a + 136), 1);
    EXPECT_EQ(b.u8(a + 137), 2);
    EXPECT_EQ(b.u8(a + 138), 3);
    EXPECT_EQ(b.u8(a + 139), 4);
    EXPECT_EQ(b.i32(a + 140), 123456);
}

// One fault on the middle of three channel-0 packets of 20 cells (164 bytes each, at 8,
// 172, 336 when nothing is damaged).
struct FaultCase
{
    const char* name;
    std::function<void(testlog::Sl2Faults&)> set;
    size_t offset;    // field of the damaged packet that holds the fault
    uint32_t stored;  // what it holds there
    bool wide;        // a 32-bit field (else 16-bit)
    uint32_t thirdAt; // where the next packet starts
    uint16_t thirdPrevious;
};

class Sl2Fault : public ::testing::TestWithParam<FaultCase>
{
};

TEST_P(Sl2Fault, LandsInItsFieldAndLeavesTheNextPacketSound)
{
    testlog::Sl2Writer w;
    w.add(column(0, 20));
    testlog::Sl2Faults faults;
    GetParam().set(faults);
    const uint32_t damaged = w.add(column(0, 20), faults);
    const uint32_t third = w.add(column(0, 20));
    ASSERT_EQ(damaged, 172u);
    ASSERT_EQ(third, GetParam().thirdAt);
    const LogBytes b(w.bytes());
    const size_t at = damaged + GetParam().offset;
    EXPECT_EQ(GetParam().wide ? b.u32(at) : b.u16(at), GetParam().stored);
    // The next packet is genuine and continues the channel.
    EXPECT_EQ(b.u32(third), third);
    EXPECT_EQ(b.u32(third + 4), third);
    EXPECT_EQ(b.u16(third + 30), GetParam().thirdPrevious);
    EXPECT_EQ(b.u32(third + 36), 2u);
    EXPECT_EQ(w.size(), third + 164u);
}

INSTANTIATE_TEST_SUITE_P(
    Faults, Sl2Fault,
    ::testing::Values(
        FaultCase{"ThisAddress", [](testlog::Sl2Faults& f) { f.thisAddress = 999; }, 0, 999, true,
                  336, 164},
        FaultCase{"LargerPacketSize", [](testlog::Sl2Faults& f) { f.packetSize = 200; }, 28, 200,
                  false, 372, 200},
        FaultCase{"PreviousSize", [](testlog::Sl2Faults& f) { f.previousSize = 77; }, 30, 77, false,
                  336, 164},
        FaultCase{"RangeCells", [](testlog::Sl2Faults& f) { f.rangeCells = 4000; }, 34, 4000, false,
                  336, 164},
        FaultCase{"Sequence", [](testlog::Sl2Faults& f) { f.sequence = 9; }, 36, 9, true, 336, 164},
        FaultCase{"OwnLastChannelAddress",
                  [](testlog::Sl2Faults& f) {
                      f.lastChannelAddress = {{0, 4444}};
                  },
                  4, 4444, true, 336, 164},
        FaultCase{"OtherLastChannelAddress",
                  [](testlog::Sl2Faults& f) {
                      f.lastChannelAddress = {{5, 8}};
                  },
                  24, 8, true, 336, 164}),
    [](const ::testing::TestParamInfo<FaultCase>& param) { return param.param.name; });

TEST(Sl2WriterLog, RangeCellsFaultKeepsTheSamplesWritten)
{
    testlog::Sl2Writer w;
    testlog::Sl2Faults faults;
    faults.rangeCells = 3;
    w.add(column(0, 20), faults);
    EXPECT_EQ(LogBytes(w.bytes()).u16(8 + 28), 164);
    EXPECT_EQ(w.bytes()[8 + 144 + 19], 0x5A);
}

TEST(Sl2WriterLog, GarbageBetweenPacketsKeepsThePreviousSizeOfTheLastPacket)
{
    testlog::Sl2Writer w;
    w.add(column(1, 20));
    w.appendBytes({1, 2, 3});
    const uint32_t after = w.add(column(1, 20));
    EXPECT_EQ(after, 175u);
    const LogBytes b(w.bytes());
    EXPECT_EQ(b.u16(after + 30), 164);
    EXPECT_EQ(b.u32(after + 8), after);
    EXPECT_EQ(b.u32(after + 36), 1u);
}

TEST(Sl2WriterLog, TruncateCutsTheLogWhereAsked)
{
    testlog::Sl2Writer w;
    w.add(column(0, 20));
    w.add(column(0, 20));
    w.truncate(200);
    EXPECT_EQ(w.bytes().size(), 200u);
    EXPECT_EQ(w.size(), 200u);
}

TEST(Sl2WriterLog, StreamedLogEqualsTheLogKeptInMemory)
{
    ScratchDir scratch;
    auto write = [](testlog::Sl2Writer& w) {
        w.add(column(0, 20));
        w.add(column(4, 36));
        w.appendBytes({7, 7});
        w.add(column(0, 20));
    };
    testlog::Sl2Writer memory;
    write(memory);
    testlog::Sl2Writer streamed;
    ASSERT_TRUE(streamed.streamTo(scratch.file("streamed.sl2")));
    write(streamed);
    EXPECT_THROW(streamed.truncate(10), std::logic_error);
    ASSERT_TRUE(streamed.close());
    EXPECT_EQ(streamed.size(), memory.size());
    EXPECT_EQ(testlog::loadFile(scratch.file("streamed.sl2")), memory.bytes());
}

TEST(Sl2WriterLog, StreamingToAnUnwritablePlaceFails)
{
    ScratchDir scratch;
    testlog::Sl2Writer w;
    EXPECT_FALSE(w.streamTo(scratch.file("missing/folder.sl2")));
}

} // namespace
} // namespace toolstest
