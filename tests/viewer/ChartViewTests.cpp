// The mouse over a chart: sounding and depth under the cursor in both orientations, zooming
// out, the drag and click rules, zooming into a band and re-centring.
#include "readout/ChartView.h"

#include <gtest/gtest.h>

namespace {

using brellix::ChartView;

// A chart of 200 columns and 100 depth pixels at 15 twips per pixel, 0 to 50 ft, newest
// sounding 1000 of 5000.
ChartView chart(bool horizontal = false)
{
    ChartView view;
    view.horizontal = horizontal;
    view.chartColumns = 200;
    view.depthPixels = 100;
    view.twipsPerDepthPixel = 15;
    view.position = 1000;
    view.visibleSoundings = 200;
    view.soundingCount = 5000;
    view.upperLimit = 0;
    view.lowerLimit = 50;
    return view;
}

TEST(ChartViewTest, AVerticalChartRunsTimeAlongXAndDepthDownY)
{
    const ChartView view = chart();
    EXPECT_EQ(view.soundingAt(0, 10), 800);
    EXPECT_EQ(view.soundingAt(15 * 150, 10), 950);
    EXPECT_FLOAT_EQ(view.depthAt(0, 15 * 40), 20.0f);
}

TEST(ChartViewTest, ASideLookingChartHasItsNewestSoundingInTheTopRowAndDepthAlongX)
{
    const ChartView view = chart(true);
    EXPECT_EQ(view.soundingAt(100, 0), 1000);
    EXPECT_EQ(view.soundingAt(100, 14.9f), 1000);
    EXPECT_EQ(view.soundingAt(100, 15 * 30 + 7), 970);
    EXPECT_FLOAT_EQ(view.depthAt(15 * 80, 500), 40.0f);
}

TEST(ChartViewTest, ZoomingOutWidensTheWindowHalfAgainAboutItsMiddle)
{
    ChartView view = chart();
    view.lowerLimit = 20;
    EXPECT_FLOAT_EQ(view.zoomedOut().upperLimit, 0);
    EXPECT_FLOAT_EQ(view.zoomedOut().lowerLimit, 30);
    view.upperLimit = 100;
    view.lowerLimit = 120;
    EXPECT_FLOAT_EQ(view.zoomedOut().upperLimit, 95);
    EXPECT_FLOAT_EQ(view.zoomedOut().lowerLimit, 125);
    ChartView side = chart(true);
    side.lowerLimit = 20;
    EXPECT_FLOAT_EQ(side.zoomedOut().upperLimit, -15);
    EXPECT_FLOAT_EQ(side.zoomedOut().lowerLimit, 15);
}

TEST(ChartViewTest, ADragShorterThan75TwipsBothWaysIsAClick)
{
    EXPECT_TRUE(ChartView::isClick(100, 100, 174, 174));
    EXPECT_FALSE(ChartView::isClick(100, 100, 175, 100));
    EXPECT_FALSE(ChartView::isClick(100, 100, 100, 25));
    const ChartView view = chart();
    EXPECT_FALSE(view.zoomedInto(100, 100, 174, 174).has_value());
    // 80 wide and 74 high is no click, and too thin across depth to zoom.
    EXPECT_FALSE(ChartView::isClick(100, 100, 180, 174));
    EXPECT_FALSE(view.zoomedInto(100, 100, 180, 174).has_value());
}

TEST(ChartViewTest, ADragZoomsIntoTheBandAcrossDepth)
{
    // 0.5 ft a pixel, 1/30 ft a twip: 300 to 900 twips is 10 to 30 ft.
    const auto window = chart().zoomedInto(500, 900, 520, 300);
    ASSERT_TRUE(window.has_value());
    EXPECT_FLOAT_EQ(window->upperLimit, 10.0f);
    EXPECT_FLOAT_EQ(window->lowerLimit, 30.0f);
    const auto side = chart(true).zoomedInto(1200, 40, 600, 60);
    ASSERT_TRUE(side.has_value());
    EXPECT_FLOAT_EQ(side->upperLimit, 20.0f);
    EXPECT_FLOAT_EQ(side->lowerLimit, 40.0f);
}

TEST(ChartViewTest, AClickBringsTheSoundingAndTheDepthToTheMiddle)
{
    // Column 50 holds sounding 850: it comes to the middle, so the newest becomes 950; depth
    // pixel 80 (40 ft) comes to the middle of a window 50 ft deep.
    const ChartView::Recentre vertical = chart().recentred(750, 1200, 750, 1200);
    EXPECT_EQ(vertical.position, 950);
    EXPECT_FLOAT_EQ(vertical.window.upperLimit, 15.0f);
    EXPECT_FLOAT_EQ(vertical.window.lowerLimit, 65.0f);
    // Row 30 from the top holds sounding 970; depth from X.
    const ChartView::Recentre side = chart(true).recentred(300, 450, 300, 450);
    EXPECT_EQ(side.position, 1070);
    EXPECT_FLOAT_EQ(side.window.upperLimit, -15.0f);
    // Not past either end of the log.
    EXPECT_EQ(chart().recentred(0, 0, 0, 0).position, 900);
    ChartView nearEnd = chart();
    nearEnd.position = 4990;
    EXPECT_EQ(nearEnd.recentred(2990, 0, 2990, 0).position, 4999);
    ChartView nearStart = chart();
    nearStart.position = 200;
    EXPECT_EQ(nearStart.recentred(0, 0, 0, 0).position, 200);
}

TEST(ChartViewTest, ADragShowsItsBandAcrossTheChartAndWhileAClickTheMarkerAtTheCursor)
{
    // Twips to pixels, ordered; the marker is a rectangle of no extent across depth.
    const QList<QRect> click = chart().dragMarks(300, 900, 330, 870);
    ASSERT_EQ(click.size(), 2);
    EXPECT_EQ(click[0], QRect(0, 58, 200, 2));
    EXPECT_EQ(click[1], QRect(22, 0, 0, 100));
    const QList<QRect> band = chart().dragMarks(300, 900, 330, 300);
    ASSERT_EQ(band.size(), 1);
    EXPECT_EQ(band[0], QRect(0, 20, 200, 40));
    const QList<QRect> side = chart(true).dragMarks(900, 300, 870, 330);
    ASSERT_EQ(side.size(), 2);
    EXPECT_EQ(side[0], QRect(58, 0, 2, 200));
    EXPECT_EQ(side[1], QRect(0, 22, 100, 0));
}

} // namespace
