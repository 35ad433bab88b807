// Writing a display column into the bitmap, bottom row first.
#pragma once

#include <cstdint>

namespace vantrel {

// dst[k * step] = src[n - k] for k = 0 to n, in that order (n + 1 bytes). n below 0 writes
// nothing.
void copyColumn(uint8_t* dst, const uint8_t* src, int32_t step, int32_t n);

} // namespace vantrel
