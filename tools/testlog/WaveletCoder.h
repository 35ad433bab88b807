// Codes a very old sounding the way a recorder of that generation did: the forward
// Daubechies-4 transform over each run of 1024 samples, quantised to a scale factor and
// packed as run/coefficient code bytes. The inverse is the library's FileDecode.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace testlog {

inline constexpr std::size_t kWaveletRunLength = 1024;

struct WaveletCode
{
    int32_t scale = 1;          // S: a coefficient is S * (code - 64)
    std::vector<uint8_t> codes; // 0x00-0x7F one coefficient, 0x80-0xFF a run of zeros
};

// The unquantised transform the codes approximate: each sample enters as sample * 256 + 128
// (the middle of its step, so the decoder's shift by 8 rounds to the nearest sample), and each
// run of 1024 goes through the pyramid 1024, 512, ..., 4 (smooth half first, detail half
// second). samples.size() must be a positive multiple of 1024 (std::invalid_argument).
std::vector<double> forwardTransform(const std::vector<uint8_t>& samples);

// forwardTransform quantised with one scale for the whole sounding, the largest coefficient
// coded as +-63. The codes cover every coefficient (trailing zeros as runs), so bytes after
// them in a block are never read as coefficients.
WaveletCode codeSamples(const std::vector<uint8_t>& samples);

// The coefficients the codes stand for, in the decoder's layout (zeros where codes run out,
// codes past coefficientCount ignored).
std::vector<int32_t> expandCodes(const WaveletCode& code, std::size_t coefficientCount);

} // namespace testlog
