// The three generations of sonar logs and what the first bytes of a log say about one.
#pragma once

#include <cstdint>
#include <optional>

namespace brellix {

// The format as the reader reports it: 0 very old, 1 SLG, 2 SL2.
enum class LogFormat : int16_t { VeryOld = 0, Slg = 1, Sl2 = 2 };

struct LogHeader
{
    static constexpr int kLongest = 10;

    LogFormat format = LogFormat::VeryOld;
    int16_t headerLength = 6;
    int16_t blockSize = 0;
    // Very old logs only; 0 otherwise.
    int32_t samplesPerSounding = 0;
    // SL2 only: non-zero when the log carries debug columns.
    uint16_t headerFlags = 0;
};

// Why a header is refused.
enum class HeaderFault { None, TooShort, UnknownFormat, NoBlockSize, BadSampleCount };

// Reads the header from the first got bytes of a log (up to LogHeader::kLongest are used).
// Empty for a format word of 0, 3 to 100 or a negative one, for a header cut short, for an SLG
// block size of 0 or less, and for a very old sample count that is not a whole number of runs
// of 1024 or more than its block can code; fault, when given, then says which.
std::optional<LogHeader> readLogHeader(const uint8_t* bytes, int64_t got,
                                       HeaderFault* fault = nullptr);

} // namespace brellix
