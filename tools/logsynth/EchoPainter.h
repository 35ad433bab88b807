// Paints one channel's sample columns from the scene. Per-sample work is integer only
// (table look-ups, xorshift speckle, fixed-point ramps): the generator must write gigabytes
// in seconds. Each channel owns a painter, so a channel's samples depend only on the seed
// and the scene, not on which other channels are written.
#pragma once

#include "Random.h"
#include "Scene.h"

#include <cstdint>
#include <vector>

namespace logsynth {

// How a down-looking beam sees the water.
struct DownBeam
{
    float alongTan = 0.18f;  // tangent of the half beam angle fore and aft
    float acrossTan = 0.18f; // tangent of the half beam angle to the sides
    float bandFt = 0.8f;     // thickness of the hard bottom echo on medium ground
    float fadeShare = 0.2f;  // the echo below the bottom fades over this share of the depth
    float fishTan = 0.32f;   // fish echoes reach further off-axis than the bottom's
    float fishFt = 0.3f;     // thickness of a fish echo
};

struct NoiseStats
{
    uint8_t count = 0; // cells of the noise sample above the speckle level
    uint8_t peak = 0;
    uint8_t average = 0;
};

class EchoPainter
{
public:
    explicit EchoPainter(uint64_t seed);

    // Fills column (sized to the cell count) over the window 0 to lowerLimit ft. boost is
    // added to every cell: the attenuation the reader takes off again for short ranges.
    void paintDown(const Scene& scene, const DownBeam& beam, float lowerLimit, int boost,
                   std::vector<uint8_t>& column);
    // Fills a side-looking column over slant ranges 0 to range ft. side -1 looks left, +1
    // right; 0 holds both, the left side mirrored in the first half so the boat is central.
    void paintSide(const Scene& scene, int side, float range, std::vector<uint8_t>& column);

    // The background noise of the last down-looking column, as the recorder measured it.
    void lastNoise(std::vector<uint8_t>& column) const;
    const NoiseStats& lastNoiseStats() const { return m_stats; }

private:
    static constexpr uint32_t kNoiseSize = 1u << 16;

    void paintStrip(const Scene& scene, int side, float range, uint8_t* cells, int count);
    void fillNoise(uint8_t* cells, int count, int shift);
    uint8_t speckle() { return static_cast<uint8_t>(m_fast.next()); }

    Random m_random;
    FastNoise m_fast;
    std::vector<uint8_t> m_noise;
    uint32_t m_noiseOffset = 0;
    NoiseStats m_stats;
    std::vector<uint8_t> m_strip;
};

} // namespace logsynth
