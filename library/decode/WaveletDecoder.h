// Rebuilds the samples of a very old sounding from its Daubechies-4 wavelet coefficients.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

namespace vantrel {

// The transform runs separately over each run of this many samples.
inline constexpr std::size_t kWaveletRunLength = 1024;

// One inverse step of length n (a power of two, 4 to 1024) on a[0, n): the first n/2 entries
// are the smooth half, the rest the detail half. Each output is formed in double, 0.5 added
// and the sum truncated toward zero; sums beyond the 32-bit range saturate.
void inverseDaubechies4Step(int32_t* a, std::size_t n);

// A reconstructed value (sample * 256) as a sample byte: arithmetic shift by 8, limited to
// 0-255.
uint8_t sampleFromValue(int32_t value);

// Inverse pyramid over one run: steps of length 4, 8, ..., 1024 on its leading entries.
void inverseDaubechies4Run(std::span<int32_t, kWaveletRunLength> run);

// Decodes a whole sounding: inverse transform of every run in place (the 32-bit values stay
// in coefficients), byte samples of value >> 8 limited to 0-255, then the seams between runs
// smoothed. Returns false and writes nothing when the sizes differ or are not a positive
// multiple of kWaveletRunLength.
bool decodeSounding(std::span<int32_t> coefficients, std::span<uint8_t> samples);

} // namespace vantrel
