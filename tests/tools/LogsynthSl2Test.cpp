// The SL2 demo log obeys every rule a reader relies on, and looks like a survey.
#include "LogsynthRun.h"
#include "TestSl2Reader.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <memory>
#include <numeric>
#include <set>

namespace toolstest {
namespace {

constexpr int kSl2Columns = 1500;

class LogsynthSl2 : public ::testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        scratch = std::make_unique<ScratchDir>();
        const auto path = scratch->file("survey.sl2");
        const RunResult run = runLogsynth({"--format", "sl2", "--seed", "7", "--columns",
                                           std::to_string(kSl2Columns), "--debug", path.string()},
                                          *scratch);
        ASSERT_EQ(run.status, 0) << run.err;
        bytes = readFile(path);
        log = readSl2(bytes);
    }
    static void TearDownTestSuite()
    {
        scratch.reset();
        bytes.clear();
        log = {};
    }

    static std::vector<const Sl2Packet*> channel(uint16_t code)
    {
        std::vector<const Sl2Packet*> out;
        for (const Sl2Packet& p : log.packets) {
            if (p.channel == code) {
                out.push_back(&p);
            }
        }
        return out;
    }

    static std::unique_ptr<ScratchDir> scratch;
    static std::vector<uint8_t> bytes;
    static Sl2Log log;
};

std::unique_ptr<ScratchDir> LogsynthSl2::scratch;
std::vector<uint8_t> LogsynthSl2::bytes;
Sl2Log LogsynthSl2::log;

TEST_F(LogsynthSl2, HeaderIsAnSl2HeaderWithTheDebugBit)
{
    EXPECT_EQ(log.format, 2);
    EXPECT_GT(log.blockSize, 0);
    EXPECT_EQ(log.flags & 1u, 1u);
}

TEST_F(LogsynthSl2, ChainRunsFromAddressEightToTheEndOfTheFile)
{
    ASSERT_TRUE(log.error.empty()) << log.error;
    ASSERT_FALSE(log.packets.empty());
    EXPECT_EQ(log.packets.front().address, 8u);
    const Sl2Packet& last = log.packets.back();
    EXPECT_EQ(static_cast<size_t>(last.address) + last.packetSize, bytes.size());
}

TEST_F(LogsynthSl2, EveryPacketSitsOnAFourByteBoundary)
{
    for (const Sl2Packet& p : log.packets) {
        ASSERT_EQ(p.address % 4, 0u) << "packet at " << p.address;
    }
}

TEST_F(LogsynthSl2, PacketSizesFitTheBlockSize)
{
    for (const Sl2Packet& p : log.packets) {
        ASSERT_LE(p.rangeCells, log.blockSize) << "packet at " << p.address;
        ASSERT_LE(p.packetSize, log.blockSize + 128) << "packet at " << p.address;
        ASSERT_GE(p.packetSize, p.rangeCells + 144u) << "packet at " << p.address;
        // The viewer's packet search only accepts packets below 5000 bytes.
        ASSERT_LT(p.packetSize, 5000) << "packet at " << p.address;
    }
}

TEST_F(LogsynthSl2, PreviousSizeNamesThePacketBefore)
{
    uint16_t previous = 0;
    for (const Sl2Packet& p : log.packets) {
        ASSERT_EQ(p.previousSize, previous) << "packet at " << p.address;
        previous = p.packetSize;
    }
}

TEST_F(LogsynthSl2, LastChannelTablesLinkEveryChannel)
{
    std::array<uint32_t, 6> table{};
    for (const Sl2Packet& p : log.packets) {
        if (p.channel <= 5) {
            table[p.channel] = p.address;
        }
        ASSERT_EQ(p.lastChannel, table) << "packet at " << p.address;
    }
}

TEST_F(LogsynthSl2, SequenceNumbersCountEachChannelFromZero)
{
    std::map<uint16_t, uint32_t> next;
    for (const Sl2Packet& p : log.packets) {
        if (p.channel > 5) {
            continue;
        }
        ASSERT_EQ(p.sequence, next[p.channel]) << "packet at " << p.address;
        ++next[p.channel];
    }
    for (uint16_t c = 0; c <= 5; ++c) {
        EXPECT_EQ(next[c], static_cast<uint32_t>(kSl2Columns)) << "channel " << c;
    }
}

TEST_F(LogsynthSl2, PingsRecordChannelsZeroToFiveWithDebugAfterThePrimary)
{
    const std::vector<uint16_t> ping = {0, 10, 11, 1, 2, 3, 4, 5};
    ASSERT_EQ(log.packets.size(), ping.size() * kSl2Columns);
    for (size_t i = 0; i < log.packets.size(); ++i) {
        ASSERT_EQ(log.packets[i].channel, ping[i % ping.size()]) << "packet " << i;
    }
}

