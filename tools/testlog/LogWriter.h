// Writes sonar logs for tests, fuzz seeds and demo data. The system itself never writes a
// log; this writer exists so every test input is built from known values, including the
// faults a damaged log can carry.
#pragma once

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace testlog {

// Appends little-endian values to a byte vector.
void putU8(std::vector<uint8_t>& out, uint8_t v);
void putI16(std::vector<uint8_t>& out, int16_t v);
void putU16(std::vector<uint8_t>& out, uint16_t v);
void putI32(std::vector<uint8_t>& out, int32_t v);
void putU32(std::vector<uint8_t>& out, uint32_t v);
void putF32(std::vector<uint8_t>& out, float v);
// Overwrites little-endian values at a position that already exists.
void setU16(std::vector<uint8_t>& out, size_t at, uint16_t v);
void setU32(std::vector<uint8_t>& out, size_t at, uint32_t v);

bool saveFile(const std::filesystem::path& path, const std::vector<uint8_t>& bytes);
std::vector<uint8_t> loadFile(const std::filesystem::path& path);

// ---------------------------------------------------------------------------------------
// SLG

struct SlgPosition
{
    int32_t y = 0; // northing, Mercator metres
    int32_t x = 0; // easting
};

struct SlgSpeedTrack
{
    float speed = 0;    // knots
    float track = 0;    // radians
    float altitude = 0; // feet; -10000 means none
};

// One sounding's SLG sub-header. Optional fields set their flag bit when present.
struct SlgFields
{
    float lowerLimit = 100.0f;
    float depth = 20.0f;
    bool depthValid = true;
    std::optional<float> upperLimit;
    std::optional<float> waterTemp;
    std::optional<float> temp2;
    std::optional<float> temp3;
    std::optional<float> waterSpeed;
    std::optional<SlgPosition> position;
    std::optional<float> surfaceDepth;
    std::optional<float> topOfBottom;
    std::vector<float> fishDepths; // at most 7 fit the three-bit word count
    bool is50kHz = false;
    std::optional<int32_t> timeOffset;
    std::optional<SlgSpeedTrack> speedTrack;
    // Written instead of the computed flags word: for malformed or inconsistent sub-headers.
    // The fields above are still laid out as if the computed flags held.
    std::optional<uint16_t> flagsOverride;
};

uint16_t slgFlags(const SlgFields& fields);
// The flags word and the fields, exactly as they precede the sample area.
std::vector<uint8_t> encodeSlgSubHeader(const SlgFields& fields);

struct SlgSounding
{
    SlgFields header;
    std::vector<uint8_t> samples;
    // Stored as the i16 sample count instead of samples.size() (counts larger than the block).
    std::optional<int16_t> sampleCountOverride;
};

// An SLG log (format word 0 or 1): a 10-byte header, then one block per sounding.
class SlgWriter
{
public:
    explicit SlgWriter(int16_t blockSize, int16_t format = 1, int16_t version = 1);

    // Appends one block; throws std::length_error when the sounding does not fit.
    void add(const SlgSounding& sounding);
    // Appends a block of raw bytes, padded or cut to the block size.
    void addRawBlock(const std::vector<uint8_t>& block);
    // Appends bytes that do not make a whole block (a log cut off while recording).
    void appendBytes(const std::vector<uint8_t>& bytes);

    int16_t blockSize() const { return m_blockSize; }
    const std::vector<uint8_t>& bytes() const { return m_bytes; }
    bool save(const std::filesystem::path& path) const { return saveFile(path, m_bytes); }

private:
    int16_t m_blockSize;
    std::vector<uint8_t> m_bytes;
};

// A very old SLG log: the first word is the block size (> 100), then u32 samples per
// sounding; each block holds a sub-header, an i32 scale factor and wavelet code bytes.
class VeryOldWriter
{
public:
    VeryOldWriter(int16_t blockSize, uint32_t samplesPerSounding);

    // Codes the samples (samplesPerSounding of them) with the forward Daubechies-4 transform
    // and the run/coefficient code bytes; throws std::length_error when the codes do not fit.
    void add(const SlgFields& header, const std::vector<uint8_t>& samples);
    // Appends a block with the given scale factor and code bytes as they are.
    void addCoded(const SlgFields& header, int32_t scale, const std::vector<uint8_t>& codes);
    void appendBytes(const std::vector<uint8_t>& bytes);

    const std::vector<uint8_t>& bytes() const { return m_bytes; }
    bool save(const std::filesystem::path& path) const { return saveFile(path, m_bytes); }

private:
    int16_t m_blockSize;
    uint32_t m_samplesPerSounding;
    std::vector<uint8_t> m_bytes;
};

// ---------------------------------------------------------------------------------------
// SL2

inline constexpr uint32_t kSl2HeaderSize = 8;
inline constexpr uint32_t kSl2ColumnHeaderSize = 144;

// Valid-flag bits of the navigation values.
inline constexpr uint32_t kValidSpeed = 0x0002;
inline constexpr uint32_t kValidWaterTemp = 0x0004;
inline constexpr uint32_t kValidPosition = 0x0010;
inline constexpr uint32_t kValidWaterSpeed = 0x0040;
inline constexpr uint32_t kValidTrack = 0x0080;
inline constexpr uint32_t kValidHeading = 0x0100;
inline constexpr uint32_t kValidAltitude = 0x0200;

// Every field of an SL2 column header the writer does not derive itself.
struct Sl2Column
{
    uint16_t channel = 0;
    float upperLimit = 0.0f;
    float lowerLimit = 100.0f;
    int16_t burstLengthUs = 0;
    uint8_t integration = 0;
    uint8_t gainDuty = 0;
    uint8_t videoIntegration = 0;
    uint8_t frequency = 0;
    int16_t pingPeriodMs = 0;
    uint8_t correlation = 0;
    uint8_t discrimination = 0;
    int16_t deviceFlags = 0;
    uint32_t runningTimeMs = 0;
    float depth = 0.0f;
    float keelOffset = 0.0f;
    uint8_t autoSenseRangecell = 0;
    uint8_t digitalRangecell = 0;
    uint8_t noiseCount = 0;
    uint8_t noisePeak = 0;
    uint8_t noiseAverage = 0;
    uint8_t rvgMaxAttenuation = 0;
    int16_t rvgDepth = 0;
    float speed = 0.0f;
    float waterTemp = 0.0f;
    int32_t positionX = 0;
    int32_t positionY = 0;
    float waterSpeed = 0.0f;
    float track = 0.0f;
    float altitude = 0.0f;
    float heading = 0.0f;
    uint32_t validFlags = 0;
    uint8_t manualMode = 0;
    uint8_t fishingMode = 0;
    uint8_t pingSpeed = 0;
    uint8_t noiseRejection = 0;
    int32_t timeOffset = 0;
    std::vector<uint8_t> samples;
    uint16_t padding = 0; // bytes after the samples: packet size = 144 + N + padding
};

// Damage applied to one packet as it is written. Unset fields keep the correct value.
struct Sl2Faults
{
    std::optional<uint32_t> thisAddress;
    // Stored packet size. A larger one pads the packet, so the chain follows it; a smaller
    // one still writes the whole packet, so the next packet lies past where the size points.
    std::optional<uint16_t> packetSize;
    std::optional<uint16_t> previousSize;
    std::optional<uint16_t> rangeCells; // stored N; the samples written stay as given
    std::optional<uint32_t> sequence;
    // One entry of the last-channel-address table overwritten: {entry, value}.
    std::optional<std::pair<int, uint32_t>> lastChannelAddress;
};

struct Sl2Header
{
    int16_t format = 2;
    int16_t version = 1;
    int16_t blockSize = 3200;
    uint16_t flags = 0; // bit 0: the log holds debug channels
};

// An SL2 log: the 8-byte header and a chain of packets with correct links, sizes and
// sequence numbers unless faults say otherwise. Writes to memory, or streams to a file.
class Sl2Writer
{
public:
    explicit Sl2Writer(const Sl2Header& header = {});
    ~Sl2Writer();
    Sl2Writer(const Sl2Writer&) = delete;
    Sl2Writer& operator=(const Sl2Writer&) = delete;

    // Streams everything written from now on to path instead of keeping it in memory.
    bool streamTo(const std::filesystem::path& path);
    // Flushes and closes the stream; true when every byte reached the file.
    bool close();

    // Appends one packet and returns its address; throws std::length_error past 4 GB. Channels 0-5
    // advance their sequence number and own last-channel-address entry; other codes (debug 10, 11,
    // invalid ones) carry the table as it stands and channel 0's current sequence number unless
    // faults set one.
    uint32_t add(const Sl2Column& column, const Sl2Faults& faults = {});
    // Raw bytes in the chain (garbage, misalignment). The next packet's previous size stays
    // the size of the last packet.
    void appendBytes(const std::vector<uint8_t>& bytes);
    // Cuts the in-memory log to its first size bytes (a log cut off while recording).
    void truncate(size_t size);

    uint64_t size() const { return m_address; }
    const std::vector<uint8_t>& bytes() const { return m_bytes; }
    bool save(const std::filesystem::path& path) const { return saveFile(path, m_bytes); }
    // Sequence number the next packet of channel 0-5 gets.
    uint32_t nextSequence(int channel) const { return m_nextSequence[channel]; }

private:
    void putBytes(const std::vector<uint8_t>& bytes);

    Sl2Header m_header;
    std::vector<uint8_t> m_bytes;
    std::FILE* m_file = nullptr;
    bool m_fileOk = true;
    uint64_t m_address = 0;
    uint16_t m_lastPacketSize = 0;
    uint32_t m_lastChannelAddress[6] = {};
    uint32_t m_nextSequence[6] = {};
};

} // namespace testlog
