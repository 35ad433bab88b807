// Little-endian field reads from byte buffers: integers assembled byte by byte, floats through
// memcpy, never a cast to a wider pointer. The caller checks that the bytes are there.
#pragma once

#include <cstdint>
#include <cstring>

namespace brellix {

inline uint16_t readU16(const uint8_t* p)
{
    return static_cast<uint16_t>(p[0] | (p[1] << 8));
}

inline int16_t readI16(const uint8_t* p)
{
    return static_cast<int16_t>(readU16(p));
}

inline uint32_t readU32(const uint8_t* p)
{
    return static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) |
           (static_cast<uint32_t>(p[2]) << 16) | (static_cast<uint32_t>(p[3]) << 24);
}

inline int32_t readI32(const uint8_t* p)
{
    return static_cast<int32_t>(readU32(p));
}

inline float readF32(const uint8_t* p)
{
    const uint32_t bits = readU32(p);
    float value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

inline void writeI16(uint8_t* p, int16_t value)
{
    const auto bits = static_cast<uint16_t>(value);
    p[0] = static_cast<uint8_t>(bits);
    p[1] = static_cast<uint8_t>(bits >> 8);
}

} // namespace brellix
