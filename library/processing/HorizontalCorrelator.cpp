#include "HorizontalCorrelator.h"

#include <algorithm>
#include <cstring>

namespace vantrel {

void HorizontalCorrelator::restart()
{
    m_resetPending = true;
}

void HorizontalCorrelator::apply(uint8_t* column, int32_t count, int16_t level)
{
    if (count <= 0) {
        return;
    }
    // More cells than a history row holds is a caller error; correlate what fits.
    const int32_t cells = std::min(count, maxProcessedCells);

    if (m_resetPending) {
        for (Row& row : m_history) {
            row.fill(255);
        }
        m_resetPending = false;
    }

    m_position = static_cast<int16_t>((m_position + historyRows - 1) % historyRows);
    Row& newest = m_history[static_cast<std::size_t>(m_position)];
    std::copy_n(column, cells, newest.begin());
    std::fill(newest.begin() + cells, newest.end(), uint8_t{0});

    // N = level + 1 columns, at most 5; row m = 0 is the column itself and m = 4 is it again,
    // so only the rows m = 1 .. min(N, 4) - 1 can lower a cell.
    const int32_t combined = std::min(level + 1, historyRows + 1);
    std::array<const uint8_t*, historyRows - 1> older{};
    std::size_t olderCount = 0;
    for (int32_t m = 1; m < std::min(combined, historyRows); ++m) {
        older[olderCount++] =
            m_history[static_cast<std::size_t>((m_position + m) % historyRows)].data();
    }
    if (olderCount == 0) {
        return;
    }

    // One pass over the column with every older row at once (a row counted twice does no harm).
    const uint8_t* a = older[0];
    const uint8_t* b = olderCount > 1 ? older[1] : a;
    const uint8_t* c = olderCount > 2 ? older[2] : b;
    // Blocks of fixed length through a local buffer, with pairwise minimums: -O2 vectorises
    // that, but not a loop of unknown length whose column might overlap the history.
    constexpr int32_t block = 16;
    int32_t i = 0;
    for (; i + block <= cells; i += block) {
        std::array<uint8_t, block> lowest;
        for (int32_t k = 0; k < block; ++k) {
            lowest[static_cast<std::size_t>(k)] =
                std::min(std::min(column[i + k], a[i + k]), std::min(b[i + k], c[i + k]));
        }
        std::memcpy(column + i, lowest.data(), lowest.size());
    }
    for (; i < cells; ++i) {
        column[i] = std::min({column[i], a[i], b[i], c[i]});
    }
}

} // namespace vantrel
