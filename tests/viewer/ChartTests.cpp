// The chart object: its remembered size and its scrolls in all four directions.
#include "render/tChart.h"

#include "ReaderTestSupport.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>

#include <limits>
#include <vector>

using brellix::tChart;

namespace {

// A 4 x 3 chart whose pixel bytes count 1..12 from the bottom row.
class ChartModel : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(chart.Create(4, 3));
        for (int32_t y = 0; y < 3; ++y) {
            std::vector<uint8_t> row(4);
            for (int x = 0; x < 4; ++x) {
                row[static_cast<size_t>(x)] = static_cast<uint8_t>(1 + 4 * y + x);
            }
            chart.DrawRow(y, row);
        }
    }

    std::vector<uint8_t> pixels() const
    {
        const uint8_t* p = chart.Bitmap().pixels();
        return {p, p + 12};
    }

    tChart chart;
};

TEST_F(ChartModel, CreateRemembersThePixelSizeAsGiven)
{
    ASSERT_TRUE(chart.Create(101, 7));
    EXPECT_EQ(chart.lChartPixelWidth(), 101);
    EXPECT_EQ(chart.lChartPixelHeight(), 7);
    EXPECT_EQ(chart.Bitmap().lWidth(), 104);
}

TEST_F(ChartModel, FailedCreateKeepsTheSizeAndTheBitmap)
{
    const uint8_t* block = chart.Bitmap().pBmp();
    EXPECT_FALSE(chart.Create(0, 10));
    EXPECT_EQ(chart.lChartPixelWidth(), 4);
    EXPECT_EQ(chart.lChartPixelHeight(), 3);
    EXPECT_EQ(chart.Bitmap().pBmp(), block);
}

struct ScrollCase
{
    const char* name;
    bool horizontal;
    int32_t delta;
    std::vector<uint8_t> expected;
};

void PrintTo(const ScrollCase& c, std::ostream* os)
{
    *os << c.name;
}

class ChartScrolls : public ChartModel, public ::testing::WithParamInterface<ScrollCase>
{
};

TEST_P(ChartScrolls, ScrollMovesThePixelsAndWrapsRowEnds)
{
    const ScrollCase& c = GetParam();
    if (c.horizontal) {
        chart.HScroll(c.delta);
    } else {
        chart.VScroll(c.delta);
    }
    EXPECT_EQ(pixels(), c.expected);
}

const std::vector<uint8_t> kUnchanged = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12};

INSTANTIATE_TEST_SUITE_P(
    Directions, ChartScrolls,
    ::testing::Values(
        // Right by one: each row's last pixel wraps into the first column of the row above.
        ScrollCase{"Right", true, 1, {1, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11}},
        // Left by one: each row's first pixel wraps into the last column of the row below.
        ScrollCase{"Left", true, -1, {2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 12}},
        ScrollCase{"Up", false, 1, {1, 2, 3, 4, 1, 2, 3, 4, 5, 6, 7, 8}},
        ScrollCase{"Down", false, -1, {5, 6, 7, 8, 9, 10, 11, 12, 9, 10, 11, 12}},
        ScrollCase{"RightByThree", true, 3, {1, 2, 3, 1, 2, 3, 4, 5, 6, 7, 8, 9}},
        ScrollCase{"NoHorizontal", true, 0, kUnchanged},
        ScrollCase{"NoVertical", false, 0, kUnchanged},
        ScrollCase{"RightByTheWholeImage", true, 12, kUnchanged},
        ScrollCase{"LeftByMoreThanTheImage", true, -40, kUnchanged},
        ScrollCase{"UpByAllRows", false, 3, kUnchanged},
        ScrollCase{"DownByMoreThanAllRows", false, -9, kUnchanged},
        ScrollCase{"LeftByTheMostNegative", true, std::numeric_limits<int32_t>::min(), kUnchanged},
        ScrollCase{"DownByTheMostNegative", false, std::numeric_limits<int32_t>::min(),
                   kUnchanged}),
    [](const ::testing::TestParamInfo<ScrollCase>& testCase) { return testCase.param.name; });

TEST_F(ChartModel, SetColorAndCopyColorsReachTheBitmaps)
{
    chart.SetColor(2, 0x00FF00);
    tChart other;
    ASSERT_TRUE(other.Create(2, 2));
    other.CopyColors(chart);
    EXPECT_EQ(other.Bitmap().bitmapColor(2), 0x00FF00);
}

TEST_F(ChartModel, ColumnAndDrawGoThroughToTheBitmap)
{
    viewertest::bindBuildLibrary();
    chart.SetColor(7, 0x0000FF);
    ASSERT_TRUE(chart.DrawColumn(1, {0, 7, 7, 7})) << "the library is needed";
    QImage target(4, 3, QImage::Format_RGB32);
    target.fill(Qt::black);
    {
        QPainter painter(&target);
        chart.Draw(painter);
    }
    for (int y = 0; y < 3; ++y) {
        EXPECT_EQ(target.pixel(1, y), qRgb(255, 0, 0)) << "y " << y;
    }
}

} // namespace
