// The surface clutter filter: running averages per cell, subtracted near the surface and
// fading out with depth.
#pragma once

#include "ProcessingLimits.h"

#include <array>
#include <cstdint>

namespace vantrel {

// Surface clutter removal: each cell keeps a running average of its intensity (16 times an
// exponential average with factor 1/16), and in the zone from the top of the column down to a
// little below the surface the cell loses that average, weighted k at the top and fading to 0.
class SurfaceClutterFilter
{
public:
    // Selects the clarity level (0 Off, 1 Low, 2 Medium, 3 High; anything else acts as Off) and
    // has the next column seed the averages.
    void restart(int32_t clarityLevel);

    // Removes the clutter from column[0, count) in place; a count above maxProcessedCells
    // handles the first maxProcessedCells cells, a count of 0 or below changes nothing.
    void apply(uint8_t* column, int32_t count, int32_t surfaceCellIndex);

    int32_t clarityLevel() const { return m_clarityLevel; }
    bool resetPending() const { return m_resetPending; }
    // Sixteen times the running average of cell; cell in [0, maxProcessedCells).
    int32_t average(int32_t cell) const { return m_averages[static_cast<std::size_t>(cell)]; }

private:
    // Follows the cell by 1/16 of the step towards intensity; returns the new mean.
    int32_t track(int32_t cell, int32_t intensity);

    std::array<int32_t, maxProcessedCells> m_averages{};
    int32_t m_clarityLevel = 0;
    bool m_resetPending = false;
};

} // namespace vantrel
