// FishDraw: the six symbols checked pixel by pixel against their pictures, and clipping.
#include <vantrel/vantrel.h>

#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <cstdio>
#include <sstream>
#include <string>
#include <vector>

namespace {

// The pictures as the format describes them: "." transparent, digits palette indexes, the
// top row first, the head to the left. Parsed here so that a wrong pixel in the library's
// table fails, whatever form the table takes.
const char* const pictureText = R"(
Symbol 0: 9 wide, 5 high

    ..000....
    .01110..0
    01222300.
    .03330..0
    ..000....

Symbol 1: 13 wide, 7 high

    ...0000......
    ..011110....0
    .01112220..0.
    01122223300..
    .02223330..0.
    ..033330....0
    ...0000......

Symbol 2: 19 wide, 11 high

    ......000..........
    ....0011100.......0
    ...011111110.....00
    ..01111121210...00.
    .0112121222220000..
    0112122222323330...
    .0222223232330000..
    ..03232333330...00.
    ...033333330.....00
    ....0033300.......0
    ......000..........

Symbol 3: 27 wide, 15 high

    ........000000.............
    ......0011111100...........
    .....011111111110.........0
    ....01111111111110.......00
    ...0111111121212120.....00.
    ..011111212121212120..000..
    .01112121222222223230030...
    01112122222222223233330....
    .01212222222232323330030...
    ..023232323232333330..000..
    ...0232323233333330.....00.
    ....03333333333330.......00
    .....033333333330.........0
    ......0033333300...........
    ........000000.............

Symbol 4: 33 wide, 19 high

    ..........0000000................
    ........00111111100..............
    .......0111111111110............0
    ......011111111111110..........00
    .....01111111212121210........00.
    ....0111112121212121210......00..
    ...011121212121212222220...000...
    ..0111212121222222222223000330...
    .0111212122222222222223233330....
    01112121222222222223232333330....
    .0121222222222222232323333330....
    ..0122222222222323232333000330...
    ...022222232323232323330...000...
    ....0323232323232333330......00..
    .....03232323233333330........00.
    ......033333333333330..........00
    .......0333333333330............0
    ........00333333300..............
    ..........0000000................

Symbol 5: 41 wide, 23 high

    .............0000000.....................
    ...........00111111100...................
    .........001111111111100................0
    ........01111111111111110..............00
    .......0111111111111111110............00.
    ......011111111111111111110..........00..
    .....01111111212121212121210........00...
    ....0111112121212121212121210......00....
    ...011121212121212121222222220...0000....
    ..0111212121212122222222222223000330.....
    .01112121212222222222222222232333330.....
    01112121222222222222222223232333330......
    .01212222222222222222232323233333330.....
    ..0122222222222223232323232333000330.....
    ...022222222323232323232323330...0000....
    ....0323232323232323232333330......00....
    .....03232323232323233333330........00...
    ......033333333333333333330..........00..
    .......0333333333333333330............00.
    ........03333333333333330..............00
    .........003333333333300................0
    ...........00333333300...................
    .............0000000.....................
)";

struct Picture
{
    int width = 0;
    int height = 0;
    std::vector<std::string> rows;
};

std::vector<Picture> parsePictures()
{
    std::vector<Picture> pictures;
    std::istringstream text(pictureText);
    std::string line;
    while (std::getline(text, line)) {
        int number = 0;
        Picture picture;
        if (std::sscanf(line.c_str(), "Symbol %d: %d wide, %d high", &number, &picture.width,
                        &picture.height) == 3) {
            EXPECT_EQ(number, static_cast<int>(pictures.size()));
            pictures.push_back(picture);
        } else if (line.rfind("    ", 0) == 0 && !pictures.empty()) {
            pictures.back().rows.push_back(line.substr(4));
        }
    }
    return pictures;
}

const std::vector<Picture>& pictures()
{
    static const std::vector<Picture> parsed = parsePictures();
    return parsed;
}

