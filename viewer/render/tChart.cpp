#include "tChart.h"

#include <limits>

namespace brellix {

namespace {

// -INT32_MIN does not exist; a scroll that far moves nothing anyway.
int32_t magnitude(int32_t delta)
{
    return delta == std::numeric_limits<int32_t>::min() ? std::numeric_limits<int32_t>::max()
                                                        : -delta;
}

} // namespace

bool tChart::Create(int32_t width, int32_t height)
{
    if (!m_bitmap.Create(width, height)) {
        return false;
    }
    m_pixelWidth = width;
    m_pixelHeight = height;
    return true;
}

void tChart::HScroll(int32_t iDelta)
{
    if (iDelta > 0) {
        m_bitmap.Shift(iDelta, 0, 0, 0);
    } else if (iDelta < 0) {
        m_bitmap.Shift(0, 0, magnitude(iDelta), 0);
    }
}

void tChart::VScroll(int32_t iDelta)
{
    if (iDelta > 0) {
        m_bitmap.Shift(0, iDelta, 0, 0);
    } else if (iDelta < 0) {
        m_bitmap.Shift(0, 0, 0, magnitude(iDelta));
    }
}

} // namespace brellix
