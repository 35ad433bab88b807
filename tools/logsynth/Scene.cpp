#include "Scene.h"

#include <algorithm>
#include <cmath>
#include <iterator>

namespace logsynth {

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr double kEarthRadiusM = 6356752.3142; // the sphere the recorders' Mercator uses
constexpr double kMetresPerDegree = 110946.25431140834;
constexpr double kFeetPerMetre = 3.280839895;
constexpr double kMetresPerSecondPerKnot = 0.514444;

float wrapAngle(double a)
{
    a = std::fmod(a, 2.0 * kPi);
    if (a < 0) {
        a += 2.0 * kPi;
    }
    return static_cast<float>(a);
}

template <typename T> void expire(std::vector<T>& items, double along, double reach)
{
    std::erase_if(items, [&](const T& item) { return along - item.along > reach; });
}

} // namespace

Scene::Scene(uint64_t seed) : m_random(seed), m_seabed(seed)
{
    m_cyclePings = 2600 + m_random.below(1000);
    m_shallow = static_cast<float>(m_random.range(6.0, 12.0));
    // The first cycle goes deep enough for the recorder to pass through every range to 120 ft.
    m_deep = static_cast<float>(m_random.range(88.0, 100.0));

    const double latitude = m_random.range(28.0, 48.0) * kPi / 180.0;
    const double longitude = m_random.range(-122.0, -72.0);
    m_y = kEarthRadiusM * std::log(std::tan(kPi / 4.0 + latitude / 2.0));
    m_x = longitude * kMetresPerDegree;
    m_mercatorScale = 1.0 / std::cos(latitude);

    m_cruiseKn = static_cast<float>(m_random.range(2.5, 5.0));
    m_ping.speedKn = m_cruiseKn;
    m_ping.trackRad = static_cast<float>(m_random.range(0.0, 2.0 * kPi));
    m_baseTemp = static_cast<float>(m_random.range(12.0, 25.0));
    m_ping.waterTempC = m_baseTemp;
    m_baseAltitude = static_cast<float>(m_random.range(250.0, 1500.0));
    m_thermoclineBase = static_cast<float>(m_random.range(14.0, 24.0));
    m_ping.thermocline = m_thermoclineBase;
    m_seaTarget = static_cast<float>(m_random.range(0.1, 0.5));
    m_ping.seaState = m_seaTarget;
    m_ping.hardness = static_cast<float>(m_random.range(0.4, 0.8));
    m_ping.runningTimeMs = 60000 + m_random.below(3600000);
    m_ping.headingRad = m_ping.trackRad;
    m_ping.positionX = static_cast<int32_t>(std::lround(m_x));
    m_ping.positionY = static_cast<int32_t>(std::lround(m_y));
    m_ping.altitudeFt = m_baseAltitude;
    m_ping.waterSpeedKn = m_ping.speedKn;
}

void Scene::advance()
{
    if (m_started) {
        ++m_ping.index;
        m_ping.timeOffsetMs += m_ping.periodMs;
        m_ping.runningTimeMs += static_cast<uint32_t>(m_ping.periodMs);
        moveBoat();
    }
    shapeBottom();
    chooseRanges();
    adjustRecorder();
    spawnAndExpire();
    if (!m_started) {
        // Start with some life already under and ahead of the boat.
        for (int i = 0; i < 4; ++i) {
            spawnFish(m_random.range(-5.0, 40.0), m_ping.depth);
        }
        m_started = true;
    }
}

void Scene::moveBoat()
{
    Ping& p = m_ping;
    if (m_random.chance(1.0 / 1500)) {
        m_cruiseKn = static_cast<float>(m_random.chance(0.3) ? m_random.range(1.2, 2.5)
                                                             : m_random.range(2.5, 6.0));
    }
    p.speedKn = std::clamp(p.speedKn + (m_cruiseKn - p.speedKn) * 0.01f +
                               0.03f * static_cast<float>(m_random.bell()),
                           0.8f, 8.0f);
    m_turnRate = std::clamp(0.985f * m_turnRate + 0.0006f * static_cast<float>(m_random.bell()),
                            -0.02f, 0.02f);
    m_crab =
        std::clamp(0.995f * m_crab + 0.002f * static_cast<float>(m_random.bell()), -0.2f, 0.2f);
    m_current =
        std::clamp(0.999f * m_current + 0.005f * static_cast<float>(m_random.bell()), -0.6f, 0.6f);
    p.trackRad = wrapAngle(static_cast<double>(p.trackRad) + m_turnRate);
    p.headingRad = wrapAngle(static_cast<double>(p.trackRad) + m_crab);
    p.waterSpeedKn = std::max(0.0f, p.speedKn + m_current);

    const double metres = p.speedKn * kMetresPerSecondPerKnot * p.periodMs / 1000.0;
    m_x += metres * std::sin(p.trackRad) * m_mercatorScale;
    m_y += metres * std::cos(p.trackRad) * m_mercatorScale;
    p.along += metres * kFeetPerMetre;
    p.positionX = static_cast<int32_t>(std::lround(m_x));
    p.positionY = static_cast<int32_t>(std::lround(m_y));

    p.waterTempC +=
        (m_baseTemp - p.waterTempC) * 0.0005f + 0.004f * static_cast<float>(m_random.bell());
    m_altitudeError = 0.99f * m_altitudeError + 0.3f * static_cast<float>(m_random.bell());
    p.altitudeFt = m_baseAltitude + m_altitudeError;

    if (m_random.chance(1.0 / 2000)) {
        m_seaTarget = static_cast<float>(m_random.range(0.0, 1.0));
    }
    p.seaState = std::clamp(p.seaState + (m_seaTarget - p.seaState) * 0.002f +
                                0.003f * static_cast<float>(m_random.bell()),
                            0.0f, 1.0f);
}

