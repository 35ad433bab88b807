// The chart window's arrangement in twips and the chart geometry it gives.
#include "render/ChartLayout.h"

#include <gtest/gtest.h>

namespace {

using brellix::ChartLayout;
using brellix::TwipsRect;

constexpr int32_t kBottomMargin = 1000;
// The design: picture 6255 x 4515 above a band of 1000.
constexpr int32_t kDesignWidth = 6255;
constexpr int32_t kDesignHeight = 4515 + kBottomMargin;

TEST(ChartLayoutTest, StartsAtTheDesignArrangement)
{
    const ChartLayout layout;
    EXPECT_EQ(layout.picSonarImage, (TwipsRect{0, 0, 6255, 4515}));
    EXPECT_EQ(layout.sldSounding, (TwipsRect{0, 4560, 6135, 315}));
    EXPECT_EQ(layout.lblSensitivity, (TwipsRect{1140, 4920, 705, 195}));
    EXPECT_EQ(layout.lblColorLine, (TwipsRect{4200, 4920, 660, 195}));
    EXPECT_EQ(layout.sldSensitivity, (TwipsRect{0, 5160, 2955, 270}));
    EXPECT_EQ(layout.sldColorLine, (TwipsRect{3120, 5160, 2955, 270}));
    EXPECT_EQ(layout.txtDepthPopup, (TwipsRect{3900, 1620, 1935, 855}));
}

TEST(ChartLayoutTest, AWindow8000WideSharesSixThousandBetweenTheOptionSliders)
{
    ChartLayout layout;
    layout.arrange(8000, kDesignHeight, kBottomMargin);
    EXPECT_EQ(layout.picSonarImage.width, 8000);
    EXPECT_EQ(layout.picSonarImage.left, 0);
    EXPECT_EQ(layout.sldSensitivity.left, 0);
    EXPECT_EQ(layout.sldSensitivity.width, 3000);
    EXPECT_EQ(layout.sldColorLine.left, 3000);
    EXPECT_EQ(layout.sldColorLine.width, 3000);
    EXPECT_EQ(layout.sldSounding.width, 6135 + 1745);
}

TEST(ChartLayoutTest, LabelsAreCentredUnderTheMiddleOfTheirSliders)
{
    ChartLayout layout;
    layout.arrange(8000, kDesignHeight, kBottomMargin);
    // 1500 - 352.5 = 1147.5, to the even neighbour.
    EXPECT_EQ(layout.lblSensitivity.left, 1148);
    EXPECT_EQ(layout.lblColorLine.left, 3000 + 1500 - 330);
}

struct NarrowCase
{
    int32_t width;
    int32_t half;
};

class ChartLayoutNarrowTest : public ::testing::TestWithParam<NarrowCase>
{
};

TEST_P(ChartLayoutNarrowTest, AWindowNarrowerThan6000GivesEachOptionSliderHalfThePicture)
{
    ChartLayout layout;
    layout.arrange(GetParam().width, kDesignHeight, kBottomMargin);
    EXPECT_EQ(layout.picSonarImage.width, GetParam().width);
    EXPECT_EQ(layout.sldSensitivity.width, GetParam().half);
    EXPECT_EQ(layout.sldColorLine.width, GetParam().half);
    EXPECT_EQ(layout.sldColorLine.left, GetParam().half);
}

INSTANTIATE_TEST_SUITE_P(Widths, ChartLayoutNarrowTest,
                         ::testing::Values(NarrowCase{5000, 2500}, NarrowCase{3000, 1500},
                                           NarrowCase{6000, 3000}, NarrowCase{12000, 3000}));

TEST(ChartLayoutTest, AWindow300TallerMovesEverythingBelowThePictureDownBy300)
{
    ChartLayout layout;
    layout.arrange(kDesignWidth, kDesignHeight, kBottomMargin);
    const ChartLayout before = layout;
    layout.arrange(kDesignWidth, kDesignHeight + 300, kBottomMargin);
    EXPECT_EQ(layout.picSonarImage.height, before.picSonarImage.height + 300);
    EXPECT_EQ(layout.sldSensitivity.top, before.sldSensitivity.top + 300);
    EXPECT_EQ(layout.sldColorLine.top, before.sldColorLine.top + 300);
    EXPECT_EQ(layout.lblSensitivity.top, before.lblSensitivity.top + 300);
    EXPECT_EQ(layout.lblColorLine.top, before.lblColorLine.top + 300);
    EXPECT_EQ(layout.sldSounding.top, before.sldSounding.top + 300);
    EXPECT_EQ(layout.sldSounding.width, before.sldSounding.width);
}

TEST(ChartLayoutTest, AWindowLowerThanTheBandLeavesThePictureAsItWas)
{
    ChartLayout layout;
    layout.arrange(7000, 3000, kBottomMargin);
    const ChartLayout before = layout;
    layout.arrange(7000, 900, kBottomMargin);
    EXPECT_EQ(layout.picSonarImage, before.picSonarImage);
    EXPECT_EQ(layout.sldSounding, before.sldSounding);
}

TEST(ChartLayoutTest, AVerticalChartRunsTimeAlongTheWidth)
{
    ChartLayout layout;
    layout.arrange(9000, 4000, kBottomMargin); // picture 9000 x 3000
    const brellix::ChartGeometry g = layout.geometry(false, 15, 15);
    EXPECT_EQ(g.lChartColumns, 600);
    EXPECT_EQ(g.lDepthPixels, 200);
    EXPECT_EQ(g.lTwipsPerDepthPixel, 15);
    EXPECT_EQ(g.bitmapWidth, 600);
    EXPECT_EQ(g.bitmapHeight, 200);
}

TEST(ChartLayoutTest, ASideLookingChartInAWideLowWindowHasFewLinesAndManyDepthPixels)
{
    ChartLayout layout;
    layout.arrange(9000, 4000, kBottomMargin);
    const brellix::ChartGeometry g = layout.geometry(true, 15, 12);
    EXPECT_EQ(g.lChartColumns, 250);
    EXPECT_EQ(g.lDepthPixels, 600);
    EXPECT_EQ(g.lTwipsPerDepthPixel, 15);
    EXPECT_EQ(g.bitmapWidth, 600);
    EXPECT_EQ(g.bitmapHeight, 250);
}

} // namespace
