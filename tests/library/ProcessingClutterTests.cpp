// Surface clutter removal, driven through a fresh processing state per test.
#include "processing/ProcessingState.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <memory>
#include <vector>

namespace {

using Column = std::vector<uint8_t>;

constexpr int16_t clarityOff = 0;
constexpr int16_t clarityLow = 1;
constexpr int16_t clarityMedium = 2;
constexpr int16_t clarityHigh = 3;

class SurfaceClutterRemoval : public ::testing::Test
{
protected:
    void setup(int16_t clarity) { state->setup(0.1f, 0.0f, 100.0f, clarity); }

    Column remove(Column column, int32_t surfaceCellIndex)
    {
        state->removeSurfaceClutter(column.data(), static_cast<int32_t>(column.size()),
                                    surfaceCellIndex);
        return column;
    }

    int32_t average(int32_t cell) const { return state->clutter().average(cell); }

    std::unique_ptr<vantrel::ProcessingState> state = std::make_unique<vantrel::ProcessingState>();
};

Column ramp(std::size_t count)
{
    Column column(count);
    for (std::size_t i = 0; i < count; ++i) {
        column[i] = static_cast<uint8_t>((i * 37 + 11) % 256);
    }
    return column;
}

TEST_F(SurfaceClutterRemoval, ClarityOffLeavesTheColumnAndTheAveragesAsTheyAre)
{
    setup(clarityOff);
    const Column first = ramp(300);
    EXPECT_EQ(remove(first, 10), first);
    Column second(300, 90);
    EXPECT_EQ(remove(second, 10), second);
    for (int32_t i = 0; i < 300; ++i) {
        ASSERT_EQ(average(i), 16 * first[static_cast<std::size_t>(i)] + 8) << "cell " << i;
    }
}

TEST_F(SurfaceClutterRemoval, PendingRestartSeedsTheAveragesEvenWithClarityOff)
{
    setup(clarityOff);
    ASSERT_TRUE(state->clutter().resetPending());
    const Column column = ramp(50);
    remove(column, 0);
    EXPECT_FALSE(state->clutter().resetPending());
    for (int32_t i = 0; i < 50; ++i) {
        ASSERT_EQ(average(i), 16 * column[static_cast<std::size_t>(i)] + 8) << "cell " << i;
    }
}

TEST_F(SurfaceClutterRemoval, ClarityOutsideZeroToThreeActsAsOff)
{
    for (int16_t clarity :
         {int16_t{4}, int16_t{-1}, int16_t{100}, int16_t{SHRT_MAX}, int16_t{SHRT_MIN}}) {
        SCOPED_TRACE(clarity);
        setup(clarity);
        const Column first(200, 180);
        EXPECT_EQ(remove(first, 10), first);
        const Column second(200, 20);
        EXPECT_EQ(remove(second, 10), second);
        EXPECT_EQ(average(0), 16 * 180 + 8);
        EXPECT_EQ(average(199), 16 * 180 + 8);
    }
}

TEST_F(SurfaceClutterRemoval, FirstColumnAfterSetupLosesItsWholeIntensityAtTheTop)
{
    for (int v : {0, 1, 2, 100, 127, 128, 200, 254, 255}) {
        SCOPED_TRACE(v);
        setup(clarityLow);
        const Column out = remove(Column(500, static_cast<uint8_t>(v)), 10);
        EXPECT_EQ(out[0], 0);
        for (std::size_t i = 30; i < out.size(); ++i) {
            ASSERT_EQ(out[i], v) << "cell " << i;
        }
        // Seeded at 16 v + 8, the first update keeps it there: the mean is v.
        EXPECT_EQ(average(0), 16 * v + 8);
        EXPECT_EQ(average(499), 16 * v + 8);
    }
}

struct ZoneCase
{
    int16_t clarity;
    int32_t surfaceCellIndex;
    int32_t count;
    uint8_t intensity;
    int32_t cell;
    int expected;
};

// Constant first columns after setup (so every mean equals the intensity), with the values the
// float arithmetic gives at the cells where the zone fades out.
const ZoneCase zoneCases[] = {
    // The zone ends 20, 40 or 60 cells below the surface.
    {clarityLow, 100, 300, 200, 117, 195},
    {clarityLow, 100, 300, 200, 119, 198},
    {clarityLow, 100, 300, 200, 120, 200},
    {clarityMedium, 100, 300, 200, 137, 194},
    {clarityMedium, 100, 300, 200, 138, 196},
    {clarityMedium, 100, 300, 200, 140, 200},
    {clarityHigh, 100, 300, 200, 157, 193},
    {clarityHigh, 100, 300, 200, 158, 195},
    {clarityHigh, 100, 300, 200, 160, 200},
    // A zone longer than the column ends with the column.
    {clarityLow, 10, 25, 200, 0, 0},
    {clarityLow, 10, 25, 200, 20, 160},
    {clarityLow, 10, 25, 200, 23, 184},
    // Weight and step in float: whether the last cell of the zone is corrected depends on
    // where the float weight lands (n = 30 falls below zero at the last cell, n = 21 and
    // n = 7 at Low do not; double arithmetic decides the other way for each).
    {clarityLow, 10, 100, 200, 28, 187},
    {clarityLow, 10, 100, 200, 29, 200},
    {clarityLow, 1, 100, 200, 19, 181},
    {clarityLow, 1, 100, 200, 20, 190},
    {clarityLow, -13, 100, 200, 5, 143},
    {clarityLow, -13, 100, 200, 6, 171},
    {clarityMedium, -33, 100, 200, 5, 114},
    {clarityMedium, -33, 100, 200, 6, 200},
    {clarityHigh, -57, 100, 200, 1, 0},
    {clarityHigh, -57, 100, 200, 2, 200},
    // A weight landing exactly on zero is not below it: the last cell is still corrected.
    {clarityLow, -16, 50, 200, 3, 150},
    {clarityLow, -16, 50, 200, 4, 200},
    {clarityMedium, -32, 50, 200, 3, 12},
    {clarityMedium, -32, 50, 200, 7, 162},
    // The weight turns negative two cells before the end of a long zone: the loop stops
    // there, and the cells left over keep their values too.
    {clarityLow, 8263, 9000, 255, 8280, 254},
    {clarityLow, 8263, 9000, 255, 8281, 255},
    {clarityLow, 8263, 9000, 255, 8282, 255},
    // The correction is the float product of mean and weight (3 x 0.8333333f rounds to 2.5)
    // plus 0.5, truncated: 3 loses 3 where a double product would leave 1.
    {clarityLow, -14, 50, 3, 1, 0},
    {clarityLow, -14, 50, 3, 2, 1},
    {clarityLow, -14, 50, 9, 1, 1},
    {clarityLow, -14, 50, 15, 1, 2},
    {clarityLow, -14, 50, 21, 1, 3},
    {clarityLow, -14, 50, 21, 5, 21},
    // Full intensity with a zero correction is held at 254 inside the zone only.
    {clarityLow, 502, 600, 255, 519, 254},
    {clarityLow, 502, 600, 255, 521, 254},
    {clarityLow, 502, 600, 255, 522, 255},
};

TEST_F(SurfaceClutterRemoval, CorrectionFadesOverTheZoneInFloatArithmetic)
{
    for (const ZoneCase& c : zoneCases) {
        SCOPED_TRACE(testing::Message()
                     << "clarity " << c.clarity << " surface " << c.surfaceCellIndex << " count "
                     << c.count << " intensity " << int{c.intensity} << " cell " << c.cell);
        setup(c.clarity);
        const Column out =
            remove(Column(static_cast<std::size_t>(c.count), c.intensity), c.surfaceCellIndex);
        EXPECT_EQ(out[static_cast<std::size_t>(c.cell)], c.expected);
    }
}

TEST_F(SurfaceClutterRemoval, SurfaceFarAboveTheColumnChangesNoCellButTracksThemAll)
{
    setup(clarityHigh);
    remove(Column(500, 40), -100);
    const Column second = ramp(500);
    EXPECT_EQ(remove(second, -100), second);
    for (int32_t i = 0; i < 500; ++i) {
        ASSERT_EQ(average(i), 16 * 40 + 8 + second[static_cast<std::size_t>(i)] - 40)
            << "cell " << i;
    }
}

struct CarryCase
{
    int16_t clarity;
    uint8_t first;
    uint8_t second;
    int expectedTop;
};

// Second column after setup, cell 0 (weight k): average 16 a + 8 + b - a, mean its sixteenth.
const CarryCase carryCases[] = {
    {clarityLow, 100, 200, 94},    // 1708 >> 4 = 106
    {clarityLow, 0, 255, 239},     // 263 >> 4 = 16
    {clarityLow, 200, 0, 0},       // 3008 >> 4 = 188, negative result held at 0
    {clarityMedium, 50, 200, 111}, // 958 >> 4 = 59, 59 x 1.5 + 0.5 = 89
    {clarityHigh, 50, 200, 82},    // 59 x 2 = 118
    {clarityHigh, 255, 255, 0},
};

TEST_F(SurfaceClutterRemoval, AveragesCarryOverFromColumnToColumn)
{
    for (const CarryCase& c : carryCases) {
        SCOPED_TRACE(testing::Message() << "clarity " << c.clarity << " columns " << int{c.first}
                                        << ", " << int{c.second});
        setup(c.clarity);
        remove(Column(200, c.first), 10);
        const Column out = remove(Column(200, c.second), 10);
        EXPECT_EQ(out[0], c.expectedTop);
        EXPECT_EQ(out[150], c.second);
        EXPECT_EQ(average(0), 16 * c.first + 8 + c.second - c.first);
        EXPECT_EQ(average(150), 16 * c.first + 8 + c.second - c.first);
    }
}

TEST_F(SurfaceClutterRemoval, AverageOfTheCellWhereTheWeightRunsOutIsUpdatedOnce)
{
    setup(clarityLow);
    remove(Column(100, 100), 10);
    const Column out = remove(Column(100, 50), 10);
    // n = 30: the float weight falls below zero at cell 29, which keeps its value.
    EXPECT_EQ(out[29], 50);
    EXPECT_EQ(average(28), 1558);
    EXPECT_EQ(average(29), 1558);
    EXPECT_EQ(average(30), 1558);
}

TEST_F(SurfaceClutterRemoval, CellsLeftOverAfterAnEarlyStopAreStillTracked)
{
    setup(clarityLow);
    // n = 8283: the float weight falls below zero at cell 8281, one cell before the zone ends.
    remove(Column(9000, 255), 8263);
    remove(Column(9000, 100), 8263);
    for (int32_t cell : {8280, 8281, 8282, 8283, 8999}) {
        EXPECT_EQ(average(cell), 16 * 255 + 8 + 100 - 255) << "cell " << cell;
    }
}

TEST_F(SurfaceClutterRemoval, AveragesFollowACellBySixteenthsOverManyColumns)
{
    setup(clarityLow);
    remove(Column(20, 0), 0); // seeds 8
    int32_t expected = 8;
    for (int call = 0; call < 40; ++call) {
        remove(Column(20, 160), 100);
        expected = expected + 160 - (expected >> 4);
        ASSERT_EQ(average(19), expected) << "call " << call;
    }
    EXPECT_EQ(expected >> 4, 148); // closing in on 160 by a sixteenth of the gap per column
}

TEST_F(SurfaceClutterRemoval, CountOfZeroOrBelowChangesNothingAndKeepsTheRestartPending)
{
    setup(clarityLow);
    for (int32_t count : {0, -1, INT32_MIN}) {
        Column column(10, 77);
        state->removeSurfaceClutter(column.data(), count, 5);
        EXPECT_EQ(column, Column(10, 77));
        EXPECT_TRUE(state->clutter().resetPending());
        EXPECT_EQ(average(0), 0);
    }
    // The restart still seeds from the next real column.
    const Column out = remove(Column(100, 77), 10);
    EXPECT_EQ(out[0], 0);
}

TEST_F(SurfaceClutterRemoval, CountAboveTenThousandProcessesOnlyTheFirstTenThousandCells)
{
    setup(clarityHigh);
    // n = 9995 + 60 is cut to the 10000 cells the state holds.
    const Column out = remove(Column(10050, 200), 9995);
    EXPECT_EQ(out[0], 0);
    EXPECT_EQ(out[5000], 0);   // weight 1 halfway down
    EXPECT_EQ(out[7500], 100); // weight 0.5
    EXPECT_EQ(out[9999], 200); // next to no weight left at the bottom
    for (std::size_t i = vantrel::maxProcessedCells; i < out.size(); ++i) {
        ASSERT_EQ(out[i], 200) << "cell " << i;
    }
    EXPECT_EQ(average(9999), 16 * 200 + 8);
}

TEST_F(SurfaceClutterRemoval, SurfaceIndexNearTheIntegerLimitCoversTheWholeColumn)
{
    setup(clarityHigh);
    const Column out = remove(Column(40, 200), INT32_MAX - 10);
    // n = count = 40: cell 20 sits at weight 2 x 20 / 40 = 1.
    EXPECT_EQ(out[0], 0);
    EXPECT_EQ(out[20], 0);
    EXPECT_EQ(out[30], 100);
    setup(clarityHigh);
    const Column untouched = remove(Column(40, 200), INT32_MIN);
    EXPECT_EQ(untouched, Column(40, 200));
}

TEST(ProcessingStateAtLoad, IsAllZero)
{
    const auto state = std::make_unique<vantrel::ProcessingState>();
    EXPECT_EQ(state->clutter().clarityLevel(), 0);
    EXPECT_FALSE(state->clutter().resetPending());
    EXPECT_FALSE(state->correlator().resetPending());
    EXPECT_EQ(state->correlator().position(), 0);
    for (int32_t i = 0; i < vantrel::maxProcessedCells; ++i) {
        ASSERT_EQ(state->clutter().average(i), 0) << "cell " << i;
    }
}

} // namespace
