// Little-endian field reads from byte buffers. memcpy keeps them free of alignment and
// aliasing trouble; the caller checks that the bytes are there.
#pragma once

#include <cstdint>
#include <cstring>

namespace vantrel {

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

// The four stored bytes as a float, bit pattern unchanged (NaN payloads included).
inline float readF32(const uint8_t* p)
{
    const uint32_t bits = readU32(p);
    float value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

} // namespace vantrel
