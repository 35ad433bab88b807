// What the viewer's test suites share: binding the library this build made, a guard for the
// range-variable-gain switch, and logs written from known intensities.
#pragma once

#include "LogWriter.h"

#include <QString>

#include <cstddef>
#include <cstdint>
#include <functional>
#include <vector>

namespace viewertest {

// The build's bin folder as the viewer's binding wants it.
QString buildLibraryFolder();
// Points the library binding at that folder (and loads it again if it was unloaded).
void bindBuildLibrary();

// Sets the range-variable-gain switch for a scope and restores it at the end, also when an
// assertion ends the test early.
class RvgSwitch
{
public:
    explicit RvgSwitch(bool on);
    ~RvgSwitch();
    RvgSwitch(const RvgSwitch&) = delete;
    RvgSwitch& operator=(const RvgSwitch&) = delete;

private:
    bool m_before;
};

// Padding that makes a packet of that many cells a multiple of 4 bytes long, as packets are.
uint16_t alignedPadding(size_t cells);

// A column whose samples are all value, with the given number of cells, padded to a multiple
// of 4 bytes.
testlog::Sl2Column flatColumn(uint16_t channel, size_t cells, uint8_t value);

// Intensity of every sample of a sounding, by sounding index and sample index.
using Intensity = std::function<uint8_t(int sounding, int sample)>;

// Every sample of every sounding at one value.
inline Intensity steady(uint8_t value)
{
    return [value](int, int) { return value; };
}

// A colour as the options and the colour files store it: red in the low byte.
inline constexpr int32_t rgb(int r, int g, int b)
{
    return r | (g << 8) | (b << 16);
}

inline constexpr int kSamples = 400;

// An SLG log whose soundings of kSamples cover 0 to lowerLimit feet with the bottom at depth.
std::vector<uint8_t> slgLog(int count, const Intensity& intensity, float lowerLimit = 100,
                            float depth = 60);

// What an SL2 packet carries besides its samples.
struct Sl2Setup
{
    float lowerLimit = 100;
    float depth = 60;
    uint8_t autoSense = 0;
    uint8_t correlation = 0;
};

// An SL2 log with count soundings of kSamples on each of the channels, interleaved sounding by
// sounding, 100 ms apart.
std::vector<uint8_t> sl2Log(const std::vector<uint16_t>& channels, int count,
                            const Intensity& intensity, const Sl2Setup& setup = {});

} // namespace viewertest
