#include "LogFormat.h"

#include "common/LittleEndian.h"

namespace brellix {

std::optional<LogHeader> readLogHeader(const uint8_t* bytes, int64_t got, HeaderFault* fault)
{
    const auto refuse = [fault](HeaderFault why) -> std::optional<LogHeader> {
        if (fault != nullptr) {
            *fault = why;
        }
        return std::nullopt;
    };
    if (fault != nullptr) {
        *fault = HeaderFault::None;
    }
    if (got < 2) {
        return refuse(HeaderFault::TooShort);
    }
    LogHeader header;
    const int16_t word = readI16(bytes);
    if (word > 100) {
        if (got < 6) {
            return refuse(HeaderFault::TooShort);
        }
        const uint32_t samples = readU32(bytes + 2);
        // A damaged header must not size gigabyte buffers: the samples come in whole runs of
        // 1024, and one code byte after the shortest sub-header (10) and the scale factor (4)
        // expands to at most 128 of them.
        const int64_t codable = (static_cast<int64_t>(word) - 14) * 128;
        if (samples == 0 || samples % 1024 != 0 || samples > codable) {
            return refuse(HeaderFault::BadSampleCount);
        }
        header.format = LogFormat::VeryOld;
        header.headerLength = 6;
        header.blockSize = word;
        header.samplesPerSounding = static_cast<int32_t>(samples);
        return header;
    }
    if (word == 1) {
        if (got < 6) {
            return refuse(HeaderFault::TooShort);
        }
        header.format = LogFormat::Slg;
        header.headerLength = 10;
        header.blockSize = readI16(bytes + 4);
        // No block of no bytes: the count of soundings divides by it.
        if (header.blockSize <= 0) {
            return refuse(HeaderFault::NoBlockSize);
        }
        return header;
    }
    if (word == 2) {
        if (got < 8) {
            return refuse(HeaderFault::TooShort);
        }
        header.format = LogFormat::Sl2;
        header.headerLength = 8;
        header.blockSize = readI16(bytes + 4);
        header.headerFlags = readU16(bytes + 6);
        return header;
    }
    return refuse(HeaderFault::UnknownFormat);
}

} // namespace brellix
