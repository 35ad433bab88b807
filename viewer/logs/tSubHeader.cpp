#include "tSubHeader.h"

#include "common/Rounding.h"

#include <stdexcept>

namespace brellix {

namespace {

// (depth - upper) in single precision, as the fields hold it, scaled to cells exactly.
double cellsBelowTop(float depth, float upper, float pixelsPerFoot)
{
    const float feet = depth - upper;
    return static_cast<double>(feet) * static_cast<double>(pixelsPerFoot);
}

} // namespace

void tSubHeader::CalcCellIndexes()
{
    const float window = sngLowerLimit - sngUpperLimit;
    sngPixelsPerFoot =
        static_cast<float>(static_cast<double>(lNumRangeCells) / static_cast<double>(window));

    const float bottom = bTopOfBottomValid ? sngTopBottom : bDepthValid ? sngDepth : sngLowerLimit;
    roundToInt32(cellsBelowTop(bottom, sngUpperLimit, sngPixelsPerFoot), lBottomCellIndex);
    roundToInt32(cellsBelowTop(sngSurfaceDepth, sngUpperLimit, sngPixelsPerFoot),
                 lSurfaceCellIndex);

    if (lBottomCellIndex < 0) {
        lBottomCellIndex = 0;
    }
    if (lSurfaceCellIndex > lNumRangeCells) {
        lSurfaceCellIndex = lNumRangeCells - 1;
    }
    if (lBottomCellIndex > lNumRangeCells) {
        lBottomCellIndex = lNumRangeCells - 1;
    }
}

void tSubHeader::Copy(const tSubHeader& source)
{
    sngTopBottom = source.sngTopBottom;
    sngSurfaceDepth = source.sngSurfaceDepth;
    rcNoiseSpike = source.rcNoiseSpike;
    bWaterSpeedValid = source.bWaterSpeedValid;
    sngWaterSpeed = source.sngWaterSpeed;
    bWaterTemperatureValid = source.bWaterTemperatureValid;
    sngWaterTemperature = source.sngWaterTemperature;
    bTemperature2Valid = source.bTemperature2Valid;
    sngTemperature2 = source.sngTemperature2;
    bTemperature3Valid = source.bTemperature3Valid;
    sngTemperature3 = source.sngTemperature3;
    bDepthValid = source.bDepthValid;
    sngDepth = source.sngDepth;
    bSurfaceValid = source.bSurfaceValid;
    bTopOfBottomValid = source.bTopOfBottomValid;
    bColumnIs50KHz = source.bColumnIs50KHz;
    bPositionValid = source.bPositionValid;
    lPositionX = source.lPositionX;
    lPositionY = source.lPositionY;
    bTimeValid = source.bTimeValid;
    lTimeOffset = source.lTimeOffset;
    bSpeedTrackValid = source.bSpeedTrackValid;
    sngSpeed = source.sngSpeed;
    sngTrack = source.sngTrack;
    bAltitudeValid = source.bAltitudeValid;
    sngAltitude = source.sngAltitude;
    iNumFish = source.iNumFish;
    for (int16_t i = 0; i < kFishCount; ++i) {
        fishDepths[static_cast<size_t>(i)] = source.sngFish(i);
    }

    m_BurstLengthUs = source.m_BurstLengthUs;
    m_Integration = source.m_Integration;
    m_GainDuty = source.m_GainDuty;
    m_VideoIntegration = source.m_VideoIntegration;
    m_Frequency = source.m_Frequency;
    m_PingPeriodMs = source.m_PingPeriodMs;
    m_Correlation = source.m_Correlation;
    m_Discrimination = source.m_Discrimination;
    m_Flags = source.m_Flags;
    m_RunningTimeMs = source.m_RunningTimeMs;
    m_AutoSenseRangecell = source.m_AutoSenseRangecell;
    m_DigitalRangecell = source.m_DigitalRangecell;
    m_NoiseCount = source.m_NoiseCount;
    m_NoisePeak = source.m_NoisePeak;
    m_NoiseAverage = source.m_NoiseAverage;
    m_RVGMaxAttenuation = source.m_RVGMaxAttenuation;
    m_RVGDepth = source.m_RVGDepth;
    m_KeelOffset = source.m_KeelOffset;
    m_Heading = source.m_Heading;
    m_FishingMode = source.m_FishingMode;
    m_PingSpeed = source.m_PingSpeed;
    m_NoiseRejection = source.m_NoiseRejection;
    m_ManualMode = source.m_ManualMode;

    CalcCellIndexes();
}

float tSubHeader::sngFish(int16_t index) const
{
    if (index < 0 || index >= kFishCount) {
        throw std::out_of_range("fish depth index outside 0 to 7");
    }
    return fishDepths[static_cast<size_t>(index)];
}

void tSubHeader::setFish(int16_t index, float depth)
{
    if (index < 0 || index >= kFishCount) {
        throw std::out_of_range("fish depth index outside 0 to 7");
    }
    fishDepths[static_cast<size_t>(index)] = depth;
}

} // namespace brellix
