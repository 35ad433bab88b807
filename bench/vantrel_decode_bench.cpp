// Per-column cost of the column exports (1000 output cells) and of decoding a very old
// sounding of 4096 samples. Targets: under 2 us per column operation, under 100 us per decode.
#include "LogWriter.h"
#include "WaveletCoder.h"
#include <vantrel/vantrel.h>

#include <benchmark/benchmark.h>

#include <array>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <vector>

namespace {

constexpr int32_t kCells = 1000;

std::vector<uint8_t> echoColumn(size_t count)
{
    std::vector<uint8_t> column(count);
    for (size_t i = 0; i < count; ++i) {
        column[i] = static_cast<uint8_t>((i * 37 + (i >> 3) * 11) & 0xFF);
    }
    return column;
}

void BM_ColumnScaleShrink(benchmark::State& state)
{
    const auto srcCount = static_cast<int32_t>(state.range(0));
    const std::vector<uint8_t> src = echoColumn(static_cast<size_t>(srcCount));
    std::vector<uint8_t> dst(kCells);
    for (auto _ : state) {
        ColumnScale(0, srcCount, src.data(), 0, kCells, dst.data());
        benchmark::DoNotOptimize(dst.data());
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_ColumnScaleShrink)->Arg(1001)->Arg(2500)->Arg(3200);

void BM_ColumnScaleEnlarge(benchmark::State& state)
{
    const auto srcCount = static_cast<int32_t>(state.range(0));
    const std::vector<uint8_t> src = echoColumn(static_cast<size_t>(srcCount));
    std::vector<uint8_t> dst(kCells);
    for (auto _ : state) {
        ColumnScale(0, srcCount, src.data(), 0, kCells, dst.data());
        benchmark::DoNotOptimize(dst.data());
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_ColumnScaleEnlarge)->Arg(400)->Arg(999);

void BM_ColumnConvert(benchmark::State& state)
{
    const std::vector<uint8_t> source = echoColumn(kCells);
    std::array<std::array<uint8_t, 256>, 3> tables;
    for (size_t s = 0; s < 3; ++s) {
        for (size_t k = 0; k < 256; ++k) {
            tables[s][k] = static_cast<uint8_t>(k ^ (s * 85));
        }
    }
    const int16_t widths[3] = {2, 3, 4};
    std::vector<uint8_t> column(kCells);
    for (auto _ : state) {
        std::memcpy(column.data(), source.data(), kCells);
        ColumnConvert(column.data(), kCells, 40, widths, 120, 700, 0, tables[0].data(),
                      tables[1].data(), tables[2].data());
        benchmark::DoNotOptimize(column.data());
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_ColumnConvert);

void BM_ColumnCopyIntoBitmap(benchmark::State& state)
{
    // A chart bitmap of 1000 rows, 800 columns wide, drawing its newest column.
    constexpr int32_t rowLength = 800;
    std::vector<uint8_t> bitmap(static_cast<size_t>(rowLength) * (kCells + 1));
    const std::vector<uint8_t> column = echoColumn(kCells + 1);
    for (auto _ : state) {
        ColumnCopy(bitmap.data() + rowLength - 1, column.data(), rowLength, kCells);
        benchmark::DoNotOptimize(bitmap.data());
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_ColumnCopyIntoBitmap);

void BM_FileDecode4096(benchmark::State& state)
{
    constexpr size_t kSamples = 4096;
    std::vector<uint8_t> sounding(kSamples);
    for (size_t i = 0; i < kSamples; ++i) {
        sounding[i] = static_cast<uint8_t>(
            std::lround(60 + 50 * std::sin(static_cast<double>(i) / 90.0) + (i > 3000 ? 80 : 0)));
    }
    const std::vector<int32_t> coefficients =
        testlog::expandCodes(testlog::codeSamples(sounding), kSamples);
    std::vector<int32_t> work(kSamples);
    std::vector<uint8_t> samples(kSamples);
    for (auto _ : state) {
        // FileDecode works in place; the copy of 16 KB is part of what the reader pays too.
        std::memcpy(work.data(), coefficients.data(), kSamples * sizeof(int32_t));
        FileDecode(work.data(), samples.data(), static_cast<int32_t>(kSamples));
        benchmark::DoNotOptimize(samples.data());
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_FileDecode4096);

void BM_FileDecompressCoded4096(benchmark::State& state)
{
    constexpr size_t kSamples = 4096;
    std::vector<uint8_t> sounding = echoColumn(kSamples);
    const testlog::WaveletCode code = testlog::codeSamples(sounding);
    std::vector<uint8_t> area;
    testlog::putI32(area, code.scale);
    area.insert(area.end(), code.codes.begin(), code.codes.end());
    std::vector<int32_t> coefficients(kSamples);
    for (auto _ : state) {
        int32_t remaining = static_cast<int32_t>(kSamples);
        FileDecompress(area.data(), 0, static_cast<int32_t>(area.size()), coefficients.data(),
                       &remaining);
        benchmark::DoNotOptimize(coefficients.data());
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_FileDecompressCoded4096);

} // namespace
