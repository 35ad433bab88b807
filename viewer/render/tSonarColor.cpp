#include "tSonarColor.h"

#include "RgbColor.h"
#include "common/Rounding.h"
#include "platform/VantrelExports.h"
#include "tColorScheme.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <stdexcept>

namespace brellix {

namespace {

constexpr int32_t kRegionColorMode = 7;

bool isUserMode(int32_t mode)
{
    return mode == 6 || mode == kRegionColorMode;
}

int nearest(double value)
{
    return static_cast<int>(roundHalfEven(value));
}

} // namespace

tSonarColor::tSonarColor(QObject* parent) : QObject(parent)
{
    Reset();
}

size_t tSonarColor::sectionSlot(int section)
{
    if (section < 0 || section > 2) {
        throw std::out_of_range("colour section outside 0 to 2");
    }
    return static_cast<size_t>(section);
}

int32_t tSonarColor::lBlacklineColor(int ColorRegion) const
{
    return m_blacklineColor[sectionSlot(ColorRegion)];
}

void tSonarColor::setlBlacklineColor(int ColorRegion, int32_t value)
{
    m_blacklineColor[sectionSlot(ColorRegion)] = value;
}

int32_t tSonarColor::lNoEchoColor(int ColorRegion) const
{
    return m_noEchoColor[sectionSlot(ColorRegion)];
}

void tSonarColor::setlNoEchoColor(int ColorRegion, int32_t value)
{
    m_noEchoColor[sectionSlot(ColorRegion)] = value;
}

uint8_t tSonarColor::ConvertRangeCellToPixel(int16_t iColorSection, int16_t iRangeCell) const
{
    const size_t section = sectionSlot(iColorSection);
    if (iRangeCell < 0 || iRangeCell >= kTableEntries) {
        throw std::out_of_range("range cell outside 0 to 256");
    }
    return m_colorTable[section * kTableEntries + static_cast<size_t>(iRangeCell)];
}

void tSonarColor::Reset()
{
    m_colorMode = -1;
    m_tableSensitivity = -2;
}

void tSonarColor::SetGrayLine(int16_t iNewGrayLine)
{
    if (iNewGrayLine == m_grayLine) {
        return;
    }
    m_grayLine = iNewGrayLine;
    m_tableSensitivity = -2;
}

void tSonarColor::ReloadUserColors()
{
    const int32_t mode = m_colorMode;
    m_colorMode = -1;
    SetColorMode(mode);
}

void tSonarColor::SetColorMode(int32_t NewColorMode)
{
    if (NewColorMode == m_colorMode && !isUserMode(NewColorMode)) {
        return;
    }
    m_colorMode = NewColorMode;
    m_tableSensitivity = -2;

    switch (NewColorMode) {
    case 0:
        SetColorGradient(210, 210, 210, 15, 15, 15, 2, 255);
        announceFinalPair(rgbColor(0, 0, 0), rgbColor(255, 255, 255));
        break;
    case 1:
        SetColorGradient(15, 15, 15, 210, 210, 210, 2, 255);
        announceFinalPair(rgbColor(255, 255, 255), rgbColor(0, 0, 0));
        break;
    case 2:
        announceColorRamp();
        announceFinalPair(rgbColor(0, 0, 0), rgbColor(255, 255, 255));
        break;
    case 3:
        announceColorRamp();
        announceFinalPair(rgbColor(0, 0, 0), rgbColor(0, 0, 128));
        break;
    case 4:
        // Each gradient starts on the previous one's last index and overwrites it.
        SetColorGradient(74, 63, 34, 129, 107, 58, 0, 51);
        SetColorGradient(129, 107, 58, 134, 113, 62, 51, 98);
        SetColorGradient(134, 113, 62, 165, 138, 75, 98, 137);
        SetColorGradient(165, 138, 75, 184, 158, 99, 137, 178);
        SetColorGradient(184, 158, 99, 210, 193, 123, 178, 212);
        SetColorGradient(210, 193, 123, 255, 255, 255, 212, 255);
        announceFinalPair(rgbColor(74, 63, 34), rgbColor(74, 63, 34));
        break;
    case 5:
        SetColorGradient(51, 41, 19, 78, 63, 29, 2, 22);
        SetColorGradient(51, 41, 19, 255, 255, 255, 23, 255);
        announceFinalPair(rgbColor(0, 0, 0), rgbColor(51, 41, 19));
        break;
    case 6:
        announceUserPalette();
        break;
    case kRegionColorMode:
        announceUserRegionsPalette();
        break;
    default:
        break;
    }
}

void tSonarColor::announceColorRamp()
{
    // Navy through blue, purple and red to yellow over 2..255.
    for (int k = 0; k <= 253; ++k) {
        const int h = nearest(255.0 - k * 255.0 / 254.0);
        const double m = 5.0 * h;
        int red = 255 - std::clamp(nearest(m / 2.0 - 255.0), 0, 255);
        int green = 255 - std::min(nearest(m / 2.0), 255);
        int blue =
            255 - std::max(std::clamp(nearest(475.0 - m / 2.0), 0, 255), std::max(h - 100, 0));
        const double scale = 255.0 * 0.00392;
        red = nearest(red * scale);
        green = nearest(green * scale);
        blue = nearest(blue * scale);
        emit SetColorTableValue(static_cast<int16_t>(2 + k), rgbColor(red, green, blue));
    }
}

void tSonarColor::announceFinalPair(int32_t blackline, int32_t noEcho)
{
    m_blacklineColor[1] = blackline;
    m_noEchoColor[1] = noEcho;
    emit SetColorTableValue(1, m_blacklineColor[1]);
    emit SetColorTableValue(0, m_noEchoColor[1]);
}

const tColorScheme& tSonarColor::requireUserScheme() const
{
    if (!m_userScheme) {
        throw std::logic_error("user colour mode without a user colour scheme");
    }
    return *m_userScheme;
}

void tSonarColor::announceUserPalette()
{
    const tColorScheme& scheme = requireUserScheme();
    for (int i = 0; i <= 253; ++i) {
        const auto position = static_cast<int16_t>(nearest(i * 255.0 / 254.0));
        emit SetColorTableValue(static_cast<int16_t>(i + 2), scheme.GetColorValue(1, position));
    }
    announceFinalPair(scheme.lBlacklineColor(1), scheme.lNoEchoColor(1));
}

void tSonarColor::announceUserRegionsPalette()
{
    const tColorScheme& scheme = requireUserScheme();
    int base = 6;
    for (int s = 0; s < 3; ++s) {
        const int n = m_regionSize[static_cast<size_t>(s)];
        for (int j = 0; j < n; ++j) {
            const auto position = static_cast<int16_t>(nearest(j * 255.0 / n));
            emit SetColorTableValue(static_cast<int16_t>(base + j),
                                    scheme.GetColorValue(s, position));
        }
        base += n;
        m_blacklineColor[static_cast<size_t>(s)] = scheme.lBlacklineColor(s);
        m_noEchoColor[static_cast<size_t>(s)] = scheme.lNoEchoColor(s);
        emit SetColorTableValue(static_cast<int16_t>(2 * s + 1),
                                m_blacklineColor[static_cast<size_t>(s)]);
        emit SetColorTableValue(static_cast<int16_t>(2 * s), m_noEchoColor[static_cast<size_t>(s)]);
    }
}

void tSonarColor::SetColorGradient(int r1, int g1, int b1, int r2, int g2, int b2, int first,
                                   int last)
{
    float stepRed = 0.0f;
    float stepGreen = 0.0f;
    float stepBlue = 0.0f;
    if (first < last) {
        const double steps = last - first;
        stepRed = static_cast<float>((r2 - r1) / steps);
        stepGreen = static_cast<float>((g2 - g1) / steps);
        stepBlue = static_cast<float>((b2 - b1) / steps);
    }
    // The running components stay 32-bit floats, so their rounding drift is part of the
    // palette.
    auto red = static_cast<float>(r1);
    auto green = static_cast<float>(g1);
    auto blue = static_cast<float>(b1);
    for (int index = first; index <= last; ++index) {
        emit SetColorTableValue(static_cast<int16_t>(index),
                                rgbColor(nearest(red), nearest(green), nearest(blue)));
        red += stepRed;
        green += stepGreen;
        blue += stepBlue;
    }
}

void tSonarColor::BuildColorTable(int16_t sensitivity)
{
    m_tableSensitivity = sensitivity;
    if (m_colorMode == kRegionColorMode) {
        FillTableSection(0, sensitivity, 6, 45);
        FillTableSection(1, sensitivity, 46, 215);
        FillTableSection(2, sensitivity, 216, 255);
        for (int s = 0; s < 3; ++s) {
            const size_t section = static_cast<size_t>(s) * kTableEntries;
            m_colorTable[section + 1] = static_cast<uint8_t>(2 * s + 1);
            m_colorTable[section] = static_cast<uint8_t>(2 * s);
        }
        return;
    }
    FillTableSection(0, sensitivity, 2, 255);
    m_colorTable[1] = 1;
    m_colorTable[0] = 0;
    std::memcpy(m_colorTable.data() + kTableEntries, m_colorTable.data(), kTableEntries);
    std::memcpy(m_colorTable.data() + ptrdiff_t{2} * kTableEntries, m_colorTable.data(),
                kTableEntries);
}

void tSonarColor::FillTableSection(int section, int16_t sensitivity, int lo, int hi)
{
    if (m_grayLine == 0) {
        m_grayLine = 1;
    }
    const auto step = static_cast<float>(static_cast<double>(hi - lo) / m_grayLine);
    uint8_t* entries = m_colorTable.data() + static_cast<ptrdiff_t>(section) * kTableEntries;
    for (int v = 0; v <= 255; ++v) {
        // A float product, like the step: at the default colour line 102 a double product
        // would round some half-way entries up instead of to even.
        const float product = static_cast<float>(v - sensitivity) * step;
        const double d = lo + roundHalfEven(static_cast<double>(product));
        entries[v] =
            static_cast<uint8_t>(std::clamp(d, static_cast<double>(lo), static_cast<double>(hi)));
    }
}

bool tSonarColor::ConvertRangeCellsToPixels(std::vector<uint8_t>& rcData, int16_t iSensitivity,
                                            int16_t iSurfaceBlackLine, int16_t iFishBlackLine,
                                            int16_t iBottomBlackLine, int32_t lSurfaceCellIndex,
                                            int32_t lBottomCellIndex, bool bClearToBottom)
{
    if (rcData.empty()) {
        throw std::out_of_range("column without element 0");
    }
    if (rcData.size() > static_cast<size_t>(std::numeric_limits<int32_t>::max())) {
        throw std::out_of_range("column longer than a 32-bit count");
    }

    if (std::abs(int{iSensitivity} - int{m_tableSensitivity}) > 1) {
        BuildColorTable(iSensitivity);
    }

    const std::array<int16_t, 3> widths{iSurfaceBlackLine, iFishBlackLine, iBottomBlackLine};
    return vantrel::ColumnConvert(rcData.data(), static_cast<int32_t>(rcData.size()),
                                  m_tableSensitivity, widths.data(), lSurfaceCellIndex,
                                  lBottomCellIndex, static_cast<int16_t>(bClearToBottom ? 1 : 0),
                                  m_colorTable.data(), m_colorTable.data() + kTableEntries,
                                  m_colorTable.data() + ptrdiff_t{2} * kTableEntries)
        .has_value();
}

} // namespace brellix
