#include "TrackReader.h"

#include <algorithm>

namespace brellix {

bool TrackReader::open(const QString& fileName, int32_t channel, int32_t maxPoints,
                       const tSonarFile* mapOf)
{
    m_next = 0;
    m_segmentOpen = false;
    m_points = 0;
    m_segments.clear();
    const bool opened = m_file.SOpen(fileName, channel);
    if (opened && mapOf != nullptr) {
        m_file.shareChainIndex(*mapOf);
    }
    m_step = opened ? stepFor(m_file.NumSoundings(), maxPoints) : 1;
    return opened;
}

int32_t TrackReader::stepFor(int32_t soundings, int32_t maxPoints)
{
    if (maxPoints <= 0 || soundings <= maxPoints) {
        return 1;
    }
    return (soundings + maxPoints - 1) / maxPoints;
}

std::optional<TrackPoint> TrackReader::pointAt(tSonarFile& file, int32_t S)
{
    tSubHeader own;
    const std::optional<SoundingPosition> position = positionAt(file, S, &own);
    if (!position) {
        return std::nullopt;
    }
    TrackPoint point;
    point.sounding = S;
    point.position = *position;
    point.latitude = LatitudeFromY(position->y);
    point.longitude = LongitudeFromX(position->x);
    point.depthValid = own.bDepthValid;
    point.depth = own.sngDepth;
    point.temperatureValid = own.bWaterTemperatureValid;
    point.temperature = own.sngWaterTemperature;
    point.timeValid = own.bTimeValid;
    point.timeOffset = own.lTimeOffset;
    return point;
}

bool TrackReader::readSlice(int32_t count)
{
    const int32_t total = m_file.NumSoundings();
    for (int32_t i = 0; i < count && m_next < total; ++i) {
        const std::optional<TrackPoint> point = pointAt(m_file, m_next);
        if (!point) {
            m_segmentOpen = false;
        } else {
            if (!m_segmentOpen) {
                m_segments.emplace_back();
                m_segmentOpen = true;
            }
            m_segments.back().push_back(*point);
            ++m_points;
        }
        // The last sounding always counts: the track ends where the log does.
        m_next = m_next + m_step < total || m_next == total - 1 ? m_next + m_step : total - 1;
    }
    return !atEnd();
}

} // namespace brellix
