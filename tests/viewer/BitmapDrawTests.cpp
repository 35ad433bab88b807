// Drawing the chart bitmap onto a paint device: the right colours at the right places, bottom
// row at the bottom, and no copy of the pixels on the way.
#include "ViewerTestSupport.h"
#include "render/tBitmap.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>

#include <vector>

using brellix::tBitmap;

namespace {

using viewertest::rgb;

constexpr QRgb kGray = 0xFF808080;

// A 3 x 2 image (rows padded to 4): bottom row 1 2 3 4, top row 4 3 2 1, where 1 is red,
// 2 green, 3 blue and 4 white.
class BitmapDraw : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(bitmap.Create(3, 2));
        bitmap.SetBitmapColor(1, rgb(255, 0, 0));
        bitmap.SetBitmapColor(2, rgb(0, 255, 0));
        bitmap.SetBitmapColor(3, rgb(0, 0, 255));
        bitmap.SetBitmapColor(4, rgb(255, 255, 255));
        bitmap.DrawRow(0, {1, 2, 3, 4});
        bitmap.DrawRow(1, {4, 3, 2, 1});
    }

    static QImage canvas(int width, int height)
    {
        QImage image(width, height, QImage::Format_RGB32);
        image.fill(kGray);
        return image;
    }

    static QRgb colorOf(int index)
    {
        const QRgb colors[] = {0, qRgb(255, 0, 0), qRgb(0, 255, 0), qRgb(0, 0, 255),
                               qRgb(255, 255, 255)};
        return colors[index];
    }

    tBitmap bitmap;
};

TEST_F(BitmapDraw, DrawPutsTheTopRowAtTheTopOfTheDevice)
{
    QImage target = canvas(6, 4);
    {
        QPainter painter(&target);
        bitmap.Draw(painter);
    }
    const int top[4] = {4, 3, 2, 1};
    const int bottom[4] = {1, 2, 3, 4};
    for (int x = 0; x < 4; ++x) {
        EXPECT_EQ(target.pixel(x, 0), colorOf(top[x])) << "x " << x;
        EXPECT_EQ(target.pixel(x, 1), colorOf(bottom[x])) << "x " << x;
    }
    // The whole row length is drawn, nothing beyond it.
    for (int y = 0; y < 4; ++y) {
        EXPECT_EQ(target.pixel(4, y), kGray);
        EXPECT_EQ(target.pixel(5, y), kGray);
    }
    for (int x = 0; x < 6; ++x) {
        EXPECT_EQ(target.pixel(x, 2), kGray);
    }
}

TEST_F(BitmapDraw, StretchDrawScalesEachPixelIntoABlockWithoutBlending)
{
    QImage target = canvas(10, 7);
    {
        QPainter painter(&target);
        bitmap.StretchDraw(painter, 1, 2, 8, 4);
    }
    const int rows[2][4] = {{4, 3, 2, 1}, {1, 2, 3, 4}};
    for (int y = 0; y < 7; ++y) {
        for (int x = 0; x < 10; ++x) {
            const bool inside = x >= 1 && x < 9 && y >= 2 && y < 6;
            const QRgb expected = inside ? colorOf(rows[(y - 2) / 2][(x - 1) / 2]) : kGray;
            EXPECT_EQ(target.pixel(x, y), expected) << "x " << x << " y " << y;
        }
    }
}

TEST_F(BitmapDraw, StretchDrawWithANegativeWidthMirrors)
{
    QImage target = canvas(4, 2);
    {
        QPainter painter(&target);
        bitmap.StretchDraw(painter, 4, 0, -4, 2);
    }
    const int top[4] = {1, 2, 3, 4};
    for (int x = 0; x < 4; ++x) {
        EXPECT_EQ(target.pixel(x, 0), colorOf(top[x])) << "x " << x;
    }
}

TEST_F(BitmapDraw, ImageLooksAtTheBlockItselfWithItsColourTable)
{
    const QImage view = bitmap.image();
    EXPECT_EQ(view.constBits(), bitmap.pixels());
    EXPECT_EQ(view.format(), QImage::Format_Indexed8);
    EXPECT_EQ(view.colorCount(), 256);
    EXPECT_EQ(view.color(3), qRgb(0, 0, 255));
    // Row 0 of the view is the bottom row of the chart.
    EXPECT_EQ(view.pixelIndex(0, 0), 1);
    bitmap.DrawRow(0, {2, 2, 2, 2});
    EXPECT_EQ(view.pixelIndex(0, 0), 2);
}

TEST_F(BitmapDraw, ColourChangesShowAtTheNextDraw)
{
    bitmap.SetBitmapColor(4, rgb(10, 20, 30));
    QImage target = canvas(4, 2);
    {
        QPainter painter(&target);
        bitmap.Draw(painter);
    }
    EXPECT_EQ(target.pixel(0, 0), qRgb(10, 20, 30));
}

TEST(BitmapDrawEmpty, BitmapWithoutABlockDrawsNothing)
{
    const tBitmap bitmap;
    QImage target(4, 4, QImage::Format_RGB32);
    target.fill(kGray);
    {
        QPainter painter(&target);
        bitmap.Draw(painter);
        bitmap.StretchDraw(painter, 0, 0, 4, 4);
    }
    for (int y = 0; y < 4; ++y) {
        for (int x = 0; x < 4; ++x) {
            EXPECT_EQ(target.pixel(x, y), kGray);
        }
    }
}

} // namespace
