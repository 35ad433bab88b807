// Writes one demo log of the scene: SL2 with channels 0-5 (and optionally the debug
// channels), or the primary channel alone as an SLG or very old SLG log.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>

namespace logsynth {

enum class Format { Sl2, Slg, VeryOld };

struct GeneratorSettings
{
    Format format = Format::Sl2;
    uint64_t seed = 1;
    uint64_t columns = 3000; // soundings per channel; used when sizeBytes is 0
    uint64_t sizeBytes = 0;  // stop once the log reaches this size
    bool debug = false;      // SL2: debug packets 10 and 11 after every channel-0 packet
};

struct GeneratorResult
{
    std::string error; // empty on success
    uint64_t columns = 0;
    uint64_t bytes = 0;
};

class LogGenerator
{
public:
    // SL2 packets address the file with 32 bits; the SLG readers keep 32-bit lengths too.
    static constexpr uint64_t kMaxLogBytes = 0xFFFFFFFFull;

    explicit LogGenerator(const GeneratorSettings& settings);

    // Why the settings cannot make a log within the formats' limits; empty when they can.
    std::string checkLimits() const;
    // Writes the log, replacing path. On failure the partial file is removed.
    GeneratorResult write(const std::filesystem::path& path) const;

private:
    GeneratorResult writeSl2(const std::filesystem::path& path) const;
    GeneratorResult writeSlg(const std::filesystem::path& path) const;
    GeneratorResult writeVeryOld(const std::filesystem::path& path) const;
    uint64_t blockColumns(uint64_t blockSize, uint64_t headerSize) const;

    GeneratorSettings m_settings;
};

} // namespace logsynth
