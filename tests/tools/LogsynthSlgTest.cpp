// The SLG and very old logs are well-formed and record the same scene as the SL2 log.
#include "LogsynthRun.h"
#include "TestSl2Reader.h"
#include "TestSlgReader.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <memory>

namespace toolstest {
namespace {

constexpr int kSlgColumns = 800;

class LogsynthSlg : public ::testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        scratch = std::make_unique<ScratchDir>();
        for (const char* format : {"sl2", "slg", "veryold"}) {
            const auto path = scratch->file(std::string("survey.") + format);
            const RunResult run = runLogsynth({"--format", format, "--seed", "11", "--columns",
                                               std::to_string(kSlgColumns), path.string()},
                                              *scratch);
            ASSERT_EQ(run.status, 0) << format << ": " << run.err;
        }
        sl2 = readSl2(readFile(scratch->file("survey.sl2")));
        slg = readSlg(readFile(scratch->file("survey.slg")));
        veryOld = readSlg(readFile(scratch->file("survey.veryold")));
    }
    static void TearDownTestSuite()
    {
        scratch.reset();
        sl2 = {};
        slg = {};
        veryOld = {};
    }

    static std::vector<const Sl2Packet*> primary()
    {
        std::vector<const Sl2Packet*> out;
        for (const Sl2Packet& p : sl2.packets) {
            if (p.channel == 0) {
                out.push_back(&p);
            }
        }
        return out;
    }

    static std::unique_ptr<ScratchDir> scratch;
    static Sl2Log sl2;
    static SlgLog slg;
    static SlgLog veryOld;
};

std::unique_ptr<ScratchDir> LogsynthSlg::scratch;
Sl2Log LogsynthSlg::sl2;
SlgLog LogsynthSlg::slg;
SlgLog LogsynthSlg::veryOld;

TEST_F(LogsynthSlg, SlgLogIsWholeBlocksAfterAFormatOneHeader)
{
    ASSERT_TRUE(slg.error.empty()) << slg.error;
    EXPECT_FALSE(slg.veryOld);
    EXPECT_EQ(slg.format, 1);
    EXPECT_EQ(slg.blocks.size(), static_cast<size_t>(kSlgColumns));
    EXPECT_EQ(slg.trailingBytes, 0u);
}

TEST_F(LogsynthSlg, SlgSubHeadersAndSampleCountsFitTheirBlocks)
{
    for (size_t k = 0; k < slg.blocks.size(); ++k) {
        const std::vector<uint8_t>& block = slg.blocks[k];
        const SlgSubHeader h = parseSlgSubHeader(block);
        ASSERT_GE(h.length, 10) << "block " << k;
        const auto count = static_cast<int16_t>(block[h.length] | block[h.length + 1] << 8);
        ASSERT_GT(count, 0) << "block " << k;
        ASSERT_LE(static_cast<size_t>(h.length) + 2 + static_cast<size_t>(count), block.size())
            << "block " << k;
    }
}

TEST_F(LogsynthSlg, SlgSubHeadersCarryTheSceneValues)
{
    int32_t time = -1;
    for (size_t k = 0; k < slg.blocks.size(); ++k) {
        const SlgSubHeader h = parseSlgSubHeader(slg.blocks[k]);
        ASSERT_TRUE(h.flags & (1u << 3)) << "block " << k;
        EXPECT_EQ(h.upperLimit, 0.0f);
        EXPECT_TRUE(h.depthValid);
        EXPECT_GT(h.depth, 0.0f);
        EXPECT_GE(h.lowerLimit, h.depth);
        ASSERT_TRUE(h.waterTemp && h.positionX && h.positionY && h.timeOffset && h.speed &&
                    h.track && h.altitude && h.surfaceDepth && h.topOfBottom)
            << "block " << k;
        EXPECT_EQ(*h.altitude, -10000.0f); // no altitude
        EXPECT_EQ(*h.topOfBottom, h.depth);
        EXPECT_LT(*h.surfaceDepth, h.depth);
        EXPECT_LE(h.fish.size(), 3u);
        for (float fish : h.fish) {
            EXPECT_GT(fish, 0.0f);
            EXPECT_LT(fish, h.depth);
        }
        EXPECT_GT(*h.timeOffset, time);
        time = *h.timeOffset;
    }
}

TEST_F(LogsynthSlg, SlgReportsSomeFishUnderTheBoat)
{
    size_t withFish = 0;
    for (const auto& block : slg.blocks) {
        withFish += parseSlgSubHeader(block).fish.empty() ? 0 : 1;
    }
    EXPECT_GT(withFish, 0u);
}

