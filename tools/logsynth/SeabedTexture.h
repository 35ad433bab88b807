// A tiling picture of the lake floor seen from above: sand ripples, mud and gravel patches.
// Side-looking channels read it by along-track and across-track distance, so the left and
// right channels and the combined one show the same floor as the boat passes.
#pragma once

#include <cstdint>
#include <vector>

namespace logsynth {

class SeabedTexture
{
public:
    static constexpr int kSize = 1024;       // texels per side, a power of two
    static constexpr float kTexelFt = 0.25f; // floor distance per texel

    explicit SeabedTexture(uint64_t seed);

    // The floor across the track at one along-track distance.
    struct Row
    {
        const uint8_t* texels;
        uint32_t shift;
        // Echo strength of the floor, roughly 40 to 230.
        uint8_t at(uint32_t acrossTexel) const
        {
            return texels[(acrossTexel + shift) & (kSize - 1)];
        }
    };

    // Rows wrap every kSize texels along the track; each lap reads the tile shifted across,
    // so the floor does not visibly repeat.
    Row row(double alongFt) const;

private:
    std::vector<uint8_t> m_texels;
};

} // namespace logsynth
