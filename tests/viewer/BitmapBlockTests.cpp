// The chart bitmap's memory block: its layout, colours, rows, columns, shifts, turns and fish,
// and that nothing is ever written outside it.
#include "render/tBitmap.h"

#include "ReaderTestSupport.h"

#include <gtest/gtest.h>

#include <QImage>

#include <algorithm>
#include <cstring>
#include <limits>
#include <numeric>
#include <stdexcept>
#include <vector>

using brellix::tBitmap;

namespace {

int32_t readI32At(const uint8_t* block, int offset)
{
    int32_t value = 0;
    for (int i = 3; i >= 0; --i) {
        value = static_cast<int32_t>((static_cast<uint32_t>(value) << 8) | block[offset + i]);
    }
    return value;
}

int16_t readI16At(const uint8_t* block, int offset)
{
    return static_cast<int16_t>(block[offset] | (block[offset + 1] << 8));
}

std::vector<uint8_t> blockBytes(const tBitmap& bitmap)
{
    return {bitmap.pBmp(), bitmap.pBmp() + bitmap.blockSize()};
}

// The pixel bytes, row 0 first.
std::vector<uint8_t> pixelBytes(const tBitmap& bitmap)
{
    return {bitmap.pixels(),
            bitmap.pixels() + static_cast<size_t>(bitmap.lWidth()) * bitmap.lHeight()};
}

// Pixel area filled with 1, 2, 3, ... in memory order.
void fillCounting(tBitmap& bitmap)
{
    std::vector<uint8_t> row(static_cast<size_t>(bitmap.lWidth()));
    for (int32_t y = 0; y < bitmap.lHeight(); ++y) {
        for (size_t x = 0; x < row.size(); ++x) {
            row[x] = static_cast<uint8_t>(1 + y * bitmap.lWidth() + static_cast<int32_t>(x));
        }
        bitmap.DrawRow(y, row);
    }
}

TEST(BitmapLayout, CreatePadsTheRowsAndWritesTheHeader)
{
    tBitmap bitmap;
    ASSERT_TRUE(bitmap.Create(101, 50));
    EXPECT_EQ(bitmap.lWidth(), 104);
    EXPECT_EQ(bitmap.lHeight(), 50);
    EXPECT_EQ(bitmap.blockSize(), 1064 + 104 * 50 + 8192);
    const uint8_t* block = bitmap.pBmp();
    ASSERT_NE(block, nullptr);
    EXPECT_EQ(bitmap.pixels(), block + 1064);
    EXPECT_EQ(readI32At(block, 0), 40);
    EXPECT_EQ(readI32At(block, 4), 104);
    EXPECT_EQ(readI32At(block, 8), 50);
    EXPECT_EQ(readI16At(block, 12), 1);
    EXPECT_EQ(readI16At(block, 14), 8);
    EXPECT_EQ(readI32At(block, 16), 0);
    EXPECT_EQ(readI32At(block, 20), 0);
    EXPECT_EQ(readI32At(block, 24), 0);
    EXPECT_EQ(readI32At(block, 28), 0);
    EXPECT_EQ(readI32At(block, 32), 256);
    EXPECT_EQ(readI32At(block, 36), 0);
    const std::vector<uint8_t> bytes = blockBytes(bitmap);
    EXPECT_TRUE(std::all_of(bytes.begin() + 40, bytes.end(), [](uint8_t b) { return b == 0; }))
        << "colour table, pixels and spare area start zero";
}

TEST(BitmapLayout, SpareAreaIsAtLeastOneRowForLongRows)
{
    tBitmap bitmap;
    ASSERT_TRUE(bitmap.Create(10000, 2));
    EXPECT_EQ(bitmap.blockSize(), 1064 + 10000 * 2 + 10000);
}

TEST(BitmapLayout, SetBitmapColorStoresBlueGreenRedZero)
{
    tBitmap bitmap;
    ASSERT_TRUE(bitmap.Create(101, 50));
    bitmap.SetBitmapColor(5, 10 | (20 << 8) | (30 << 16));
    const uint8_t* block = bitmap.pBmp();
    EXPECT_EQ(block[60], 30);
    EXPECT_EQ(block[61], 20);
    EXPECT_EQ(block[62], 10);
    EXPECT_EQ(block[63], 0);
    EXPECT_EQ(bitmap.bitmapColor(5), 10 | (20 << 8) | (30 << 16));
    bitmap.SetBitmapColor(255, 0xFFFFFF);
    EXPECT_EQ(block[40 + 1020], 0xFF);
    EXPECT_EQ(block[40 + 1023], 0);
}

TEST(BitmapLayout, PaletteIndexOutsideZeroTo255Throws)
{
    tBitmap bitmap;
    ASSERT_TRUE(bitmap.Create(8, 8));
    const std::vector<uint8_t> before = blockBytes(bitmap);
    EXPECT_THROW(bitmap.SetBitmapColor(256, 1), std::out_of_range);
    EXPECT_THROW(bitmap.SetBitmapColor(-1, 1), std::out_of_range);
    EXPECT_EQ(blockBytes(bitmap), before);
}

TEST(BitmapLayout, CreateAgainDiscardsPixelsAndColours)
{
    tBitmap bitmap;
    ASSERT_TRUE(bitmap.Create(8, 4));
    bitmap.SetBitmapColor(3, 0x123456);
    bitmap.DrawRow(1, std::vector<uint8_t>(8, 9));
    ASSERT_TRUE(bitmap.Create(16, 2));
    EXPECT_EQ(bitmap.lWidth(), 16);
    EXPECT_EQ(bitmap.lHeight(), 2);
    const std::vector<uint8_t> bytes = blockBytes(bitmap);
    EXPECT_TRUE(std::all_of(bytes.begin() + 40, bytes.end(), [](uint8_t b) { return b == 0; }));
}

struct BadSize
{
    int32_t width;
    int32_t height;
};

class BitmapBadSizes : public ::testing::TestWithParam<BadSize>
{
};

TEST_P(BitmapBadSizes, CreateRefusesAndKeepsTheOldBlock)
{
    tBitmap bitmap;
    ASSERT_TRUE(bitmap.Create(12, 3));
    fillCounting(bitmap);
    bitmap.SetBitmapColor(7, 0x010203);
    const uint8_t* block = bitmap.pBmp();
    const std::vector<uint8_t> before = blockBytes(bitmap);

    EXPECT_FALSE(bitmap.Create(GetParam().width, GetParam().height));
    EXPECT_EQ(bitmap.pBmp(), block);
    EXPECT_EQ(bitmap.lWidth(), 12);
    EXPECT_EQ(bitmap.lHeight(), 3);
    EXPECT_EQ(blockBytes(bitmap), before);
}

TEST_P(BitmapBadSizes, CreateOnANewBitmapLeavesNoBlockToWriteInto)
{
    tBitmap bitmap;
    EXPECT_FALSE(bitmap.Create(GetParam().width, GetParam().height));
    EXPECT_EQ(bitmap.pBmp(), nullptr);
    EXPECT_EQ(bitmap.pixels(), nullptr);
    EXPECT_EQ(bitmap.lWidth(), 0);
    EXPECT_EQ(bitmap.lHeight(), 0);
    // Without a block every column is outside it, and the rest does nothing.
    EXPECT_THROW(bitmap.DrawColumn(0, std::vector<uint8_t>(5, 1)), std::out_of_range);
    bitmap.DrawRow(0, std::vector<uint8_t>(5, 1));
    bitmap.Shift(1, 0, 0, 0);
    bitmap.SetBitmapColor(0, 1);
    EXPECT_TRUE(bitmap.DrawFish(0, 0, 0));
    EXPECT_TRUE(bitmap.Rotate90());
    EXPECT_TRUE(bitmap.image().isNull());
}

INSTANTIATE_TEST_SUITE_P(Cases, BitmapBadSizes,
                         ::testing::Values(BadSize{0, 5}, BadSize{5, 0}, BadSize{-4, 5},
                                           BadSize{5, -1},
                                           BadSize{std::numeric_limits<int32_t>::max(), 1},
                                           BadSize{65536, 65536}, BadSize{1, 600000000}));

TEST(BitmapRows, DrawRowCopiesIntoTheRowCountedFromTheBottom)
{
    tBitmap bitmap;
    ASSERT_TRUE(bitmap.Create(4, 3));
    const std::vector<uint8_t> row = {5, 6, 7, 8};
    bitmap.DrawRow(2, row);
    const std::vector<uint8_t> expected = {0, 0, 0, 0, 0, 0, 0, 0, 5, 6, 7, 8};
    EXPECT_EQ(pixelBytes(bitmap), expected);
}

TEST(BitmapRows, DrawRowCopiesNoMoreThanTheArrayHolds)
{
    tBitmap bitmap;
    // Width 101 pads rows to 104 bytes; a display row holds 102.
    ASSERT_TRUE(bitmap.Create(101, 2));
    bitmap.DrawRow(0, std::vector<uint8_t>(104, 9));
    bitmap.DrawRow(0, std::vector<uint8_t>(102, 4));
    const std::vector<uint8_t> pixels = pixelBytes(bitmap);
    EXPECT_TRUE(
        std::all_of(pixels.begin(), pixels.begin() + 102, [](uint8_t b) { return b == 4; }));
    EXPECT_EQ(pixels[102], 9);
    EXPECT_EQ(pixels[103], 9);
    EXPECT_EQ(pixels[104], 0);
}

TEST(BitmapRows, DrawRowOutsideTheRowsDrawsNothing)
{
    tBitmap bitmap;
    ASSERT_TRUE(bitmap.Create(4, 3));
    const std::vector<uint8_t> before = blockBytes(bitmap);
    for (const int32_t y : {-1, 3, 1000}) {
        bitmap.DrawRow(y, std::vector<uint8_t>(4, 7));
    }
    EXPECT_EQ(blockBytes(bitmap), before);
}

TEST(BitmapRows, DrawRowOfAnEmptyArrayThrows)
{
    tBitmap bitmap;
    ASSERT_TRUE(bitmap.Create(4, 3));
    EXPECT_THROW(bitmap.DrawRow(0, {}), std::out_of_range);
}

class BitmapColumn : public ::testing::Test
{
protected:
    void SetUp() override { viewertest::bindBuildLibrary(); }

