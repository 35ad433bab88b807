#include "ProcessingState.h"

namespace vantrel {

void ProcessingState::setup(float /*feetPerPixel*/, float /*upperLimit*/, float /*lowerLimit*/,
                            int16_t surfaceClarity)
{
    m_clutter.restart(surfaceClarity);
    m_correlator.restart();
}

void ProcessingState::removeSurfaceClutter(uint8_t* column, int32_t count, int32_t surfaceCellIndex)
{
    m_clutter.apply(column, count, surfaceCellIndex);
}

void ProcessingState::horizontalCorrelation(uint8_t* column, int32_t count, int16_t level)
{
    m_correlator.apply(column, count, level);
}

} // namespace vantrel
