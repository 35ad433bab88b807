// A very old log end to end: the writer's wavelet coding of known columns, then
// FileReadSubHeader, FileDecompress and FileDecode as the reader calls them.
#include "LogWriter.h"
#include "WaveletCoder.h"
#include <vantrel/vantrel.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

namespace {

constexpr size_t kSamples = 2048;
constexpr int16_t kBlockSize = 2400;
constexpr size_t kVeryOldHeaderLength = 6;

// A sounding as a recorder sees it: surface clutter near the top, a school of fish midway and
// a bottom echo fading into the ground, and the ground's floor level from the second run on
// so the seam has a step to smooth.
std::vector<uint8_t> knownColumn(double shift)
{
    std::vector<uint8_t> column(kSamples);
    for (size_t i = 0; i < kSamples; ++i) {
        const double x = static_cast<double>(i);
        auto bump = [x](double centre, double width, double height) {
            const double t = (x - centre) / width;
            return height * std::exp(-t * t);
        };
        const double v = 12 + bump(60 + shift, 50, 90) + bump(700 + shift, 60, 70) +
                         bump(1500 + shift, 160, 170) + (i >= 1024 ? 40 : 0);
        column[i] = static_cast<uint8_t>(std::clamp(std::lround(v), 0L, 255L));
    }
    return column;
}

struct Decoded
{
    std::vector<int32_t> coefficients; // as FileDecompress left them
    int32_t remaining = 0;
    std::vector<uint8_t> samples;
};

// What the reader does with one block of a very old log.
Decoded readSounding(const std::vector<uint8_t>& log, size_t index)
{
    const uint8_t* block = log.data() + kVeryOldHeaderLength + index * kBlockSize;
    float upper, lower, depth, waterTemp, temp2, temp3, waterSpeed, surface, bottom, speed, track,
        altitude;
    float fish[7];
    uint8_t depthValid, waterTempValid, temp2Valid, temp3Valid, waterSpeedValid, positionValid,
        surfaceValid, bottomValid, is50kHz, timeValid, speedTrackValid, altitudeValid;
    int32_t positionY, positionX, timeOffset;
    int16_t fishCount;
    const int32_t length = FileReadSubHeader(
        block, &upper, &lower, &depth, &depthValid, &waterTempValid, &waterTemp, &temp2Valid,
        &temp2, &temp3Valid, &temp3, &waterSpeedValid, &waterSpeed, &positionValid, &positionY,
        &positionX, &fishCount, fish, &surface, &surfaceValid, &bottom, &bottomValid, &is50kHz,
        &timeValid, &timeOffset, &speedTrackValid, &speed, &track, &altitudeValid, &altitude);
    EXPECT_GE(length, 10);

    Decoded out;
    out.coefficients.assign(kSamples, 0x5A5A5A5A);
    out.remaining = static_cast<int32_t>(kSamples);
    FileDecompress(block, length, kBlockSize - length, out.coefficients.data(), &out.remaining);
    std::vector<int32_t> work = out.coefficients;
    out.samples.assign(kSamples, 0xEE);
    FileDecode(work.data(), out.samples.data(), static_cast<int32_t>(kSamples));
    return out;
}

class VeryOldRoundTrip : public testing::Test
{
protected:
    void SetUp() override
    {
        testlog::VeryOldWriter writer(kBlockSize, kSamples);
        for (double shift : {0.0, 37.0, -25.0}) {
            columns.push_back(knownColumn(shift));
            testlog::SlgFields header;
            header.upperLimit = 0.0f;
            header.lowerLimit = 60.0f + static_cast<float>(shift);
            header.timeOffset = static_cast<int32_t>(1000 + shift);
            writer.add(header, columns.back());
        }
        log = writer.bytes();
    }

