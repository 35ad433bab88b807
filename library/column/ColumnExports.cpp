// The C surface of the column operations.
#include <vantrel/vantrel.h>

#include "ColumnConvert.h"
#include "ColumnCopy.h"
#include "ColumnScale.h"

extern "C" {

VANTREL_EXPORT int32_t ColumnScale(int32_t srcStart, int32_t srcCount, const uint8_t* src,
                                   int32_t dstStart, int32_t dstCount, uint8_t* dst)
{
    if (srcCount <= 0 || dstCount <= 0) {
        return 0;
    }
    vantrel::scaleColumn(src + srcStart, srcCount, dst + dstStart, dstCount);
    return 0;
}

VANTREL_EXPORT int32_t ColumnConvert(uint8_t* column, int32_t count, int16_t threshold,
                                     const int16_t* widths, int32_t surfaceIndex,
                                     int32_t bottomIndex, int16_t clearToBottom,
                                     const uint8_t* table0, const uint8_t* table1,
                                     const uint8_t* table2)
{
    const vantrel::ColumnPalette palette{{table0, table1, table2}, widths};
    const vantrel::ColumnSections sections{surfaceIndex, bottomIndex, clearToBottom != 0};
    vantrel::convertColumn(column, count, threshold, palette, sections);
    return 0;
}

VANTREL_EXPORT int32_t ColumnCopy(uint8_t* dst, const uint8_t* src, int32_t step, int32_t n)
{
    vantrel::copyColumn(dst, src, step, n);
    return 0;
}

} // extern "C"
