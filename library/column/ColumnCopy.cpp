#include "ColumnCopy.h"

#include <cstddef>

namespace vantrel {

void copyColumn(uint8_t* dst, const uint8_t* src, int32_t step, int32_t n)
{
    // The offset runs in ptrdiff_t: a tall bitmap's k * step can pass the 32-bit range.
    std::ptrdiff_t at = 0;
    for (int32_t k = 0; k <= n; ++k) {
        dst[at] = src[n - k];
        at += step;
    }
}

} // namespace vantrel
