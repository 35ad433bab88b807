// Horizontal correlation, driven through a fresh processing state per test.
#include "processing/ProcessingState.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <memory>
#include <vector>

namespace {

using Column = std::vector<uint8_t>;

class HorizontalCorrelation : public ::testing::Test
{
protected:
    void setup() { state->setup(0.1f, 0.0f, 100.0f, 0); }

    Column correlate(Column column, int16_t level)
    {
        state->horizontalCorrelation(column.data(), static_cast<int32_t>(column.size()), level);
        return column;
    }

    std::unique_ptr<vantrel::ProcessingState> state = std::make_unique<vantrel::ProcessingState>();
};

// Column number t is 100 everywhere but at cell t, where it holds 10 + t: after correlation a
// cell s < t shows 10 + s exactly when column s took part.
Column markedColumn(std::size_t t, std::size_t count)
{
    Column column(count, 100);
    column[t] = static_cast<uint8_t>(10 + t);
    return column;
}

struct LevelCase
{
    int16_t level;
    std::size_t columnsCombined; // the newest and the ones before it
};

// clang-format off
const LevelCase levelCases[] = {
    {SHRT_MIN, 1}, // below zero nothing is combined
    {-2, 1},
    {-1, 1},
    {0, 1},        // the column alone
    {1, 2},
    {2, 3},
    {3, 4},
    {4, 4},        // five rows, the newest taken twice
    {5, 4},        // never more than five
    {100, 4},
    {SHRT_MAX, 4},
};
// clang-format on

TEST_F(HorizontalCorrelation, EachCellBecomesItsMinimumOverTheLastColumnsOfTheLevel)
{
    constexpr std::size_t calls = 9;
    for (const LevelCase& c : levelCases) {
        SCOPED_TRACE(testing::Message() << "level " << c.level);
        setup();
        for (std::size_t t = 0; t < calls; ++t) {
            const Column out = correlate(markedColumn(t, 16), c.level);
            for (std::size_t s = 0; s < out.size(); ++s) {
                const bool combined = s <= t && t - s < c.columnsCombined;
                ASSERT_EQ(out[s], combined ? 10 + s : 100) << "call " << t << " cell " << s;
            }
        }
    }
}

TEST_F(HorizontalCorrelation, LevelTwoAfterSetupStartsUnchangedThenTakesTwoThenThreeColumns)
{
    setup();
    const Column a{90, 20, 200, 255, 0, 60};
    const Column b{30, 80, 210, 100, 9, 61};
    const Column c{60, 50, 190, 254, 50, 62};
    const Column d{100, 100, 100, 100, 100, 100};
    EXPECT_EQ(correlate(a, 2), a);
    EXPECT_EQ(correlate(b, 2), (Column{30, 20, 200, 100, 0, 60}));
    EXPECT_EQ(correlate(c, 2), (Column{30, 20, 190, 100, 0, 60}));
    EXPECT_EQ(correlate(d, 2), (Column{30, 50, 100, 100, 9, 61}));
}

TEST_F(HorizontalCorrelation, LevelZeroLeavesTheColumnButRecordsIt)
{
    setup();
    const Column dim(50, 40);
    EXPECT_EQ(correlate(dim, 0), dim);
    EXPECT_EQ(correlate(Column(50, 200), 1), Column(50, 40));
}

TEST_F(HorizontalCorrelation, NegativeLevelLeavesTheColumnButRecordsIt)
{
    setup();
    const Column dim(50, 30);
    EXPECT_EQ(correlate(dim, -1), dim);
    EXPECT_EQ(correlate(Column(50, 200), 1), Column(50, 30));
}

TEST_F(HorizontalCorrelation, HistoryHoldsZerosUntilTheFirstSetup)
{
    // State at load: no 255 fill has happened, so older rows darken everything.
    EXPECT_EQ(correlate(Column(30, 200), 0), Column(30, 200));
    EXPECT_EQ(correlate(Column(30, 200), 3), Column(30, 0));
    setup();
    EXPECT_EQ(correlate(Column(30, 200), 3), Column(30, 200));
}

TEST_F(HorizontalCorrelation, SetupRefillsTheHistorySoOlderColumnsNoLongerDarken)
{
    setup();
    for (int i = 0; i < 4; ++i) {
        correlate(Column(30, 5), 3);
    }
    setup();
    EXPECT_EQ(correlate(Column(30, 180), 3), Column(30, 180));
    EXPECT_EQ(correlate(Column(30, 190), 3), Column(30, 180));
}

TEST_F(HorizontalCorrelation, NewestRowRunsBackwardsRoundTheRing)
{
    EXPECT_EQ(state->correlator().position(), 0);
    setup();
    const int16_t expected[] = {3, 2, 1, 0, 3, 2};
    for (int16_t position : expected) {
        correlate(Column(8, 1), 1);
        EXPECT_EQ(state->correlator().position(), position);
    }
    // Setup restarts the contents, not the ring.
    setup();
    correlate(Column(8, 1), 1);
    EXPECT_EQ(state->correlator().position(), 1);
}

TEST_F(HorizontalCorrelation, ShorterColumnClearsTheRestOfItsRow)
{
    setup();
    correlate(Column(20, 200), 0);
    const Column out = correlate(Column(40, 150), 1);
    EXPECT_EQ(Column(out.begin(), out.begin() + 20), Column(20, 150));
    EXPECT_EQ(Column(out.begin() + 20, out.end()), Column(20, 0));
}

TEST_F(HorizontalCorrelation, CountOfZeroOrBelowLeavesTheHistoryAndTheRestartAlone)
{
    setup();
    for (int32_t count : {0, -1, INT32_MIN}) {
        Column column(10, 77);
        state->horizontalCorrelation(column.data(), count, 3);
        EXPECT_EQ(column, Column(10, 77));
        EXPECT_EQ(state->correlator().position(), 0);
        EXPECT_TRUE(state->correlator().resetPending());
    }
    // Had an empty column been recorded, its zero row would darken this one.
    EXPECT_EQ(correlate(Column(10, 77), 3), Column(10, 77));
}

TEST_F(HorizontalCorrelation, CountAboveTenThousandCorrelatesOnlyTheFirstTenThousandCells)
{
    setup();
    correlate(Column(10050, 50), 0);
    const Column out = correlate(Column(10050, 200), 1);
    const auto split = out.begin() + vantrel::maxProcessedCells;
    EXPECT_EQ(Column(out.begin(), split), Column(vantrel::maxProcessedCells, 50));
    EXPECT_EQ(Column(split, out.end()), Column(50, 200));
    // A full row leaves no zero tail behind.
    const Column full = correlate(Column(vantrel::maxProcessedCells, 220), 1);
    EXPECT_EQ(full, Column(vantrel::maxProcessedCells, 200));
}

} // namespace
