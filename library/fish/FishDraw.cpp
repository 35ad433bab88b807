#include "FishDraw.h"

#include "FishSymbol.h"

#include <cstddef>

namespace vantrel {

void drawFish(uint8_t* pixels, int32_t rowLength, int32_t rowCount, int32_t x, int32_t y,
              int16_t symbol)
{
    // The viewer only sends 0..5; any other number would read past the table.
    const FishSymbol* fish = findFishSymbol(symbol);
    if (fish == nullptr || rowLength <= 0 || rowCount <= 0) {
        return;
    }
    // 64-bit positions: a symbol placed near the integer limits is clipped, not wrapped.
    const int64_t left = int64_t{x} - fish->width / 2;
    for (int32_t i = 0; i < fish->height; ++i) {
        const int64_t screenRow = int64_t{y} + i;
        if (screenRow < 0 || screenRow >= rowCount) {
            continue;
        }
        const auto bitmapRow = static_cast<std::size_t>(int64_t{rowCount} - 1 - screenRow);
        uint8_t* row = pixels + bitmapRow * static_cast<std::size_t>(rowLength);
        for (int32_t j = 0; j < fish->width; ++j) {
            const int64_t c = left + j;
            if (c < 0 || c >= rowLength) {
                continue;
            }
            const uint8_t value = fish->pixel(i, j);
            if (value != FishSymbol::transparent) {
                row[c] = value;
            }
        }
    }
}

} // namespace vantrel
