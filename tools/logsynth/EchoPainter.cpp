#include "EchoPainter.h"

#include <algorithm>
#include <cmath>

namespace logsynth {

namespace {

// A cell index for a distance, limited to [0, count].
int cellAt(float feet, float cellsPerFoot, int count)
{
    const float cell = feet * cellsPerFoot;
    if (!(cell > 0.0f)) {
        return 0;
    }
    if (cell >= static_cast<float>(count)) {
        return count;
    }
    return static_cast<int>(cell);
}

void raise(uint8_t& cell, int level)
{
    if (level > cell) {
        cell = static_cast<uint8_t>(std::min(level, 255));
    }
}

} // namespace

EchoPainter::EchoPainter(uint64_t seed)
    : m_random(seed), m_fast(static_cast<uint32_t>(seed ^ (seed >> 32))), m_noise(kNoiseSize)
{
    // Receiver noise: mostly low values with a few stray spikes that a correlation over
    // neighbouring columns removes.
    for (uint8_t& v : m_noise) {
        const uint64_t r = m_random.next();
        if ((r & 0x1FF) == 0) {
            v = static_cast<uint8_t>(100 + (r >> 16) % 110);
        } else {
            v = static_cast<uint8_t>(((r >> 12) & 31) + ((r >> 20) & 15) + ((r >> 28) & 7));
        }
    }
}

void EchoPainter::fillNoise(uint8_t* cells, int count, int shift)
{
    m_noiseOffset = static_cast<uint32_t>(m_random.next()) & (kNoiseSize - 1);
    uint32_t at = m_noiseOffset;
    for (int i = 0; i < count; ++i, ++at) {
        cells[i] = static_cast<uint8_t>(m_noise[at & (kNoiseSize - 1)] >> shift);
    }
}

void EchoPainter::lastNoise(std::vector<uint8_t>& column) const
{
    uint32_t at = m_noiseOffset;
    for (uint8_t& v : column) {
        v = m_noise[at++ & (kNoiseSize - 1)];
    }
}

void EchoPainter::paintDown(const Scene& scene, const DownBeam& beam, float lowerLimit, int boost,
                            std::vector<uint8_t>& column)
{
    const Ping& p = scene.ping();
    const int n = static_cast<int>(column.size());
    if (n == 0 || !(lowerLimit > 0.0f)) {
        return;
    }
    const float cpf = static_cast<float>(n) / lowerLimit;
    uint8_t* c = column.data();
    const int bottom = cellAt(p.depth, cpf, n);

    fillNoise(c, n, 0);
    {
        // The recorder's noise figures, taken from a stretch of the water column.
        const int probe = std::min(n, 256);
        int sum = 0, peak = 0, count = 0;
        for (int i = 0; i < probe; i += 2) {
            sum += c[i];
            peak = std::max<int>(peak, c[i]);
            count += c[i] >= 100 ? 1 : 0;
        }
        const int samples = (probe + 1) / 2;
        m_stats.average = static_cast<uint8_t>(sum / std::max(samples, 1));
        m_stats.peak = static_cast<uint8_t>(peak);
        m_stats.count = static_cast<uint8_t>(std::min(count, 255));
    }

    // Transducer ring-down, then wave and bubble clutter fading with depth.
    const int ring = std::max(cellAt(0.45f, cpf, n), std::min(2, n));
    for (int i = 0; i < ring; ++i) {
        c[i] = static_cast<uint8_t>(215 + (speckle() & 31));
    }
    const int clutterEnd = std::max(ring, cellAt(p.clutterDepth, cpf, n));
    if (clutterEnd > ring) {
        int32_t level = static_cast<int32_t>(200.0f + 45.0f * p.seaState) << 16;
        const int32_t step = level / (clutterEnd - ring);
        for (int i = ring; i < clutterEnd; ++i, level -= step) {
            const uint32_t r = m_fast.next();
            if ((r & 3) != 0) {
                raise(c[i], (level >> 16) - static_cast<int>((r >> 8) & 127));
            }
        }
    }

    // Thermocline: a faint, broken band where warm water meets cold.
    if (p.thermoclineStrength > 0.0f) {
        const int centre = cellAt(p.thermocline, cpf, n);
        const int half = std::max(2, static_cast<int>(1.3f * cpf));
        const int peak = static_cast<int>(100.0f + 70.0f * p.thermoclineStrength);
        const int from = std::max(0, centre - half);
        const int to = std::min(bottom, centre + half);
        for (int i = from; i < to; ++i) {
            const uint32_t r = m_fast.next();
            if ((r & 7) < 3) {
                raise(c[i], peak * (half - std::abs(i - centre)) / half -
                                static_cast<int>((r >> 8) & 31));
            }
        }
    }

    // Bait schools: dense clouds of small echoes, thinning towards the edges.
    for (const BaitSchool& b : scene.bait()) {
        const float reach = b.halfLength + b.depth * beam.alongTan;
        const float da = static_cast<float>(p.along - b.along);
        if (std::abs(da) >= reach) {
            continue;
        }
        const float u = da / reach;
        // A school is no ellipse: its outline bulges and its centre drifts along the track.
        const float h = b.halfHeight * std::sqrt(1.0f - u * u) *
                        (0.75f + 0.25f * std::sin(0.35f * da + b.phase));
        const float mid = b.depth + 0.3f * b.halfHeight * std::sin(0.13f * da + 2.0f * b.phase);
        const int from = cellAt(mid - h, cpf, n);
        const int to = std::min(bottom, cellAt(mid + h, cpf, n));
        const int centre = (from + to) / 2;
        const int half = std::max(1, (to - from) / 2);
        for (int i = from; i < to; ++i) {
            const uint32_t r = m_fast.next();
            const int edge = std::max(0, 256 - 256 * std::abs(i - centre) / half);
            if (static_cast<int>(r & 255) < (b.density * edge) >> 8) {
                raise(c[i], 150 + static_cast<int>((r >> 8) % 90));
            }
        }
    }

    // Fish: the range shrinks as the boat comes over a fish and grows again, which draws
    // the arch; the echo is strongest at the centre of the beam.
    for (const FishTarget& f : scene.fish()) {
        const float reach = f.depth * beam.fishTan;
        const float da = static_cast<float>(p.along - f.along);
        const float acrossReach = f.depth * std::max(beam.fishTan, beam.acrossTan) + 1.0f;
        if (std::abs(da) >= reach || std::abs(f.lateral) >= acrossReach) {
            continue;
        }
        const float range = std::sqrt(f.depth * f.depth + da * da + f.lateral * f.lateral);
        if (range >= p.depth - 0.4f) {
            continue;
        }
        const float q = (da / reach) * (da / reach);
        const float l = (f.lateral / acrossReach) * (f.lateral / acrossReach);
        const int strength = static_cast<int>(f.strength * (1.0f - 0.55f * q) * (1.0f - 0.35f * l));
        const int half =
            std::max(1, static_cast<int>(beam.fishFt * cpf * (0.6f + f.strength / 255.0f) / 2.0f));
        const int centre = cellAt(range, cpf, n);
        const int from = std::max(0, centre - half);
        const int to = std::min(n, centre + half + 1);
        for (int i = from; i < to; ++i) {
            raise(c[i],
                  strength - 60 * std::abs(i - centre) / half - static_cast<int>(speckle() & 15));
        }
    }

    // Rocks and stumps under the boat stand up from the bottom line.
    for (const FloorObject& o : scene.objects()) {
        const float reach = o.radius + 0.5f * p.depth * beam.alongTan;
        const float da = static_cast<float>(p.along - o.along);
        if (std::abs(da) >= reach || std::abs(o.lateral) >= p.depth * beam.acrossTan + o.radius) {
            continue;
        }
        const float u = da / reach;
        const int from = cellAt(p.depth - o.height * (1.0f - u * u), cpf, n);
        for (int i = from; i < bottom; ++i) {
            const uint32_t r = m_fast.next();
            if ((r & 3) != 0) {
                raise(c[i], 150 + static_cast<int>((r >> 8) % 80));
            }
        }
    }

    // The bottom: a hard band, then the echo from below the floor fading down, and on
    // shallow ranges the second echo (surface to bottom twice) at double depth.
    if (bottom < n) {
        const float hardness = p.hardness;
        const int band = std::max(3, static_cast<int>(beam.bandFt * (0.5f + hardness) * cpf));
        const int peak = static_cast<int>(205.0f + 50.0f * hardness);
        const int bandEnd = std::min(n, bottom + band);
        for (int i = bottom; i < bandEnd; ++i) {
            c[i] = static_cast<uint8_t>(peak - static_cast<int>(speckle() & 15));
        }
        const int fade = std::max(
            8, static_cast<int>(beam.fadeShare * p.depth * cpf * (1.4f - 0.6f * hardness)));
        int32_t level = (peak - 50) << 16;
        const int32_t step = level / fade;
        const int fadeEnd = std::min(n, bandEnd + fade);
        for (int i = bandEnd; i < fadeEnd; ++i, level -= step) {
            raise(c[i], (level >> 16) - static_cast<int>(speckle() & 63));
        }
        const int second = 2 * bottom;
        if (second < n) {
            const int level2 = static_cast<int>(90.0f + 60.0f * hardness);
            const int end2 = std::min(n, second + 2 * band);
            for (int i = second; i < end2; ++i) {
                const uint32_t r = m_fast.next();
                if (r & 1) {
                    raise(c[i], level2 - static_cast<int>((r >> 8) & 31));
                }
            }
        }
    }

    if (boost > 0) {
        for (int i = 0; i < n; ++i) {
            c[i] = static_cast<uint8_t>(std::min(255, c[i] + boost));
        }
    }
}

void EchoPainter::paintSide(const Scene& scene, int side, float range, std::vector<uint8_t>& column)
{
    const int n = static_cast<int>(column.size());
    if (side != 0) {
        paintStrip(scene, side, range, column.data(), n);
        return;
    }
    const int left = n / 2;
    m_strip.resize(static_cast<size_t>(left));
    paintStrip(scene, -1, range, m_strip.data(), left);
    std::reverse_copy(m_strip.begin(), m_strip.end(), column.begin());
    paintStrip(scene, 1, range, column.data() + left, n - left);
}

void EchoPainter::paintStrip(const Scene& scene, int side, float range, uint8_t* c, int n)
{
    const Ping& p = scene.ping();
    if (n <= 0 || !(range > 0.0f)) {
        return;
    }
    const float cpf = static_cast<float>(n) / range;
    const float depth = p.depth;
    const int bottom = cellAt(depth, cpf, n);
    auto slantCell = [&](float ground) {
        return cellAt(std::sqrt(ground * ground + depth * depth), cpf, n);
    };

    // The water column is dark until the sound reaches the floor.
    fillNoise(c, bottom, 2);
    const int ring = std::min(n, std::max(2, cellAt(0.35f, cpf, n)));
    for (int i = 0; i < ring; ++i) {
        c[i] = static_cast<uint8_t>(200 + (speckle() & 31));
    }
    const int clutterEnd = std::min(bottom, cellAt(p.clutterDepth, cpf, n));
    for (int i = ring; i < clutterEnd; ++i) {
        const uint32_t r = m_fast.next();
        if ((r & 7) == 0) {
            raise(c[i], 60 + static_cast<int>((r >> 8) & 63));
        }
    }

    // The floor, from the first return under the boat outwards: the texture under the
    // ground range, darker as the grazing angle flattens. Ground range and gain are
    // interpolated over short runs of cells to keep square roots out of the inner loop.
    if (bottom < n) {
        const SeabedTexture::Row row = scene.seabed().row(p.along);
        const uint32_t mirror = side < 0 ? SeabedTexture::kSize - 1 : 0;
        const float hardGain = 0.7f + 0.3f * p.hardness;
        auto texelAt = [&](int cell) {
            const float r = static_cast<float>(cell) / cpf;
            const float g2 = r * r - depth * depth;
            return g2 > 0.0f ? std::sqrt(g2) / SeabedTexture::kTexelFt : 0.0f;
        };
        auto gainAt = [&](int cell) {
            const float r = std::max(static_cast<float>(cell) / cpf, depth);
            const float ratio = depth / r;
            return hardGain * (0.35f + 0.75f * ratio * ratio);
        };
        constexpr int kRun = 16;
        for (int from = bottom; from < n; from += kRun) {
            const int to = std::min(n, from + kRun);
            int32_t texel = static_cast<int32_t>(texelAt(from) * 65536.0f);
            const int32_t texelStep =
                static_cast<int32_t>((texelAt(to) * 65536.0f - static_cast<float>(texel)) /
                                     static_cast<float>(to - from));
            int32_t gain = static_cast<int32_t>(gainAt(from) * 65536.0f);
            const int32_t gainStep = static_cast<int32_t>(
                (gainAt(to) * 65536.0f - static_cast<float>(gain)) / static_cast<float>(to - from));
            for (int i = from; i < to; ++i, texel += texelStep, gain += gainStep) {
                const uint32_t t = row.at((static_cast<uint32_t>(texel) >> 16) ^ mirror);
                const uint32_t v = ((t * static_cast<uint32_t>(gain)) >> 16) + (speckle() & 15);
                c[i] = static_cast<uint8_t>(std::min<uint32_t>(v, 255));
            }
        }
        const int firstReturn = std::min(n, bottom + std::max(2, cellAt(0.5f, cpf, n)));
        for (int i = bottom; i < firstReturn; ++i) {
            raise(c[i], 215 + (speckle() & 31));
        }
    }

    // Rocks and stumps: a bright face towards the boat and an acoustic shadow behind, as
    // long as the object's height throws it from the transducer's height above the floor.
    for (const FloorObject& o : scene.objects()) {
        if ((o.lateral < 0.0f) != (side < 0)) {
            continue;
        }
        const float da = static_cast<float>(p.along - o.along);
        if (std::abs(da) >= o.radius) {
            continue;
        }
        const float w = std::sqrt(o.radius * o.radius - da * da);
        const float height = std::min(o.height * (0.5f + 0.5f * w / o.radius), 0.9f * depth);
        const float g = std::abs(o.lateral);
        const float near = std::max(0.0f, g - w);
        const float far = g + w;
        const float top = depth - height;
        const int start = std::min(slantCell(near), cellAt(std::sqrt(g * g + top * top), cpf, n));
        const int middle = slantCell(g);
        const int end = slantCell(far);
        for (int i = start; i < middle; ++i) {
            raise(c[i], 205 + static_cast<int>(m_fast.next() % 50));
        }
        for (int i = middle; i < end; ++i) {
            raise(c[i], 140 + static_cast<int>(m_fast.next() % 60));
        }
        const float shadow = std::min(height * far / std::max(top, 0.5f), 4.0f * range);
        const int shadowEnd = slantCell(far + shadow);
        for (int i = end; i < shadowEnd; ++i) {
            c[i] = static_cast<uint8_t>(c[i] >> 3);
        }
    }

    // Fish to this side show in the water column, with a small shadow on the floor.
    for (const FishTarget& f : scene.fish()) {
        if (f.lateral * static_cast<float>(side) <= 1.0f) {
            continue;
        }
        const float da = static_cast<float>(p.along - f.along);
        if (std::abs(da) >= 1.2f || f.depth >= depth) {
            continue;
        }
        const float g = std::abs(f.lateral);
        const int centre = cellAt(std::sqrt(g * g + f.depth * f.depth), cpf, n);
        const int half = std::max(1, cellAt(0.25f, cpf, n));
        for (int i = std::max(0, centre - half); i < std::min(n, centre + half); ++i) {
            raise(c[i], f.strength - static_cast<int>(speckle() & 31));
        }
        const float hit = g * depth / f.depth;
        const int shadowFrom = slantCell(hit);
        const int shadowTo = std::min(n, shadowFrom + std::max(2, cellAt(1.0f, cpf, n)));
        for (int i = shadowFrom; i < shadowTo; ++i) {
            c[i] = static_cast<uint8_t>(c[i] >> 2);
        }
    }

    // Bait under the boat shows as a cloud of dots in the water column.
    for (const BaitSchool& b : scene.bait()) {
        const float da = static_cast<float>(p.along - b.along);
        if (std::abs(da) >= b.halfLength) {
            continue;
        }
        const float u = da / b.halfLength;
        const float h = b.halfHeight * std::sqrt(1.0f - u * u);
        const int from = cellAt(b.depth - h, cpf, n);
        const int to = std::min(bottom, cellAt(b.depth + h, cpf, n));
        const int centre = (from + to) / 2;
        const int half = std::max(1, (to - from) / 2);
        for (int i = from; i < to; ++i) {
            const uint32_t r = m_fast.next();
            const int edge = std::max(0, 1024 - 1024 * std::abs(i - centre) / half);
            if (static_cast<int>(r & 1023) < (b.density * edge) >> 11) {
                raise(c[i], 120 + static_cast<int>((r >> 10) % 100));
            }
        }
    }
}

} // namespace logsynth
