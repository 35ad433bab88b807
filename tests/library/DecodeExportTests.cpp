// FileDecode: the inverse Daubechies-4 pyramid, the sample bytes and the seams.
#include "ExportTestSupport.h"
#include "decode/WaveletDecoder.h"
#include <vantrel/vantrel.h>

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <ostream>
#include <random>
#include <vector>

namespace {

using exporttest::kByteSentinel;

// ---------------------------------------------------------------------------------------
// One inverse step, against values worked out by hand from the step's formulas

struct StepCase
{
    std::vector<int32_t> input;
    std::vector<int32_t> expected;
};

void PrintTo(const StepCase& c, std::ostream* os)
{
    *os << testing::PrintToString(c.input);
}

class InverseStep : public testing::TestWithParam<StepCase>
{
};

TEST_P(InverseStep, RoundsByAddingOneHalfAndTruncatingTowardZero)
{
    std::vector<int32_t> a = GetParam().input;
    vantrel::inverseDaubechies4Step(a.data(), a.size());
    EXPECT_EQ(a, GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    FileDecode, InverseStep,
    testing::Values(
        // -128.9 + 0.5 truncates to -128, where flooring would give -129.
        StepCase{{1000, 0, 0, 0}, {483, 837, 224, -128}},
        StepCase{{0, 0, 0, 1000}, {837, -482, -128, -223}},
        StepCase{{-1000, 0, 0, 0}, {-482, -836, -223, 129}},
        StepCase{{100, -200, 300, -400}, {-369, 235, 229, -234}},
        StepCase{{0, 0, 0, 0, 0, 0, 0, 1000}, {837, -482, 0, 0, 0, 0, -128, -223}},
        StepCase{{5, 0, 0, 0, 0, 0, 0, 0}, {2, 4, 1, 0, 0, 0, 0, 0}},
        StepCase{{3, -3, 7, -7, 11, -11, 13, -13}, {-11, 7, 10, -5, -7, 9, 11, -9}}));

TEST(FileDecode, StepSaturatesSumsBeyondTheIntegerRange)
{
    const int32_t big = std::numeric_limits<int32_t>::max();
    std::vector<int32_t> a = {big, big, big, big};
    vantrel::inverseDaubechies4Step(a.data(), 4);
    // The smooth outputs are about 1.41 * big; the detail outputs cancel to about 0.
    EXPECT_EQ(a[0], big);
    EXPECT_EQ(a[2], big);
    EXPECT_LT(std::abs(a[1]), 1000);
    std::vector<int32_t> b = {-big - 1, -big - 1, -big - 1, -big - 1};
    vantrel::inverseDaubechies4Step(b.data(), 4);
    EXPECT_EQ(b[0], std::numeric_limits<int32_t>::min());
    EXPECT_EQ(b[2], std::numeric_limits<int32_t>::min());
}

// ---------------------------------------------------------------------------------------
// Whole soundings

TEST(FileDecode, AllZeroCoefficientsGiveAllZeroSamples)
{
    std::vector<int32_t> coefficients(3072, 0);
    std::vector<uint8_t> samples(3072, kByteSentinel);
    EXPECT_EQ(FileDecode(coefficients.data(), samples.data(), 3072), 0);
    EXPECT_EQ(samples, std::vector<uint8_t>(3072, 0));
    EXPECT_EQ(coefficients, std::vector<int32_t>(3072, 0));
}

// The two smooth coefficients left by the last step stand for a flat run: the pyramid
// scales a constant by 2^4.5 on the way down, so K = v * 2^4.5 comes back as about v.
std::vector<int32_t> flatRun(double value)
{
    std::vector<int32_t> run(1024, 0);
    run[0] = run[1] = static_cast<int32_t>(std::lround(value * std::pow(2.0, 4.5)));
    return run;
}

TEST(FileDecode, TwoSmoothCoefficientsDecodeToAFlatRun)
{
    // The middle of sample 100's step, so the rounding of nine levels cannot leave it.
    std::vector<int32_t> coefficients = flatRun(100 * 256 + 128);
    std::vector<uint8_t> samples(1024, kByteSentinel);
    FileDecode(coefficients.data(), samples.data(), 1024);
    EXPECT_EQ(samples, std::vector<uint8_t>(1024, 100));
    for (int32_t v : coefficients) {
        EXPECT_NEAR(v, 100 * 256 + 128, 16);
    }
}

TEST(FileDecode, LeavesTheReconstructedValuesAndTakesEachSampleFromThem)
{
    // Large random coefficients reach both limits of the sample range.
    std::mt19937 random(7);
    std::uniform_int_distribution<int32_t> coefficient(-40000, 120000);
    std::vector<int32_t> coefficients(1024);
    for (int32_t& c : coefficients) {
        c = coefficient(random);
    }
    std::vector<uint8_t> samples(1024, kByteSentinel);
    FileDecode(coefficients.data(), samples.data(), 1024);

    int below = 0;
    int above = 0;
    for (size_t i = 0; i < samples.size(); ++i) {
        const int32_t v = coefficients[i];
        below += v < 0;
        above += v > 65535;
        const int32_t expected = v < 0 ? 0 : (v >> 8 > 255 ? 255 : v >> 8);
        EXPECT_EQ(samples[i], expected) << i;
    }
    EXPECT_GT(below, 0);
    EXPECT_GT(above, 0);
}

TEST(FileDecode, SampleIsTheValueShiftedRightByEightWithinTheByteRange)
{
    const std::vector<std::pair<int32_t, uint8_t>> cases = {
        {25600, 100},
        {-1, 0},
        {70000, 255},
        {0, 0},
        {255, 0},
        {256, 1},
        {65535, 255},
        {65536, 255},
        {-256, 0},
        {std::numeric_limits<int32_t>::min(), 0},
        {std::numeric_limits<int32_t>::max(), 255}};
    for (const auto& [value, sample] : cases) {
        EXPECT_EQ(vantrel::sampleFromValue(value), sample) << value;
    }
}

TEST(FileDecode, SeamBetweenTwoRunsIsSmoothedInTwoPasses)
{
    // Run 0 flat at 100, run 1 flat at 200.
    std::vector<int32_t> coefficients = flatRun(100 * 256 + 128);
    const std::vector<int32_t> second = flatRun(200 * 256 + 128);
    coefficients.insert(coefficients.end(), second.begin(), second.end());
    std::vector<uint8_t> samples(2048, kByteSentinel);
    FileDecode(coefficients.data(), samples.data(), 2048);

    // First pass: s[1024] = (100 + 200 + 200) / 3 = 166. Second pass, from 100, 100, 166,
    // 200: s[1023] = 366 / 3 = 122 and s[1024] = 466 / 3 = 155.
    std::vector<uint8_t> expected(1024, 100);
    expected.resize(2048, 200);
    expected[1023] = 122;
    expected[1024] = 155;
    EXPECT_EQ(samples, expected);
}

TEST(FileDecode, EverySeamIsSmoothedAndNothingElse)
{
    std::vector<int32_t> coefficients;
    const double levels[] = {30, 180, 60, 250};
    for (double level : levels) {
        const std::vector<int32_t> run = flatRun(level * 256 + 128);
        coefficients.insert(coefficients.end(), run.begin(), run.end());
    }
    std::vector<uint8_t> samples(4096, kByteSentinel);
    FileDecode(coefficients.data(), samples.data(), 4096);
    for (size_t run = 0; run < 4; ++run) {
        for (size_t i = run * 1024; i < run * 1024 + 1024; ++i) {
            const bool seam = (i % 1024 == 1023 && run < 3) || (i % 1024 == 0 && run > 0);
            if (!seam) {
                EXPECT_EQ(samples[i], levels[run]) << i;
            }
        }
    }
    for (size_t s = 1024; s < 4096; s += 1024) {
        const int before = static_cast<int>(levels[s / 1024 - 1]);
        const int after = static_cast<int>(levels[s / 1024]);
        const int first = (before + after + after) / 3;
        EXPECT_EQ(samples[s - 1], (before + before + first) / 3) << s;
        EXPECT_EQ(samples[s], (before + first + after) / 3) << s;
    }
}

class FileDecodeBadLength : public testing::TestWithParam<int32_t>
{
};

TEST_P(FileDecodeBadLength, WritesNothing)
{
    // Room for any length the case names, filled with sentinels on both sides.
    std::vector<int32_t> coefficients(2048, 1000);
    std::vector<uint8_t> samples(2048, kByteSentinel);
    EXPECT_EQ(FileDecode(coefficients.data(), samples.data(), GetParam()), 0);
    EXPECT_EQ(coefficients, std::vector<int32_t>(2048, 1000));
    EXPECT_EQ(samples, std::vector<uint8_t>(2048, kByteSentinel));
}

INSTANTIATE_TEST_SUITE_P(FileDecode, FileDecodeBadLength,
                         testing::Values(0, -1024, -1, 1, 512, 1000, 1023, 1025, 1536, 2047,
                                         std::numeric_limits<int32_t>::min()));

TEST(FileDecode, WritesExactlyLengthSamples)
{
    std::vector<int32_t> coefficients = flatRun(50 * 256 + 128);
    coefficients.resize(1030, 77);
    std::vector<uint8_t> samples(1030, kByteSentinel);
    FileDecode(coefficients.data(), samples.data(), 1024);
    EXPECT_EQ(samples[1023], 50);
    for (size_t i = 1024; i < 1030; ++i) {
        EXPECT_EQ(samples[i], kByteSentinel) << i;
        EXPECT_EQ(coefficients[i], 77) << i;
    }
}

} // namespace
