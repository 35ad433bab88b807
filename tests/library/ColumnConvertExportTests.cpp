// ColumnConvert: intensities to palette indexes per depth section, with black lines.
#include "ExportTestSupport.h"
#include <vantrel/vantrel.h>

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

namespace {

using exporttest::kByteSentinel;

// Three table sections whose entries differ from each other wherever a case looks.
struct Tables
{
    std::array<std::array<uint8_t, 256>, 3> t;

    Tables()
    {
        for (int s = 0; s < 3; ++s) {
            for (int k = 0; k < 256; ++k) {
                t[static_cast<size_t>(s)][static_cast<size_t>(k)] =
                    static_cast<uint8_t>((k * 7 + 91 * s + 3) & 0xFF);
            }
        }
    }

    uint8_t at(int section, int index) const
    {
        return t[static_cast<size_t>(section)][static_cast<size_t>(index)];
    }
};

// Expected cells as (section, table index) pairs.
using Cells = std::vector<std::pair<int, int>>;

struct ConvertCase
{
    const char* name;
    std::vector<uint8_t> column;
    int16_t threshold;
    std::array<int16_t, 3> widths;
    int32_t surfaceIndex;
    int32_t bottomIndex;
    int16_t clearToBottom;
    Cells expected;
};

std::vector<uint8_t> convert(const ConvertCase& c, const Tables& tables)
{
    std::vector<uint8_t> column = c.column;
    column.push_back(kByteSentinel);
    EXPECT_EQ(ColumnConvert(column.data(), static_cast<int32_t>(c.column.size()), c.threshold,
                            c.widths.data(), c.surfaceIndex, c.bottomIndex, c.clearToBottom,
                            tables.t[0].data(), tables.t[1].data(), tables.t[2].data()),
              0);
    EXPECT_EQ(column.back(), kByteSentinel) << "the cell after the column was written";
    column.pop_back();
    return column;
}

void PrintTo(const ConvertCase& c, std::ostream* os)
{
    *os << c.name;
}

class ColumnConvertCases : public testing::TestWithParam<ConvertCase>
{
};

TEST_P(ColumnConvertCases, GivesTheWorkedOutIndexes)
{
    const Tables tables;
    const ConvertCase& c = GetParam();
    std::vector<uint8_t> expected;
    for (const auto& [section, index] : c.expected) {
        expected.push_back(tables.at(section, index));
    }
    EXPECT_EQ(convert(c, tables), expected);
}

INSTANTIATE_TEST_SUITE_P(
    ColumnConvert, ColumnConvertCases,
    testing::Values(
        // The echo at cell 4 starts a two-cell line whose second cell falls in section 2 and
        // takes section 2's black-line index; the echo at cell 9 starts a three-cell line.
        ConvertCase{
            "lineCrossesIntoTheBottom",
            {10, 40, 50, 20, 60, 200, 210, 220, 10, 240},
            30,
            {0, 2, 3},
            -1,
            5,
            0,
            {{1, 0}, {1, 1}, {1, 1}, {1, 0}, {1, 1}, {2, 1}, {2, 210}, {2, 220}, {2, 0}, {2, 1}}},
        // Width 0 draws no line and leaves the flag clear, so the echo gets its line where
        // it enters a section that has one.
        ConvertCase{"widthZeroLeavesTheFlagClear",
                    {50, 50, 50, 50, 50, 50},
                    30,
                    {0, 2, 0},
                    3,
                    6,
                    0,
                    {{0, 50}, {0, 50}, {0, 50}, {1, 1}, {1, 1}, {1, 50}}},
        // The countdown carries over a section change; the new section's width does not
        // restart it.
        ConvertCase{"countdownCarriesIntoTheNextSection",
                    {5, 50, 50, 50, 50},
                    30,
                    {3, 0, 0},
                    2,
                    5,
                    0,
                    {{0, 0}, {0, 1}, {1, 1}, {1, 1}, {1, 50}}},
        ConvertCase{"longEchoGetsOneLine",
                    {50, 60, 70, 80, 90, 100},
                    30,
                    {0, 2, 0},
                    -1,
                    6,
                    0,
                    {{1, 1}, {1, 1}, {1, 70}, {1, 80}, {1, 90}, {1, 100}}},
        ConvertCase{"surfaceBelowZeroStartsInTheWaterColumn",
                    {50, 5},
                    30,
                    {0, 0, 0},
                    -1,
                    2,
                    0,
                    {{1, 50}, {1, 0}}},
        ConvertCase{
            "surfaceAtZeroStepsOnItsFirstCell", {50, 5}, 30, {0, 0, 0}, 0, 2, 0, {{1, 50}, {1, 0}}},
        ConvertCase{"equalIndexesStepOnce",
                    {10, 20, 30, 40},
                    0,
                    {0, 0, 0},
                    2,
                    2,
                    0,
                    {{0, 10}, {0, 20}, {1, 30}, {1, 40}}},
        // Clearing fills with the water column's no-echo and starts at the bottom.
        ConvertCase{"clearToBottom",
                    {50, 50, 5, 50, 50, 60, 5, 70},
                    30,
                    {2, 2, 2},
                    -1,
                    4,
                    1,
                    {{1, 0}, {1, 0}, {1, 0}, {1, 0}, {2, 1}, {2, 1}, {2, 0}, {2, 1}}},
        ConvertCase{"clearToBottomPassesASurfaceAboveIt",
                    {50, 50, 5, 50, 50, 60, 5, 70},
                    30,
                    {2, 2, 2},
                    1,
                    4,
                    1,
                    {{1, 0}, {1, 0}, {1, 0}, {1, 0}, {2, 1}, {2, 1}, {2, 0}, {2, 1}}},
        ConvertCase{"anyNonZeroClearIsTrue",
                    {50, 50, 50},
                    30,
                    {1, 1, 1},
                    -1,
                    2,
                    -1,
                    {{1, 0}, {1, 0}, {2, 1}}},
        ConvertCase{"clearWithBottomZeroDoesNotClearAndStartsInTheSurface",
                    {5, 50, 50, 50},
                    30,
                    {1, 1, 1},
                    2,
                    0,
                    1,
                    {{1, 0}, {1, 1}, {2, 50}, {2, 50}}},
        ConvertCase{"clearToTheEndOfTheColumnConvertsNothingElse",
                    {50, 50, 50},
                    30,
                    {1, 1, 1},
                    -1,
                    3,
                    1,
                    {{1, 0}, {1, 0}, {1, 0}}},
        // The threshold is a signed 16-bit compare.
        ConvertCase{"negativeThresholdLeavesNoGap",
                    {0, 0, 0},
                    -5,
                    {2, 2, 2},
                    -1,
                    3,
                    0,
                    {{1, 1}, {1, 1}, {1, 0}}},
        ConvertCase{"thresholdAboveTheByteRangeIsAllGap",
                    {255, 255},
                    256,
                    {2, 2, 2},
                    -1,
                    2,
                    0,
                    {{1, 0}, {1, 0}}},
        ConvertCase{"negativeWidthRunsTheLineToTheNextGap",
                    {50, 60, 70, 5, 80, 90},
                    30,
                    {-1, -1, -1},
                    -1,
                    6,
                    0,
                    {{1, 1}, {1, 1}, {1, 1}, {1, 0}, {1, 1}, {1, 1}}},
        ConvertCase{"valueAtTheThresholdIsAnEcho",
                    {29, 30, 31},
                    30,
                    {0, 0, 0},
                    -1,
                    3,
                    0,
                    {{1, 0}, {1, 30}, {1, 31}}}),
    [](const auto& p) { return std::string(p.param.name); });

TEST(ColumnConvert, CountZeroConvertsNothing)
{
    const Tables tables;
    const ConvertCase c{"", {}, 30, {1, 1, 1}, -1, 0, 0, {}};
    EXPECT_TRUE(convert(c, tables).empty());
}

TEST(ColumnConvert, SurfaceBelowABottomItWasClearedToStaysInTheLastSection)
{
    // A caller that breaks its promise (surface below the bottom with clearing on) must not
    // send the conversion past the three widths or tables. Exactly sized on the heap.
    const Tables tables;
    std::vector<int16_t> widths = {1, 1, 1};
    std::vector<uint8_t> column = {50, 50, 50, 50, 5, 50, 50, 50};
    ColumnConvert(column.data(), 8, 30, widths.data(), 6, 3, 1, tables.t[0].data(),
                  tables.t[1].data(), tables.t[2].data());
    const std::vector<uint8_t> expected = {tables.at(1, 0),  tables.at(1, 0), tables.at(1, 0),
                                           tables.at(2, 1),  tables.at(2, 0), tables.at(2, 1),
                                           tables.at(2, 50), tables.at(2, 50)};
    EXPECT_EQ(column, expected);
}

TEST(ColumnConvert, BottomPastTheColumnClearsOnlyTheColumn)
{
    const Tables tables;
    std::vector<int16_t> widths = {1, 1, 1};
    std::vector<uint8_t> column = {50, 50, 50};
    ColumnConvert(column.data(), 3, 30, widths.data(), -1, 10, 1, tables.t[0].data(),
                  tables.t[1].data(), tables.t[2].data());
    EXPECT_EQ(column, std::vector<uint8_t>(3, tables.at(1, 0)));
}

} // namespace
