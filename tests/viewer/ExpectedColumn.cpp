#include "ExpectedColumn.h"

#include <algorithm>

namespace readertest {

std::vector<uint8_t> expectedColumn(const std::vector<uint8_t>& src, int srcStart, int srcEnd,
                                    int cells, int dstStart, int dstEnd)
{
    std::vector<uint8_t> out(static_cast<size_t>(cells) + 1, 0);
    const long long n = srcEnd - srcStart;
    const long long m = dstEnd - dstStart;
    for (long long j = 0; j < m; ++j) {
        uint8_t value = 0;
        if (m <= n) {
            // Shrinking: output j is the peak of source [j*n/m, (j+1)*n/m).
            for (long long k = j * n / m; k < (j + 1) * n / m; ++k) {
                value = std::max(value, src[static_cast<size_t>(srcStart + k)]);
            }
        } else {
            // Enlarging: source k fills outputs [k*m/n, (k+1)*m/n), so output j shows the
            // last k with k*m/n <= j, that is k = ceil((j+1)*n/m) - 1.
            const long long k = ((j + 1) * n + m - 1) / m - 1;
            value = src[static_cast<size_t>(srcStart + k)];
        }
        out[static_cast<size_t>(dstStart + j)] = value;
    }
    return out;
}

} // namespace readertest
