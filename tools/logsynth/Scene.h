// The world the demo logs record: a boat moving over a lake floor with hills and drop-offs,
// fish, bait schools, a thermocline, rocks and stumps. It advances one ping at a time and
// holds only what is near the boat, so logs of any length take constant memory.
#pragma once

#include "Random.h"
#include "SeabedTexture.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace logsynth {

struct FishTarget
{
    double along = 0;  // along-track position, ft from the start
    float lateral = 0; // across-track offset, ft; negative is to the left
    float depth = 0;   // ft
    uint8_t strength = 0;
};

struct BaitSchool
{
    double along = 0;
    float halfLength = 0; // along-track, ft
    float depth = 0;      // centre, ft
    float halfHeight = 0; // ft
    uint8_t density = 0;  // chance per cell, of 256, at the centre
    float phase = 0;      // shapes the ragged outline
};

// Rocks and stumps on the floor: bright echoes with acoustic shadows behind them.
struct FloorObject
{
    double along = 0;
    float lateral = 0; // ft, negative left
    float radius = 0;  // ft
    float height = 0;  // ft
};

// Everything shared by the channels recorded in one ping.
struct Ping
{
    uint64_t index = 0;
    int32_t timeOffsetMs = 0;
    uint32_t runningTimeMs = 0;
    int16_t periodMs = 0;
    double along = 0;              // ft travelled since the start
    float depth = 0;               // bottom under the boat, ft
    float hardness = 0;            // 0 soft mud .. 1 rock
    float lowerLimit = 0;          // range of the down-looking channels, ft
    float sideRange = 0;           // range of the side-looking channels, ft
    float thermocline = 0;         // depth, ft
    float thermoclineStrength = 0; // 0 none .. 1
    float clutterDepth = 0;        // surface clutter reaches this deep, ft
    float seaState = 0;            // 0 calm .. 1 rough
    float speedKn = 0;
    float waterSpeedKn = 0;
    float trackRad = 0;
    float headingRad = 0;
    float waterTempC = 0;
    float altitudeFt = 0;
    int32_t positionX = 0; // Mercator metres
    int32_t positionY = 0;
    uint8_t autoSense = 0;   // the recorder's own sensitivity choice
    uint8_t correlation = 0; // the recorder's suggested correlation level
};

class Scene
{
public:
    // Depth ranges the recorder switches between, ft.
    static constexpr float kDownRanges[] = {20, 30, 40, 60, 80, 120, 150, 200};
    static constexpr float kSideRanges[] = {60, 80, 100, 120, 150, 200};
    static constexpr float kMaxDepthFt = 160.0f;

    explicit Scene(uint64_t seed);

    // Moves to the next ping; the first call gives ping 0.
    void advance();

    const Ping& ping() const { return m_ping; }
    const std::vector<FishTarget>& fish() const { return m_fish; }
    const std::vector<BaitSchool>& bait() const { return m_bait; }
    const std::vector<FloorObject>& objects() const { return m_objects; }
    const SeabedTexture& seabed() const { return m_seabed; }

private:
    void moveBoat();
    void shapeBottom();
    void chooseRanges();
    void adjustRecorder();
    void spawnAndExpire();
    void spawnFish(double along, float depth);

    Random m_random;
    SeabedTexture m_seabed;
    Ping m_ping;
    bool m_started = false;

    // Bottom shape
    uint32_t m_cyclePings;
    float m_shallow;
    float m_deep;
    float m_hill = 0;
    float m_hillSlope = 0;
    float m_ledge = 0;
    float m_ledgeTarget = 0;
    float m_ledgeVelocity = 0;
    size_t m_downRange = 0;
    size_t m_sideRange = 0;

    // Navigation
    double m_x = 0;
    double m_y = 0;
    double m_mercatorScale = 1; // Mercator metres per ground metre at the start latitude
    float m_cruiseKn;
    float m_turnRate = 0;
    float m_crab = 0;
    float m_current = 0;
    float m_baseTemp;
    float m_baseAltitude;
    float m_altitudeError = 0;
    float m_thermoclineBase;
    float m_seaTarget;
    uint8_t m_autoSenseTarget = 150;

    std::vector<FishTarget> m_fish;
    std::vector<BaitSchool> m_bait;
    std::vector<FloorObject> m_objects;
};

} // namespace logsynth