    // Element k holds k + 1, so every element is told apart from the zero fill.
    static std::vector<uint8_t> column(size_t upperBound)
    {
        std::vector<uint8_t> values(upperBound + 1);
        std::iota(values.begin(), values.end(), uint8_t{1});
        return values;
    }
};

TEST_F(BitmapColumn, ColumnGoesBottomUpWithElementZeroInTheFirstSpareRow)
{
    tBitmap bitmap;
    ASSERT_TRUE(bitmap.Create(8, 50));
    const std::vector<uint8_t> values = column(50);
    const int32_t x = 3;
    ASSERT_TRUE(bitmap.DrawColumn(x, values)) << "the library is needed";

    std::vector<uint8_t> expected(static_cast<size_t>(bitmap.blockSize()), 0);
    std::memcpy(expected.data(), bitmap.pBmp(), 1064);
    for (int row = 0; row <= 50; ++row) {
        expected[1064 + static_cast<size_t>(row) * 8 + x] = values[static_cast<size_t>(50 - row)];
    }
    EXPECT_EQ(blockBytes(bitmap), expected);
    EXPECT_EQ(bitmap.lHeight(), 50);
    // Element 50 at the bottom, element 1 on the top row, element 0 above it.
    EXPECT_EQ(bitmap.pixels()[x], values[50]);
    EXPECT_EQ(bitmap.pixels()[49 * 8 + x], values[1]);
    EXPECT_EQ(bitmap.pixels()[50 * 8 + x], values[0]);
}

TEST_F(BitmapColumn, ShorterColumnSetsTheRowCount)
{
    tBitmap bitmap;
    ASSERT_TRUE(bitmap.Create(4, 50));
    ASSERT_TRUE(bitmap.DrawColumn(0, column(30)));
    EXPECT_EQ(bitmap.lHeight(), 30);
    EXPECT_EQ(readI32At(bitmap.pBmp(), 8), 30);
    EXPECT_EQ(bitmap.pixels()[30 * 4], 1);
}

TEST_F(BitmapColumn, TallerColumnKeepsItsLowerPartAndStaysInTheBlock)
{
    tBitmap bitmap;
    ASSERT_TRUE(bitmap.Create(4, 50));
    const std::vector<uint8_t> values = column(80);
    ASSERT_TRUE(bitmap.DrawColumn(2, values));
    EXPECT_EQ(bitmap.lHeight(), 50);
    EXPECT_EQ(readI32At(bitmap.pBmp(), 8), 50);
    EXPECT_EQ(bitmap.pixels()[2], values[80]);
    EXPECT_EQ(bitmap.pixels()[49 * 4 + 2], values[31]);
    EXPECT_EQ(bitmap.pixels()[50 * 4 + 2], values[30]);
    const std::vector<uint8_t> bytes = blockBytes(bitmap);
    EXPECT_TRUE(std::all_of(bytes.begin() + 1064 + 51 * 4, bytes.end(), [](uint8_t b) {
        return b == 0;
    })) << "nothing above the first spare row";
}

TEST_F(BitmapColumn, ColumnOnRowsLongerThan8192StaysInTheBlock)
{
    tBitmap bitmap;
    ASSERT_TRUE(bitmap.Create(10000, 3));
    // Under the sanitizers a write past the block stops the run here.
    ASSERT_TRUE(bitmap.DrawColumn(9999, column(3)));
    EXPECT_EQ(bitmap.pixels()[3 * 10000 + 9999], 1);
}

TEST_F(BitmapColumn, ColumnOutsideTheRowThrowsAndWritesNothing)
{
    tBitmap bitmap;
    ASSERT_TRUE(bitmap.Create(5, 4));
    const std::vector<uint8_t> before = blockBytes(bitmap);
    EXPECT_THROW(bitmap.DrawColumn(8, column(4)), std::out_of_range);
    EXPECT_THROW(bitmap.DrawColumn(-1, column(4)), std::out_of_range);
    EXPECT_THROW(bitmap.DrawColumn(0, {}), std::out_of_range);
    EXPECT_EQ(blockBytes(bitmap), before);
    // The padding columns up to the row length are part of the row.
    EXPECT_TRUE(bitmap.DrawColumn(7, column(4)));
}

// Shifts on a 4 x 3 image whose bytes count 1..12 from the bottom row.
class BitmapShift : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(bitmap.Create(4, 3));
        fillCounting(bitmap);
    }

    tBitmap bitmap;
};

