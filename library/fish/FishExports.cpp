#include "FishDraw.h"
#include <vantrel/vantrel.h>

extern "C" int32_t FishDraw(uint8_t* pixels, int32_t rowLength, int32_t rowCount, int32_t x,
                            int32_t y, int16_t symbol)
{
    vantrel::drawFish(pixels, rowLength, rowCount, x, y, symbol);
    return 0;
}
