#include "LogWriter.h"

#include "WaveletCoder.h"

#include <algorithm>
#include <cstring>
#include <fstream>
#include <stdexcept>

namespace testlog {

void putU8(std::vector<uint8_t>& out, uint8_t v)
{
    out.push_back(v);
}

void putU16(std::vector<uint8_t>& out, uint16_t v)
{
    out.push_back(static_cast<uint8_t>(v));
    out.push_back(static_cast<uint8_t>(v >> 8));
}

void putI16(std::vector<uint8_t>& out, int16_t v)
{
    putU16(out, static_cast<uint16_t>(v));
}

void putU32(std::vector<uint8_t>& out, uint32_t v)
{
    for (int shift = 0; shift < 32; shift += 8) {
        out.push_back(static_cast<uint8_t>(v >> shift));
    }
}

void putI32(std::vector<uint8_t>& out, int32_t v)
{
    putU32(out, static_cast<uint32_t>(v));
}

void putF32(std::vector<uint8_t>& out, float v)
{
    uint32_t bits;
    std::memcpy(&bits, &v, sizeof bits);
    putU32(out, bits);
}

void setU16(std::vector<uint8_t>& out, size_t at, uint16_t v)
{
    out.at(at + 1) = static_cast<uint8_t>(v >> 8);
    out[at] = static_cast<uint8_t>(v);
}

void setU32(std::vector<uint8_t>& out, size_t at, uint32_t v)
{
    if (at + 4 > out.size()) {
        throw std::out_of_range("setU32 past the end");
    }
    for (int i = 0; i < 4; ++i) {
        out[at + i] = static_cast<uint8_t>(v >> (8 * i));
    }
}

bool saveFile(const std::filesystem::path& path, const std::vector<uint8_t>& bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(out.flush());
}

std::vector<uint8_t> loadFile(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary | std::ios::ate);
    if (!in) {
        return {};
    }
    std::vector<uint8_t> bytes(static_cast<size_t>(in.tellg()));
    in.seekg(0);
    in.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    bytes.resize(static_cast<size_t>(in.gcount()));
    return bytes;
}

// ---------------------------------------------------------------------------------------
// SLG

uint16_t slgFlags(const SlgFields& f)
{
    uint16_t flags = 0;
    int tailWords = static_cast<int>(f.fishDepths.size());
    if (f.upperLimit) {
        flags |= 1u << 3;
    }
    if (f.waterTemp) {
        flags |= 1u << 4;
    }
    if (f.temp2) {
        flags |= 1u << 5;
    }
    if (f.temp3) {
        flags |= 1u << 6;
    }
    if (f.waterSpeed) {
        flags |= 1u << 7;
    }
    if (f.position) {
        flags |= 1u << 8;
    }
    if (!f.depthValid) {
        flags |= 1u << 9;
    }
    if (f.surfaceDepth) {
        flags |= 1u << 10;
    }
    if (f.topOfBottom) {
        flags |= 1u << 11;
    }
    if (f.is50kHz) {
        flags |= 1u << 12;
    }
    if (f.timeOffset) {
        flags |= 1u << 13;
        tailWords += 1;
    }
    if (f.speedTrack) {
        flags |= 1u << 14;
        tailWords += 3;
    }
    if (tailWords > 7) {
        throw std::length_error("SLG sub-header tail holds at most 7 words");
    }
    return static_cast<uint16_t>(flags | static_cast<uint16_t>(tailWords));
}

std::vector<uint8_t> encodeSlgSubHeader(const SlgFields& f)
{
    std::vector<uint8_t> out;
    const uint16_t computed = slgFlags(f);
    putU16(out, f.flagsOverride.value_or(computed));
    putF32(out, f.lowerLimit);
    putF32(out, f.depth);
    if (f.upperLimit) {
        putF32(out, *f.upperLimit);
    }
    for (const auto& value : {f.waterTemp, f.temp2, f.temp3, f.waterSpeed}) {
        if (value) {
            putF32(out, *value);
        }
    }
    if (f.position) {
        putI32(out, f.position->y);
        putI32(out, f.position->x);
    }
    if (f.surfaceDepth) {
        putF32(out, *f.surfaceDepth);
    }
    if (f.topOfBottom) {
        putF32(out, *f.topOfBottom);
    }
    for (float fish : f.fishDepths) {
        putF32(out, fish);
    }
    if (f.timeOffset) {
        putI32(out, *f.timeOffset);
    }
    if (f.speedTrack) {
        putF32(out, f.speedTrack->speed);
        putF32(out, f.speedTrack->track);
        putF32(out, f.speedTrack->altitude);
    }
    return out;
}