TEST_F(BitmapShift, RightMovesPixelsAlongAndWrapsRowEndsIntoTheRowAbove)
{
    bitmap.Shift(1, 0, 0, 0);
    const std::vector<uint8_t> expected = {1, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11};
    EXPECT_EQ(pixelBytes(bitmap), expected);
}

TEST_F(BitmapShift, LeftMovesPixelsBackAndWrapsRowStartsIntoTheRowBelow)
{
    bitmap.Shift(0, 0, 2, 0);
    const std::vector<uint8_t> expected = {3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 11, 12};
    EXPECT_EQ(pixelBytes(bitmap), expected);
}

TEST_F(BitmapShift, UpMovesWholeRowsAndKeepsTheUncoveredOne)
{
    bitmap.Shift(0, 1, 0, 0);
    const std::vector<uint8_t> expected = {1, 2, 3, 4, 1, 2, 3, 4, 5, 6, 7, 8};
    EXPECT_EQ(pixelBytes(bitmap), expected);
}

TEST_F(BitmapShift, DownMovesWholeRowsAndKeepsTheUncoveredOnes)
{
    bitmap.Shift(0, 0, 0, 2);
    const std::vector<uint8_t> expected = {9, 10, 11, 12, 5, 6, 7, 8, 9, 10, 11, 12};
    EXPECT_EQ(pixelBytes(bitmap), expected);
}

