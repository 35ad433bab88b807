// A small SL2 reader of the tools tests, written from the format rules: it walks the packet
// chain and keeps every field, so the tests can check a generated log against the rules.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace toolstest {

struct Sl2Packet
{
    uint32_t address = 0;
    uint32_t thisAddress = 0;
    std::array<uint32_t, 6> lastChannel{};
    uint16_t packetSize = 0;
    uint16_t previousSize = 0;
    uint16_t channel = 0;
    uint16_t rangeCells = 0;
    uint32_t sequence = 0;
    float upperLimit = 0;
    float lowerLimit = 0;
    int16_t burstLengthUs = 0;
    uint8_t frequency = 0;
    int16_t pingPeriodMs = 0;
    uint8_t correlation = 0;
    uint32_t runningTimeMs = 0;
    float depth = 0;
    uint8_t autoSense = 0;
    uint8_t rvgMaxAttenuation = 0;
    int16_t rvgDepth = 0;
    float speed = 0;
    float waterTemp = 0;
    int32_t positionX = 0;
    int32_t positionY = 0;
    float track = 0;
    float heading = 0;
    uint32_t validFlags = 0;
    int32_t timeOffset = 0;
    std::vector<uint8_t> samples;
};

struct Sl2Log
{
    int16_t format = 0;
    int16_t version = 0;
    int16_t blockSize = 0;
    uint16_t flags = 0;
    std::vector<Sl2Packet> packets;
    std::string error; // why the walk stopped before the end of the file; empty otherwise
};

// Follows the chain from address 8 by the stored packet sizes.
Sl2Log readSl2(const std::vector<uint8_t>& bytes);

} // namespace toolstest
