// Painting a region's colour bar: position 0 at the bottom, 255 at the top, across the whole
// width, and point markers when asked.
#include "render/tColorScheme.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>

#include <stdexcept>

using brellix::tColorScheme;

namespace {

constexpr QRgb kGray = 0xFF808080;

QImage bar(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(kGray);
    return image;
}

QRgb qrgbOf(int32_t color)
{
    return qRgb(color & 0xFF, (color >> 8) & 0xFF, (color >> 16) & 0xFF);
}

TEST(ColorBar, EachPositionFillsItsOwnRowFromTheBottomUp)
{
    const tColorScheme scheme;
    QImage image = bar(12, 256);
    scheme.PaintColorBar(image, false, 1);
    for (int v = 0; v < 256; ++v) {
        const QRgb expected = qrgbOf(scheme.GetColorValue(1, static_cast<int16_t>(v)));
        EXPECT_EQ(image.pixel(0, 255 - v), expected) << "position " << v;
        EXPECT_EQ(image.pixel(11, 255 - v), expected) << "position " << v;
    }
    EXPECT_EQ(image.pixel(5, 255), qRgb(0, 0, 128));
    EXPECT_EQ(image.pixel(5, 255 - 103), qRgb(255, 0, 0));
    EXPECT_EQ(image.pixel(5, 255 - 200), qRgb(154, 255, 0));
    EXPECT_EQ(image.pixel(5, 0), qRgb(0, 255, 0));
}

TEST(ColorBar, TallerBarGivesEachPositionABand)
{
    const tColorScheme scheme;
    QImage image = bar(4, 512);
    scheme.PaintColorBar(image, false, 0);
    EXPECT_EQ(image.pixel(2, 511), qRgb(0, 0, 128));
    EXPECT_EQ(image.pixel(2, 510), qRgb(0, 0, 128));
    // Position 51, the worked blend (126, 0, 64), on rows 408 and 409.
    EXPECT_EQ(image.pixel(2, 409), qRgb(126, 0, 64));
    EXPECT_EQ(image.pixel(2, 408), qRgb(126, 0, 64));
    EXPECT_EQ(image.pixel(2, 0), qRgb(255, 255, 255));
}

TEST(ColorBar, PositionsBelowTheFirstPointStayUnpainted)
{
    tColorScheme scheme;
    scheme.setiIndex(2, 0, 20);
    QImage image = bar(4, 256);
    scheme.PaintColorBar(image, false, 2);
    EXPECT_EQ(image.pixel(1, 255), kGray);
    EXPECT_EQ(image.pixel(1, 255 - 19), kGray);
    EXPECT_EQ(image.pixel(1, 255 - 20), qRgb(0, 0, 0));
}

TEST(ColorBar, TicksMarkEachPointInBlackBetweenWhite)
{
    const tColorScheme scheme;
    QImage image = bar(40, 256);
    scheme.PaintColorBar(image, true, 1);
    for (const int position : {103, 164}) {
        const int y = 255 - position;
        EXPECT_EQ(image.pixel(20, y), qRgb(0, 0, 0)) << "position " << position;
        EXPECT_EQ(image.pixel(20, y - 1), qRgb(255, 255, 255)) << "position " << position;
        EXPECT_EQ(image.pixel(20, y + 1), qRgb(255, 255, 255)) << "position " << position;
    }
    // Away from the markers the gradient shows.
    EXPECT_EQ(image.pixel(20, 255 - 130), qrgbOf(scheme.GetColorValue(1, 130)));
}

TEST(ColorBar, PaintingIntoARectangleStaysInsideIt)
{
    const tColorScheme scheme;
    QImage image = bar(20, 300);
    {
        QPainter painter(&image);
        scheme.PaintColorBar(painter, QRectF(5, 20, 10, 256), false, 1);
    }
    EXPECT_EQ(image.pixel(4, 100), kGray);
    EXPECT_EQ(image.pixel(15, 100), kGray);
    EXPECT_EQ(image.pixel(10, 19), kGray);
    EXPECT_EQ(image.pixel(10, 276), kGray);
    EXPECT_EQ(image.pixel(10, 275), qRgb(0, 0, 128));
    EXPECT_EQ(image.pixel(10, 20), qRgb(0, 255, 0));
}

TEST(ColorBar, RegionOutsideZeroToTwoThrows)
{
    const tColorScheme scheme;
    QImage image = bar(4, 4);
    EXPECT_THROW(scheme.PaintColorBar(image, false, 3), std::out_of_range);
}

} // namespace
