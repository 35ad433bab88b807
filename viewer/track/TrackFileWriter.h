// Writes a track for map programs: GPX 1.1 (one track, a segment per run of positions, depth
// and water temperature as extension elements of the viewer's own namespace) or KML 2.2 (a line
// per run and, optionally, a placemark with the depth every so many soundings). The file is
// written beside its name and renamed into place only when complete: a failure or a
// cancellation leaves an earlier file of that name as it was.
#pragma once

#include "track/TrackPoint.h"

#include <QDateTime>
#include <QString>

#include <functional>
#include <vector>

namespace brellix {

class TrackFileWriter
{
public:
    enum Format { Gpx, Kml };

    // The namespace of the GPX extension elements: depth in metres, water temperature in
    // degrees Celsius, the sounding's number in the log.
    static constexpr const char* kGpxExtensionNamespace = "urn:brellix:gpx:sounding:1";

    QString name;               // the track's name: the log's file name
    QDateTime recordingStart;   // invalid: the log's times are relative and no time is written
    int32_t placemarkEvery = 0; // KML: a depth placemark every so many soundings; 0 none
    // Called with points written so far; returning false cancels the write.
    std::function<bool(size_t written)> progress;

    // False with error() when the file could not be written or the write was cancelled.
    bool write(const QString& path, Format format, const std::vector<TrackSegment>& segments);
    QString error() const { return m_error; }
    bool cancelled() const { return m_cancelled; }

private:
    QString m_error;
    bool m_cancelled = false;
};

} // namespace brellix
