// The colour table from intensity to palette index, when it is rebuilt, and the conversion of
// a column through the library.
// First: the log writer behind it has a member named emit, which Qt's keyword macro would
// rewrite.
#include "ReaderTestSupport.h"

#include "render/tColorScheme.h"
#include "render/tSonarColor.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <vector>

using brellix::tColorScheme;
using brellix::tSonarColor;

namespace {

// Binds the library built with the tests: the table is built on the way to ColumnConvert.
class SonarColorTable : public ::testing::Test
{
protected:
    void SetUp() override
    {
        viewertest::bindBuildLibrary();
        colors.setUserColorScheme(&scheme);
    }

    // Builds the table for a sensitivity by converting a throwaway column.
    void buildFor(int16_t sensitivity)
    {
        std::vector<uint8_t> column(4, 0);
        ASSERT_TRUE(colors.ConvertRangeCellsToPixels(column, sensitivity, 0, 0, 0, -1, 0, false))
            << "the library is needed: " << viewertest::buildLibraryFolder().toStdString();
    }

    uint8_t entry(int section, int value) const
    {
        return colors.ConvertRangeCellToPixel(static_cast<int16_t>(section),
                                              static_cast<int16_t>(value));
    }

    tColorScheme scheme;
    tSonarColor colors;
};

struct TableRow
{
    int value;
    int index;
};

TEST_F(SonarColorTable, Sensitivity40ColourLine64ClimbsAGradientStepPerQuarterUnit)
{
    colors.SetColorMode(2);
    colors.SetGrayLine(64);
    buildFor(40);
    // Step 253 / 64 = 3.953125: 41 gives 2 + nearest(3.953) = 6.
    const TableRow rows[] = {{0, 2},    {39, 2},    {40, 2},    {41, 6},    {42, 10},
                             {72, 128}, {103, 251}, {104, 255}, {200, 255}, {255, 255}};
    for (int s = 0; s < 3; ++s) {
        SCOPED_TRACE(s);
        EXPECT_EQ(entry(s, 0), 0);
        EXPECT_EQ(entry(s, 1), 1);
        for (const TableRow& row : rows) {
            if (row.value > 1) {
                EXPECT_EQ(entry(s, row.value), row.index) << "value " << row.value;
            }
        }
    }
}

TEST_F(SonarColorTable, ProductIsAFloatSoTheDefaultColourLineRoundsItsHalfwayEntryToEven)
{
    colors.SetColorMode(2);
    colors.SetGrayLine(102);
    buildFor(20);
    // float(253 / 102) x 51 is exactly 126.5 in float; a double product would give 127.
    EXPECT_EQ(entry(1, 71), 2 + 126);
    EXPECT_EQ(entry(1, 70), 2 + 124);
    EXPECT_EQ(entry(1, 122), 255);
}

TEST_F(SonarColorTable, ColourLineZeroIsAHardStepAndIsStoredAsOne)
{
    colors.SetColorMode(2);
    colors.SetGrayLine(0);
    buildFor(40);
    EXPECT_EQ(entry(1, 39), 2);
    EXPECT_EQ(entry(1, 40), 2);
    EXPECT_EQ(entry(1, 41), 255);
    // Were 0 still stored, setting 1 would be a change and force a rebuild at 41.
    colors.SetGrayLine(1);
    buildFor(41);
    EXPECT_EQ(entry(1, 41), 255);
}

TEST_F(SonarColorTable, RegionModeGivesEachSectionItsOwnRangeAndPair)
{
    colors.SetColorMode(7);
    colors.SetGrayLine(64);
    buildFor(100);
    const int lo[3] = {6, 46, 216};
    const int hi[3] = {45, 215, 255};
    for (int s = 0; s < 3; ++s) {
        SCOPED_TRACE(s);
        EXPECT_EQ(entry(s, 0), 2 * s);
        EXPECT_EQ(entry(s, 1), 2 * s + 1);
        EXPECT_EQ(entry(s, 50), lo[s]);
        EXPECT_EQ(entry(s, 100), lo[s]);
        EXPECT_EQ(entry(s, 164), hi[s]);
        EXPECT_EQ(entry(s, 255), hi[s]);
    }
    // Section 1: step 169 / 64 = 2.640625, 10 above the sensitivity gives 46 + 26.
    EXPECT_EQ(entry(1, 110), 72);
    // Section 0: step 39 / 64 = 0.609375, x 10 = 6.09 gives 6 + 6.
    EXPECT_EQ(entry(0, 110), 12);
}

TEST_F(SonarColorTable, SensitivityChangeOfOneKeepsTheTableAndOfTwoRebuildsIt)
{
    colors.SetColorMode(2);
    colors.SetGrayLine(64);
    buildFor(40);
    buildFor(41);
    EXPECT_EQ(entry(1, 41), 6) << "built for 40 still";
    buildFor(40);
    buildFor(39);
    EXPECT_EQ(entry(1, 41), 6) << "built for 40 still";
    buildFor(42);
    EXPECT_EQ(entry(1, 41), 2);
    EXPECT_EQ(entry(1, 43), 6);
}

TEST_F(SonarColorTable, ColourLineAndModeChangesAndResetForceARebuild)
{
    colors.SetColorMode(2);
    colors.SetGrayLine(64);
    buildFor(40);
    colors.SetGrayLine(32);
    buildFor(40);
    // Step 253 / 32 = 7.90625.
    EXPECT_EQ(entry(1, 41), 10);

    colors.SetColorMode(7);
    buildFor(40);
    EXPECT_EQ(entry(1, 0), 2);

    colors.SetColorMode(2);
    colors.SetGrayLine(64);
    buildFor(40);
    EXPECT_EQ(entry(1, 41), 6);
    // A step of one would keep the table built for 40; after a reset it is built for 41.
    colors.Reset();
    buildFor(41);
    EXPECT_EQ(entry(1, 41), 2);
}

TEST_F(SonarColorTable, EntryBeyondTheLastValueIsNeverWritten)
{
    colors.SetColorMode(2);
    colors.SetGrayLine(1);
    buildFor(0);
    for (int s = 0; s < 3; ++s) {
        EXPECT_EQ(entry(s, 256), 0);
    }
}

TEST_F(SonarColorTable, TableEntryOutsideItsSectionsOrCellsThrows)
{
    EXPECT_THROW((void)entry(3, 0), std::out_of_range);
    EXPECT_THROW((void)entry(-1, 0), std::out_of_range);
    EXPECT_THROW((void)entry(0, 257), std::out_of_range);
    EXPECT_THROW((void)entry(0, -1), std::out_of_range);
}

TEST_F(SonarColorTable, ConversionPassesTheTableSensitivityWidthsIndexesAndSections)
{
    colors.SetColorMode(7);
    colors.SetGrayLine(255);
    std::vector<uint8_t> column = {10, 40, 50, 20, 60, 200, 210, 220, 10, 240};
    ASSERT_TRUE(colors.ConvertRangeCellsToPixels(column, 30, 0, 2, 3, -1, 5, false));
    // Section 2 step 39 / 255: 210 -> 216 + nearest(27.53) = 244, 220 -> 216 + 29 = 245.
    const std::vector<uint8_t> expected = {2, 3, 3, 2, 3, 5, 244, 245, 4, 5};
    EXPECT_EQ(column, expected);
}

TEST_F(SonarColorTable, ConversionThresholdIsTheSensitivityTheTableWasBuiltFor)
{
    colors.SetColorMode(2);
    colors.SetGrayLine(64);
    buildFor(30);
    std::vector<uint8_t> column = {30, 30};
    ASSERT_TRUE(colors.ConvertRangeCellsToPixels(column, 31, 0, 0, 0, -1, 0, false));
    // 30 is an echo for the table's 30, though 31 was asked for.
    EXPECT_EQ(column[0], 2);
    EXPECT_EQ(column[1], 2);
}

TEST_F(SonarColorTable, ClearToBottomFillsAboveTheBottomWithTheWaterNoEcho)
{
    colors.SetColorMode(7);
    colors.SetGrayLine(64);
    std::vector<uint8_t> column = {200, 200, 200, 200, 10};
    ASSERT_TRUE(colors.ConvertRangeCellsToPixels(column, 100, 0, 0, 1, -1, 3, true));
    const std::vector<uint8_t> expected = {2, 2, 2, 5, 4};
    EXPECT_EQ(column, expected);
}

TEST_F(SonarColorTable, EmptyColumnThrowsBeforeAnythingIsConverted)
{
    std::vector<uint8_t> column;
    EXPECT_THROW(colors.ConvertRangeCellsToPixels(column, 20, 0, 0, 0, -1, 0, false),
                 std::out_of_range);
}

} // namespace
