#include "logs/tSubHeader.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <stdexcept>

using brellix::tSubHeader;

namespace {

tSubHeader window(float upper, float lower, int32_t cells)
{
    tSubHeader header;
    header.sngUpperLimit = upper;
    header.sngLowerLimit = lower;
    header.lNumRangeCells = cells;
    return header;
}

struct BottomCase
{
    const char* name;
    float depth;
    bool depthValid;
    float topOfBottom;
    bool topOfBottomValid;
    int32_t bottomCell;
};

class BottomCell : public ::testing::TestWithParam<BottomCase>
{
};

} // namespace

TEST_P(BottomCell, ComesFromTheBestValidDepthRoundedHalvesToEven)
{
    const BottomCase& c = GetParam();
    tSubHeader header = window(0, 100, 400);
    header.sngDepth = c.depth;
    header.bDepthValid = c.depthValid;
    header.sngTopBottom = c.topOfBottom;
    header.bTopOfBottomValid = c.topOfBottomValid;
    header.CalcCellIndexes();
    EXPECT_FLOAT_EQ(header.sngPixelsPerFoot, 4.0f);
    EXPECT_EQ(header.lBottomCellIndex, c.bottomCell);
}

INSTANTIATE_TEST_SUITE_P(
    Window0To100With400Cells, BottomCell,
    ::testing::Values(BottomCase{"ValidDepth", 25.0f, true, 0.0f, false, 100},
                      BottomCase{"TopOfBottomBeforeDepth", 25.0f, true, 24.9f, true, 100},
                      BottomCase{"TopOfBottomAlone", 0.0f, false, 12.3f, true, 49},
                      BottomCase{"HalfDownToEven", 10.125f, true, 0.0f, false, 40},
                      BottomCase{"HalfUpToEven", 10.375f, true, 0.0f, false, 42},
                      BottomCase{"NothingValidUsesLowerLimit", 25.0f, false, 0.0f, false, 400},
                      BottomCase{"AboveTheWindowIsCellZero", -5.0f, true, 0.0f, false, 0},
                      BottomCase{"BelowTheWindowIsTheLastCell", 150.0f, true, 0.0f, false, 399},
                      BottomCase{"AtTheLowerLimitStaysAtTheCellCount", 100.0f, true, 0.0f, false,
                                 400}),
    [](const ::testing::TestParamInfo<BottomCase>& param) { return param.param.name; });

TEST(SubHeader, SurfaceAboveTheWindowGivesANegativeCell)
{
    tSubHeader header = window(10, 110, 400);
    header.sngSurfaceDepth = 5.0f;
    header.CalcCellIndexes();
    EXPECT_EQ(header.lSurfaceCellIndex, -20);
}

TEST(SubHeader, SurfaceCellIsComputedEvenWhenNotValid)
{
    tSubHeader header = window(0, 100, 400);
    header.sngSurfaceDepth = 2.625f; // 10.5 cells: halves to even
    header.bSurfaceValid = false;
    header.CalcCellIndexes();
    EXPECT_EQ(header.lSurfaceCellIndex, 10);
}

TEST(SubHeader, SurfaceBelowTheWindowIsClampedToTheLastCell)
{
    tSubHeader header = window(0, 100, 400);
    header.sngSurfaceDepth = 120.0f;
    header.CalcCellIndexes();
    EXPECT_EQ(header.lSurfaceCellIndex, 399);
}

TEST(SubHeader, ZeroHeightWindowGivesInfinitePixelsPerFootAndKeepsTheIndexes)
{
    tSubHeader header = window(50, 50, 400);
    header.sngDepth = 60.0f;
    header.bDepthValid = true;
    header.sngSurfaceDepth = 40.0f;
    header.lBottomCellIndex = 7;
    header.lSurfaceCellIndex = 3;
    header.CalcCellIndexes();
    EXPECT_TRUE(std::isinf(header.sngPixelsPerFoot));
    EXPECT_EQ(header.lBottomCellIndex, 7);
    EXPECT_EQ(header.lSurfaceCellIndex, 3);
}

