#include "SampleUnpacker.h"

#include "LittleEndian.h"

#include <algorithm>
#include <cstddef>
#include <cstring>

namespace vantrel {

int32_t unpackRawSamples(std::span<const uint8_t> area, uint8_t* dst)
{
    if (area.size() < 2) {
        return 0;
    }
    const int32_t stored = readI16(area.data());
    if (stored <= 0) {
        return 0;
    }
    const std::size_t count =
        std::min<std::size_t>(static_cast<std::size_t>(stored), area.size() - 2);
    std::memmove(dst, area.data() + 2, count);
    return static_cast<int32_t>(count);
}

void unpackCoefficients(std::span<const uint8_t> area, void* dst, int32_t& remaining)
{
    if (remaining <= 0) {
        return;
    }
    auto* out = static_cast<uint8_t*>(dst);
    // Without room for the scale there are no codes either, only the zero fill.
    const uint32_t scale = area.size() >= 4 ? readU32(area.data()) : 0;
    for (std::size_t i = 4; i < area.size(); ++i) {
        if (remaining <= 0) {
            return;
        }
        const uint8_t code = area[i];
        if (code & 0x80) {
            const int32_t run = std::min<int32_t>((code & 0x7F) + 1, remaining);
            remaining -= run;
            std::memset(out, 0, static_cast<std::size_t>(run) * 4);
            out += static_cast<std::size_t>(run) * 4;
        } else {
            // Two's complement wrap, as the recorder's 32-bit multiply would give.
            const int32_t value = static_cast<int32_t>(static_cast<uint32_t>(code - 64) * scale);
            std::memcpy(out, &value, 4);
            out += 4;
            remaining -= 1;
        }
    }
    if (remaining > 0) {
        std::memset(out, 0, static_cast<std::size_t>(remaining) * 4);
    }
}

} // namespace vantrel
