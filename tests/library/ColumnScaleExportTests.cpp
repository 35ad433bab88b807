// ColumnScale: peak-preserving shrink, replicating enlarge, copy.
#include "ExportTestSupport.h"
#include <vantrel/vantrel.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <ostream>
#include <random>
#include <string>
#include <vector>

namespace {

using exporttest::kByteSentinel;

struct ScaleCase
{
    const char* name;
    std::vector<uint8_t> src;
    int32_t dstCount;
    std::vector<uint8_t> expected;
};

void PrintTo(const ScaleCase& c, std::ostream* os)
{
    *os << c.name;
}

class ColumnScaleExamples : public testing::TestWithParam<ScaleCase>
{
};

TEST_P(ColumnScaleExamples, ResamplesAsWorkedOut)
{
    const ScaleCase& c = GetParam();
    const std::vector<uint8_t> src = c.src;
    std::vector<uint8_t> dst(static_cast<size_t>(c.dstCount), kByteSentinel);
    EXPECT_EQ(
        ColumnScale(0, static_cast<int32_t>(src.size()), src.data(), 0, c.dstCount, dst.data()), 0);
    EXPECT_EQ(dst, c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    ColumnScale, ColumnScaleExamples,
    testing::Values(ScaleCase{"fourToFourCopies", {3, 200, 0, 77}, 4, {3, 200, 0, 77}},
                    ScaleCase{"threeToOneKeepsTheMaximum", {40, 90, 60}, 1, {90}},
                    ScaleCase{"oneToThreeRepeats", {42}, 3, {42, 42, 42}},
                    ScaleCase{
                        "sixToFourInGroupsOf1212", {10, 50, 20, 20, 90, 0}, 4, {10, 50, 20, 90}},
                    ScaleCase{"twoToFiveReplicates", {7, 9}, 5, {7, 7, 9, 9, 9}},
                    ScaleCase{"peakInTheLastGroupCell", {1, 2, 3, 4, 5, 255}, 2, {3, 255}}),
    [](const auto& p) { return std::string(p.param.name); });

TEST(ColumnScale, StartsAreOffsetsIntoBothColumnsAndOtherBytesStayUntouched)
{
    std::vector<uint8_t> src(12);
    for (size_t i = 0; i < src.size(); ++i) {
        src[i] = static_cast<uint8_t>(10 * i);
    }
    std::vector<uint8_t> dst(20, kByteSentinel);
    ColumnScale(5, 3, src.data(), 10, 6, dst.data());
    std::vector<uint8_t> expected(20, kByteSentinel);
    const uint8_t grown[] = {50, 50, 60, 60, 70, 70};
    std::copy(std::begin(grown), std::end(grown), expected.begin() + 10);
    EXPECT_EQ(dst, expected);
}

TEST(ColumnScale, ZeroOrNegativeCountsWriteNothing)
{
    const std::vector<uint8_t> src(8, 99);
    for (auto [srcCount, dstCount] :
         {std::pair{0, 4}, {4, 0}, {0, 0}, {-1, 4}, {4, -1}, {-4, -8}}) {
        std::vector<uint8_t> dst(8, kByteSentinel);
        EXPECT_EQ(ColumnScale(0, srcCount, src.data(), 0, dstCount, dst.data()), 0);
        EXPECT_EQ(dst, std::vector<uint8_t>(8, kByteSentinel)) << srcCount << " " << dstCount;
    }
}

// Each output's group of source cells, from the closed form rather than the accumulator.
std::vector<uint8_t> shrinkByGroups(const std::vector<uint8_t>& src, int64_t dstCount)
{
    const int64_t srcCount = static_cast<int64_t>(src.size());
    std::vector<uint8_t> out;
    for (int64_t j = 0; j < dstCount; ++j) {
        const int64_t first = j * srcCount / dstCount;
        const int64_t last = (j + 1) * srcCount / dstCount;
        out.push_back(*std::max_element(src.begin() + first, src.begin() + last));
    }
    return out;
}

std::vector<uint8_t> enlargeByRepeats(const std::vector<uint8_t>& src, int64_t dstCount)
{
    const int64_t srcCount = static_cast<int64_t>(src.size());
    std::vector<uint8_t> out;
    for (int64_t k = 0; k < srcCount; ++k) {
        const int64_t repeats = (k + 1) * dstCount / srcCount - k * dstCount / srcCount;
        out.insert(out.end(), static_cast<size_t>(repeats), src[static_cast<size_t>(k)]);
    }
    return out;
}

TEST(ColumnScale, EveryShrinkTakesTheMaximumOfItsGroupAndReadsOnlyItsRange)
{
    std::mt19937 random(11);
    std::uniform_int_distribution<int> byte(0, 255);
    for (int srcCount = 2; srcCount <= 64; ++srcCount) {
        for (int dstCount = 1; dstCount < srcCount; ++dstCount) {
            // Exactly sized: a read or write outside shows under the address sanitizer.
            std::vector<uint8_t> src(static_cast<size_t>(srcCount));
            for (uint8_t& v : src) {
                v = static_cast<uint8_t>(byte(random));
            }
            std::vector<uint8_t> dst(static_cast<size_t>(dstCount), kByteSentinel);
            ColumnScale(0, srcCount, src.data(), 0, dstCount, dst.data());
            ASSERT_EQ(dst, shrinkByGroups(src, dstCount)) << srcCount << " -> " << dstCount;
        }
    }
}

TEST(ColumnScale, EveryEnlargeRepeatsEachCellByItsShare)
{
    std::mt19937 random(12);
    std::uniform_int_distribution<int> byte(0, 255);
    for (int srcCount = 1; srcCount <= 40; ++srcCount) {
        for (int dstCount = srcCount + 1; dstCount <= 100; ++dstCount) {
            std::vector<uint8_t> src(static_cast<size_t>(srcCount));
            for (uint8_t& v : src) {
                v = static_cast<uint8_t>(byte(random));
            }
            std::vector<uint8_t> dst(static_cast<size_t>(dstCount), kByteSentinel);
            ColumnScale(0, srcCount, src.data(), 0, dstCount, dst.data());
            ASSERT_EQ(dst, enlargeByRepeats(src, dstCount)) << srcCount << " -> " << dstCount;
        }
    }
}

TEST(ColumnScale, LongColumnsKeepTheirGroups)
{
    // A printer's chart: counts whose products pass 32 bits in the closed form.
    std::vector<uint8_t> src(100003);
    for (size_t i = 0; i < src.size(); ++i) {
        src[i] = static_cast<uint8_t>((i * 2654435761u) >> 24);
    }
    std::vector<uint8_t> shrunk(99991, kByteSentinel);
    ColumnScale(0, 100003, src.data(), 0, 99991, shrunk.data());
    EXPECT_EQ(shrunk, shrinkByGroups(src, 99991));
    std::vector<uint8_t> grown(100019, kByteSentinel);
    ColumnScale(0, 100003, src.data(), 0, 100019, grown.data());
    EXPECT_EQ(grown, enlargeByRepeats(src, 100019));
}

} // namespace
