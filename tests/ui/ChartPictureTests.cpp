// The chart picture converts only what changed since it was last painted: whatever the chart
// did in between, what it shows must be the whole bitmap converted afresh.
#include "UiTestSupport.h"

#include "render/tChart.h"

#include <QImage>

#include <random>

namespace {

using brellix::ChartPicture;
using brellix::tChart;

// The bitmap as it should look: flipped to top row first, through its own colour table.
QImage expectedScreen(const tChart& chart, QSize size)
{
    QImage expected(size, QImage::Format_RGB32);
    expected.fill(Qt::black);
    const QImage converted =
        chart.Bitmap().image().mirrored().convertToFormat(QImage::Format_RGB32);
    for (int y = 0; y < std::min(size.height(), converted.height()); ++y) {
        for (int x = 0; x < std::min(size.width(), converted.width()); ++x) {
            expected.setPixel(x, y, converted.pixel(x, y));
        }
    }
    return expected;
}

class ChartPictureTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(chart.Create(64, 40));
        for (int i = 0; i < 256; ++i) {
            chart.SetColor(static_cast<int16_t>(i), i * 0x010203);
        }
        for (int y = 0; y < 40; ++y) {
            drawRow(y);
        }
        picture.resize(64, 40);
    }

    void drawRow(int y)
    {
        std::vector<uint8_t> row(64);
        for (auto& pixel : row) {
            pixel = static_cast<uint8_t>(random());
        }
        chart.DrawRow(y, row);
    }
    // What a step of playback draws after a scroll: one new line at x.
    void drawColumn(int x)
    {
        uint8_t* pixels = chart.Bitmap().pixels();
        for (int y = 0; y < chart.Bitmap().lHeight(); ++y) {
            pixels[y * chart.Bitmap().lWidth() + x] = static_cast<uint8_t>(random());
        }
    }

    // Within area (the whole picture unless given).
    void expectScreenIsTheBitmap(const char* step, QSize area = {})
    {
        const QImage& screen = picture.screen();
        const QImage expected = expectedScreen(chart, picture.size());
        ASSERT_EQ(screen.size(), expected.size()) << step;
        area = area.isEmpty() ? expected.size() : area;
        for (int y = 0; y < area.height(); ++y) {
            for (int x = 0; x < area.width(); ++x) {
                ASSERT_EQ(screen.pixel(x, y), expected.pixel(x, y))
                    << step << " at " << x << ", " << y;
            }
        }
    }

    // Before the picture: a widget needs the application.
    QApplication& app = uitest::application();
    std::mt19937 random{7};
    tChart chart;
    ChartPicture picture;
};

TEST_F(ChartPictureTest, ScrollsStepsAndRedrawsShowTheWholeBitmap)
{
    picture.showChart(chart);
    expectScreenIsTheBitmap("first copy");

    // Steps forward and back of one to several lines, each shown, or several before a paint.
    const int steps[] = {1, 1, 5, -1, -5, 3, 9, -9, 12, -2};
    for (int step : steps) {
        for (int i = 0; i < std::abs(step); ++i) {
            chart.HScroll(step > 0 ? -1 : 1);
            drawColumn(step > 0 ? 63 : 0);
            picture.showChart(chart);
        }
        expectScreenIsTheBitmap("steps");
    }

    // A redraw pass touching every tenth line, then a vertical scroll.
    for (int x = 3; x < 64; x += 10) {
        drawColumn(x);
    }
    picture.showChart(chart);
    expectScreenIsTheBitmap("redraw pass");
    chart.VScroll(2);
    drawRow(0);
    drawRow(1);
    picture.showChart(chart);
    expectScreenIsTheBitmap("vertical scroll up");
    // A side-looking chart playing: a line down and a new top line a step.
    for (int step = 0; step < 5; ++step) {
        chart.VScroll(-1);
        drawRow(chart.Bitmap().lHeight() - 1);
        picture.showChart(chart);
    }
    expectScreenIsTheBitmap("vertical steps");
    chart.VScroll(-3);
    picture.showChart(chart);
    expectScreenIsTheBitmap("vertical scroll down");
}

TEST_F(ChartPictureTest, ColoursSizesAndAShrunkBitmapAreShownAfresh)
{
    picture.showChart(chart);
    expectScreenIsTheBitmap("first copy");

    // A new palette with the same pixels, then a scroll under it.
    for (int i = 0; i < 256; ++i) {
        chart.SetColor(static_cast<int16_t>(i), (255 - i) * 0x010101);
    }
    picture.showChart(chart);
    expectScreenIsTheBitmap("palette");
    chart.HScroll(-1);
    drawColumn(63);
    chart.SetColor(5, 0x123456);
    picture.showChart(chart);
    expectScreenIsTheBitmap("scroll and one colour");

    // A picture smaller, then larger than the bitmap.
    picture.resize(50, 30);
    chart.HScroll(-1);
    drawColumn(63);
    picture.showChart(chart);
    expectScreenIsTheBitmap("smaller picture");
    picture.resize(80, 50);
    picture.showChart(chart);
    expectScreenIsTheBitmap("larger picture");

    // A bitmap made anew, smaller than the picture: drawn over what was there.
    ASSERT_TRUE(chart.Create(20, 10));
    picture.showChart(chart);
    expectScreenIsTheBitmap("new bitmap", QSize(20, 10));
}

} // namespace
