// The chart window sizes its chart and controls from its layout.
#include "UiTestSupport.h"

#include <gtest/gtest.h>

namespace {

class LayoutWindowTest : public uitest::WindowTest
{
};

TEST_F(LayoutWindowTest, TheWindowSizesItsChartAndControlsFromTheLayout)
{
    auto chart = makeChart(200, 147); // 3000 x 2205 twips: picture 3000 x 1205
    chart->layOutWindow();
    EXPECT_EQ(chart->chartColumns(), 200);
    EXPECT_EQ(chart->depthPixels(), 80);
    EXPECT_EQ(chart->Chart.lChartPixelWidth(), 200);
    EXPECT_EQ(chart->Chart.lChartPixelHeight(), 80);
    EXPECT_EQ(chart->picSonarImage->geometry(), QRect(0, 0, 200, 80));
    EXPECT_EQ(chart->sldColorLine->geometry().left(), 100);
    EXPECT_FALSE(chart->SonarOptions.AllowSubZeroUL());
}

TEST_F(LayoutWindowTest, ASideLookingChannelAllowsAnUpperLimitAboveTheSurface)
{
    auto chart = makeChart(200, 147);
    EXPECT_FALSE(chart->OpenFile(m_folder.filePath(QStringLiteral("missing.sl2")), 3));
    EXPECT_TRUE(chart->horizontal());
    EXPECT_EQ(chart->chartColumns(), 80);
    EXPECT_EQ(chart->depthPixels(), 200);
    EXPECT_TRUE(chart->SonarOptions.AllowSubZeroUL());
}

} // namespace
