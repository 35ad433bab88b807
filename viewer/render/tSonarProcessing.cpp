#include "tSonarProcessing.h"

#include "platform/VantrelExports.h"

#include <algorithm>
#include <limits>
#include <stdexcept>

namespace brellix {

bool tSonarProcessing::Setup(float sngFeetPerPixel, float sngUpperLimit, float sngLowerLimit,
                             int16_t iSurfaceClarity)
{
    return vantrel::ProcessSetup(sngFeetPerPixel, sngUpperLimit, sngLowerLimit, iSurfaceClarity)
        .has_value();
}

bool tSonarProcessing::RemoveSurfaceClutter(std::vector<uint8_t>& rcSonarColumn,
                                            int32_t lSurfaceCellIndex)
{
    if (rcSonarColumn.empty()) {
        throw std::out_of_range("column without element 0");
    }
    const size_t upperBound = rcSonarColumn.size() - 1;
    if (upperBound == 0) {
        return true;
    }
    if (upperBound > static_cast<size_t>(std::numeric_limits<int32_t>::max())) {
        throw std::out_of_range("column longer than a 32-bit count");
    }
    return vantrel::ProcessRemoveSurfaceClutter(rcSonarColumn.data(),
                                                static_cast<int32_t>(upperBound), lSurfaceCellIndex)
        .has_value();
}

void tSonarProcessing::HorizontalCorrelation(std::vector<uint8_t>& column, int16_t iASP,
                                             int16_t /*iSensitivity*/, float UpperFt, float LowerFt)
{
    if (column.empty()) {
        throw std::out_of_range("column without element 0");
    }
    if (iASP > 3 || iASP < 0) {
        return;
    }

    const size_t cells = column.size();
    if (cells != m_cells || UpperFt != m_upperLimit || LowerFt != m_lowerLimit) {
        // A new length or depth window: older columns no longer line up with this one.
        m_cells = cells;
        m_history.assign(kHistorySlots * cells, 255);
        m_upperLimit = UpperFt;
        m_lowerLimit = LowerFt;
        m_ringSlot = 0;
    }

    std::copy(column.begin(), column.end(), &history(m_ringSlot, 0));
    for (size_t j = 0; j < cells; ++j) {
        for (int d = 1; d <= iASP; ++d) {
            const uint8_t v = history((m_ringSlot - d + kHistorySlots) % kHistorySlots, j);
            if (v < column[j]) {
                column[j] = v;
            }
        }
    }
    m_ringSlot = static_cast<int16_t>((m_ringSlot + 1) % kHistorySlots);
}

bool tSonarProcessing::Recombination()
{
    return vantrel::ProcessRecombination().has_value();
}

} // namespace brellix
