// Clutter removal and correlation of one 1000-cell column, as the viewer calls them per sounding.
#include <vantrel/vantrel.h>

#include <benchmark/benchmark.h>

#include <array>
#include <cstdint>

namespace {

constexpr int32_t cells = 1000;

std::array<uint8_t, cells> echoColumn()
{
    std::array<uint8_t, cells> column{};
    for (int32_t i = 0; i < cells; ++i) {
        column[static_cast<std::size_t>(i)] = static_cast<uint8_t>((i * 73 + 19) % 251);
    }
    return column;
}

void BM_ProcessRemoveSurfaceClutter(benchmark::State& state)
{
    const auto clarity = static_cast<int16_t>(state.range(0));
    auto column = echoColumn();
    ProcessSetup(0.1f, 0.0f, 100.0f, clarity);
    for (auto _ : state) {
        // The zone reaches 60 cells below a surface at cell 100, the rest is averaging only.
        ProcessRemoveSurfaceClutter(column.data(), cells, 100);
        benchmark::DoNotOptimize(column.data());
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * cells);
}
BENCHMARK(BM_ProcessRemoveSurfaceClutter)->Arg(1)->Arg(3);

void BM_ProcessHorizontalCorrelation(benchmark::State& state)
{
    const auto level = static_cast<int16_t>(state.range(0));
    auto column = echoColumn();
    ProcessSetup(0.1f, 0.0f, 100.0f, 0);
    for (auto _ : state) {
        ProcessHorizontalCorrelation(column.data(), cells, level, 0);
        benchmark::DoNotOptimize(column.data());
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * cells);
}
BENCHMARK(BM_ProcessHorizontalCorrelation)->Arg(0)->Arg(2)->Arg(4);

} // namespace