namespace {

void appendBlock(std::vector<uint8_t>& log, std::vector<uint8_t> block, int16_t blockSize)
{
    if (blockSize <= 0) {
        throw std::length_error("block size must be positive to write whole blocks");
    }
    block.resize(static_cast<size_t>(blockSize), 0);
    log.insert(log.end(), block.begin(), block.end());
}

} // namespace

SlgWriter::SlgWriter(int16_t blockSize, int16_t format, int16_t version) : m_blockSize(blockSize)
{
    putI16(m_bytes, format);
    putI16(m_bytes, version);
    putI16(m_bytes, blockSize);
    putU32(m_bytes, 0);
}

void SlgWriter::add(const SlgSounding& sounding)
{
    std::vector<uint8_t> block = encodeSlgSubHeader(sounding.header);
    putI16(block,
           sounding.sampleCountOverride.value_or(static_cast<int16_t>(sounding.samples.size())));
    block.insert(block.end(), sounding.samples.begin(), sounding.samples.end());
    if (block.size() > static_cast<size_t>(std::max<int16_t>(m_blockSize, 0))) {
        throw std::length_error("SLG sounding does not fit its block");
    }
    appendBlock(m_bytes, std::move(block), m_blockSize);
}

void SlgWriter::addRawBlock(const std::vector<uint8_t>& block)
{
    std::vector<uint8_t> cut(block.begin(),
                             block.begin() +
                                 std::min<size_t>(block.size(), std::max<int16_t>(m_blockSize, 0)));
    appendBlock(m_bytes, std::move(cut), m_blockSize);
}

void SlgWriter::appendBytes(const std::vector<uint8_t>& bytes)
{
    m_bytes.insert(m_bytes.end(), bytes.begin(), bytes.end());
}

VeryOldWriter::VeryOldWriter(int16_t blockSize, uint32_t samplesPerSounding)
    : m_blockSize(blockSize), m_samplesPerSounding(samplesPerSounding)
{
    putI16(m_bytes, blockSize);
    putU32(m_bytes, samplesPerSounding);
}

void VeryOldWriter::add(const SlgFields& header, const std::vector<uint8_t>& samples)
{
    if (samples.size() != m_samplesPerSounding) {
        throw std::invalid_argument("a very old sounding holds samples-per-sounding samples");
    }
    const WaveletCode code = codeSamples(samples);
    addCoded(header, code.scale, code.codes);
}

void VeryOldWriter::addCoded(const SlgFields& header, int32_t scale,
                             const std::vector<uint8_t>& codes)
{
    std::vector<uint8_t> block = encodeSlgSubHeader(header);
    putI32(block, scale);
    block.insert(block.end(), codes.begin(), codes.end());
    if (block.size() > static_cast<size_t>(std::max<int16_t>(m_blockSize, 0))) {
        throw std::length_error("very old sounding codes do not fit their block");
    }
    // Unused block bytes are zero, which a decoder would read as more coefficients (code 0 is
    // -64 * S): fill them with zero runs so the sounding ends as coded.
    block.resize(static_cast<size_t>(m_blockSize), 0xFF);
    m_bytes.insert(m_bytes.end(), block.begin(), block.end());
}

void VeryOldWriter::appendBytes(const std::vector<uint8_t>& bytes)
{
    m_bytes.insert(m_bytes.end(), bytes.begin(), bytes.end());
}

// ---------------------------------------------------------------------------------------
// SL2

Sl2Writer::Sl2Writer(const Sl2Header& header) : m_header(header)
{
    std::vector<uint8_t> bytes;
    putI16(bytes, header.format);
    putI16(bytes, header.version);
    putI16(bytes, header.blockSize);
    putU16(bytes, header.flags);
    putBytes(bytes);
}

Sl2Writer::~Sl2Writer()
{
    close();
}

bool Sl2Writer::streamTo(const std::filesystem::path& path)
{
    close();
    m_file = std::fopen(path.c_str(), "wb");
    if (!m_file) {
        return false;
    }
    m_fileOk = true;
    // Whatever was written before streaming started goes to the file first.
    if (!m_bytes.empty() &&
        std::fwrite(m_bytes.data(), 1, m_bytes.size(), m_file) != m_bytes.size()) {
        m_fileOk = false;
    }
    m_bytes.clear();
    return m_fileOk;
}

