// A small SLG reader of the tools tests, written from the format rules: the sub-header of a
// block with its length, and the blocks of an SLG or very old log.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace toolstest {

struct SlgSubHeader
{
    uint16_t flags = 0;
    int length = 0; // where the sample area starts; -1 when malformed
    float lowerLimit = 0;
    float depth = 0;
    bool depthValid = false;
    float upperLimit = 0;
    std::optional<float> waterTemp;
    std::optional<float> temp2;
    std::optional<float> temp3;
    std::optional<float> waterSpeed;
    std::optional<int32_t> positionY;
    std::optional<int32_t> positionX;
    std::optional<float> surfaceDepth;
    std::optional<float> topOfBottom;
    std::vector<float> fish;
    std::optional<int32_t> timeOffset;
    std::optional<float> speed;
    std::optional<float> track;
    std::optional<float> altitude; // as stored, -10000 included
};

// Parses the sub-header at the start of block; -1 length when the fish count is negative or
// the fields run past the block.
SlgSubHeader parseSlgSubHeader(const std::vector<uint8_t>& block);

struct SlgLog
{
    bool veryOld = false;
    int16_t format = 0;
    int16_t blockSize = 0;
    uint32_t samplesPerSounding = 0; // very old only
    size_t headerSize = 0;
    std::vector<std::vector<uint8_t>> blocks;
    size_t trailingBytes = 0; // bytes after the last whole block
    std::string error;
};

SlgLog readSlg(const std::vector<uint8_t>& bytes);

} // namespace toolstest