TEST_F(BitmapShift, ShiftByTheWholeImageOrMoreMovesNothing)
{
    const std::vector<uint8_t> before = blockBytes(bitmap);
    bitmap.Shift(12, 0, 0, 0);
    bitmap.Shift(0, 0, 500, 0);
    bitmap.Shift(0, 3, 0, 0);
    bitmap.Shift(0, 0, 0, 7);
    bitmap.Shift(0, 0, std::numeric_limits<int32_t>::max(), 0);
    EXPECT_EQ(blockBytes(bitmap), before);
}

TEST_F(BitmapShift, ShiftThatWouldLeaveThePixelAreaThrowsAndMovesNothing)
{
    const std::vector<uint8_t> before = blockBytes(bitmap);
    EXPECT_THROW(bitmap.Shift(-1, 0, 0, 0), std::out_of_range);
    EXPECT_THROW(bitmap.Shift(0, 0, 0, -1), std::out_of_range);
    EXPECT_THROW(bitmap.Shift(1, 2, 0, 1), std::out_of_range);
    EXPECT_EQ(blockBytes(bitmap), before);
}

TEST(BitmapTurn, Rotate90TurnsRowsIntoColumns)
{
    tBitmap bitmap;
    ASSERT_TRUE(bitmap.Create(4, 2));
    bitmap.SetBitmapColor(9, 0xABCDEF);
    bitmap.DrawRow(0, {'a', 'b', 'c', 'd'});
    bitmap.DrawRow(1, {'e', 'f', 'g', 'h'});
    ASSERT_TRUE(bitmap.Rotate90());
    // Two columns padded to a row length of 4, four rows.
    ASSERT_EQ(bitmap.lWidth(), 4);
    ASSERT_EQ(bitmap.lHeight(), 4);
    const std::vector<uint8_t> expected = {'a', 'e', 0, 0, 'b', 'f', 0, 0,
                                           'c', 'g', 0, 0, 'd', 'h', 0, 0};
    EXPECT_EQ(pixelBytes(bitmap), expected);
    EXPECT_EQ(bitmap.bitmapColor(9), 0xABCDEF);
    EXPECT_EQ(readI32At(bitmap.pBmp(), 4), 4);
    EXPECT_EQ(readI32At(bitmap.pBmp(), 8), 4);
}

