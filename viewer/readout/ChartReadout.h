// The cursor readout of a chart: the depth and position texts and the popup's lines for the
// sounding under the cursor, built from the reader alone so that they are tested without a
// window. Depths are in feet, positions in the sub-header's Mercator metres.
#pragma once

#include <QDateTime>
#include <QString>

#include <cstdint>
#include <optional>

namespace brellix {

class tSonarFile;
class tSubHeader;

// "12.34ft", "1235ft", "3.05m": in metres for a depth format other than 0, "#0.0#" below 1000
// in the unit shown and "#0" from there, the unit after it without a blank.
QString FormatDepth(double dblDepth, int32_t depthFormat);

// Degrees of latitude and longitude of a Mercator position.
double LatitudeFromY(int32_t lPositionY);
double LongitudeFromX(int32_t lPositionX);

// The two lines of a position, joined by CRLF, in position format 0 (degrees), 1 (degrees and
// minutes), 2 (degrees, minutes and seconds) or 3 (Mercator metres). Empty at latitude 90 or
// longitude 180 and beyond; a longitude below -180 shows as -180.
QString FormatPosition(int32_t lPositionX, int32_t lPositionY, int32_t positionFormat);

// Whether a log's time stamp is a real date, so that its soundings' offsets tell clock times.
bool isClockStamp(const QDateTime& stamp);
// The time of a sounding: on the clock when the log's time stamp is a real date, else the
// time since the recording began.
QString soundingTimeText(const QDateTime& stamp, int32_t offsetMs);

// The name of an SL2 frequency code; the code and " illegal" from 11 on.
QString frequencyText(uint8_t code);

// The popup's text and its size in twips, which grows with the lines it holds.
struct Readout
{
    QString text;
    int32_t width = 0;
    int32_t height = 0;
};

// Where sounding S was, as its readout says: its own position, else that of the nearest of the
// ten soundings before it with one, or of the ten after it, interpolated between the two sides
// when both have one; none when none of the 21 has a position. Speed and track come with it.
struct SoundingPosition
{
    int32_t x = 0; // Mercator metres
    int32_t y = 0;
    float speed = 0.0f;
    float track = 0.0f;
};
// atS receives S's own sub-header and found the one the backward search ended on, when given.
std::optional<SoundingPosition> positionAt(tSonarFile& file, int32_t S, tSubHeader* atS = nullptr,
                                           tSubHeader* found = nullptr);

// The readout for sounding S of the reader's log with the cursor at depth D feet; empty when S
// is not a sounding of the log. The position comes from S or the nearest sounding with one
// within ten either way, interpolated between the two sides when both have one.
std::optional<Readout> readoutFor(tSonarFile& file, int32_t S, float D, int32_t positionFormat,
                                  int32_t depthFormat);

} // namespace brellix
