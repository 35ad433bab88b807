// Stamping a fish symbol into the caller's 8-bit bitmap, clipped at its edges.
#pragma once

#include <cstdint>

namespace vantrel {

// Stamps fish symbol number symbol into an 8-bit bitmap of rowCount rows of rowLength bytes,
// stored bottom row first. x is the column of the symbol's centre and y the row of its top
// counted from the top of the bitmap. Transparent pixels leave the bitmap as it is; pixels
// outside it are skipped one by one, never wrapped. An unknown symbol number draws nothing.
void drawFish(uint8_t* pixels, int32_t rowLength, int32_t rowCount, int32_t x, int32_t y,
              int16_t symbol);

} // namespace vantrel
