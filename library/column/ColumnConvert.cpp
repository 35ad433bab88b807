#include "ColumnConvert.h"

#include <cstring>

namespace vantrel {

void convertColumn(uint8_t* column, int32_t count, int16_t threshold, const ColumnPalette& palette,
                   const ColumnSections& sections)
{
    int s = sections.surfaceIndex < 0 ? 1 : 0;
    int32_t i = 0;
    if (sections.bottomIndex > 0 && sections.clearToBottom) {
        // A bottom index past the column is the caller's fault; clear only what is there.
        const int32_t clear = sections.bottomIndex < count ? sections.bottomIndex : count;
        if (clear > 0) {
            std::memset(column, palette.tables[1][0], static_cast<std::size_t>(clear));
        }
        i = sections.bottomIndex;
        s = 1;
    }

    const uint8_t* table = palette.tables[s];
    int w = palette.blackLineWidths[s];
    bool inEcho = false;
    int countdown = 0;
    for (; i < count; ++i) {
        const uint8_t v = column[i];
        // Two steps at most when the caller keeps its promise; the clamp keeps a caller
        // that does not inside the three sections.
        if ((i == sections.surfaceIndex || i == sections.bottomIndex) && s < 2) {
            ++s;
            table = palette.tables[s];
            w = palette.blackLineWidths[s];
        }
        uint8_t out;
        if (v < threshold) {
            out = table[0];
            inEcho = false;
        } else if (!inEcho && w != 0) {
            countdown = w - 1;
            out = table[1];
            inEcho = true;
        } else if (countdown != 0) {
            --countdown;
            out = table[1];
        } else {
            out = table[v];
        }
        column[i] = out;
    }
}

} // namespace vantrel
