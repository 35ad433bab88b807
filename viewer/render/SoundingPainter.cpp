#include "SoundingPainter.h"

#include "common/Rounding.h"
#include "logs/tSonarFile.h"
#include "logs/tSubHeader.h"
#include "options/tSonarOptions.h"
#include "render/tChart.h"
#include "render/tColorScheme.h"
#include "render/tSonarColor.h"
#include "render/tSonarProcessing.h"

#include <QtGlobal>

#include <algorithm>
#include <array>
#include <exception>

namespace brellix {

SoundingPainter::SoundingPainter(tSonarOptions& options, tSonarColor& colors,
                                 tSonarProcessing& processing)
    : m_options(options), m_colors(colors), m_processing(processing)
{
}

void SoundingPainter::noteCorrelated(int32_t sounding)
{
    m_lastCorrelated = sounding;
    m_correlatedUpper = m_options.sngUpperLimit();
    m_correlatedLower = m_options.sngLowerLimit();
}

void SoundingPainter::keepCorrelationAdjacent(int32_t sounding, int32_t direction)
{
    if (m_options.AdvancedSignalProcessing() == 0 || m_lastCorrelated < 0) {
        return;
    }
    // A new window restarts the history by itself.
    if (m_options.sngUpperLimit() != m_correlatedUpper ||
        m_options.sngLowerLimit() != m_correlatedLower) {
        return;
    }
    if (m_lastCorrelated == sounding || m_lastCorrelated == sounding - direction) {
        return;
    }
    // The history restarts whenever the column length changes: one column of a single cell
    // (recorded unchanged at level 0) makes the next real column pass unchanged.
    std::vector<uint8_t> restart(1, 0);
    m_processing.HorizontalCorrelation(restart, 0, 0, m_options.sngUpperLimit(),
                                       m_options.sngLowerLimit());
    m_lastCorrelated = -1;
}

bool SoundingPainter::DrawSounding(tChart& destination, int32_t x, bool bIdleWorking)
{
    if (!m_file) {
        return false;
    }

    const int32_t sounding = m_file->STell();
    tSubHeader subHeader;
    subHeader.sngUpperLimit = m_options.sngUpperLimit();
    subHeader.sngLowerLimit = m_options.sngLowerLimit();
    subHeader.lNumRangeCells =
        m_horizontal ? destination.lChartPixelWidth() : destination.lChartPixelHeight();
    if (subHeader.lNumRangeCells < 1) {
        return false;
    }

    const bool bAutoRange = m_options.bAutoDepthRange() && !bIdleWorking;
    m_rangeCells.assign(static_cast<size_t>(subHeader.lNumRangeCells) + 1, 0);
    m_file->SRead(subHeader, m_rangeCells, bAutoRange);

    bool rangeChanged = false;
    if (bAutoRange && (subHeader.sngUpperLimit != m_options.sngUpperLimit() ||
                       subHeader.sngLowerLimit != m_options.sngLowerLimit())) {
        m_options.setsngUpperLimit(subHeader.sngUpperLimit);
        m_options.setsngLowerLimit(subHeader.sngLowerLimit);
        rangeChanged = true;
    }

    m_processing.RemoveSurfaceClutter(m_rangeCells, subHeader.lSurfaceCellIndex);

    const int16_t version = m_file->Version();
    const int16_t sensitivity = effectiveSensitivity(
        subHeader, version, m_channel, m_options.iSensitivity(), m_options.bAutoSensitivity());
    const int16_t level = processingLevel(subHeader, version, m_options.AdvancedSignalProcessing());
    m_processing.HorizontalCorrelation(m_rangeCells, level, sensitivity, m_options.sngUpperLimit(),
                                       m_options.sngLowerLimit());
    // Levels above 3 leave the history alone.
    if (level >= 0 && level <= 3) {
        noteCorrelated(sounding);
    }
    m_processing.Recombination();

    std::array<int16_t, 3> widths{};
    for (int r = 0; r < 3; ++r) {
        widths[static_cast<size_t>(r)] = (m_options.IsUserColorMode() && m_scheme)
                                             ? m_scheme->iBlacklineWidth(r)
                                             : m_options.iBlackLine(r);
    }

    m_colors.ConvertRangeCellsToPixels(m_rangeCells, sensitivity, widths[0], widths[1], widths[2],
                                       subHeader.lSurfaceCellIndex, subHeader.lBottomCellIndex,
                                       m_options.bFishSymbols());

    if (m_horizontal) {
        destination.DrawRow(x, m_rangeCells);
    } else if (x >= 0 && x < destination.Bitmap().lWidth()) {
        destination.DrawColumn(x, m_rangeCells);
    }
    return rangeChanged;
}

bool SoundingPainter::adoptRecordedWindow(int32_t sounding)
{
    float upper = 0.0f;
    float lower = 0.0f;
    if (!m_file || !m_options.bAutoDepthRange() ||
        !m_file->recordedWindow(sounding, upper, lower)) {
        return false;
    }
    if (upper == m_options.sngUpperLimit() && lower == m_options.sngLowerLimit()) {
        return false;
    }
    m_options.setsngUpperLimit(upper);
    m_options.setsngLowerLimit(lower);
    return true;
}

void SoundingPainter::applyColorOptions()
{
    m_colors.Reset();
    for (int r = 0; r < 3; ++r) {
        m_colors.setlBlacklineColor(r, m_options.lBlacklineColor(r));
        m_colors.setlNoEchoColor(r, m_options.lNoEchoColor(r));
    }
    applyColorMode();
    for (int r = 0; r < 3; ++r) {
        m_options.setlBlacklineColor(r, m_colors.lBlacklineColor(r));
        m_options.setlNoEchoColor(r, m_colors.lNoEchoColor(r));
    }
    m_colors.SetGrayLine(m_options.iColorLine());
}

void SoundingPainter::applyColorMode()
{
    try {
        m_colors.SetColorMode(m_options.ColorMode());
    } catch (const std::exception& e) {
        qWarning("user colour scheme: %s", e.what());
    }
}

void SoundingPainter::ClearColumn(tChart& chart, int32_t x) const
{
    const int32_t pixels = m_horizontal ? chart.lChartPixelWidth() : chart.lChartPixelHeight();
    if (pixels < 0) {
        return;
    }
    const std::vector<uint8_t> zeros(static_cast<size_t>(pixels) + 1, 0);
    if (m_horizontal) {
        chart.DrawRow(x, zeros);
    } else if (x >= 0 && x < chart.Bitmap().lWidth()) {
        chart.DrawColumn(x, zeros);
    }
}

int16_t SoundingPainter::effectiveSensitivity(const tSubHeader& subHeader, int16_t version,
                                              int32_t channel, int16_t sensitivity,
                                              bool autoSensitivity)
{
    if (!autoSensitivity) {
        return sensitivity;
    }
    double v = 0;
    if (subHeader.m_AutoSenseRangecell != 0 && version > 1) {
        const int32_t recorded =
            (channel >= 2 && channel <= 5) ? 0 : subHeader.m_AutoSenseRangecell;
        v = recorded - sensitivity;
    } else {
        v = roundHalfEven(subHeader.rcNoiseSpike - sensitivity / 2.0);
    }
    return static_cast<int16_t>(std::clamp(v, 0.0, 255.0));
}

int16_t SoundingPainter::processingLevel(const tSubHeader& subHeader, int16_t version,
                                         int32_t option)
{
    if (version > 1 && option != 0) {
        return static_cast<int16_t>(subHeader.m_Correlation + (option > 1 ? option - 1 : 0));
    }
    return static_cast<int16_t>(option);
}

} // namespace brellix
