// The chart a window talks to: remembers the pixel size it was created with and forwards
// everything to its bitmap (see tBitmap for what each operation promises).
#pragma once

#include "tBitmap.h"

#include <cstdint>
#include <vector>

class QPainter;

namespace brellix {

class tChart
{
public:
    tBitmap& Bitmap() { return m_bitmap; }
    const tBitmap& Bitmap() const { return m_bitmap; }

    // The size passed to the last successful Create.
    int32_t lChartPixelWidth() const { return m_pixelWidth; }
    int32_t lChartPixelHeight() const { return m_pixelHeight; }

    // False, keeping the old bitmap and size, when the bitmap cannot be created.
    bool Create(int32_t width, int32_t height);

    bool DrawColumn(int32_t x, const std::vector<uint8_t>& rcColumn)
    {
        return m_bitmap.DrawColumn(x, rcColumn);
    }
    void DrawRow(int32_t y, const std::vector<uint8_t>& row) { m_bitmap.DrawRow(y, row); }
    void SetColor(int16_t iIndex, int32_t RGBColor) { m_bitmap.SetBitmapColor(iIndex, RGBColor); }
    void Draw(QPainter& painter) const { m_bitmap.Draw(painter); }
    void StretchDraw(QPainter& painter, int32_t lDestX, int32_t lDestY, int32_t lDestWidth,
                     int32_t lDestHeight) const
    {
        m_bitmap.StretchDraw(painter, lDestX, lDestY, lDestWidth, lDestHeight);
    }
    void CopyColors(const tChart& other) { m_bitmap.CopyColors(other.m_bitmap); }
    bool DrawFish(int32_t x, int32_t y, int16_t FishIDSymbol)
    {
        return m_bitmap.DrawFish(x, y, FishIDSymbol);
    }
    bool Rotate90() { return m_bitmap.Rotate90(); }

    // iDelta > 0 moves the image iDelta columns right, < 0 left; rows wrap into their
    // neighbours and the caller redraws what was uncovered.
    void HScroll(int32_t iDelta);
    // iDelta > 0 moves the image iDelta rows up, < 0 down.
    void VScroll(int32_t iDelta);

private:
    tBitmap m_bitmap;
    int32_t m_pixelWidth = 0;
    int32_t m_pixelHeight = 0;
};

} // namespace brellix
