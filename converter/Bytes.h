// Little-endian field reads from byte buffers (memcpy, never a cast to a wider pointer).
#pragma once

#include <cstdint>
#include <cstring>

namespace tarnex {

inline uint16_t loadU16(const uint8_t* p)
{
    return static_cast<uint16_t>(p[0] | (p[1] << 8));
}

inline int16_t loadI16(const uint8_t* p)
{
    return static_cast<int16_t>(loadU16(p));
}

inline uint32_t loadU32(const uint8_t* p)
{
    return static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) |
           (static_cast<uint32_t>(p[2]) << 16) | (static_cast<uint32_t>(p[3]) << 24);
}

inline int32_t loadI32(const uint8_t* p)
{
    return static_cast<int32_t>(loadU32(p));
}

inline float loadF32(const uint8_t* p)
{
    const uint32_t bits = loadU32(p);
    float value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

} // namespace tarnex
