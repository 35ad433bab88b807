#include "SurfaceClutterFilter.h"

#include <algorithm>

namespace vantrel {

void SurfaceClutterFilter::restart(int32_t clarityLevel)
{
    m_clarityLevel = clarityLevel;
    m_resetPending = true;
}

int32_t SurfaceClutterFilter::track(int32_t cell, int32_t intensity)
{
    int32_t& average = m_averages[static_cast<std::size_t>(cell)];
    average = average + intensity - (average >> 4);
    return average >> 4;
}

void SurfaceClutterFilter::apply(uint8_t* column, int32_t count, int32_t surfaceCellIndex)
{
    if (count <= 0) {
        return;
    }
    // A printer chart can be taller than the averages; its lower cells pass untouched.
    const int32_t cells = std::min(count, maxProcessedCells);

    // Seeding comes before the level test, so a restart is consumed even with clarity Off.
    if (m_resetPending) {
        for (int32_t i = 0; i < cells; ++i) {
            m_averages[static_cast<std::size_t>(i)] = 16 * column[i] + 8;
        }
        m_resetPending = false;
    }

    float k = 0.0f;
    int32_t margin = 0;
    switch (m_clarityLevel) {
    case 1:
        k = 1.0f;
        margin = 20;
        break;
    case 2:
        k = 1.5f;
        margin = 40;
        break;
    case 3:
        k = 2.0f;
        margin = 60;
        break;
    default:
        // Off, and levels the viewer never sends: neither the column nor the averages move.
        return;
    }
    // Widened so a surface index near the integer limit cannot overflow; n <= cells afterwards.
    const int32_t n =
        static_cast<int32_t>(std::min<int64_t>(int64_t{surfaceCellIndex} + margin, cells));

    int32_t next = 0; // first cell the zone loop leaves to the plain average update
    if (n > 0) {
        // Both the step and the weight are 32-bit floats: the rounding decides whether the
        // last cells of the zone are corrected, and must match the recorder's pictures.
        const float step = k / static_cast<float>(n);
        float w = k;
        while (next < n) {
            const int32_t i = next++;
            const int32_t v = column[i];
            const int32_t mean = track(i, v);
            // Product in float, rounding offset in double, then truncation toward zero.
            const float product = static_cast<float>(mean) * w;
            // NOLINTNEXTLINE(bugprone-incorrect-roundings): the truncation is the filter's own.
            int32_t e = v - static_cast<int32_t>(static_cast<double>(product) + 0.5);
            if (e < 0) {
                e = 0;
            } else if (e >= 255) {
                e = 254;
            }
            w -= step;
            if (w < 0.0f) {
                break; // this cell keeps its value; its average is already updated
            }
            column[i] = static_cast<uint8_t>(e);
        }
    }
    for (int32_t i = next; i < cells; ++i) {
        track(i, column[i]);
    }
}

} // namespace vantrel
