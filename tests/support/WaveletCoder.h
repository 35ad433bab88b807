// Codes a very old sounding the way a recorder of that generation did: the forward
// Daubechies-4 transform over each run of 1024 samples, quantised to a scale factor and
// packed as run/coefficient code bytes. The inverse is the library's FileDecode.
#pragma once

#include <cstdint>
#include <vector>

namespace testlog {

struct WaveletCode
{
    int32_t scale = 1;          // S: a coefficient is S * (code - 64)
    std::vector<uint8_t> codes; // 0x00-0x7F one coefficient, 0x80-0xFF a run of zeros
};

// samples.size() must be a positive multiple of 1024 (std::invalid_argument otherwise).
WaveletCode codeSamples(const std::vector<uint8_t>& samples);

// The coefficients the codes stand for, in the decoder's layout (zeros where codes run out).
std::vector<int32_t> expandCodes(const WaveletCode& code, size_t coefficientCount);

} // namespace testlog
