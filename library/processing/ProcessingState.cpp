#include "ProcessingState.h"

namespace vantrel {

void ProcessingState::setup(float /*feetPerPixel*/, float /*upperLimit*/, float /*lowerLimit*/,
                            int16_t surfaceClarity)
{
    clutter_.restart(surfaceClarity);
    correlator_.restart();
}

void ProcessingState::removeSurfaceClutter(uint8_t* column, int32_t count, int32_t surfaceCellIndex)
{
    clutter_.apply(column, count, surfaceCellIndex);
}

void ProcessingState::horizontalCorrelation(uint8_t* column, int32_t count, int16_t level)
{
    correlator_.apply(column, count, level);
}

} // namespace vantrel
