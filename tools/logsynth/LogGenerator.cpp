#include "LogGenerator.h"

#include "EchoPainter.h"
#include "LogWriter.h"
#include "Scene.h"

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <stdexcept>
#include <system_error>

namespace logsynth {

namespace {

constexpr int16_t kSl2BlockSize = 3200;
// A packet may be at most block size + 128 bytes, header included.
constexpr int kMaxSl2Cells = kSl2BlockSize + 128 - static_cast<int>(testlog::kSl2ColumnHeaderSize);
constexpr uint64_t kMaxSl2PingBytes = uint64_t{8} * (testlog::kSl2ColumnHeaderSize + kMaxSl2Cells);
constexpr int16_t kSlgBlockSize = 3200;
// The primary channel has the same cells in every format (room left in an SLG block for the
// largest sub-header we write), so its echoes are the same scene sample for sample.
constexpr int kMaxDownCells = kSlgBlockSize - 80;
constexpr int16_t kVeryOldBlockSize = 1100; // sub-header, scale and at most one code per sample
constexpr uint32_t kVeryOldSamples = 1024;
// The reader divides by the RVG depth, so every channel carries a non-zero one; channels
// without range-variable gain have a maximum attenuation of 0.
constexpr int16_t kRvgDepthFt = 80;
constexpr uint8_t kRvgMaxAttenuation = 40;
constexpr uint32_t kAllValid = testlog::kValidSpeed | testlog::kValidWaterTemp |
                               testlog::kValidPosition | testlog::kValidWaterSpeed |
                               testlog::kValidTrack | testlog::kValidHeading |
                               testlog::kValidAltitude;

// Cell counts are multiples of 4 so every packet stays 4-byte aligned.
int roundCells(float cells, int most)
{
    // NOLINTNEXTLINE(bugprone-incorrect-roundings): cells are positive; logs stay as generated.
    const int c = static_cast<int>(cells / 4.0f + 0.5f) * 4;
    return std::clamp(c, 4, most);
}

int downCells(float range, int most)
{
    return roundCells(800.0f + 18.0f * range, most);
}

int sideCells(float range)
{
    return roundCells(400.0f + 12.0f * range, kMaxSl2Cells);
}

// The attenuation the reader takes off a column of this range (single precision, halves
// to even); the samples are written that much brighter so the picture stays even.
int rvgBoost(float lowerLimit, uint8_t maxAttenuation)
{
    const float a = (static_cast<float>(kRvgDepthFt) - lowerLimit) *
                    static_cast<float>(maxAttenuation) / static_cast<float>(kRvgDepthFt);
    const float rounded = std::nearbyint(a);
    return rounded >= 1.0f ? static_cast<int>(rounded) : 0;
}

enum class Look { Down, Side };

struct ChannelPlan
{
    uint16_t channel;
    Look look;
    DownBeam beam;
    int side;          // side-looking: -1 left, +1 right, 0 both
    uint8_t frequency; // frequency code
    float cellShare;   // of the channel's full resolution
    int16_t burstBase; // µs
    float burstPerFt;  // µs per ft of range
    uint8_t rvgMaxAttenuation;
    uint8_t senseOffset; // added to the scene's auto-sense value
};

std::vector<ChannelPlan> channelPlans(uint64_t seed)
{
    Random pick(seed ^ 0xF2E9ull);
    const uint8_t lowFrequency = pick.chance(0.5) ? 1 : 2;       // 50 or 83 kHz
    const uint8_t structureFrequency = pick.chance(0.5) ? 3 : 4; // 455 or 800 kHz
    const float lowTan = lowFrequency == 1 ? 0.36f : 0.27f;
    return {
        {0,
         Look::Down,
         {0.176f, 0.176f, 0.8f, 0.2f, 0.32f, 0.3f},
         0,
         0,
         1.0f,
         40,
         1.5f,
         kRvgMaxAttenuation,
         0},
        {1,
         Look::Down,
         {lowTan, lowTan, 1.6f, 0.35f, lowTan + 0.15f, 0.55f},
         0,
         lowFrequency,
         0.55f,
         80,
         3.0f,
         kRvgMaxAttenuation,
         10},
        {2,
         Look::Down,
         {0.05f, 0.7f, 0.5f, 0.15f, 0.06f, 0.25f},
         0,
         structureFrequency,
         1.0f,
         30,
         0.8f,
         0,
         0},
        {3, Look::Side, {}, -1, structureFrequency, 1.0f, 30, 0.5f, 0, 0},
        {4, Look::Side, {}, 1, structureFrequency, 1.0f, 30, 0.5f, 0, 0},
        {5, Look::Side, {}, 0, structureFrequency, 1.5f, 30, 0.5f, 0, 0},
    };
}

uint64_t painterSeed(uint64_t seed, uint16_t channel)
{
    return seed * 0x9E3779B97F4A7C15ull + 0x1000ull * (channel + 1u);
}

int cellsFor(const ChannelPlan& plan, const Ping& ping)
{
    if (plan.look == Look::Down) {
        return roundCells(plan.cellShare *
                              static_cast<float>(downCells(ping.lowerLimit, kMaxDownCells)),
                          kMaxDownCells);
    }
    return roundCells(plan.cellShare * static_cast<float>(sideCells(ping.sideRange)), kMaxSl2Cells);
}

void fillNavigation(testlog::Sl2Column& c, const Ping& p)
{
    c.upperLimit = 0.0f;
    c.depth = p.depth;
    c.runningTimeMs = p.runningTimeMs;
    c.timeOffset = p.timeOffsetMs;
    c.pingPeriodMs = p.periodMs;
    c.speed = p.speedKn;
    c.waterSpeed = p.waterSpeedKn;
    c.waterTemp = p.waterTempC;
    c.positionX = p.positionX;
    c.positionY = p.positionY;
    c.track = p.trackRad;
    c.heading = p.headingRad;
    c.altitude = p.altitudeFt;
    c.validFlags = kAllValid;
    c.correlation = p.correlation;
    c.pingSpeed = static_cast<uint8_t>(std::min(255, 1000 / std::max<int>(p.periodMs, 1)));
    c.integration = 3;
    c.gainDuty = 50;
    c.videoIntegration = 2;
    c.fishingMode = 1;
    c.noiseRejection = 2;
    c.rvgDepth = kRvgDepthFt;
}

// Appends to a file with a large buffer; remembers the first failure.
class FileSink
{
public:
    explicit FileSink(const std::filesystem::path& path) : m_file(std::fopen(path.c_str(), "wb"))
    {
        if (!m_file) {
            m_error = errno;
        } else {
            // Without the larger buffer the writes are only slower.
            (void)std::setvbuf(m_file, nullptr, _IOFBF, 1 << 20);
        }
    }
    ~FileSink() { close(); }
    FileSink(const FileSink&) = delete;
    FileSink& operator=(const FileSink&) = delete;