bool Sl2Writer::close()
{
    if (!m_file) {
        return true;
    }
    if (std::fclose(m_file) != 0) {
        m_fileOk = false;
    }
    m_file = nullptr;
    return m_fileOk;
}

void Sl2Writer::putBytes(const std::vector<uint8_t>& bytes)
{
    m_address += bytes.size();
    if (m_file) {
        if (std::fwrite(bytes.data(), 1, bytes.size(), m_file) != bytes.size()) {
            m_fileOk = false;
        }
        return;
    }
    m_bytes.insert(m_bytes.end(), bytes.begin(), bytes.end());
}

uint32_t Sl2Writer::add(const Sl2Column& c, const Sl2Faults& faults)
{
    if (m_address + kSl2ColumnHeaderSize + c.samples.size() + c.padding > UINT32_MAX) {
        throw std::length_error("SL2 addresses are 32-bit: a log ends before 4 GB");
    }
    const auto address = static_cast<uint32_t>(m_address);
    const bool sonarChannel = c.channel <= 5;
    uint32_t sequence = m_nextSequence[0] == 0 ? 0 : m_nextSequence[0] - 1;
    if (sonarChannel) {
        sequence = m_nextSequence[c.channel]++;
        m_lastChannelAddress[c.channel] = address;
    }
    if (faults.sequence) {
        sequence = *faults.sequence;
    }

    const auto packetSize =
        static_cast<uint16_t>(kSl2ColumnHeaderSize + c.samples.size() + c.padding);
    std::vector<uint8_t> p;
    p.reserve(kSl2ColumnHeaderSize + c.samples.size() + c.padding);
    putU32(p, faults.thisAddress.value_or(address));
    for (int i = 0; i < 6; ++i) {
        uint32_t entry = m_lastChannelAddress[i];
        if (faults.lastChannelAddress && faults.lastChannelAddress->first == i) {
            entry = faults.lastChannelAddress->second;
        }
        putU32(p, entry);
    }
    putU16(p, faults.packetSize.value_or(packetSize));
    putU16(p, faults.previousSize.value_or(m_lastPacketSize));
    putU16(p, c.channel);
    putU16(p, faults.rangeCells.value_or(static_cast<uint16_t>(c.samples.size())));
    putU32(p, sequence);
    putF32(p, c.upperLimit);
    putF32(p, c.lowerLimit);
    putI16(p, c.burstLengthUs);
    putU8(p, c.integration);
    putU8(p, c.gainDuty);
    putU8(p, c.videoIntegration);
    putU8(p, c.frequency);
    putI16(p, c.pingPeriodMs);
    putU8(p, c.correlation);
    putU8(p, c.discrimination);
    putI16(p, c.deviceFlags);
    putU32(p, c.runningTimeMs);
    putF32(p, c.depth);
    putF32(p, c.keelOffset);
    putU8(p, c.autoSenseRangecell);
    putU8(p, c.digitalRangecell);
    putU8(p, c.noiseCount);
    putU8(p, c.noisePeak);
    putU8(p, c.noiseAverage);
    putU8(p, c.rvgMaxAttenuation);
    putI16(p, c.rvgDepth);
    p.resize(100, 0);
    putF32(p, c.speed);
    putF32(p, c.waterTemp);
    putI32(p, c.positionX);
    putI32(p, c.positionY);
    putF32(p, c.waterSpeed);
    putF32(p, c.track);
    putF32(p, c.altitude);
    putF32(p, c.heading);
    putU32(p, c.validFlags);
    putU8(p, c.manualMode);
    putU8(p, c.fishingMode);
    putU8(p, c.pingSpeed);
    putU8(p, c.noiseRejection);
    putI32(p, c.timeOffset);
    p.insert(p.end(), c.samples.begin(), c.samples.end());
    p.resize(packetSize, 0);

    // The recorder notes the size it wrote, even when the stored field is damaged.
    m_lastPacketSize = faults.packetSize.value_or(packetSize);
    putBytes(p);
    if (faults.packetSize && *faults.packetSize > packetSize) {
        putBytes(std::vector<uint8_t>(*faults.packetSize - packetSize, 0));
    }
    return address;
}

void Sl2Writer::appendBytes(const std::vector<uint8_t>& bytes)
{
    putBytes(bytes);
}

void Sl2Writer::truncate(size_t size)
{
    if (m_file) {
        throw std::logic_error("cannot cut a streamed log");
    }
    if (size < m_bytes.size()) {
        m_bytes.resize(size);
        m_address = size;
    }
}

} // namespace testlog