    std::vector<std::vector<uint8_t>> columns;
    std::vector<uint8_t> log;
};

TEST_F(VeryOldRoundTrip, DecompressGivesBackTheWritersCoefficients)
{
    for (size_t i = 0; i < columns.size(); ++i) {
        const Decoded d = readSounding(log, i);
        const testlog::WaveletCode code = testlog::codeSamples(columns[i]);
        EXPECT_EQ(d.coefficients, testlog::expandCodes(code, kSamples)) << i;
        // The codes cover every coefficient, so the padding after them was never read.
        EXPECT_EQ(d.remaining, 0) << i;
    }
}

TEST_F(VeryOldRoundTrip, DecodedColumnIsWithinTheQuantisationError)
{
    // The transform is orthonormal, so the error of the rebuilt values (sample * 256) is at
    // most the coefficients' quantisation error plus half a unit per value for each rounded
    // step. The shift by 8 adds at most half a sample each. The seam samples are left out.
    double rounding = 0;
    for (double n = 4; n <= 1024; n *= 2) {
        rounding += 0.5 * std::sqrt(n);
    }
    rounding *= static_cast<double>(kSamples / 1024);

    for (size_t i = 0; i < columns.size(); ++i) {
        const std::vector<double> exact = testlog::forwardTransform(columns[i]);
        const std::vector<int32_t> quantised =
            testlog::expandCodes(testlog::codeSamples(columns[i]), kSamples);
        double coefficientError = 0;
        for (size_t k = 0; k < kSamples; ++k) {
            coefficientError += (quantised[k] - exact[k]) * (quantised[k] - exact[k]);
        }
        coefficientError = std::sqrt(coefficientError);

        const Decoded d = readSounding(log, i);
        double sampleError = 0;
        size_t compared = 0;
        for (size_t k = 0; k < kSamples; ++k) {
            if (k % 1024 == 1023 || (k % 1024 == 0 && k > 0)) {
                continue;
            }
            const int diff = d.samples[k] - columns[i][k];
            sampleError += diff * diff;
            ++compared;
        }
        sampleError = std::sqrt(sampleError);
        const double bound =
            (coefficientError + rounding) / 256.0 + 0.5 * std::sqrt(static_cast<double>(compared));
        EXPECT_LE(sampleError, bound) << i;
        // The bound itself must say something: a few levels per sample on average (seven-bit
        // codes under one scale per sounding lose that much on a column like this).
        EXPECT_LT(bound / std::sqrt(static_cast<double>(compared)), 4.0) << i;
    }
}

TEST_F(VeryOldRoundTrip, SeamsAreSmoothedFromTheRunsDecodedAlone)
{
    for (size_t i = 0; i < columns.size(); ++i) {
        const Decoded whole = readSounding(log, i);

        // Each run decoded on its own has no seam.
        std::vector<uint8_t> runs;
        for (size_t start = 0; start < kSamples; start += 1024) {
            std::vector<int32_t> run(whole.coefficients.begin() + start,
                                     whole.coefficients.begin() + start + 1024);
            std::vector<uint8_t> samples(1024);
            FileDecode(run.data(), samples.data(), 1024);
            runs.insert(runs.end(), samples.begin(), samples.end());
        }
        std::vector<uint8_t> expected = runs;
        for (size_t s = 1024; s < kSamples; s += 1024) {
            expected[s] =
                static_cast<uint8_t>((expected[s - 1] + expected[s] + expected[s + 1]) / 3);
            const int t0 = expected[s - 2], t1 = expected[s - 1], t2 = expected[s],
                      t3 = expected[s + 1];
            expected[s - 1] = static_cast<uint8_t>((t0 + t1 + t2) / 3);
            expected[s] = static_cast<uint8_t>((t1 + t2 + t3) / 3);
        }
        EXPECT_EQ(whole.samples, expected) << i;
        EXPECT_NE(runs, expected) << "the seam of sounding " << i << " has nothing to smooth";
    }
}

TEST(WaveletCoder, CodesRoundTripThroughTheirExpansion)
{
    // A column that only a run of nonzero details can carry: a sharp step.
    std::vector<uint8_t> column(1024, 10);
    std::fill(column.begin() + 500, column.end(), 240);
    const testlog::WaveletCode code = testlog::codeSamples(column);
    const std::vector<int32_t> expanded = testlog::expandCodes(code, 1024);
    std::vector<int32_t> decoded(1024, 0x5A5A5A5A);
    std::vector<uint8_t> area;
    testlog::putI32(area, code.scale);
    area.insert(area.end(), code.codes.begin(), code.codes.end());
    int32_t remaining = 1024;
    FileDecompress(area.data(), 0, static_cast<int32_t>(area.size()), decoded.data(), &remaining);
    EXPECT_EQ(decoded, expanded);
    EXPECT_EQ(remaining, 0);
}

} // namespace