constexpr uint8_t background = 200;

// An 8-bit bitmap stored bottom row first, sized exactly so the sanitizer sees any stray write.
struct Bitmap
{
    Bitmap(int32_t length, int32_t count, uint8_t fill)
        : rowLength(length), rowCount(count),
          pixels(static_cast<std::size_t>(length > 0 && count > 0 ? length * count : 0), fill)
    {
    }

    // Pixel at a screen row counted from the top.
    uint8_t at(int32_t screenRow, int32_t column) const
    {
        return pixels[static_cast<std::size_t>((rowCount - 1 - screenRow) * rowLength + column)];
    }

    int32_t draw(int32_t x, int32_t y, int16_t symbol)
    {
        return FishDraw(pixels.data(), rowLength, rowCount, x, y, symbol);
    }

    int32_t rowLength;
    int32_t rowCount;
    std::vector<uint8_t> pixels;
};

// What stamping a picture must leave, placed by its centre column and top row, worked out on
// screen coordinates in 64 bits so the extreme placements below stay meaningful.
Bitmap expectedStamp(const Picture& picture, const Bitmap& before, int64_t x, int64_t y)
{
    Bitmap after = before;
    const int64_t left = x - picture.width / 2;
    for (int i = 0; i < picture.height; ++i) {
        for (int j = 0; j < picture.width; ++j) {
            const int64_t row = y + i;
            const int64_t column = left + j;
            const char c = picture.rows[static_cast<std::size_t>(i)][static_cast<std::size_t>(j)];
            if (c == '.' || row < 0 || row >= before.rowCount || column < 0 ||
                column >= before.rowLength) {
                continue;
            }
            after.pixels[static_cast<std::size_t>((before.rowCount - 1 - row) * before.rowLength +
                                                  column)] = static_cast<uint8_t>(c - '0');
        }
    }
    return after;
}

TEST(FishPictures, CopyInTheTestIsWellFormed)
{
    ASSERT_EQ(pictures().size(), 6u);
    for (const Picture& picture : pictures()) {
        ASSERT_EQ(static_cast<int>(picture.rows.size()), picture.height);
        for (const std::string& row : picture.rows) {
            ASSERT_EQ(static_cast<int>(row.size()), picture.width) << row;
            ASSERT_EQ(row.find_first_not_of(".0123"), std::string::npos) << row;
        }
    }
}

TEST(FishDraw, EverySymbolMatchesItsPicturePixelForPixel)
{
    ASSERT_EQ(pictures().size(), 6u);
    for (int16_t symbol = 0; symbol < 6; ++symbol) {
        SCOPED_TRACE(symbol);
        const Picture& picture = pictures()[static_cast<std::size_t>(symbol)];
        // Three spare columns and two spare rows on every side show the symbol's extent.
        Bitmap bitmap(picture.width + 6, picture.height + 4, background);
        ASSERT_EQ(bitmap.draw(3 + picture.width / 2, 2, symbol), 0);
        for (int32_t r = 0; r < bitmap.rowCount; ++r) {
            for (int32_t c = 0; c < bitmap.rowLength; ++c) {
                const int i = r - 2;
                const int j = c - 3;
                uint8_t expected = background;
                if (i >= 0 && i < picture.height && j >= 0 && j < picture.width) {
                    const char p =
                        picture.rows[static_cast<std::size_t>(i)][static_cast<std::size_t>(j)];
                    expected = p == '.' ? background : static_cast<uint8_t>(p - '0');
                }
                ASSERT_EQ(bitmap.at(r, c), expected) << "screen row " << r << " column " << c;
            }
        }
    }
}

