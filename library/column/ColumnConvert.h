// Conversion of range-cell intensities to palette indexes, with black lines at echo starts.
#pragma once

#include <cstdint>

namespace vantrel {

// One colour table section per depth section (surface, water column, bottom): entry 0 the
// no-echo index, entry 1 the black-line index, entries 2-255 the gradient. 256 entries each.
struct ColumnPalette
{
    const uint8_t* tables[3];
    const int16_t* blackLineWidths; // three cell counts, one per section
};

struct ColumnSections
{
    int32_t surfaceIndex; // cell where section 1 begins; below 0 when above the column
    int32_t bottomIndex;  // cell where the next section begins
    bool clearToBottom;   // everything above the bottom shows the water column's no-echo
};

// Converts column[0, count) in place. Cells below threshold show their section's no-echo
// index; every echo after a gap starts with a black line of its section's width.
void convertColumn(uint8_t* column, int32_t count, int16_t threshold, const ColumnPalette& palette,
                   const ColumnSections& sections);

} // namespace vantrel