    bool open() const { return m_file != nullptr; }
    int error() const { return m_error; }

    void write(const std::vector<uint8_t>& bytes, size_t from)
    {
        if (m_file && m_error == 0 && from < bytes.size() &&
            std::fwrite(bytes.data() + from, 1, bytes.size() - from, m_file) !=
                bytes.size() - from) {
            m_error = errno != 0 ? errno : EIO;
        }
    }

    bool close()
    {
        if (m_file) {
            if (std::fclose(m_file) != 0 && m_error == 0) {
                m_error = errno != 0 ? errno : EIO;
            }
            m_file = nullptr;
        }
        return m_error == 0;
    }

private:
    std::FILE* m_file;
    int m_error = 0;
};

std::string describe(const std::string& what, const std::filesystem::path& path, int error)
{
    return what + " " + path.string() + ": " + std::strerror(error != 0 ? error : EIO);
}

// Fish near the centre of the primary beam, as the recorder's fish finder reported them.
std::vector<float> fishUnderBoat(const Scene& scene, size_t most)
{
    std::vector<float> depths;
    const Ping& p = scene.ping();
    for (const FishTarget& f : scene.fish()) {
        const float reach = 0.35f * 0.176f * f.depth;
        if (std::abs(static_cast<float>(p.along - f.along)) < reach &&
            std::abs(f.lateral) < 0.176f * f.depth && f.depth < p.depth - 0.4f) {
            depths.push_back(f.depth);
        }
        if (depths.size() == most) {
            break;
        }
    }
    return depths;
}

} // namespace

LogGenerator::LogGenerator(const GeneratorSettings& settings) : m_settings(settings) {}

std::string LogGenerator::checkLimits() const
{
    if (m_settings.debug && m_settings.format != Format::Sl2) {
        return "--debug needs --format sl2: only SL2 logs carry debug channels";
    }
    if (m_settings.sizeBytes == 0 && m_settings.columns == 0) {
        return "a log needs at least one column";
    }
    uint64_t most = 0;
    if (m_settings.format == Format::Sl2) {
        // The last ping may pass the size asked for by up to one ping; a column count is
        // checked against packets of the largest size.
        const uint64_t perPing =
            uint64_t{m_settings.debug ? 8u : 6u} * (testlog::kSl2ColumnHeaderSize + kMaxSl2Cells);
        most = m_settings.sizeBytes != 0
                   ? m_settings.sizeBytes + perPing
                   : testlog::kSl2HeaderSize + (m_settings.columns > kMaxLogBytes / perPing
                                                    ? kMaxLogBytes
                                                    : m_settings.columns * perPing);
    } else {
        const bool slg = m_settings.format == Format::Slg;
        const uint64_t block = slg ? kSlgBlockSize : kVeryOldBlockSize;
        const uint64_t header = slg ? 10 : 6;
        const uint64_t columns = blockColumns(block, header);
        most = header + (columns > kMaxLogBytes / block ? kMaxLogBytes + 1 : columns * block);
    }
    if (most > kMaxLogBytes) {
        return "the log would pass 4 GB, more than its 32-bit file addresses can reach";
    }
    return {};
}

uint64_t LogGenerator::blockColumns(uint64_t blockSize, uint64_t headerSize) const
{
    if (m_settings.sizeBytes == 0) {
        return m_settings.columns;
    }
    if (m_settings.sizeBytes <= headerSize) {
        return 1;
    }
    return (m_settings.sizeBytes - headerSize + blockSize - 1) / blockSize;
}

GeneratorResult LogGenerator::write(const std::filesystem::path& path) const
{
    GeneratorResult result;
    result.error = checkLimits();
    if (!result.error.empty()) {
        return result;
    }
    switch (m_settings.format) {
    case Format::Sl2:
        result = writeSl2(path);
        break;
    case Format::Slg:
        result = writeSlg(path);
        break;
    case Format::VeryOld:
        result = writeVeryOld(path);
        break;
    }
    if (!result.error.empty()) {
        // A half-written log would pass for a short one; devices such as /dev/full stay.
        std::error_code ignored;
        if (std::filesystem::is_regular_file(path, ignored)) {
            std::filesystem::remove(path, ignored);
        }
    }
    return result;
}

GeneratorResult LogGenerator::writeSl2(const std::filesystem::path& path) const
{
    GeneratorResult result;
    testlog::Sl2Header header;
    header.blockSize = kSl2BlockSize;
    header.flags = m_settings.debug ? 1 : 0;
    testlog::Sl2Writer writer(header);
    errno = 0;
    if (!writer.streamTo(path)) {
        result.error = describe("cannot create", path, errno);
        return result;
    }

    Scene scene(m_settings.seed);
    const std::vector<ChannelPlan> plans = channelPlans(m_settings.seed);
    std::vector<EchoPainter> painters;
    std::vector<testlog::Sl2Column> columns(plans.size());
    for (const ChannelPlan& plan : plans) {
        painters.emplace_back(painterSeed(m_settings.seed, plan.channel));
        columns[plan.channel].channel = plan.channel;
        columns[plan.channel].frequency = plan.frequency;
    }
    testlog::Sl2Column digital;
    testlog::Sl2Column noise;

    for (uint64_t n = 0;; ++n) {
        if (m_settings.sizeBytes != 0 ? writer.size() >= m_settings.sizeBytes
                                      : n >= m_settings.columns) {
            break;
        }
        if (writer.size() + kMaxSl2PingBytes > kMaxLogBytes) {
            result.error = "the log would pass 4 GB, more than its 32-bit file addresses can reach";
            return result;
        }
        scene.advance();
        const Ping& p = scene.ping();
        for (const ChannelPlan& plan : plans) {
            testlog::Sl2Column& c = columns[plan.channel];
            EchoPainter& painter = painters[plan.channel];
            fillNavigation(c, p);
            c.samples.resize(static_cast<size_t>(cellsFor(plan, p)));
            c.autoSenseRangecell = static_cast<uint8_t>(p.autoSense + plan.senseOffset);
            c.rvgMaxAttenuation = plan.rvgMaxAttenuation;
            if (plan.look == Look::Down) {
                c.lowerLimit = p.lowerLimit;
                painter.paintDown(scene, plan.beam, c.lowerLimit,
                                  rvgBoost(c.lowerLimit, plan.rvgMaxAttenuation), c.samples);
                const NoiseStats& stats = painter.lastNoiseStats();
                c.noiseAverage = stats.average;
                c.noisePeak = stats.peak;
                c.noiseCount = stats.count;
                c.digitalRangecell = static_cast<uint8_t>(c.autoSenseRangecell - 16);
            } else {
                c.lowerLimit = p.sideRange;
                painter.paintSide(scene, plan.side, c.lowerLimit, c.samples);
            }
            c.burstLengthUs = static_cast<int16_t>(plan.burstBase + plan.burstPerFt * c.lowerLimit);
            writer.add(c);

            if (plan.channel == 0 && m_settings.debug) {
                // What the recorder saw before display: the cells above its threshold, and
                // the noise it measured.
                digital = c;
                digital.channel = 10;
                for (uint8_t& v : digital.samples) {
                    v = v >= c.autoSenseRangecell ? v : 0;
                }
                writer.add(digital);
                noise = c;
                noise.channel = 11;
                painter.lastNoise(noise.samples);
                writer.add(noise);
            }
        }
        result.columns = n + 1;
    }
    result.bytes = writer.size();
    errno = 0;
    if (!writer.close()) {
        result.error = describe("cannot write", path, errno);
    }
    return result;
}

GeneratorResult LogGenerator::writeSlg(const std::filesystem::path& path) const
{
    GeneratorResult result;
    FileSink sink(path);
    if (!sink.open()) {
        result.error = describe("cannot create", path, sink.error());
        return result;
    }
    sink.write(testlog::SlgWriter(kSlgBlockSize).bytes(), 0);

    // Same scene and primary beam as the SL2 log: the recorder of this generation had
    // the primary channel only.
    Scene scene(m_settings.seed);
    const ChannelPlan plan = channelPlans(m_settings.seed).front();
    EchoPainter painter(painterSeed(m_settings.seed, plan.channel));
    constexpr size_t kHeaderSize = 10;
    constexpr uint64_t kChunk = 256; // soundings kept in memory between writes
    const uint64_t total = blockColumns(kSlgBlockSize, kHeaderSize);

    testlog::SlgSounding s;
    for (uint64_t done = 0; done < total;) {
        testlog::SlgWriter chunk(kSlgBlockSize);
        for (uint64_t k = 0; k < kChunk && done < total; ++k, ++done) {
            scene.advance();
            const Ping& p = scene.ping();
            testlog::SlgFields& f = s.header;
            f.lowerLimit = p.lowerLimit;
            f.depth = p.depth;
            f.depthValid = true;
            f.upperLimit = 0.0f;
            f.waterTemp = p.waterTempC;
            f.waterSpeed = p.waterSpeedKn;
            f.position = testlog::SlgPosition{p.positionY, p.positionX};
            f.surfaceDepth = p.clutterDepth;
            f.topOfBottom = p.depth;
            f.fishDepths = fishUnderBoat(scene, 3);
            f.timeOffset = p.timeOffsetMs;
            f.speedTrack = testlog::SlgSpeedTrack{p.speedKn, p.trackRad, -10000.0f};
            s.samples.resize(static_cast<size_t>(downCells(p.lowerLimit, kMaxDownCells)));
            painter.paintDown(scene, plan.beam, p.lowerLimit, 0, s.samples);
            chunk.add(s);
        }
        sink.write(chunk.bytes(), kHeaderSize);
    }
    result.columns = total;
    result.bytes = kHeaderSize + total * static_cast<uint64_t>(kSlgBlockSize);
    if (!sink.close()) {
        result.error = describe("cannot write", path, sink.error());
    }
    return result;
}

GeneratorResult LogGenerator::writeVeryOld(const std::filesystem::path& path) const
{
    GeneratorResult result;
    FileSink sink(path);
    if (!sink.open()) {
        result.error = describe("cannot create", path, sink.error());
        return result;
    }
    sink.write(testlog::VeryOldWriter(kVeryOldBlockSize, kVeryOldSamples).bytes(), 0);

    Scene scene(m_settings.seed);
    const ChannelPlan plan = channelPlans(m_settings.seed).front();
    EchoPainter painter(painterSeed(m_settings.seed, plan.channel));
    constexpr size_t kHeaderSize = 6;
    constexpr uint64_t kChunk = 256;
    const uint64_t total = blockColumns(kVeryOldBlockSize, kHeaderSize);

    std::vector<uint8_t> samples(kVeryOldSamples);
    testlog::SlgFields f;
    try {
        for (uint64_t done = 0; done < total;) {
            testlog::VeryOldWriter chunk(kVeryOldBlockSize, kVeryOldSamples);
            for (uint64_t k = 0; k < kChunk && done < total; ++k, ++done) {
                scene.advance();
                const Ping& p = scene.ping();
                f.lowerLimit = p.lowerLimit;
                f.depth = p.depth;
                f.upperLimit = 0.0f;
                f.waterTemp = p.waterTempC;
                f.position = testlog::SlgPosition{p.positionY, p.positionX};
                f.timeOffset = p.timeOffsetMs;
                f.speedTrack = testlog::SlgSpeedTrack{p.speedKn, p.trackRad, -10000.0f};
                painter.paintDown(scene, plan.beam, p.lowerLimit, 0, samples);
                chunk.add(f, samples);
            }
            sink.write(chunk.bytes(), kHeaderSize);
        }
    } catch (const std::exception& e) {
        result.error = std::string("cannot code a very old sounding: ") + e.what();
        return result;
    }
    result.columns = total;
    result.bytes = kHeaderSize + total * static_cast<uint64_t>(kVeryOldBlockSize);
    if (!sink.close()) {
        result.error = describe("cannot write", path, sink.error());
    }
    return result;
}

} // namespace logsynth
