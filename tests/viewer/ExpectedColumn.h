// The caller's column a read should deliver, computed straight from the definition of the
// resampling: each output cell is the maximum of its group of source cells when shrinking, each
// source cell is repeated over its share of output cells when enlarging, each share taken
// from the group bounds rather than stepped through.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace readertest {

// cells + 1 bytes, zero outside [dstStart, dstEnd), holding src[srcStart, srcEnd) resampled.
std::vector<uint8_t> expectedColumn(const std::vector<uint8_t>& src, int srcStart, int srcEnd,
                                    int cells, int dstStart, int dstEnd);

} // namespace readertest
