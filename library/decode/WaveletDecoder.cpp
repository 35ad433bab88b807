#include "WaveletDecoder.h"

#include <array>
#include <cstdint>
#include <limits>

namespace vantrel {

namespace {

constexpr double kC0 = 0.4829629131445341;
constexpr double kC1 = 0.8365163037378079;
constexpr double kC2 = 0.2241438680420134;
constexpr double kC3 = -0.1294095225512604;

// Add 0.5 and truncate toward zero. Values a damaged sounding can push past the 32-bit range
// saturate instead of leaving the conversion undefined.
int32_t roundHalfUpTruncate(double sum)
{
    const double x = sum + 0.5;
    if (x >= 2147483648.0) {
        return std::numeric_limits<int32_t>::max();
    }
    if (x <= -2147483649.0) {
        return std::numeric_limits<int32_t>::min();
    }
    return static_cast<int32_t>(x);
}

void smoothSeam(std::span<uint8_t> samples, std::size_t s)
{
    // Integer division truncates; all terms are non-negative.
    samples[s] = static_cast<uint8_t>((samples[s - 1] + samples[s] + samples[s + 1]) / 3);
    const int t0 = samples[s - 2];
    const int t1 = samples[s - 1];
    const int t2 = samples[s];
    const int t3 = samples[s + 1];
    samples[s - 1] = static_cast<uint8_t>((t0 + t1 + t2) / 3);
    samples[s] = static_cast<uint8_t>((t1 + t2 + t3) / 3);
}

} // namespace

uint8_t sampleFromValue(int32_t value)
{
    const int32_t shifted = value >> 8;
    if (shifted < 0) {
        return 0;
    }
    if (shifted > 255) {
        return 255;
    }
    return static_cast<uint8_t>(shifted);
}

void inverseDaubechies4Step(int32_t* a, std::size_t n)
{
    std::array<int32_t, kWaveletRunLength> w;
    const std::size_t h = n / 2;
    // The sums are evaluated left to right in double, exactly as written, so the rounding
    // matches the recorder's decoder to the bit.
    w[0] = roundHalfUpTruncate(kC2 * a[h - 1] + kC1 * a[n - 1] + kC0 * a[0] + kC3 * a[h]);
    w[1] = roundHalfUpTruncate(kC3 * a[h - 1] - kC0 * a[n - 1] + kC1 * a[0] - kC2 * a[h]);
    for (std::size_t i = 1; i < h; ++i) {
        const double s0 = a[i - 1];
        const double d0 = a[i + h - 1];
        const double s1 = a[i];
        const double d1 = a[i + h];
        w[2 * i] = roundHalfUpTruncate(kC2 * s0 + kC1 * d0 + kC0 * s1 + kC3 * d1);
        w[2 * i + 1] = roundHalfUpTruncate(kC3 * s0 - kC0 * d0 + kC1 * s1 - kC2 * d1);
    }
    for (std::size_t i = 0; i < n; ++i) {
        a[i] = w[i];
    }
}

void inverseDaubechies4Run(std::span<int32_t, kWaveletRunLength> run)
{
    for (std::size_t n = 4; n <= kWaveletRunLength; n *= 2) {
        inverseDaubechies4Step(run.data(), n);
    }
}

bool decodeSounding(std::span<int32_t> coefficients, std::span<uint8_t> samples)
{
    const std::size_t length = coefficients.size();
    if (length == 0 || length % kWaveletRunLength != 0 || samples.size() != length) {
        return false;
    }
    for (std::size_t start = 0; start < length; start += kWaveletRunLength) {
        inverseDaubechies4Run(coefficients.subspan(start).first<kWaveletRunLength>());
    }
    for (std::size_t i = 0; i < length; ++i) {
        samples[i] = sampleFromValue(coefficients[i]);
    }
    for (std::size_t s = kWaveletRunLength; s < length; s += kWaveletRunLength) {
        smoothSeam(samples, s);
    }
    return true;
}

} // namespace vantrel
