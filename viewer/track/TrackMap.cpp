#include "TrackMap.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace brellix {

namespace {

constexpr double kMetresPerMile = 1609.344;
constexpr double kDegree = 0.017453292519943295;

// 1, 2 or 5 times a power of ten, the largest not above value.
double roundDown125(double value)
{
    const double power = std::pow(10.0, std::floor(std::log10(value)));
    for (double step : {5.0, 2.0, 1.0}) {
        if (step * power <= value) {
            return step * power;
        }
    }
    return power;
}

} // namespace

void TrackMap::fit(const QRectF& view, double margin)
{
    double minX = std::numeric_limits<double>::max();
    double maxX = std::numeric_limits<double>::lowest();
    double minY = minX;
    double maxY = maxX;
    double latitudeSum = 0.0;
    size_t count = 0;
    m_shallowest = std::numeric_limits<double>::max();
    m_deepest = std::numeric_limits<double>::lowest();
    if (m_segments != nullptr) {
        for (const TrackSegment& segment : *m_segments) {
            for (const TrackPoint& p : segment) {
                minX = std::min(minX, static_cast<double>(p.position.x));
                maxX = std::max(maxX, static_cast<double>(p.position.x));
                minY = std::min(minY, static_cast<double>(p.position.y));
                maxY = std::max(maxY, static_cast<double>(p.position.y));
                latitudeSum += p.latitude;
                ++count;
                if (p.depthValid) {
                    m_shallowest = std::min(m_shallowest, static_cast<double>(p.depth));
                    m_deepest = std::max(m_deepest, static_cast<double>(p.depth));
                }
            }
        }
    }
    if (m_shallowest > m_deepest) {
        m_shallowest = m_deepest = 0.0;
    }
    if (count == 0) {
        m_scale = 0.0;
        m_groundPerPixel = 0.0;
        return;
    }
    // A track that stood still still gets a view some tens of metres across.
    const double width = std::max(maxX - minX, 50.0);
    const double height = std::max(maxY - minY, 50.0);
    const QRectF inner = view.adjusted(margin, margin, -margin, -margin);
    m_scale =
        std::min(std::max(inner.width(), 1.0) / width, std::max(inner.height(), 1.0) / height);
    // Centred: the unused room is shared on both sides.
    m_minX = minX - (inner.width() / m_scale - (maxX - minX)) / 2.0;
    m_maxY = maxY + (inner.height() / m_scale - (maxY - minY)) / 2.0;
    m_origin = inner.topLeft();
    // Mercator metres stretch by 1 / cos(latitude) away from the equator.
    const double middle = latitudeSum / static_cast<double>(count);
    m_groundPerPixel = std::cos(middle * kDegree) / m_scale;
}

QPointF TrackMap::toView(const SoundingPosition& position) const
{
    return {m_origin.x() + (position.x - m_minX) * m_scale,
            m_origin.y() + (m_maxY - position.y) * m_scale};
}

std::optional<TrackPoint> TrackMap::nearest(const QPointF& at, double radius) const
{
    if (m_segments == nullptr || m_scale <= 0.0) {
        return std::nullopt;
    }
    std::optional<TrackPoint> best;
    double bestDistance = radius * radius;
    for (const TrackSegment& segment : *m_segments) {
        for (const TrackPoint& p : segment) {
            const QPointF d = toView(p.position) - at;
            const double distance = d.x() * d.x() + d.y() * d.y();
            if (distance <= bestDistance) {
                bestDistance = distance;
                best = p;
            }
        }
    }
    return best;
}

std::optional<TrackPoint> TrackMap::pointFor(int32_t sounding) const
{
    if (m_segments == nullptr) {
        return std::nullopt;
    }
    std::optional<TrackPoint> found;
    for (const TrackSegment& segment : *m_segments) {
        if (segment.empty() || segment.front().sounding > sounding) {
            break;
        }
        const auto after =
            std::upper_bound(segment.begin(), segment.end(), sounding,
                             [](int32_t s, const TrackPoint& p) { return s < p.sounding; });
        if (after != segment.begin()) {
            found = *(after - 1);
        }
    }
    return found;
}

QColor TrackMap::rampColor(double fraction)
{
    const double f = std::clamp(fraction, 0.0, 1.0);
    // From shallow sand yellow through green-blue to deep navy.
    const auto mix = [f](int shallow, int deep) {
        return static_cast<int>(std::lround(shallow + (deep - shallow) * f));
    };
    return QColor(mix(250, 10), mix(220, 30), mix(90, 140));
}

QColor TrackMap::depthColor(const TrackPoint& point) const
{
    if (!point.depthValid) {
        return QColor(150, 150, 150);
    }
    const double span = m_deepest - m_shallowest;
    return rampColor(span > 0.0 ? (point.depth - m_shallowest) / span : 0.0);
}

TrackMap::ScaleBar TrackMap::scaleBar(double maxPixels, bool metric) const
{
    if (m_groundPerPixel <= 0.0 || maxPixels <= 0.0) {
        return {};
    }
    const double longest = maxPixels * m_groundPerPixel; // ground metres
    double unit = metric ? 1.0 : kMetresPerFoot;
    QString name = metric ? QStringLiteral("m") : QStringLiteral("ft");
    if (metric && longest >= 1000.0) {
        unit = 1000.0;
        name = QStringLiteral("km");
    } else if (!metric && longest >= kMetresPerMile) {
        unit = kMetresPerMile;
        name = QStringLiteral("mi");
    }
    const double length = roundDown125(longest / unit);
    return {length * unit / m_groundPerPixel,
            QString::number(length, 'g', 6) + QLatin1Char(' ') + name};
}

} // namespace brellix
