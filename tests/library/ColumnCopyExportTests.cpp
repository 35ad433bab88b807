// ColumnCopy: a display column into a bottom-up bitmap.
#include "ExportTestSupport.h"
#include <vantrel/vantrel.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace {

using exporttest::kByteSentinel;

TEST(ColumnCopy, StepEightAndNTwoWritesThreeBytesReversed)
{
    const std::vector<uint8_t> src = {1, 2, 3, 4};
    std::vector<uint8_t> dst(24, kByteSentinel);
    EXPECT_EQ(ColumnCopy(dst.data(), src.data(), 8, 2), 0);
    std::vector<uint8_t> expected(24, kByteSentinel);
    expected[0] = 3;
    expected[8] = 2;
    expected[16] = 1;
    EXPECT_EQ(dst, expected);
}

TEST(ColumnCopy, FillsOneBitmapColumnBottomRowFirst)
{
    // A bitmap of 5 rows of 7 bytes plus the spare row above; column 3.
    constexpr int32_t rowLength = 7;
    constexpr int32_t rows = 5;
    std::vector<uint8_t> bitmap((rows + 1) * rowLength, kByteSentinel);
    std::vector<uint8_t> column(rows + 1);
    for (size_t i = 0; i < column.size(); ++i) {
        column[i] = static_cast<uint8_t>(100 + i);
    }
    ColumnCopy(bitmap.data() + 3, column.data(), rowLength, rows);
    for (int32_t row = 0; row <= rows; ++row) {
        for (int32_t x = 0; x < rowLength; ++x) {
            const uint8_t got = bitmap[static_cast<size_t>(row * rowLength + x)];
            if (x == 3) {
                EXPECT_EQ(got, column[static_cast<size_t>(rows - row)]) << row;
            } else {
                EXPECT_EQ(got, kByteSentinel) << row << "," << x;
            }
        }
    }
}

TEST(ColumnCopy, NZeroWritesOneByte)
{
    const std::vector<uint8_t> src = {42};
    std::vector<uint8_t> dst(3, kByteSentinel);
    ColumnCopy(dst.data(), src.data(), 1, 0);
    EXPECT_EQ(dst, (std::vector<uint8_t>{42, kByteSentinel, kByteSentinel}));
}

TEST(ColumnCopy, NegativeNWritesNothing)
{
    const std::vector<uint8_t> src = {1, 2};
    std::vector<uint8_t> dst(3, kByteSentinel);
    ColumnCopy(dst.data(), src.data(), 1, -1);
    EXPECT_EQ(dst, std::vector<uint8_t>(3, kByteSentinel));
}

TEST(ColumnCopy, WritesInOrderFromTheBottomRowUp)
{
    // Copying a column onto itself shows the order: from k = 0 the first half is already
    // overwritten when the second half reads it.
    std::vector<uint8_t> column = {10, 20, 30, 40};
    ColumnCopy(column.data(), column.data(), 1, 3);
    EXPECT_EQ(column, (std::vector<uint8_t>{40, 30, 30, 40}));
}

} // namespace
