// A chart image: an 8-bit palette bitmap in one zero-filled memory block laid out as a
// device-independent bitmap, so the library writes pixels into it in place and a QImage shows
// it without copying:
//
//   [0, 40)              information header (width = row length, height = row count, bottom-up)
//   [40, 1064)           256 colour table entries: blue, green, red, 0
//   [1064, 1064 + L x R) pixels, row 0 the bottom row, L = row length, R = row count
//   then                 spare bytes, zero and never drawn: max(8192, L), so a column's element 0
//                        always has a row above the top to go to
//
// Until a successful Create there is no block: the drawing operations then do nothing, and
// every column or row index is out of range. Index arguments outside their range throw
// std::out_of_range and change nothing.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

class QImage;
class QPainter;

namespace brellix {

class tBitmap
{
public:
    static constexpr int32_t kHeaderSize = 40;
    static constexpr int32_t kColorTableSize = 1024;
    static constexpr int32_t kPixelOffset = kHeaderSize + kColorTableSize;
    static constexpr int32_t kSpareBytes = 8192;

    tBitmap() = default;
    ~tBitmap();
    tBitmap(const tBitmap&) = delete;
    tBitmap& operator=(const tBitmap&) = delete;
    tBitmap(tBitmap&& other) noexcept;
    tBitmap& operator=(tBitmap&& other) noexcept;

    // The row length: the width passed to Create rounded up to a multiple of 4; 0 without a
    // block.
    int32_t lWidth() const { return m_rowLength; }
    // The row count: the height passed to Create, or the last column's upper bound.
    int32_t lHeight() const { return m_rowCount; }
    // The block; nullptr when there is none.
    uint8_t* pBmp() const { return m_block.get(); }
    // The block's size in bytes; 0 when there is none.
    int64_t blockSize() const { return m_blockSize; }
    // The pixel area (row 0 the bottom row); nullptr when there is no block.
    uint8_t* pixels() const { return m_block ? m_block.get() + kPixelOffset : nullptr; }

    // Replaces the block with a new black, zero-filled one of width x height pixels. False,
    // keeping the old block and everything in it, when either is not positive, the block would
    // pass the 32-bit sizes the library and the drawing take, or memory runs out.
    bool Create(int32_t width, int32_t height);

    // Colour table entry iIndex (0 to 255) from red + 256 x green + 65536 x blue.
    void SetBitmapColor(int16_t iIndex, int32_t color);
    // Colour table entry iIndex as red + 256 x green + 65536 x blue; 0 without a block.
    int32_t bitmapColor(int16_t iIndex) const;

    // Copies the row array, from element 0, into pixel row y: at most a row length of bytes and
    // never more than the array holds. A y outside 0 .. row count - 1 draws nothing and leaves
    // only a debug trace. std::out_of_range for an empty array.
    void DrawRow(int32_t y, const std::vector<uint8_t>& row);

    // Writes column x (0 .. row length - 1) from a column array of upper bound n through the
    // library's ColumnCopy: element n in row 0 (bottom), element 1 in the top row, element 0 in
    // the first spare row; the row count becomes n. A column taller than the created height
    // keeps its lower part: the row count stays at that height and nothing is written past the
    // first spare row. std::out_of_range for an empty array or x outside the row; false when
    // the library or the export is missing (nothing written, row count unchanged).
    bool DrawColumn(int32_t x, const std::vector<uint8_t>& rcColumn);

    // Draws the whole bitmap (row length x row count) stretched into the destination
    // rectangle, pixel for pixel without smoothing; negative sizes mirror it.
    void StretchDraw(QPainter& painter, int32_t lDestX, int32_t lDestY, int32_t lDestWidth,
                     int32_t lDestHeight) const;
    // Draws the whole bitmap unscaled at (0, 0).
    void Draw(QPainter& hDestDC) const;

    // One overlap-safe move through the pixel area: row length x (row count - |dy1 - dy2|) -
    // |dx1 - dx2| bytes from offset dy2 x row length + dx2 to dy1 x row length + dx1, so pixels
    // that leave a row wrap into the next. Moves nothing when that length is not positive
    // (a scroll by the whole image or more). std::out_of_range for a negative argument or a
    // move that would leave the pixel area.
    void Shift(int32_t dx1, int32_t dy1, int32_t dx2, int32_t dy2);

    // Copies other's colour table over this one's; nothing when either has no block.
    void CopyColors(const tBitmap& other);

    // Stamps fish symbol FishIDSymbol (0 to 5) with its centre at column x and its top at
    // screen row y (counted from the top), clipped to the image, through the library's
    // FishDraw. std::out_of_range for another symbol; false when the library or the export is
    // missing.
    bool DrawFish(int32_t x, int32_t y, int16_t FishIDSymbol);

    // Turns the image a quarter turn: width and height exchange, source row i (from the bottom)
    // becomes column i. Keeps the colours. False, unchanged, when the new block cannot be had.
    bool Rotate90();

    // A QImage over the pixel area (no copy) with the colour table; its rows run bottom-up,
    // so it shows the chart upside down. Valid until the next Create or Rotate90. A null image
    // without a block or with no rows.
    QImage image() const;

private:
    void ReleaseBits();
    void CopyRowBytes(int32_t y, const uint8_t* source, int32_t count);
    void writeHeight();
    int32_t pixelBytes() const { return m_rowLength * m_rowCount; }
    uint8_t* pixelRow(int32_t y) const { return pixels() + static_cast<int64_t>(y) * m_rowLength; }

    std::unique_ptr<uint8_t[]> m_block;
    int64_t m_blockSize = 0;
    int32_t m_rowLength = 0;
    int32_t m_rowCount = 0;
    // The rows the pixel area was made for; the row count never passes it.
    int32_t m_capacityRows = 0;
    int32_t m_requestedWidth = 0;
    int32_t m_requestedHeight = 0;
};

} // namespace brellix
