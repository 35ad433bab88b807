// The correlation across columns: a ring of the last four columns processed, each new column
// lowered to its minimum over the last level + 1 of them.
#pragma once

#include "ProcessingLimits.h"

#include <array>
#include <cstdint>

namespace vantrel {

// Horizontal correlation: keeps the last four columns and lowers each cell to its minimum over
// the newest columns, so only echoes present in several consecutive soundings survive.
class HorizontalCorrelator
{
public:
    static constexpr int32_t historyRows = 4;

    // Has the next column fill the history with 255 first, so missing history never darkens.
    void restart();

    // Records column[0, count) as the newest column and correlates it in place over the last
    // level + 1 columns (at most 5, the newest then counting twice); a level below 0 correlates
    // nothing. A count above maxProcessedCells handles the first maxProcessedCells cells; a
    // count of 0 or below changes nothing, not even the history.
    void apply(uint8_t* column, int32_t count, int16_t level);

    // Row of the newest column; the ring runs backwards: 0, 3, 2, 1, 0, ...
    int16_t position() const { return m_position; }
    bool resetPending() const { return m_resetPending; }

private:
    using Row = std::array<uint8_t, maxProcessedCells>;

    std::array<Row, historyRows> m_history{};
    int16_t m_position = 0;
    bool m_resetPending = false;
};

} // namespace vantrel
