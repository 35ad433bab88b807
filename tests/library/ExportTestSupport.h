// Values the export tests put around the buffers they hand the library: a write past the end
// shows up as a changed sentinel.
#pragma once

#include <cstdint>

namespace exporttest {

inline constexpr uint8_t kByteSentinel = 0xEE;
inline constexpr int32_t kWordSentinel = 0x5A5A5A5A;

} // namespace exporttest
