#include "SoundingScale.h"

#include "common/Rounding.h"
#include "logs/tSubHeader.h"

#include <algorithm>

namespace brellix {

bool scaleRanges(const tSubHeader& D, float soundingUpper, float soundingLower,
                 int32_t soundingCells, ScaleRanges& ranges)
{
    const float U = std::min(std::max(D.sngUpperLimit, soundingUpper), soundingLower);
    const float Lw = std::min(std::max(D.sngLowerLimit, soundingUpper), soundingLower);
    const float span = Lw - U;

    const float dstWindow = D.sngLowerLimit - D.sngUpperLimit;
    const float srcWindow = soundingLower - soundingUpper;
    if (dstWindow == 0.0f || srcWindow == 0.0f) {
        return false;
    }
    const double dstCellsPerFoot =
        static_cast<double>(D.lNumRangeCells) / static_cast<double>(dstWindow);
    const double srcCellsPerFoot =
        static_cast<double>(soundingCells) / static_cast<double>(srcWindow);

    return roundToInt32(static_cast<double>(U - D.sngUpperLimit) * dstCellsPerFoot,
                        ranges.dstStart) &&
           roundToInt32(dstCellsPerFoot * static_cast<double>(span) + ranges.dstStart,
                        ranges.dstEnd) &&
           roundToInt32(static_cast<double>(U - soundingUpper) * srcCellsPerFoot,
                        ranges.srcStart) &&
           roundToInt32(static_cast<double>(span) * srcCellsPerFoot + ranges.srcStart,
                        ranges.srcEnd);
}

bool isPlausibleWindow(float upper, float lower)
{
    // Written so that a not-a-number fails every comparison and the test.
    return upper >= -kDeepestLimit && lower <= kDeepestLimit && upper < lower;
}

bool rangeFits(int32_t start, int32_t end, size_t size)
{
    return start >= 0 && start <= end && static_cast<uint64_t>(end) <= size;
}

bool rvgAttenuation(int16_t rvgDepth, float lowerLimit, uint8_t maxAttenuation,
                    int32_t& attenuation)
{
    if (rvgDepth == 0) {
        return false;
    }
    // Single precision, as the recorder computes it.
    const float depth = static_cast<float>(rvgDepth);
    const float value = (depth - lowerLimit) * static_cast<float>(maxAttenuation) / depth;
    return roundToInt32(value, attenuation);
}

void reduceCells(std::vector<uint8_t>& cells, int32_t lastIndex, int32_t attenuation)
{
    if (attenuation < 1 || cells.empty() || lastIndex < 0) {
        return;
    }
    const size_t last = std::min<size_t>(static_cast<size_t>(lastIndex), cells.size() - 1);
    for (size_t i = 0; i <= last; ++i) {
        cells[i] = cells[i] > attenuation ? static_cast<uint8_t>(cells[i] - attenuation) : 0;
    }
}

} // namespace brellix
