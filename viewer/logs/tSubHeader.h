// One sounding's sub-header: the depth window it covers, its depths and navigation values with
// their validity flags, the SL2 device settings (m_ fields), and three values derived for
// drawing. A plain value: every field starts at 0 / false.
#pragma once

#include <array>
#include <cstdint>

namespace brellix {

class tSubHeader
{
public:
    int32_t lNumRangeCells = 0;
    float sngUpperLimit = 0;
    float sngLowerLimit = 0;
    float sngDepth = 0;
    float sngTopBottom = 0;
    float sngSurfaceDepth = 0;
    uint8_t rcNoiseSpike = 0;
    bool bDepthValid = false;
    bool bSurfaceValid = false;
    bool bTopOfBottomValid = false;
    bool bColumnIs50KHz = false;
    bool bWaterSpeedValid = false;
    float sngWaterSpeed = 0;
    bool bWaterTemperatureValid = false;
    float sngWaterTemperature = 0;
    bool bTemperature2Valid = false;
    float sngTemperature2 = 0;
    bool bTemperature3Valid = false;
    float sngTemperature3 = 0;
    bool bTimeValid = false;
    int32_t lTimeOffset = 0;
    bool bSpeedTrackValid = false;
    float sngSpeed = 0;
    float sngTrack = 0;
    bool bAltitudeValid = false;
    float sngAltitude = 0;
    int16_t iNumFish = 0;
    bool bPositionValid = false;
    int32_t lPositionX = 0;
    int32_t lPositionY = 0;
    int32_t lSurfaceCellIndex = 0;
    int32_t lBottomCellIndex = 0;
    float sngPixelsPerFoot = 0;
    int32_t m_BurstLengthUs = 0;
    uint8_t m_Integration = 0;
    uint8_t m_GainDuty = 0;
    uint8_t m_VideoIntegration = 0;
    uint8_t m_Frequency = 0;
    int16_t m_PingPeriodMs = 0;
    uint8_t m_Correlation = 0;
    uint8_t m_Discrimination = 0;
    int16_t m_Flags = 0;
    int32_t m_RunningTimeMs = 0;
    uint8_t m_AutoSenseRangecell = 0;
    uint8_t m_DigitalRangecell = 0;
    uint8_t m_NoiseCount = 0;
    uint8_t m_NoisePeak = 0;
    uint8_t m_NoiseAverage = 0;
    uint8_t m_RVGMaxAttenuation = 0;
    int16_t m_RVGDepth = 0;
    float m_KeelOffset = 0;
    float m_Heading = 0;
    uint8_t m_FishingMode = 0;
    uint8_t m_PingSpeed = 0;
    uint8_t m_NoiseRejection = 0;
    bool m_ManualMode = false;

    static constexpr int kFishCount = 8;

    // Recomputes sngPixelsPerFoot, lBottomCellIndex and lSurfaceCellIndex from the window and
    // the depths. A zero-height window gives infinite pixels per foot; an index that cannot be
    // formed as a 32-bit integer keeps its previous value before the clamping.
    void CalcCellIndexes();

    // Takes the source's sounding values (everything but lNumRangeCells and the two limits,
    // which stay this object's window), then recomputes the derived values in this window.
    void Copy(const tSubHeader& source);

    // Fish depth 0 to 7; std::out_of_range for any other index.
    float sngFish(int16_t index) const;
    // Sets fish depth 0 to 7 (std::out_of_range otherwise), for a reader that keeps them.
    void setFish(int16_t index, float depth);

private:
    std::array<float, kFishCount> fishDepths{};
};

} // namespace brellix
