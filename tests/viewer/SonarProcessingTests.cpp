// The processing wrapper: its own correlation history (levels, ring, restarts) and what it
// hands the library.
#include "render/tSonarProcessing.h"

#include "ReaderTestSupport.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <vector>

using brellix::tSonarProcessing;

namespace {

using Column = std::vector<uint8_t>;

constexpr float kUpper = 0.0f;
constexpr float kLower = 100.0f;

class SonarProcessingCorrelation : public ::testing::Test
{
protected:
    Column correlate(Column column, int16_t level, float upper = kUpper, float lower = kLower)
    {
        processing.HorizontalCorrelation(column, level, 20, upper, lower);
        return column;
    }

    tSonarProcessing processing;
};

TEST_F(SonarProcessingCorrelation, FirstColumnPassesUnchangedAtAnyLevel)
{
    for (int16_t level = 0; level <= 3; ++level) {
        tSonarProcessing fresh;
        Column column = {5, 100, 255, 0};
        fresh.HorizontalCorrelation(column, level, 20, kUpper, kLower);
        EXPECT_EQ(column, (Column{5, 100, 255, 0})) << "level " << level;
    }
}

TEST_F(SonarProcessingCorrelation, LevelZeroLeavesTheColumnButRecordsItAndAdvancesTheRing)
{
    EXPECT_EQ(correlate({50, 60, 70}, 0), (Column{50, 60, 70}));
    EXPECT_EQ(processing.ringSlot(), 1);
    EXPECT_EQ(correlate({90, 10, 90}, 0), (Column{90, 10, 90}));
    EXPECT_EQ(processing.ringSlot(), 2);
    // The recorded columns take part once the level asks for them.
    EXPECT_EQ(correlate({80, 80, 80}, 2), (Column{50, 10, 70}));
}

TEST_F(SonarProcessingCorrelation, LevelTakesTheMinimumOfTheColumnAndThatManyBeforeIt)
{
    correlate({10, 200, 200, 200}, 1);
    correlate({200, 20, 200, 200}, 1);
    correlate({200, 200, 30, 200}, 1);
    // Level 3: this column and the three before it.
    EXPECT_EQ(correlate({200, 200, 200, 40}, 3), (Column{10, 20, 30, 40}));
    // Level 1 only reaches back one column.
    EXPECT_EQ(correlate({200, 200, 200, 200}, 1), (Column{200, 200, 200, 40}));
    // Level 2 reaches two.
    EXPECT_EQ(correlate({200, 200, 200, 200}, 2), (Column{200, 200, 200, 40}));
}

TEST_F(SonarProcessingCorrelation, RingWrapsAfterFourColumns)
{
    for (int k = 0; k < 4; ++k) {
        correlate({static_cast<uint8_t>(100 + k)}, 0);
    }
    EXPECT_EQ(processing.ringSlot(), 0);
    // Slot 0 now takes the fifth column; the oldest, 100, is gone.
    EXPECT_EQ(correlate({200}, 3), (Column{101}));
}

TEST_F(SonarProcessingCorrelation, LevelAboveThreeOrNegativeDoesNothingAtAll)
{
    correlate({10, 10}, 0);
    for (const int16_t level : {4, 5, -1}) {
        EXPECT_EQ(correlate({200, 200}, level), (Column{200, 200})) << "level " << level;
        EXPECT_EQ(processing.ringSlot(), 1) << "level " << level;
    }
    // Not recorded either: the minimum still finds the first column.
    EXPECT_EQ(correlate({200, 200}, 1), (Column{10, 10}));
}

TEST_F(SonarProcessingCorrelation, ChangedLowerLimitRestartsTheHistoryWith255)
{
    correlate({1, 1, 1}, 0);
    correlate({2, 2, 2}, 0);
    EXPECT_EQ(correlate({250, 250, 250}, 3, kUpper, kLower + 1), (Column{250, 250, 250}));
    EXPECT_EQ(processing.ringSlot(), 1);
}

TEST_F(SonarProcessingCorrelation, ChangedUpperLimitRestartsTheHistory)
{
    correlate({1, 1, 1}, 0);
    EXPECT_EQ(correlate({250, 250, 250}, 3, kUpper + 0.5f, kLower), (Column{250, 250, 250}));
}

TEST_F(SonarProcessingCorrelation, ChangedColumnLengthRestartsTheHistory)
{
    correlate({1, 1, 1}, 0);
    EXPECT_EQ(correlate({250, 250, 250, 250}, 3), (Column{250, 250, 250, 250}));
    EXPECT_EQ(processing.historyUpperBound(), 3u);
}

TEST_F(SonarProcessingCorrelation, EmptyColumnThrows)
{
    Column column;
    EXPECT_THROW(processing.HorizontalCorrelation(column, 1, 20, kUpper, kLower),
                 std::out_of_range);
}

class SonarProcessingLibrary : public ::testing::Test
{
protected:
    void SetUp() override { viewertest::bindBuildLibrary(); }

    tSonarProcessing processing;
};

TEST_F(SonarProcessingLibrary, ClutterRemovalLeavesTheElementAtTheUpperBoundAlone)
{
    ASSERT_TRUE(processing.Setup(1.0f, 0.0f, 100.0f, 1)) << "the library is needed";
    Column column = {100, 100, 100};
    ASSERT_TRUE(processing.RemoveSurfaceClutter(column, 10));
    // Low clarity over the two cells given: cell 0 loses its whole average, cell 1 half of it
    // (weights 1 and 0.5); with all three the weights would be 1, 2/3, 1/3.
    EXPECT_EQ(column, (Column{0, 50, 100}));
}

TEST_F(SonarProcessingLibrary, ClarityOffLeavesTheColumnAlone)
{
    ASSERT_TRUE(processing.Setup(1.0f, 0.0f, 100.0f, 0));
    Column column = {100, 100, 100, 100};
    ASSERT_TRUE(processing.RemoveSurfaceClutter(column, 10));
    EXPECT_EQ(column, (Column{100, 100, 100, 100}));
}

TEST_F(SonarProcessingLibrary, ClutterRemovalOfASingleElementDoesNothing)
{
    ASSERT_TRUE(processing.Setup(1.0f, 0.0f, 100.0f, 3));
    Column column = {100};
    EXPECT_TRUE(processing.RemoveSurfaceClutter(column, 10));
    EXPECT_EQ(column, (Column{100}));
    Column empty;
    EXPECT_THROW(processing.RemoveSurfaceClutter(empty, 10), std::out_of_range);
}

TEST_F(SonarProcessingLibrary, RecombinationReachesTheLibrary)
{
    EXPECT_TRUE(processing.Recombination());
}

} // namespace