TEST(FishDraw, TransparentPixelsKeepWhatTheBitmapHeld)
{
    for (uint8_t fill : {uint8_t{0}, uint8_t{1}, uint8_t{3}, uint8_t{255}}) {
        for (int16_t symbol = 0; symbol < 6; ++symbol) {
            const Picture& picture = pictures()[static_cast<std::size_t>(symbol)];
            Bitmap bitmap(picture.width, picture.height, fill);
            // Vary the old pixels so a write of any constant shows.
            for (std::size_t k = 0; k < bitmap.pixels.size(); ++k) {
                bitmap.pixels[k] = static_cast<uint8_t>(fill + k % 7 * 20);
            }
            const Bitmap before = bitmap;
            bitmap.draw(picture.width / 2, 0, symbol);
            EXPECT_EQ(bitmap.pixels, expectedStamp(picture, before, picture.width / 2, 0).pixels)
                << "symbol " << symbol << " fill " << int{fill};
        }
    }
}

TEST(FishDraw, SymbolZeroAtTheTopLeftLandsInTheTopBitmapRow)
{
    Bitmap bitmap(10, 10, background);
    ASSERT_EQ(bitmap.draw(4, 0, 0), 0);
    // Bitmap row 9 is the top screen row: "..000...." over columns 0..8.
    const uint8_t* top = &bitmap.pixels[9 * 10];
    const std::vector<uint8_t> topRow(top, top + 10);
    EXPECT_EQ(topRow, (std::vector<uint8_t>{background, background, 0, 0, 0, background, background,
                                            background, background, background}));
    // ".01110..0" in the next row down ends in column 8; column 9 is never touched.
    const uint8_t* second = &bitmap.pixels[8 * 10];
    EXPECT_EQ(
        std::vector<uint8_t>(second, second + 10),
        (std::vector<uint8_t>{background, 0, 1, 1, 1, 0, background, background, 0, background}));
    // Five rows high: bitmap rows 0..4 stay as they were.
    EXPECT_EQ(std::vector<uint8_t>(bitmap.pixels.begin(), bitmap.pixels.begin() + 50),
              std::vector<uint8_t>(50, background));
}

TEST(FishDraw, SymbolAtTheLeftEdgeIsClippedNotWrapped)
{
    const Picture& picture = pictures()[5];
    Bitmap bitmap(30, 40, background);
    const Bitmap before = bitmap;
    bitmap.draw(0, 5, 5);
    EXPECT_EQ(bitmap.pixels, expectedStamp(picture, before, 0, 5).pixels);
    // Picture column 20 (the centre) lands in column 0; columns -20..-1 are dropped, so the
    // right end of the row below in memory keeps its old pixels.
    EXPECT_EQ(bitmap.at(5 + 11, 0), static_cast<uint8_t>(picture.rows[11][20] - '0'));
    for (int32_t r = 0; r < bitmap.rowCount; ++r) {
        for (int32_t c = 21; c < bitmap.rowLength; ++c) {
            ASSERT_EQ(bitmap.at(r, c), background) << "screen row " << r << " column " << c;
        }
    }
}

TEST(FishDraw, SymbolTwoRowsAboveTheBottomDrawsOnlyItsFirstTwoRows)
{
    Bitmap bitmap(10, 10, background);
    bitmap.draw(4, 8, 0);
    // Screen rows 8 and 9 are bitmap rows 1 and 0.
    const Picture& picture = pictures()[0];
    const auto value = [](char p) { return p == '.' ? background : static_cast<uint8_t>(p - '0'); };
    for (std::size_t c = 0; c < 9; ++c) {
        EXPECT_EQ(bitmap.pixels[10 + c], value(picture.rows[0][c])) << "column " << c;
        EXPECT_EQ(bitmap.pixels[c], value(picture.rows[1][c])) << "column " << c;
    }
    EXPECT_EQ(bitmap.pixels[9], background);
    EXPECT_EQ(bitmap.pixels[19], background);
    EXPECT_EQ(std::vector<uint8_t>(bitmap.pixels.begin() + 20, bitmap.pixels.end()),
              std::vector<uint8_t>(80, background));
}

