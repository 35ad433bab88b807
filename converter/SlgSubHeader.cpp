#include "SlgSubHeader.h"

#include "Bytes.h"

#include <cstring>

namespace tarnex {

namespace {

// Sequential field reads that never step past the block.
class FieldReader
{
public:
    FieldReader(const uint8_t* bytes, size_t size) : m_bytes(bytes), m_size(size) {}

    size_t position() const { return m_position; }
    void seek(size_t position) { m_position = position; }

    uint32_t u32()
    {
        uint8_t word[4] = {};
        for (size_t i = 0; i < 4; ++i) {
            if (m_position + i < m_size) {
                word[i] = m_bytes[m_position + i];
            }
        }
        m_position += 4;
        return loadU32(word);
    }
    uint16_t u16()
    {
        uint8_t word[2] = {};
        for (size_t i = 0; i < 2; ++i) {
            if (m_position + i < m_size) {
                word[i] = m_bytes[m_position + i];
            }
        }
        m_position += 2;
        return loadU16(word);
    }
    int32_t i32() { return static_cast<int32_t>(u32()); }
    float f32()
    {
        const uint32_t bits = u32();
        float value;
        std::memcpy(&value, &bits, sizeof value);
        return value;
    }

private:
    const uint8_t* m_bytes;
    size_t m_size;
    size_t m_position = 0;
};

bool bit(uint16_t flags, int n)
{
    return ((flags >> n) & 1u) != 0;
}

} // namespace

int parseSlgSubHeader(const uint8_t* block, size_t size, SlgSubHeader& header)
{
    FieldReader in(block, size);
    const uint16_t flags = in.u16();
    header.flags = flags;
    header.lowerLimit = in.f32();
    header.depth = in.f32();
    header.depthValid = !bit(flags, 9);

    header.waterTempValid = bit(flags, 4);
    header.temp2Valid = bit(flags, 5);
    header.temp3Valid = bit(flags, 6);
    header.waterSpeedValid = bit(flags, 7);
    header.positionValid = bit(flags, 8);
    header.surfaceValid = bit(flags, 10);
    header.topOfBottomValid = bit(flags, 11);
    header.is50kHz = bit(flags, 12);
    header.timeValid = bit(flags, 13);
    header.speedTrackValid = bit(flags, 14);

    const int fishCount = static_cast<int>(flags & 7u) - (header.timeValid ? 1 : 0) -
                          (header.speedTrackValid ? 3 : 0);
    header.fishCount = fishCount;
    if (fishCount < 0) {
        return -1;
    }

    in.seek(10);
    header.upperLimit = bit(flags, 3) ? in.f32() : 0.0f;
    header.waterTemp = header.waterTempValid ? in.f32() : 0.0f;
    header.temp2 = header.temp2Valid ? in.f32() : 0.0f;
    header.temp3 = header.temp3Valid ? in.f32() : 0.0f;
    header.waterSpeed = header.waterSpeedValid ? in.f32() : 0.0f;
    if (header.positionValid) {
        header.positionY = in.i32();
        header.positionX = in.i32();
    } else {
        header.positionY = 0;
        header.positionX = 0;
    }
    header.surfaceDepth = header.surfaceValid ? in.f32() : 0.0f;
    header.topOfBottom = header.topOfBottomValid ? in.f32() : 0.0f;
    for (int i = 0; i < 7; ++i) {
        header.fishDepths[i] = i < fishCount ? in.f32() : 0.0f;
    }
    header.timeOffset = header.timeValid ? in.i32() : 0;
    if (header.speedTrackValid) {
        header.speed = in.f32();
        header.track = in.f32();
        const float altitude = in.f32();
        header.altitudeValid = altitude != -10000.0f;
        header.altitude = header.altitudeValid ? altitude : 0.0f;
    } else {
        header.speed = 0;
        header.track = 0;
        header.altitude = 0;
        header.altitudeValid = false;
    }
    return static_cast<int>(in.position());
}

} // namespace tarnex
