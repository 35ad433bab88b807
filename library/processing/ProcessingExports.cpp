#include "ProcessingState.h"
#include <vantrel/vantrel.h>

namespace {

// The one processing state of the process. Static storage makes it zero at load; the viewer
// calls from one thread, so it is not guarded.
vantrel::ProcessingState processingState;

} // namespace

extern "C" {

int32_t ProcessSetup(float feetPerPixel, float upperLimit, float lowerLimit, int16_t surfaceClarity)
{
    processingState.setup(feetPerPixel, upperLimit, lowerLimit, surfaceClarity);
    return 0;
}

int32_t ProcessRemoveSurfaceClutter(uint8_t* column, int32_t count, int32_t surfaceCellIndex)
{
    processingState.removeSurfaceClutter(column, count, surfaceCellIndex);
    return 0;
}

int32_t ProcessHorizontalCorrelation(uint8_t* column, int32_t count, int16_t level,
                                     int32_t /*unused*/)
{
    processingState.horizontalCorrelation(column, count, level);
    return 0;
}

int32_t ProcessRecombination(void)
{
    processingState.recombination();
    return 0;
}

} // extern "C"