TEST_F(LogsynthSl2, FrequencyCodesSuitEachChannel)
{
    const std::map<uint16_t, std::set<uint8_t>> allowed = {{0, {0}},    {1, {1, 2}}, {2, {3, 4}},
                                                           {3, {3, 4}}, {4, {3, 4}}, {5, {3, 4}},
                                                           {10, {0}},   {11, {0}}};
    for (const Sl2Packet& p : log.packets) {
        ASSERT_TRUE(allowed.at(p.channel).count(p.frequency))
            << "channel " << p.channel << " frequency " << int(p.frequency);
    }
}

TEST_F(LogsynthSl2, LimitsStartAtTheSurfaceAndReachBelowTheBottom)
{
    for (const Sl2Packet& p : log.packets) {
        ASSERT_EQ(p.upperLimit, 0.0f) << "packet at " << p.address;
        ASSERT_GT(p.depth, 0.0f) << "packet at " << p.address; // 0 would mean no depth
        ASSERT_GE(p.lowerLimit, p.depth) << "packet at " << p.address;
    }
}

TEST_F(LogsynthSl2, PrimaryRangeSwitchesInStepsAsTheBottomDeepens)
{
    std::set<float> ranges;
    int switches = 0;
    float previous = 0;
    float shallowest = 1e9f, deepest = 0;
    for (const Sl2Packet* p : channel(0)) {
        ranges.insert(p->lowerLimit);
        switches += previous != 0 && p->lowerLimit != previous ? 1 : 0;
        previous = p->lowerLimit;
        shallowest = std::min(shallowest, p->depth);
        deepest = std::max(deepest, p->depth);
    }
    EXPECT_GE(ranges.size(), 4u);
    // Steps, not a new range every ping.
    EXPECT_LT(switches, kSl2Columns / 20);
    EXPECT_LT(shallowest, 20.0f);
    EXPECT_GT(deepest, 60.0f);
}

TEST_F(LogsynthSl2, EveryPacketCarriesValidNavigation)
{
    constexpr uint32_t kSpeed = 0x0002, kTemp = 0x0004, kPosition = 0x0010, kTrack = 0x0080,
                       kHeading = 0x0100;
    for (const Sl2Packet& p : log.packets) {
        ASSERT_EQ(p.validFlags & (kSpeed | kTemp | kPosition | kTrack | kHeading),
                  kSpeed | kTemp | kPosition | kTrack | kHeading)
            << "packet at " << p.address;
        ASSERT_GE(p.track, 0.0f);
        ASSERT_LT(p.track, 6.2832f);
        ASSERT_GE(p.heading, 0.0f);
        ASSERT_LT(p.heading, 6.2832f);
        ASSERT_GT(p.speed, 0.0f);
        ASSERT_LT(p.speed, 15.0f);
        ASSERT_GT(p.waterTemp, 0.0f);
        ASSERT_LT(p.waterTemp, 35.0f);
    }
}

TEST_F(LogsynthSl2, TimeAdvancesByThePingPeriod)
{
    const auto primary = channel(0);
    EXPECT_EQ(primary.front()->timeOffset, 0);
    for (size_t i = 1; i < primary.size(); ++i) {
        const Sl2Packet& before = *primary[i - 1];
        const Sl2Packet& now = *primary[i];
        ASSERT_GT(before.pingPeriodMs, 0);
        ASSERT_EQ(now.timeOffset - before.timeOffset, before.pingPeriodMs) << "ping " << i;
        ASSERT_EQ(now.runningTimeMs - before.runningTimeMs,
                  static_cast<uint32_t>(before.pingPeriodMs))
            << "ping " << i;
    }
}

TEST_F(LogsynthSl2, PositionMovesAtTheRecordedSpeed)
{
    // Mercator metres are ground metres stretched by 1 / cos(latitude).
    const auto primary = channel(0);
    const double y = primary.front()->positionY;
    const double latitude = 2.0 * std::atan(std::exp(y / 6356752.3142)) - 1.5707963267948966;
    ASSERT_GT(latitude, 0.1); // somewhere on a northern lake
    const double stretch = 1.0 / std::cos(latitude);
    constexpr size_t kStretch = 200;
    for (size_t start = 0; start + kStretch < primary.size(); start += kStretch) {
        double path = 0;
        for (size_t i = start; i < start + kStretch; ++i) {
            path += primary[i]->speed * 0.514444 * primary[i]->pingPeriodMs / 1000.0;
        }
        const double dx = primary[start + kStretch]->positionX - primary[start]->positionX;
        const double dy = primary[start + kStretch]->positionY - primary[start]->positionY;
        const double moved = std::hypot(dx, dy) / stretch;
        // A straight line is at most the path and, on a gently turning course, most of it.
        EXPECT_LE(moved, path * 1.02 + 2.0) << "from ping " << start;
        EXPECT_GE(moved, path * 0.6 - 2.0) << "from ping " << start;
    }
}

