#include "WaveletCoder.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

namespace testlog {

namespace {

constexpr double kC0 = 0.4829629131445341;
constexpr double kC1 = 0.8365163037378079;
constexpr double kC2 = 0.2241438680420134;
constexpr double kC3 = -0.1294095225512604;

// One forward step of length n on a[0, n): the smooth outputs go to the first half, the
// details to the second, wrapping around at the end of the run.
void forwardStep(double* a, size_t n)
{
    std::vector<double> w(n);
    const size_t h = n / 2;
    size_t i = 0;
    for (size_t j = 0; j + 3 < n; j += 2, ++i) {
        w[i] = kC0 * a[j] + kC1 * a[j + 1] + kC2 * a[j + 2] + kC3 * a[j + 3];
        w[i + h] = kC3 * a[j] - kC2 * a[j + 1] + kC1 * a[j + 2] - kC0 * a[j + 3];
    }
    w[i] = kC0 * a[n - 2] + kC1 * a[n - 1] + kC2 * a[0] + kC3 * a[1];
    w[i + h] = kC3 * a[n - 2] - kC2 * a[n - 1] + kC1 * a[0] - kC0 * a[1];
    std::copy(w.begin(), w.end(), a);
}

void appendZeroRun(std::vector<uint8_t>& codes, size_t run)
{
    while (run > 0) {
        const size_t part = std::min<size_t>(run, 128);
        codes.push_back(static_cast<uint8_t>(0x80 | (part - 1)));
        run -= part;
    }
}

} // namespace

std::vector<double> forwardTransform(const std::vector<uint8_t>& samples)
{
    if (samples.empty() || samples.size() % kWaveletRunLength != 0) {
        throw std::invalid_argument("a very old sounding is a positive multiple of 1024 samples");
    }
    std::vector<double> values(samples.size());
    for (size_t i = 0; i < samples.size(); ++i) {
        values[i] = samples[i] * 256.0 + 128.0;
    }
    for (size_t start = 0; start < values.size(); start += kWaveletRunLength) {
        for (size_t n = kWaveletRunLength; n >= 4; n /= 2) {
            forwardStep(values.data() + start, n);
        }
    }
    return values;
}

WaveletCode codeSamples(const std::vector<uint8_t>& samples)
{
    const std::vector<double> coefficients = forwardTransform(samples);
    double largest = 0;
    for (double c : coefficients) {
        largest = std::max(largest, std::fabs(c));
    }

    WaveletCode code;
    code.scale = std::max<int32_t>(1, static_cast<int32_t>(std::ceil(largest / 63.0)));
    size_t zeros = 0;
    for (double c : coefficients) {
        const long q = std::clamp(std::lround(c / code.scale), -64L, 63L);
        if (q == 0) {
            ++zeros;
            continue;
        }
        appendZeroRun(code.codes, zeros);
        zeros = 0;
        code.codes.push_back(static_cast<uint8_t>(q + 64));
    }
    appendZeroRun(code.codes, zeros);
    return code;
}

std::vector<int32_t> expandCodes(const WaveletCode& code, size_t coefficientCount)
{
    std::vector<int32_t> out;
    out.reserve(coefficientCount);
    for (uint8_t c : code.codes) {
        if (out.size() >= coefficientCount) {
            break;
        }
        if (c & 0x80) {
            const size_t run = std::min<size_t>((c & 0x7F) + 1u, coefficientCount - out.size());
            out.insert(out.end(), run, 0);
        } else {
            out.push_back(static_cast<int32_t>(static_cast<int64_t>(code.scale) * (c - 64)));
        }
    }
    out.resize(coefficientCount, 0);
    return out;
}

} // namespace testlog
