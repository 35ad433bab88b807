#include "ColumnScale.h"

#include <cstring>

namespace vantrel {

namespace {

// The accumulators run in 64 bits so that counts near the 32-bit limit cannot overflow.
void shrink(const uint8_t* s, int64_t srcCount, uint8_t* d, int64_t dstCount)
{
    int64_t a = 0;
    for (int64_t j = 0; j < dstCount; ++j) {
        a += srcCount;
        uint8_t m = 0;
        do {
            const uint8_t v = *s++;
            m = v > m ? v : m;
            a -= dstCount;
        } while (a >= dstCount);
        *d++ = m;
    }
}

void enlarge(const uint8_t* s, int64_t srcCount, uint8_t* d, int64_t dstCount)
{
    int64_t a = 0;
    for (int64_t k = 0; k < srcCount; ++k) {
        const uint8_t v = *s++;
        a += dstCount;
        do {
            *d++ = v;
            a -= srcCount;
        } while (a >= srcCount);
    }
}

} // namespace

void scaleColumn(const uint8_t* src, int32_t srcCount, uint8_t* dst, int32_t dstCount)
{
    if (srcCount <= 0 || dstCount <= 0) {
        return;
    }
    if (srcCount == dstCount) {
        std::memmove(dst, src, static_cast<std::size_t>(srcCount));
    } else if (dstCount < srcCount) {
        shrink(src, srcCount, dst, dstCount);
    } else {
        enlarge(src, srcCount, dst, dstCount);
    }
}

} // namespace vantrel
