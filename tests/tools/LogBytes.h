// Little-endian reads for the tools tests, each checked against the bytes that are left.
#pragma once

#include <cstdint>
#include <cstring>
#include <stdexcept>
#include <vector>

namespace toolstest {

class LogBytes
{
public:
    explicit LogBytes(const std::vector<uint8_t>& bytes) : m_bytes(bytes) {}

    size_t size() const { return m_bytes.size(); }
    bool has(size_t at, size_t count) const
    {
        return at <= m_bytes.size() && count <= m_bytes.size() - at;
    }

    uint8_t u8(size_t at) const { return fetch<uint8_t>(at); }
    uint16_t u16(size_t at) const { return fetch<uint16_t>(at); }
    int16_t i16(size_t at) const { return static_cast<int16_t>(fetch<uint16_t>(at)); }
    uint32_t u32(size_t at) const { return fetch<uint32_t>(at); }
    int32_t i32(size_t at) const { return static_cast<int32_t>(fetch<uint32_t>(at)); }
    float f32(size_t at) const
    {
        const uint32_t bits = fetch<uint32_t>(at);
        float v;
        std::memcpy(&v, &bits, sizeof v);
        return v;
    }

private:
    template <typename T> T fetch(size_t at) const
    {
        if (!has(at, sizeof(T))) {
            throw std::out_of_range("read past the end of the log");
        }
        T v = 0;
        for (size_t i = 0; i < sizeof(T); ++i) {
            v = static_cast<T>(v | static_cast<T>(static_cast<T>(m_bytes[at + i]) << (8 * i)));
        }
        return v;
    }

    const std::vector<uint8_t>& m_bytes;
};

} // namespace toolstest
