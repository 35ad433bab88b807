#include "CsvRows.h"

#include "Bytes.h"
#include "CFormat.h"
#include "Sink.h"
#include "SlgSubHeader.h"

namespace tarnex {

namespace {

const char* const kChannelNames[12] = {
    "Primary", "Secondary", "Downscan", "Sidescan Left", "Sidescan Right", "Sidescan",
    "Invalid", "Invalid",   "Invalid",  "Invalid",       "Debug Digital",  "Debug Noise"};

const char* const kFrequencyNames[11] = {
    "200kHz", "50kHz",         "83kHz",        "455kHz",      "800kHz",     "38kHz",
    "28kHz",  "130kHz-210kHz", "90kHz-150kHz", "40kHz-60kHz", "25kHz-45kHz"};

// Longest row: 14 "%f" fields of at most 48 characters and short fields around them.
constexpr size_t kMaxRowLength = 1024;
static_assert(kMaxRowLength <= Sink::kMaxReserve);

// Field writers: each appends its field and the separator that follows it.
char* f(char* p, float value)
{
    p = formatFixed(p, value);
    *p++ = ',';
    return p;
}

char* i(char* p, int32_t value)
{
    p = formatSigned(p, value);
    *p++ = ',';
    return p;
}

char* c(char* p, bool flag)
{
    *p++ = flag ? 'T' : 'F';
    *p++ = ',';
    return p;
}

char* s(char* p, const char* text)
{
    p = appendText(p, text);
    *p++ = ',';
    return p;
}

// Replaces the separator after the last field by the line feed.
char* endRow(char* p)
{
    p[-1] = '\n';
    return p;
}

} // namespace

const char* channelName(unsigned code)
{
    return code < 12 ? kChannelNames[code] : nullptr;
}

const char* frequencyName(unsigned code)
{
    return code < 11 ? kFrequencyNames[code] : nullptr;
}

void writeSlgRow(Sink& out, const SlgSubHeader& h)
{
    char* p = out.reserve(kMaxRowLength);
    p = f(p, h.upperLimit);
    p = f(p, h.lowerLimit);
    p = c(p, h.depthValid);
    p = f(p, h.depth);
    p = c(p, h.waterTempValid);
    p = f(p, h.waterTemp);
    p = c(p, h.temp2Valid);
    p = f(p, h.temp2);
    p = c(p, h.temp3Valid);
    p = f(p, h.temp3);
    p = c(p, h.waterSpeedValid);
    p = f(p, h.waterSpeed);
    p = c(p, h.positionValid);
    p = i(p, h.positionX);
    p = i(p, h.positionY);
    p = f(p, h.surfaceDepth);
    p = c(p, h.surfaceValid);
    p = f(p, h.topOfBottom);
    p = c(p, h.topOfBottomValid);
    p = c(p, h.is50kHz);
    p = c(p, h.timeValid);
    p = i(p, h.timeOffset);
    p = c(p, h.speedTrackValid);
    p = f(p, h.speed);
    p = f(p, h.track);
    p = c(p, h.altitudeValid);
    p = f(p, h.altitude);
    out.commit(endRow(p));
}

void writeSl2Row(Sink& out, const uint8_t* h, unsigned frequency)
{
    const uint32_t flags = loadU32(h + 132);
    const float depth = loadF32(h + 64);
    char* p = out.reserve(kMaxRowLength);
    p = s(p, channelName(loadU16(h + 32)));
    p = s(p, frequencyName(frequency));
    p = f(p, loadF32(h + 40));
    p = f(p, loadF32(h + 44));
    p = c(p, depth != 0.0f);
    p = f(p, depth);
    p = c(p, (flags & 0x0004u) != 0);
    p = f(p, loadF32(h + 104));
    p = c(p, (flags & 0x0040u) != 0);
    p = f(p, loadF32(h + 116));
    p = c(p, (flags & 0x0010u) != 0);
    p = i(p, loadI32(h + 108));
    p = i(p, loadI32(h + 112));
    p = i(p, loadI32(h + 140));
    p = c(p, (flags & 0x0002u) != 0);
    p = f(p, loadF32(h + 100));
    p = c(p, (flags & 0x0080u) != 0);
    p = f(p, loadF32(h + 120));
    p = c(p, (flags & 0x0200u) != 0);
    p = f(p, loadF32(h + 124));
    p = c(p, (flags & 0x0100u) != 0);
    p = f(p, loadF32(h + 128));
    out.commit(endRow(p));
}

} // namespace tarnex
