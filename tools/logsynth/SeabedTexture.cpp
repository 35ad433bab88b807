#include "SeabedTexture.h"

#include "Random.h"

#include <algorithm>
#include <cmath>

namespace logsynth {

namespace {

// Smooth value noise on a wrapping grid of cells x cells, sampled over kSize texels.
class ValueGrid
{
public:
    ValueGrid(Random& random, int cells)
        : m_cells(cells), m_values(static_cast<size_t>(cells) * static_cast<size_t>(cells))
    {
        for (float& v : m_values) {
            v = static_cast<float>(random.uniform());
        }
    }

    float sample(int x, int y) const
    {
        const float scale = static_cast<float>(m_cells) / SeabedTexture::kSize;
        const float fx = static_cast<float>(x) * scale;
        const float fy = static_cast<float>(y) * scale;
        const int x0 = static_cast<int>(fx);
        const int y0 = static_cast<int>(fy);
        const float tx = smooth(fx - static_cast<float>(x0));
        const float ty = smooth(fy - static_cast<float>(y0));
        const float a = value(x0, y0) + (value(x0 + 1, y0) - value(x0, y0)) * tx;
        const float b = value(x0, y0 + 1) + (value(x0 + 1, y0 + 1) - value(x0, y0 + 1)) * tx;
        return a + (b - a) * ty;
    }

private:
    static float smooth(float t) { return t * t * (3.0f - 2.0f * t); }
    float value(int x, int y) const { return m_values[(y % m_cells) * m_cells + (x % m_cells)]; }

    int m_cells;
    std::vector<float> m_values;
};

float smoothStep(float edge0, float edge1, float x)
{
    const float t = std::clamp((x - edge0) / (edge1 - edge0), 0.0f, 1.0f);
    return t * t * (3.0f - 2.0f * t);
}

} // namespace

SeabedTexture::SeabedTexture(uint64_t seed) : m_texels(static_cast<size_t>(kSize) * kSize)
{
    Random random(seed ^ 0x5EABEDull);
    const ValueGrid patches(random, 8); // sand, mud and gravel areas
    const ValueGrid mottle(random, 64); // lumps a few feet across
    const ValueGrid ripplePhase(random, 16);
    // Ripples run across the current: one direction for the whole lake, slightly bent.
    const double angle = random.range(0.0, 3.14159);
    const float dirX = static_cast<float>(std::cos(angle));
    const float dirY = static_cast<float>(std::sin(angle));
    const float wavelength = static_cast<float>(random.range(12.0, 22.0)); // texels

    for (int y = 0; y < kSize; ++y) {
        for (int x = 0; x < kSize; ++x) {
            const float patch = patches.sample(x, y);
            const float lump = mottle.sample(x, y);
            const float phase =
                (static_cast<float>(x) * dirX + static_cast<float>(y) * dirY) / wavelength +
                3.0f * ripplePhase.sample(x, y);
            const float saw = phase - std::floor(phase);
            // A ripple has a steep bright face towards the sonar and a long dark back.
            const float ripple = saw < 0.3f ? saw / 0.3f : (1.0f - saw) / 0.7f;
            const float grain = static_cast<float>(random.below(1000)) / 1000.0f;

            // Sediments blend over a few feet rather than meeting at a line.
            const float sand = 1.0f - smoothStep(0.36f, 0.52f, patch);
            const float gravel = smoothStep(0.66f, 0.8f, patch);
            const float mud = std::max(0.0f, 1.0f - sand - gravel);
            const float v = sand * (95.0f + 70.0f * ripple + 25.0f * lump + 20.0f * grain) +
                            mud * (60.0f + 40.0f * lump + 12.0f * grain) +
                            gravel * (110.0f + 40.0f * lump + 80.0f * grain * grain);
            m_texels[static_cast<size_t>(y) * kSize + x] =
                static_cast<uint8_t>(std::clamp(v, 0.0f, 255.0f));
        }
    }
}

SeabedTexture::Row SeabedTexture::row(double alongFt) const
{
    const auto texel = static_cast<int64_t>(std::floor(alongFt / kTexelFt));
    const auto y = static_cast<size_t>(texel & (kSize - 1));
    const auto lap = static_cast<uint64_t>(texel / kSize);
    return {m_texels.data() + y * kSize, static_cast<uint32_t>(lap * 397u)};
}

} // namespace logsynth
