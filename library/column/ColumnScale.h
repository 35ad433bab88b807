// Resampling of a stretch of range cells onto a stretch of display pixels.
#pragma once

#include <cstdint>

namespace vantrel {

// Resamples src[0, srcCount) onto dst[0, dstCount). Shrinking keeps the peak of each group of
// source cells (output j takes the maximum of source cells j*srcCount/dstCount up to
// (j+1)*srcCount/dstCount - 1, rounded down), enlarging repeats each source cell, equal counts
// copy. A count of 0 or below writes nothing.
void scaleColumn(const uint8_t* src, int32_t srcCount, uint8_t* dst, int32_t dstCount);

} // namespace vantrel