void Scene::shapeBottom()
{
    Ping& p = m_ping;
    const uint64_t cycle = p.index % m_cyclePings;
    if (cycle == 0 && p.index > 0) {
        m_shallow = static_cast<float>(m_random.range(5.0, 15.0));
        m_deep = static_cast<float>(m_random.range(30.0, 150.0));
    }
    // Out from the shore to deep water and back.
    const double phase = static_cast<double>(cycle) / m_cyclePings;
    const float trend =
        m_shallow +
        (m_deep - m_shallow) * static_cast<float>((1.0 - std::cos(2.0 * kPi * phase)) / 2.0);

    // Hills: a random walk of the slope, pulled back so the floor follows the trend.
    const float hillScale = 0.25f + trend / 80.0f;
    m_hillSlope = 0.96f * m_hillSlope + 0.012f * hillScale * static_cast<float>(m_random.bell());
    m_hill = 0.996f * m_hill + m_hillSlope;

    // Drop-offs: a ledge offset that moves quickly to a new level now and then.
    if (m_random.chance(1.0 / 650)) {
        const float size = static_cast<float>(m_random.range(6.0, 25.0)) * (0.4f + trend / 100.0f);
        m_ledgeTarget = m_random.chance(0.35) ? 0.0f : (m_random.chance(0.5) ? size : -size);
    }
    // Eased at both ends: a drop-off has a rounded lip and toe.
    m_ledgeVelocity = 0.92f * m_ledgeVelocity +
                      0.08f * std::clamp((m_ledgeTarget - m_ledge) * 0.06f, -0.5f, 0.5f);
    m_ledge += m_ledgeVelocity;

    p.hardness = std::clamp(p.hardness + 0.01f * static_cast<float>(m_random.bell()), 0.2f, 1.0f);
    const float roughness = 0.04f * (0.5f + p.hardness) * static_cast<float>(m_random.bell());
    p.depth = std::clamp(trend + m_hill + m_ledge + roughness, 3.0f, kMaxDepthFt);

    p.thermocline +=
        (m_thermoclineBase - p.thermocline) * 0.002f + 0.03f * static_cast<float>(m_random.bell());
    p.thermoclineStrength = std::clamp((p.depth - p.thermocline - 4.0f) / 8.0f, 0.0f, 1.0f);
    p.clutterDepth = std::min(
        0.7f + 2.5f * p.seaState + 0.4f * static_cast<float>(m_random.uniform()), 0.3f * p.depth);
}

void Scene::chooseRanges()
{
    Ping& p = m_ping;
    constexpr size_t downCount = std::size(kDownRanges);
    // The recorder switches up before the bottom nears the edge and down only with a margin,
    // so the range does not flap on a bumpy floor.
    if (p.depth > 0.82f * kDownRanges[m_downRange]) {
        while (m_downRange + 1 < downCount && p.depth > 0.7f * kDownRanges[m_downRange]) {
            ++m_downRange;
        }
    } else if (m_downRange > 0 && p.depth < 0.5f * kDownRanges[m_downRange - 1]) {
        --m_downRange;
    }
    p.lowerLimit = kDownRanges[m_downRange];

    constexpr size_t sideCount = std::size(kSideRanges);
    size_t target = 0;
    while (target + 1 < sideCount && kSideRanges[target] < 2.5f * p.depth) {
        ++target;
    }
    if (target > m_sideRange ||
        (target < m_sideRange && kSideRanges[m_sideRange] > 4.0f * p.depth)) {
        m_sideRange = target;
    }
    p.sideRange = kSideRanges[m_sideRange];

    // Deeper ranges wait longer for the echo to come back.
    p.periodMs = static_cast<int16_t>(40.0f + 1.2f * p.lowerLimit);
}