TEST(BitmapTurn, Rotate90OfAPaddedImageReadsEachRowWithItsOwnLength)
{
    tBitmap bitmap;
    ASSERT_TRUE(bitmap.Create(3, 5)); // rows of 4 bytes, the last one padding
    fillCounting(bitmap);
    ASSERT_TRUE(bitmap.Rotate90());
    ASSERT_EQ(bitmap.lWidth(), 8);
    ASSERT_EQ(bitmap.lHeight(), 3);
    for (int i = 0; i < 5; ++i) {
        for (int j = 0; j < 3; ++j) {
            EXPECT_EQ(bitmap.pixels()[j * 8 + i], 1 + i * 4 + j) << "row " << i << " col " << j;
        }
    }
    EXPECT_EQ(bitmap.pixels()[5], 0);
}

TEST(BitmapColors, CopyColorsCopiesTheWholeTable)
{
    tBitmap from;
    tBitmap to;
    ASSERT_TRUE(from.Create(4, 4));
    ASSERT_TRUE(to.Create(8, 2));
    for (int16_t i = 0; i < 256; ++i) {
        from.SetBitmapColor(i, i * 0x010101);
    }
    to.DrawRow(0, std::vector<uint8_t>(8, 3));
    to.CopyColors(from);
    EXPECT_EQ(std::memcmp(to.pBmp() + 40, from.pBmp() + 40, 1024), 0);
    EXPECT_EQ(to.pixels()[0], 3);
    EXPECT_EQ(readI32At(to.pBmp(), 4), 8);
}

class BitmapFishSymbol : public ::testing::Test
{
protected:
    void SetUp() override
    {
        viewertest::bindBuildLibrary();
        ASSERT_TRUE(bitmap.Create(10, 10));
        for (int32_t y = 0; y < 10; ++y) {
            bitmap.DrawRow(y, std::vector<uint8_t>(12, 200));
        }
    }

    tBitmap bitmap;
};

TEST_F(BitmapFishSymbol, SmallestFishAtTheTopLandsInTheTopRowsAndKeepsItsTransparentPixels)
{
    ASSERT_TRUE(bitmap.DrawFish(4, 0, 0)) << "the library is needed";
    // Screen row 0 is bitmap row 9: "..000....", then ".01110..0".
    const uint8_t* top = bitmap.pixels() + 9 * bitmap.lWidth();
    const uint8_t expectedTop[10] = {200, 200, 0, 0, 0, 200, 200, 200, 200, 200};
    const uint8_t* second = bitmap.pixels() + 8 * bitmap.lWidth();
    const uint8_t expectedSecond[10] = {200, 0, 1, 1, 1, 0, 200, 200, 0, 200};
    for (int x = 0; x < 10; ++x) {
        EXPECT_EQ(top[x], expectedTop[x]) << "column " << x;
        EXPECT_EQ(second[x], expectedSecond[x]) << "column " << x;
    }
}

TEST_F(BitmapFishSymbol, SymbolOutsideZeroToFiveThrows)
{
    const std::vector<uint8_t> before = blockBytes(bitmap);
    EXPECT_THROW(bitmap.DrawFish(4, 0, 6), std::out_of_range);
    EXPECT_THROW(bitmap.DrawFish(4, 0, -1), std::out_of_range);
    EXPECT_EQ(blockBytes(bitmap), before);
}

TEST(BitmapMoves, MovingABitmapHandsOverItsBlock)
{
    tBitmap from;
    ASSERT_TRUE(from.Create(4, 4));
    uint8_t* block = from.pBmp();
    tBitmap to(std::move(from));
    EXPECT_EQ(to.pBmp(), block);
    EXPECT_EQ(to.lWidth(), 4);
    // A moved-from bitmap is empty, not dangling.
    EXPECT_EQ(from.pBmp(), nullptr);
    EXPECT_EQ(from.lWidth(), 0);
}

} // namespace