struct Placement
{
    int16_t symbol;
    int32_t rowLength;
    int32_t rowCount;
    int32_t x;
    int32_t y;
};

const Placement placements[] = {
    {0, 10, 10, 4, 0},          // fits exactly at the top left
    {0, 9, 5, 4, 0},            // fills a bitmap of its own size
    {1, 20, 20, 19, 3},         // right half clipped
    {1, 20, 20, 25, 3},         // only the tail column left in view
    {1, 20, 20, 26, 3},         // just off the right edge
    {2, 30, 30, 10, -5},        // top rows above the bitmap
    {2, 30, 30, 10, -10},       // only the last row in view
    {2, 30, 30, 10, -11},       // just above the bitmap
    {3, 30, 30, 13, 20},        // bottom rows below the bitmap
    {3, 30, 30, 13, 30},        // just below the bitmap
    {4, 20, 15, -3, -2},        // clipped on two sides
    {5, 41, 23, 20, 0},         // exactly the bitmap
    {5, 30, 10, 15, -6},        // taller and wider than the bitmap
    {5, 1, 1, 0, -11},          // a one-pixel bitmap under the centre row
    {5, 50, 50, -21, 10},       // just off the left edge
    {4, 50, 50, INT32_MAX, 10}, // positions at the integer limits draw nothing and never wrap
    {4, 50, 50, INT32_MIN, 10},
    {4, 50, 50, 20, INT32_MAX},
    {4, 50, 50, 20, INT32_MIN},
    {4, 50, 50, INT32_MIN + 5, INT32_MIN + 5},
};

TEST(FishDraw, PixelsOutsideTheBitmapAreSkippedOneByOne)
{
    for (const Placement& p : placements) {
        SCOPED_TRACE(testing::Message() << "symbol " << p.symbol << " on " << p.rowLength << " x "
                                        << p.rowCount << " at " << p.x << ", " << p.y);
        Bitmap bitmap(p.rowLength, p.rowCount, background);
        const Bitmap before = bitmap;
        EXPECT_EQ(bitmap.draw(p.x, p.y, p.symbol), 0);
        EXPECT_EQ(
            bitmap.pixels,
            expectedStamp(pictures()[static_cast<std::size_t>(p.symbol)], before, p.x, p.y).pixels);
    }
}

TEST(FishDraw, EmptyOrNegativeBitmapSizesDrawNothing)
{
    std::vector<uint8_t> guard(64, background);
    for (const auto& [length, count] : {std::pair{0, 8}, std::pair{8, 0}, std::pair{-8, 8},
                                        std::pair{8, -8}, std::pair{-1, -1}}) {
        EXPECT_EQ(FishDraw(guard.data(), length, count, 4, 0, 0), 0);
        EXPECT_EQ(guard, std::vector<uint8_t>(64, background)) << length << " x " << count;
    }
}

TEST(FishDraw, UnknownSymbolNumberDrawsNothing)
{
    for (int16_t symbol :
         {int16_t{6}, int16_t{7}, int16_t{-1}, int16_t{SHRT_MAX}, int16_t{SHRT_MIN}}) {
        Bitmap bitmap(60, 60, background);
        EXPECT_EQ(bitmap.draw(30, 10, symbol), 0);
        EXPECT_EQ(bitmap.pixels, std::vector<uint8_t>(3600, background)) << "symbol " << symbol;
    }
}

TEST(FishDraw, LaterSymbolsDrawOverEarlierOnesExceptWhereTransparent)
{
    const Picture& small = pictures()[0];
    const Picture& large = pictures()[3];
    Bitmap bitmap(40, 30, background);
    const Bitmap empty = bitmap;
    bitmap.draw(20, 10, 0);
    bitmap.draw(18, 5, 3);
    const Bitmap expected = expectedStamp(large, expectedStamp(small, empty, 20, 10), 18, 5);
    EXPECT_EQ(bitmap.pixels, expected.pixels);
}

} // namespace
