// The viewer's reader on a large SL2 log: opening, random seeks with reads, consecutive reads.
//
// The log is BRELLIX_READER_BENCH_LOG when set (the figures of record use a 4 GB six-channel
// log from logsynth); otherwise a 256 MB six-channel log is written to a temporary folder and
// removed at the end. The library is looked for in BRELLIX_BIN_DIR, else in ../bin from here.
#include "LogWriter.h"

#include "BuildFolder.h"
#include "logs/tSonarFile.h"
#include "platform/VantrelLibrary.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include <unistd.h>

using brellix::tSonarFile;
using brellix::tSubHeader;

namespace {

constexpr int kPixels = 1000;
constexpr int kChannel = 0;

std::filesystem::path g_generated;

void removeGenerated()
{
    std::error_code ignored;
    if (!g_generated.empty()) {
        std::filesystem::remove(g_generated, ignored);
    }
}

// Six channels at the rates of a side-imaging unit, with debug columns after channel 0.
bool writeLog(const std::filesystem::path& path, uint64_t bytes)
{
    testlog::Sl2Header header;
    header.flags = 1;
    testlog::Sl2Writer log(header);
    if (!log.streamTo(path)) {
        return false;
    }
    std::mt19937 random(1);
    const size_t cells[6] = {1200, 1200, 1600, 2400, 2400, 2400};
    while (log.size() < bytes) {
        for (uint16_t channel = 0; channel < 6; ++channel) {
            testlog::Sl2Column column;
            column.channel = channel;
            column.lowerLimit = 60.0f;
            column.depth = 25.0f;
            column.rvgDepth = 40;
            column.rvgMaxAttenuation = 12;
            column.samples.resize(cells[channel]);
            for (uint8_t& sample : column.samples) {
                sample = static_cast<uint8_t>(random());
            }
            log.add(column);
            if (channel == 0) {
                column.channel = 10;
                column.samples.resize(200);
                log.add(column);
                column.channel = 11;
                log.add(column);
            }
        }
    }
    return log.close();
}

const QString& logPath()
{
    static const QString path = [] {
        if (const char* given = std::getenv("BRELLIX_READER_BENCH_LOG"); given && *given) {
            return QString::fromLocal8Bit(given);
        }
        g_generated = std::filesystem::temp_directory_path() /
                      ("reader_bench_" + std::to_string(::getpid()) + ".sl2");
        std::atexit(removeGenerated);
        if (!writeLog(g_generated, uint64_t{256} << 20)) {
            std::fprintf(stderr, "reader_bench: cannot write %s\n", g_generated.c_str());
        }
        return QString::fromStdString(g_generated.string());
    }();
    return path;
}

void bindLibrary()
{
    static const bool bound = [] {
        const QString folder = QString::fromStdString(testsupport::binFolder().string());
        brellix::VantrelLibrary::instance().setSearchFolder(folder);
        return brellix::VantrelLibrary::instance().verify();
    }();
    (void)bound;
}

bool openLog(benchmark::State& state, tSonarFile& file)
{
    bindLibrary();
    if (!brellix::VantrelLibrary::instance().verify()) {
        state.SkipWithError("the Vantrel library is missing");
        return false;
    }
    if (!file.SOpen(logPath(), kChannel)) {
        state.SkipWithError("the log does not open");
        return false;
    }
    return true;
}

tSubHeader pixelWindow()
{
    tSubHeader header;
    header.sngUpperLimit = 0.0f;
    header.sngLowerLimit = 60.0f;
    header.lNumRangeCells = kPixels;
    return header;
}

void BM_Open(benchmark::State& state)
{
    tSonarFile file;
    if (!openLog(state, file)) {
        return;
    }
    uint64_t bytes = 0;
    uint64_t reads = 0;
    for (auto _ : state) {
        tSonarFile opened;
        if (!opened.SOpen(logPath(), kChannel)) {
            state.SkipWithError("the log does not open");
        }
        bytes = opened.bytesRead();
        reads = opened.readCount();
        benchmark::DoNotOptimize(opened.NumSoundings());
    }
    state.counters["bytes_read"] = static_cast<double>(bytes);
    state.counters["reads"] = static_cast<double>(reads);
    state.counters["file_MB"] = static_cast<double>(file.lFileSize) / (1 << 20);
    state.counters["soundings"] = file.NumSoundings();
}
BENCHMARK(BM_Open)->Unit(benchmark::kMillisecond);

// One iteration: a seek to a random sounding and a read of it at 1000 pixels; with the
// argument 1 on the log's chain map, as the viewer seeks once the map is made.
void BM_RandomSeekRead(benchmark::State& state)
{
    tSonarFile file;
    if (!openLog(state, file)) {
        return;
    }
    const bool mapped = state.range(0) != 0;
    if (mapped) {
        file.startChainIndex();
        if (!file.waitForChainIndex()) {
            state.SkipWithError("the log got no chain map");
            return;
        }
        // The figures count only if the map changes nothing: every channel, sought on the map
        // and on the file from the same random starts, lands on the same packets.
        int differences = 0;
        for (int channel = 0; channel < 6; ++channel) {
            tSonarFile onFile;
            tSonarFile onMap;
            if (!onFile.SOpen(logPath(), channel) || !onMap.SOpen(logPath(), channel)) {
                continue;
            }
            onMap.shareChainIndex(file);
            std::mt19937 pick(static_cast<unsigned>(channel));
            std::uniform_int_distribution<int32_t> any(0, onFile.NumSoundings() - 1);
            for (int i = 0; i < 300; ++i) {
                const int32_t target = any(pick);
                onFile.SSeek(target);
                onMap.SSeek(target);
                differences += onFile.AddressTell() != onMap.AddressTell() ? 1 : 0;
            }
        }
        state.counters["differences"] = differences;
    }
    std::mt19937 random(7);
    std::uniform_int_distribution<int32_t> sounding(0, file.NumSoundings() - 1);
    std::vector<uint8_t> column;
    uint64_t seekReads = 0;
    uint64_t seekBytes = 0;
    uint64_t allReads = 0;
    uint64_t worstReads = 0;
    int64_t seeks = 0;
    for (auto _ : state) {
        const int32_t target = sounding(random);
        file.resetReadCounters();
        file.SSeek(target);
        seekReads += file.readCount();
        seekBytes += file.bytesRead();
        worstReads = std::max<uint64_t>(worstReads, file.readCount());
        ++seeks;
        tSubHeader header = pixelWindow();
        file.SRead(header, column, false);
        allReads += file.readCount();
        benchmark::DoNotOptimize(column.data());
    }
    const auto perSeek = [seeks](uint64_t total) {
        return static_cast<double>(total) / static_cast<double>(seeks);
    };
    state.counters["heads_per_seek"] = perSeek(seekReads);
    state.counters["bytes_per_seek"] = perSeek(seekBytes);
    state.counters["reads_seek_read"] = perSeek(allReads);
    state.counters["worst_heads"] = static_cast<double>(worstReads);
}
BENCHMARK(BM_RandomSeekRead)->Arg(0)->Arg(1)->Iterations(1000)->Unit(benchmark::kMicrosecond);

// Making the chain map: the whole log read once by the indexer's thread, waited for.
void BM_ChainIndex(benchmark::State& state)
{
    tSonarFile file;
    if (!openLog(state, file)) {
        return;
    }
    for (auto _ : state) {
        tSonarFile mapped;
        mapped.SOpen(logPath(), kChannel);
        mapped.startChainIndex();
        benchmark::DoNotOptimize(mapped.waitForChainIndex());
    }
    state.counters["file_MB"] = static_cast<double>(file.lFileSize) / (1 << 20);
}
BENCHMARK(BM_ChainIndex)->Iterations(3)->Unit(benchmark::kMillisecond)->UseRealTime();

// Playback: each sounding is sought (the next one, a near step) and read in turn.
void BM_ConsecutiveReads(benchmark::State& state)
{
    tSonarFile file;
    if (!openLog(state, file)) {
        return;
    }
    std::vector<uint8_t> column;
    int32_t next = file.NumSoundings() / 3;
    for (auto _ : state) {
        file.SSeek(next);
        tSubHeader header = pixelWindow();
        file.SRead(header, column, false);
        next = file.STell();
        benchmark::DoNotOptimize(column.data());
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_ConsecutiveReads)->Iterations(10000)->Unit(benchmark::kMicrosecond);

} // namespace
