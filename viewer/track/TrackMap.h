// The track window's drawing model, free of widgets: fits the track's Mercator metres into a
// view north up with one scale for both axes, finds the point under the cursor, colours points
// by depth and picks a scale bar in the user's unit system.
#pragma once

#include "track/TrackPoint.h"

#include <QColor>
#include <QPointF>
#include <QRectF>
#include <QString>

#include <optional>
#include <vector>

namespace brellix {

class TrackMap
{
public:
    // The points to draw, in order; segments keep their breaks.
    void setSegments(const std::vector<TrackSegment>* segments) { m_segments = segments; }
    // Fits the points known so far into view, keeping margin pixels clear on each side.
    void fit(const QRectF& view, double margin);

    // Where a Mercator position lands in the view.
    QPointF toView(const SoundingPosition& position) const;
    // The point nearest to a place in the view, within radius pixels.
    std::optional<TrackPoint> nearest(const QPointF& at, double radius) const;
    // The point of a sounding, or the nearest sampled one before it.
    std::optional<TrackPoint> pointFor(int32_t sounding) const;

    // The depth range of the points, in feet; equal ends when no point has a depth.
    double shallowest() const { return m_shallowest; }
    double deepest() const { return m_deepest; }
    // Shallow water light, deep water dark blue; grey for a point without a depth.
    QColor depthColor(const TrackPoint& point) const;
    static QColor rampColor(double fraction);

    // A scale bar of a round length: metres or kilometres for a metric depth format (non-zero),
    // feet or miles otherwise, no longer than maxPixels.
    struct ScaleBar
    {
        double pixels = 0.0;
        QString label;
    };
    ScaleBar scaleBar(double maxPixels, bool metric) const;

    // Ground metres per view pixel at the track's middle latitude; 0 before a fit.
    double metresPerPixel() const { return m_groundPerPixel; }

private:
    const std::vector<TrackSegment>* m_segments = nullptr;
    double m_scale = 0.0; // view pixels per Mercator metre
    double m_minX = 0.0;
    double m_maxY = 0.0;
    QPointF m_origin;
    double m_groundPerPixel = 0.0;
    double m_shallowest = 0.0;
    double m_deepest = 0.0;
};

} // namespace brellix