TEST(SubHeader, KeptIndexesAreStillClampedToTheCells)
{
    tSubHeader header = window(50, 50, 400);
    header.lBottomCellIndex = 900;
    header.lSurfaceCellIndex = 401;
    header.CalcCellIndexes();
    EXPECT_EQ(header.lBottomCellIndex, 399);
    EXPECT_EQ(header.lSurfaceCellIndex, 399);
}

TEST(SubHeader, NoCellsAndNoHeightGiveNotANumber)
{
    tSubHeader header = window(50, 50, 0);
    header.lBottomCellIndex = -4;
    header.CalcCellIndexes();
    EXPECT_TRUE(std::isnan(header.sngPixelsPerFoot));
    EXPECT_EQ(header.lBottomCellIndex, 0); // kept, then raised to 0
}

TEST(SubHeader, CopyTakesTheSoundingValuesAndKeepsTheWindow)
{
    tSubHeader source = window(0, 50, 100);
    source.sngDepth = 20.0f;
    source.bDepthValid = true;
    source.sngAltitude = 321.5f;
    source.bAltitudeValid = true;
    source.sngSurfaceDepth = 1.0f;
    source.lPositionX = -900;
    source.lPositionY = 4500;
    source.bPositionValid = true;
    source.iNumFish = 2;
    source.setFish(0, 11.0f);
    source.setFish(7, 17.0f);
    source.m_RVGDepth = 77;
    source.m_Heading = 1.25f;
    source.m_ManualMode = true;
    source.CalcCellIndexes();

    tSubHeader destination = window(10, 30, 200);
    destination.Copy(source);

    EXPECT_EQ(destination.lNumRangeCells, 200);
    EXPECT_FLOAT_EQ(destination.sngUpperLimit, 10.0f);
    EXPECT_FLOAT_EQ(destination.sngLowerLimit, 30.0f);
    EXPECT_FLOAT_EQ(destination.sngAltitude, 321.5f);
    EXPECT_TRUE(destination.bAltitudeValid);
    EXPECT_FLOAT_EQ(destination.sngDepth, 20.0f);
    EXPECT_EQ(destination.lPositionX, -900);
    EXPECT_EQ(destination.lPositionY, 4500);
    EXPECT_EQ(destination.iNumFish, 2);
    EXPECT_FLOAT_EQ(destination.sngFish(0), 11.0f);
    EXPECT_FLOAT_EQ(destination.sngFish(7), 17.0f);
    EXPECT_EQ(destination.m_RVGDepth, 77);
    EXPECT_FLOAT_EQ(destination.m_Heading, 1.25f);
    EXPECT_TRUE(destination.m_ManualMode);
    // Derived in the destination's window: 10 cells per foot, depth 20 is 10 ft down.
    EXPECT_FLOAT_EQ(destination.sngPixelsPerFoot, 10.0f);
    EXPECT_EQ(destination.lBottomCellIndex, 100);
    EXPECT_EQ(destination.lSurfaceCellIndex, -90);
}

TEST(SubHeader, FishIndexOutsideZeroToSevenIsOutOfRange)
{
    tSubHeader header;
    EXPECT_THROW(header.sngFish(8), std::out_of_range);
    EXPECT_THROW(header.sngFish(-1), std::out_of_range);
    EXPECT_THROW(header.setFish(8, 1.0f), std::out_of_range);
    EXPECT_FLOAT_EQ(header.sngFish(3), 0.0f);
}

TEST(SubHeader, EveryFieldStartsAtZero)
{
    const tSubHeader header;
    EXPECT_EQ(header.lNumRangeCells, 0);
    EXPECT_EQ(header.lBottomCellIndex, 0);
    EXPECT_FALSE(header.bDepthValid);
    EXPECT_FALSE(header.m_ManualMode);
    EXPECT_EQ(header.rcNoiseSpike, 0);
    EXPECT_FLOAT_EQ(header.sngPixelsPerFoot, 0.0f);
}
