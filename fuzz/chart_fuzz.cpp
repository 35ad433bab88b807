// Arbitrary bytes as a sonar log drawn the whole way a chart draws it: the first bytes choose
// the chart's options (depth window, automatic range and sensitivity, surface clarity, signal
// processing, fish symbols, colour mode), the rest is the log. Every channel it offers is opened
// and a few soundings drawn into a small chart, as columns or, for side-looking channels, rows;
// the chart must keep its size and every line drawn must come back as long as the chart is deep.
#include "BuildLibrary.h"
#include "InputFile.h"
#include "logs/tSonarFile.h"
#include "options/tSonarOptions.h"
#include "render/SoundingPainter.h"
#include "render/tChart.h"
#include "render/tColorScheme.h"
#include "render/tSonarColor.h"
#include "render/tSonarProcessing.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {

constexpr size_t kOptionBytes = 6;
constexpr int32_t kChartWidth = 24;
constexpr int32_t kChartHeight = 40;

void check(bool condition, const char* what)
{
    if (!condition) {
        std::fprintf(stderr, "chart_fuzz: %s\n", what);
        std::abort();
    }
}

struct ChartChoice
{
    int32_t colorMode;
    bool fishSymbols;
    bool autoRange;
    bool autoSensitivity;
    int32_t clarity;
    int32_t processing;
    float upper;
    float range;
    int16_t sensitivity;
};

ChartChoice choose(const uint8_t* bytes)
{
    ChartChoice c{};
    c.colorMode = bytes[0] & 7;
    c.fishSymbols = (bytes[0] & 8) != 0;
    c.autoRange = (bytes[0] & 16) != 0;
    c.autoSensitivity = (bytes[0] & 32) != 0;
    c.clarity = bytes[1] & 3;
    c.processing = (bytes[1] >> 2) % 3;
    c.upper = bytes[2];
    c.range = 5.0f + static_cast<float>(bytes[3]) * 2.0f;
    c.sensitivity = static_cast<int16_t>(bytes[4] % 101);
    return c;
}

// The line handed to the chart spans the depth axis and its upper bound, whatever the log held.
void checkLine(const brellix::SoundingPainter& painter, int32_t depthPixels)
{
    check(painter.lastColumn().size() == static_cast<size_t>(depthPixels) + 1,
          "a line of another length than the chart's depth");
}

void drawChannel(brellix::tSonarFile& file, int32_t channel, const ChartChoice& c, uint8_t steps)
{
    brellix::tSonarOptions options;
    options.setColorMode(c.colorMode);
    options.setbFishSymbols(c.fishSymbols);
    options.setbAutoDepthRange(c.autoRange);
    options.setbAutoSensitivity(c.autoSensitivity);
    options.setSurfaceClarity(c.clarity);
    options.setAdvancedSignalProcessing(c.processing);
    options.setsngLowerLimit(c.upper + c.range);
    options.setsngUpperLimit(c.upper);
    options.setiSensitivity(c.sensitivity);

    brellix::tColorScheme scheme;
    brellix::tSonarColor colors;
    colors.setUserColorScheme(&scheme);
    brellix::tSonarProcessing processing;
    brellix::SoundingPainter painter(options, colors, processing);
    painter.setSonarFile(&file);
    painter.setChannel(channel);
    painter.setUserColorScheme(&scheme);
    const bool horizontal = file.isSideLooking();
    painter.setHorizontal(horizontal);

    brellix::tChart chart;
    check(chart.Create(kChartWidth, kChartHeight), "a small chart could not be created");
    painter.applyColorOptions();
    const int32_t depthPixels = horizontal ? kChartWidth : kChartHeight;
    processing.Setup(options.sngDepthRange() / static_cast<float>(depthPixels),
                     options.sngUpperLimit(), options.sngLowerLimit(),
                     static_cast<int16_t>(options.SurfaceClarity()));

    const int32_t lines = horizontal ? kChartHeight : kChartWidth;
    const int32_t count = file.NumSoundings();
    // Playback from a fuzzer-chosen start, then a redraw from the newest line back.
    file.SSeek(count > 0 ? steps % count : 0);
    for (int32_t x = 0; x < 6; ++x) {
        painter.keepCorrelationAdjacent(file.STell(), 1);
        painter.DrawSounding(chart, x % lines, false);
        checkLine(painter, depthPixels);
    }
    for (int32_t x = lines - 1; x >= lines - 4; --x) {
        const int32_t sounding = count - 1 - (lines - 1 - x);
        painter.keepCorrelationAdjacent(sounding, -1);
        file.SSeek(sounding);
        painter.DrawSounding(chart, x, true);
        checkLine(painter, depthPixels);
    }
    painter.adoptRecordedWindow(count / 2);

    check(chart.lChartPixelWidth() == kChartWidth && chart.lChartPixelHeight() == kChartHeight,
          "drawing changed the chart's size");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const bool ready = bindBuildLibrary("chart_fuzz");
    static const InputFile input("chart_fuzz", ".log");
    if (!ready || size < kOptionBytes || !input.write(data + kOptionBytes, size - kOptionBytes)) {
        return 0;
    }
    const ChartChoice choice = choose(data);
    const QString path = input.path();
    for (int32_t channel : {0, 1, 2, 3, 4, 5}) {
        brellix::tSonarFile file;
        if (!file.SOpen(path, channel)) {
            continue;
        }
        drawChannel(file, channel, choice, data[5]);
        // SLG logs draw the same on every channel.
        if (file.Version() != 2) {
            break;
        }
    }
    return 0;
}