void Scene::adjustRecorder()
{
    Ping& p = m_ping;
    if (p.index % 32 != 0 && p.autoSense != 0) {
        return;
    }
    // Rougher water means more clutter and noise: the recorder raises its threshold.
    const float target = 135.0f + 55.0f * p.seaState + (p.lowerLimit >= 120.0f ? 8.0f : 0.0f);
    m_autoSenseTarget = static_cast<uint8_t>(std::clamp(target, 120.0f, 200.0f));
    if (p.autoSense == 0) {
        p.autoSense = m_autoSenseTarget;
    } else {
        p.autoSense = static_cast<uint8_t>(
            std::clamp(static_cast<int>(p.autoSense) +
                           std::clamp(static_cast<int>(m_autoSenseTarget) - p.autoSense, -4, 4),
                       120, 200));
    }
    p.correlation = p.seaState > 0.55f ? 2 : 1;
}

void Scene::spawnFish(double along, float depth)
{
    if (depth < 4.0f) {
        return;
    }
    FishTarget f;
    f.along = along;
    const double share =
        m_random.chance(0.4) ? m_random.range(0.7, 0.95) : m_random.range(0.15, 0.8);
    f.depth = std::max(2.0f, static_cast<float>(share) * (depth - 1.0f));
    f.lateral = 0.18f * depth * static_cast<float>(m_random.bell());
    f.strength = static_cast<uint8_t>(165 + m_random.below(91));
    m_fish.push_back(f);
}

void Scene::spawnAndExpire()
{
    const Ping& p = m_ping;
    // New things appear beyond the reach of the widest beam, so none pops up in view.
    const double ahead = p.along + 0.4 * p.depth + 8.0;

    if (p.depth > 6.0f && m_random.chance(0.045)) {
        spawnFish(ahead + m_random.range(0.0, 15.0), p.depth);
    }
    if (p.depth > 10.0f && m_random.chance(0.004)) {
        // A group holding near the bottom.
        const double centre = ahead + 10.0;
        const int count = 3 + static_cast<int>(m_random.below(6));
        for (int i = 0; i < count; ++i) {
            FishTarget f;
            f.along = centre + m_random.range(-6.0, 6.0);
            f.depth = p.depth * static_cast<float>(m_random.range(0.78, 0.95));
            f.lateral = 0.15f * p.depth * static_cast<float>(m_random.bell());
            f.strength = static_cast<uint8_t>(175 + m_random.below(81));
            m_fish.push_back(f);
        }
    }

    if (p.depth > 15.0f && m_random.chance(1.0 / 450)) {
        BaitSchool b;
        b.halfLength = static_cast<float>(m_random.range(8.0, 35.0));
        b.along = ahead + b.halfLength + 5.0;
        b.depth = p.depth * static_cast<float>(m_random.range(0.25, 0.7));
        b.halfHeight = std::min(static_cast<float>(m_random.range(1.5, 7.0)), 0.18f * p.depth);
        b.density = static_cast<uint8_t>(70 + m_random.below(110));
        b.phase = static_cast<float>(m_random.range(0.0, 6.283));
        m_bait.push_back(b);
    }

    const float groundReach =
        std::sqrt(std::max(p.sideRange * p.sideRange - p.depth * p.depth, 16.0f));
    auto addObject = [&](double along, float lateral) {
        FloorObject o;
        o.along = along;
        o.lateral = lateral;
        if (m_random.chance(0.15)) { // a stump: thin and tall, a long shadow
            o.radius = static_cast<float>(m_random.range(0.3, 0.9));
            o.height = static_cast<float>(
                m_random.range(3.0, std::max(3.5, std::min(14.0, 0.6 * p.depth))));
        } else {
            o.radius = static_cast<float>(m_random.range(0.5, 3.5));
            o.height =
                std::min(o.radius * static_cast<float>(m_random.range(0.4, 2.0)), 0.5f * p.depth);
        }
        m_objects.push_back(o);
    };
    auto randomLateral = [&] {
        const float side = m_random.chance(0.5) ? -1.0f : 1.0f;
        return side * static_cast<float>(m_random.range(1.0, groundReach));
    };
    if (m_random.chance(0.05)) {
        addObject(ahead + 4.0, randomLateral());
    }
    if (m_random.chance(1.0 / 350)) { // a rock pile
        const double centre = ahead + 20.0;
        const float lateral = randomLateral();
        const int count = 8 + static_cast<int>(m_random.below(13));
        for (int i = 0; i < count; ++i) {
            addObject(centre + m_random.range(-12.0, 12.0),
                      lateral + static_cast<float>(m_random.range(-10.0, 10.0)));
        }
    }

    expire(m_fish, p.along, 0.8 * p.depth + 25.0);
    expire(m_bait, p.along, 0.5 * p.depth + 80.0);
    expire(m_objects, p.along, 0.5 * p.depth + 10.0);
}

} // namespace logsynth