TEST_F(LogsynthSlg, VeryOldLogHasItsBlockSizeFirstAndWholeBlocks)
{
    ASSERT_TRUE(veryOld.error.empty()) << veryOld.error;
    EXPECT_TRUE(veryOld.veryOld);
    EXPECT_GT(veryOld.blockSize, 100);
    EXPECT_GT(veryOld.samplesPerSounding, 0u);
    EXPECT_EQ(veryOld.samplesPerSounding % 1024, 0u);
    EXPECT_EQ(veryOld.blocks.size(), static_cast<size_t>(kSlgColumns));
    EXPECT_EQ(veryOld.trailingBytes, 0u);
}

TEST_F(LogsynthSlg, VeryOldBlocksHoldASubHeaderAScaleAndCodesForTheWholeSounding)
{
    for (size_t k = 0; k < veryOld.blocks.size(); ++k) {
        const std::vector<uint8_t>& block = veryOld.blocks[k];
        const SlgSubHeader h = parseSlgSubHeader(block);
        ASSERT_GE(h.length, 10) << "block " << k;
        ASSERT_LE(static_cast<size_t>(h.length) + 4, block.size()) << "block " << k;
        EXPECT_GE(h.lowerLimit, h.depth);
        const int32_t scale = static_cast<int32_t>(
            block[h.length] | block[h.length + 1] << 8 | block[h.length + 2] << 16 |
            static_cast<uint32_t>(block[h.length + 3]) << 24);
        ASSERT_GT(scale, 0) << "block " << k;
        // Expand the codes: a sounding with echoes has coefficients that are not zero.
        size_t coefficients = 0;
        size_t nonZero = 0;
        for (size_t at = static_cast<size_t>(h.length) + 4;
             at < block.size() && coefficients < veryOld.samplesPerSounding; ++at) {
            const uint8_t code = block[at];
            if (code & 0x80) {
                coefficients += (code & 0x7Fu) + 1;
            } else {
                nonZero += code != 64 ? 1 : 0;
                ++coefficients;
            }
        }
        ASSERT_GE(coefficients, veryOld.samplesPerSounding) << "block " << k;
        ASSERT_GT(nonZero, 0u) << "block " << k;
    }
}

TEST_F(LogsynthSlg, EveryFormatRecordsTheSameScene)
{
    const auto packets = primary();
    ASSERT_EQ(packets.size(), static_cast<size_t>(kSlgColumns));
    ASSERT_EQ(slg.blocks.size(), packets.size());
    ASSERT_EQ(veryOld.blocks.size(), packets.size());
    for (size_t k = 0; k < packets.size(); ++k) {
        const Sl2Packet& p = *packets[k];
        for (const SlgLog* log : {&slg, &veryOld}) {
            const SlgSubHeader h = parseSlgSubHeader(log->blocks[k]);
            ASSERT_EQ(h.depth, p.depth) << "sounding " << k;
            ASSERT_EQ(h.lowerLimit, p.lowerLimit) << "sounding " << k;
            ASSERT_EQ(h.timeOffset.value_or(-1), p.timeOffset) << "sounding " << k;
            ASSERT_EQ(h.positionX.value_or(0), p.positionX) << "sounding " << k;
            ASSERT_EQ(h.positionY.value_or(0), p.positionY) << "sounding " << k;
        }
    }
}

TEST_F(LogsynthSlg, SlgSamplesAreThePrimaryChannelsBeforeTheRangeVariableGain)
{
    // The SL2 reader takes the range-variable gain off short ranges, so the recorder wrote
    // those columns brighter by just that much; SLG readers take nothing off.
    const auto packets = primary();
    size_t boosted = 0;
    for (size_t k = 0; k < packets.size(); ++k) {
        const Sl2Packet& p = *packets[k];
        ASSERT_NE(p.rvgDepth, 0);
        const float a = static_cast<float>(p.rvgDepth - p.lowerLimit) *
                        static_cast<float>(p.rvgMaxAttenuation) / static_cast<float>(p.rvgDepth);
        const float rounded = std::nearbyint(a);
        const int gain = rounded >= 1.0f ? static_cast<int>(rounded) : 0;
        boosted += gain > 0 ? 1 : 0;

        const std::vector<uint8_t>& block = slg.blocks[k];
        const SlgSubHeader h = parseSlgSubHeader(block);
        const size_t count = static_cast<size_t>(block[h.length] | block[h.length + 1] << 8);
        ASSERT_EQ(count, p.samples.size()) << "sounding " << k;
        for (size_t i = 0; i < count; ++i) {
            ASSERT_EQ(p.samples[i], std::min(255, block[h.length + 2 + i] + gain))
                << "sounding " << k << " cell " << i;
        }
    }
    EXPECT_GT(boosted, 0u);
}

} // namespace
} // namespace toolstest
