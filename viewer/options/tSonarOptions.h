// The options of one chart window: sensitivity, colour line, black lines and no-echo colours per
// colour region, the displayed depth window, automatic sensitivity and depth range, fish
// options, surface clarity, advanced signal processing and the colour mode. Setters clamp the
// depth window and announce every effective change through OptionsChanged, synchronously and
// after the new value is stored.
//
// Colour regions are 0 surface, 1 water column, 2 bottom; any other region throws
// std::out_of_range, storing nothing and raising nothing. Colours are red + 256 x green +
// 65536 x blue. Setters are named set + the property's name.
#pragma once

#include <QObject>
#include <QString>

#include <array>
#include <cstdint>
#include <tuple>

namespace brellix {

class tSonarOptions : public QObject
{
    Q_OBJECT

public:
    // ColorMode values.
    static constexpr int32_t kGrayscale = 0;
    static constexpr int32_t kInverseGrayscale = 1;
    static constexpr int32_t kColorWhiteBackground = 2;
    static constexpr int32_t kColorBlueBackground = 3;
    static constexpr int32_t kScanningBrown = 4;
    static constexpr int32_t kScanningGray = 5;
    static constexpr int32_t kUserDefined = 6;
    static constexpr int32_t kUserDefinedRegions = 7;

    // Lower limit - upper limit never falls below this through the limit setters.
    static constexpr float kMinimumDepthRange = 5.0f;

    explicit tSonarOptions(QObject* parent = nullptr);

    int32_t lBlacklineColor(int ColorRegion) const;
    // Raises on change.
    void setlBlacklineColor(int ColorRegion, int32_t value);

    int32_t lNoEchoColor(int ColorRegion) const;
    // Raises on change.
    void setlNoEchoColor(int ColorRegion, int32_t value);

    int16_t iSensitivity() const { return m_sensitivity; }
    // Raises always, also when the value is unchanged: the chart redraws on it.
    void setiSensitivity(int16_t value);

    int16_t iColorLine() const { return m_colorLine; }
    void setiColorLine(int16_t value);

    int16_t iBlackLine(int ColorRegion) const;
    void setiBlackLine(int ColorRegion, int16_t value);

    bool bAutoSensitivity() const { return m_autoSensitivity; }
    void setbAutoSensitivity(bool value);

    float sngUpperLimit() const { return m_upperLimit; }
    // Keeps the window at least 5 feet deep by moving the upper limit up, and not above the
    // surface unless AllowSubZeroUL. Raises when the value differs from the stored one.
    void setsngUpperLimit(float value);

    bool AllowSubZeroUL() const { return m_allowSubZeroUpperLimit; }
    // Never raises and does not re-clamp the current upper limit.
    void setAllowSubZeroUL(bool value);

    float sngLowerLimit() const { return m_lowerLimit; }
    // Keeps the window at least 5 feet deep by moving the lower limit down, and never above 5.
    // Raises when the value differs from the stored one.
    void setsngLowerLimit(float value);

    float sngDepthRange() const { return m_lowerLimit - m_upperLimit; }
    // Moves the window to the surface with the given range (at least 5). Raises unless the
    // window already is exactly 0 to the given range.
    void setsngDepthRange(float value);

    bool bAutoDepthRange() const { return m_autoDepthRange; }
    void setbAutoDepthRange(bool value);

    bool bFishDepths() const { return m_fishDepths; }
    void setbFishDepths(bool value);

    bool bFishSymbols() const { return m_fishSymbols; }
    void setbFishSymbols(bool value);

    // 0 Off, 1 Low, 2 Medium, 3 High; not range-checked.
    int32_t SurfaceClarity() const { return m_surfaceClarity; }
    void setSurfaceClarity(int32_t value);

    // 0 Off, 1 Normal, 2 High; not range-checked.
    int32_t AdvancedSignalProcessing() const { return m_advancedSignalProcessing; }
    void setAdvancedSignalProcessing(int32_t value);

    // 0 to 7, see the k constants; not range-checked.
    int32_t ColorMode() const { return m_colorMode; }
    void setColorMode(int32_t value);

    bool IsUserColorMode() const
    {
        return m_colorMode == kUserDefined || m_colorMode == kUserDefinedRegions;
    }
    bool IsRegionColorMode() const { return m_colorMode == kUserDefinedRegions; }

    // Takes every value of other as it stands, without clamping; raises once when any changed.
    void copyFrom(const tSonarOptions& other);

    // The colour mode's caption in the menu and in the chart settings dialog; empty outside
    // 0 to 7.
    static QString colorModeMenuCaption(int32_t mode);
    static QString colorModeDialogCaption(int32_t mode);

signals:
    void OptionsChanged();

private:
    static size_t regionSlot(int ColorRegion);
    // Every value, for copying and comparing them all at once.
    template <typename Options> static auto values(Options& options)
    {
        return std::tie(options.m_blacklineColor, options.m_noEchoColor, options.m_blackLine,
                        options.m_sensitivity, options.m_colorLine, options.m_autoSensitivity,
                        options.m_upperLimit, options.m_lowerLimit, options.m_autoDepthRange,
                        options.m_fishDepths, options.m_fishSymbols, options.m_surfaceClarity,
                        options.m_advancedSignalProcessing, options.m_colorMode,
                        options.m_allowSubZeroUpperLimit);
    }

    std::array<int32_t, 3> m_blacklineColor{};
    std::array<int32_t, 3> m_noEchoColor{};
    std::array<int16_t, 3> m_blackLine{};
    int16_t m_sensitivity = 20;
    int16_t m_colorLine = 102;
    bool m_autoSensitivity = true;
    float m_upperLimit = 0.0f;
    float m_lowerLimit = 600.0f;
    bool m_autoDepthRange = true;
    bool m_fishDepths = false;
    bool m_fishSymbols = false;
    int32_t m_surfaceClarity = 0;
    int32_t m_advancedSignalProcessing = 1;
    int32_t m_colorMode = kColorWhiteBackground;
    bool m_allowSubZeroUpperLimit = false;
};

} // namespace brellix
