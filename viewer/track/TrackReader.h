// Reads a log's track: every step-th sounding's position (as the readout gives it), depth,
// temperature and time, a slice at a time, so that an event loop reads a 4 GB log without
// stalling and a window draws what is known so far. It reads through a reader of its own: the
// charts' readers keep their positions.
#pragma once

#include "logs/tSonarFile.h"
#include "track/TrackPoint.h"

#include <QString>

#include <cstdint>
#include <vector>

namespace brellix {

class TrackReader
{
public:
    // Opens fileName's channel to read every sounding, or for maxPoints above 0 every step-th
    // one so that about maxPoints are read; false, with openError(), when the reader cannot.
    // Given another reader of the log, its chain map serves this one's far steps too.
    bool open(const QString& fileName, int32_t channel, int32_t maxPoints = 0,
              const tSonarFile* mapOf = nullptr);
    QString openError() const { return m_file.openError(); }

    // The step that keeps a log of soundings within about maxPoints points.
    static int32_t stepFor(int32_t soundings, int32_t maxPoints);

    // Reads the next count sampled soundings; false once every one has been read.
    bool readSlice(int32_t count);
    bool atEnd() const { return m_next >= m_file.NumSoundings(); }
    // The soundings read so far out of all, for progress.
    int32_t nextSounding() const { return m_next; }
    int32_t soundings() const { return m_file.NumSoundings(); }

    const std::vector<TrackSegment>& segments() const { return m_segments; }
    size_t pointCount() const { return m_points; }
    tSonarFile& file() { return m_file; }
    const tSonarFile& file() const { return m_file; }

    // The point of sounding S, read now; none when S has no position.
    static std::optional<TrackPoint> pointAt(tSonarFile& file, int32_t S);

private:
    tSonarFile m_file;
    int32_t m_step = 1;
    int32_t m_next = 0;
    bool m_segmentOpen = false;
    size_t m_points = 0;
    std::vector<TrackSegment> m_segments;
};

} // namespace brellix