TEST_F(LogsynthSl2, RecorderSettingsSuitTheViewer)
{
    for (const Sl2Packet& p : log.packets) {
        // The reader divides by the RVG depth.
        ASSERT_NE(p.rvgDepth, 0) << "packet at " << p.address;
        ASSERT_GT(p.burstLengthUs, 0) << "packet at " << p.address;
        if (p.channel == 0) {
            ASSERT_GE(p.autoSense, 120) << "packet at " << p.address;
            ASSERT_LE(p.autoSense, 200) << "packet at " << p.address;
            ASSERT_GE(p.correlation, 1) << "packet at " << p.address;
        }
    }
}

TEST_F(LogsynthSl2, DownLookingChannelsShowTheBottomAsAHardEchoUnderDarkWater)
{
    for (uint16_t code : {0, 1, 2}) {
        int dark = 0, deep = 0;
        for (const Sl2Packet* p : channel(code)) {
            const auto cells = p->samples.size();
            const auto cellsPerFoot = static_cast<double>(cells) / p->lowerLimit;
            const auto bottom = static_cast<size_t>(p->depth * cellsPerFoot);
            // One cell of slack for the float rounding of the bottom's cell.
            ASSERT_LT(bottom + 4, cells) << "channel " << code << " ping " << p->sequence;
            for (size_t i = bottom + 1; i < bottom + 4; ++i) {
                ASSERT_GE(p->samples[i], 190) << "channel " << code << " ping " << p->sequence;
            }
            // Below the surface clutter the water is mostly empty; rocks, bait and fish
            // fill it now and then.
            const auto clutter = static_cast<size_t>(4.0 * cellsPerFoot);
            if (bottom <= clutter + 10) {
                continue;
            }
            const double water =
                std::accumulate(p->samples.begin() + clutter, p->samples.begin() + bottom, 0.0) /
                static_cast<double>(bottom - clutter);
            ++deep;
            dark += water < 100.0 ? 1 : 0;
        }
        EXPECT_GT(deep, kSl2Columns / 2) << "channel " << code;
        EXPECT_GT(dark, deep * 95 / 100) << "channel " << code;
    }
}

TEST_F(LogsynthSl2, SideLookingChannelsAreDarkUntilTheFloor)
{
    for (uint16_t code : {3, 4}) {
        int dark = 0, deep = 0;
        for (const Sl2Packet* p : channel(code)) {
            const auto cells = p->samples.size();
            const auto cellsPerFoot = static_cast<double>(cells) / p->lowerLimit;
            const auto bottom = static_cast<size_t>(p->depth * cellsPerFoot);
            ASSERT_LT(bottom, cells);
            const auto clutter = static_cast<size_t>(4.0 * cellsPerFoot); // ring-down, waves
            if (bottom <= clutter + 10) {
                continue;
            }
            const double waterMean =
                std::accumulate(p->samples.begin() + clutter, p->samples.begin() + bottom, 0.0) /
                static_cast<double>(bottom - clutter);
            const double floorMean =
                std::accumulate(p->samples.begin() + bottom, p->samples.end(), 0.0) /
                static_cast<double>(cells - bottom);
            // Shadows of rocks and stumps darken a floor now and then.
            ++deep;
            dark += waterMean * 2.0 < floorMean ? 1 : 0;
        }
        EXPECT_GT(deep, kSl2Columns / 2) << "channel " << code;
        EXPECT_GT(dark, deep * 95 / 100) << "channel " << code;
    }
}

TEST_F(LogsynthSl2, DigitalDebugColumnKeepsOnlyCellsAboveTheThreshold)
{
    for (size_t i = 0; i + 1 < log.packets.size(); ++i) {
        const Sl2Packet& primary = log.packets[i];
        if (primary.channel != 0) {
            continue;
        }
        const Sl2Packet& digital = log.packets[i + 1];
        ASSERT_EQ(digital.channel, 10);
        ASSERT_EQ(digital.samples.size(), primary.samples.size());
        for (size_t k = 0; k < primary.samples.size(); ++k) {
            const uint8_t v = primary.samples[k];
            ASSERT_EQ(digital.samples[k], v >= primary.autoSense ? v : 0);
        }
    }
}

} // namespace
} // namespace toolstest
