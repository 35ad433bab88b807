// The library's one processing state per process: the surface clutter filter and the
// correlation history that the Process exports share between calls.
#pragma once

#include "HorizontalCorrelator.h"
#include "SurfaceClutterFilter.h"

#include <cstdint>

namespace vantrel {

// The library's running signal-processing state: clutter averages and correlation history
// that carry over from column to column until the next setup. Value-initialised it is all
// zero, which is the state the library starts with.
class ProcessingState
{
public:
    // Selects the surface clarity and restarts both running states at their next use. The
    // chart's scale and limits are accepted for the viewer's sake and not used.
    void setup(float feetPerPixel, float upperLimit, float lowerLimit, int16_t surfaceClarity);

    void removeSurfaceClutter(uint8_t* column, int32_t count, int32_t surfaceCellIndex);
    void horizontalCorrelation(uint8_t* column, int32_t count, int16_t level);
    // Kept for the viewer's call sequence: the correlation already leaves the final column.
    void recombination() {}

    const SurfaceClutterFilter& clutter() const { return m_clutter; }
    const HorizontalCorrelator& correlator() const { return m_correlator; }

private:
    SurfaceClutterFilter m_clutter;
    HorizontalCorrelator m_correlator;
};

} // namespace vantrel
