#include "tSonarFile.h"

#include "LittleEndian.h"
#include "Rounding.h"
#include "platform/AppState.h"
#include "platform/VantrelExports.h"

#include <QFileInfo>
#include <QSaveFile>

#include <algorithm>
#include <array>
#include <limits>

namespace brellix {

namespace {

constexpr int16_t kVeryOldHeaderLength = 6;
constexpr int16_t kSlgHeaderLength = 10;
constexpr int16_t kSl2HeaderLength = 8;

// What SReadSubHeader hands the library, and the least any SLG block buffer holds: the
// library parses up to 74 bytes of sub-header whatever the block size.
constexpr int kSlgSubHeaderRead = 201;
// An SLG block whose limits are beyond this is taken as the end of the log.
constexpr float kSlgDeepestLimit = 12000.0f;

// FindPacketNear reads 1251 words and tries the first 1250 as packet addresses.
constexpr int kSearchBytes = 5004;
constexpr int kSearchCandidates = 1250;
constexpr int kSearchMaxPacketSize = 5000;
constexpr int kOpenSearchBack = 5000;
constexpr int kLastSonarChannel = 5;
constexpr int kLastChannelCode = 11;

constexpr int kNearAhead = 3;
constexpr int kNearAheadReads = 8;
constexpr int kNearBehind = 3;
constexpr int kNearBehindReads = 50;
// Bisection over 4 GB takes some 32 halvings; stepping the high bound back 40 bytes at a time
// past one packet below 5000 bytes takes up to 125 more. Beyond this a search that cycles
// (packets FindPacketNear never accepts, damaged chains) ends at its low bound.
constexpr int kMaxBisectionPasses = 512;

// Channels tried, in order, to find the chain when opening: the down-looking ones first.
constexpr int kOpenChannelOrder[] = {0, 2, 1, 3, 4, 5};

int64_t roundDownTo4(int64_t address)
{
    return address - (((address % 4) + 4) % 4);
}

bool scaleRangeFits(int32_t start, int32_t end, size_t size)
{
    return start >= 0 && start <= end && static_cast<uint64_t>(end) <= size;
}

} // namespace

tSonarFile::~tSonarFile()
{
    CloseFile();
}

void tSonarFile::CloseFile()
{
    m_file.close();
    m_window.clear();
    m_windowStart = 0;
}

// ---------------------------------------------------------------------------------------
// Opening

bool tSonarFile::SOpen(const QString& strNewFileName, int32_t SonarChannel)
{
    CloseFile();
    m_headerLength = kVeryOldHeaderLength;
    m_format = 0;
    m_version = 0;
    m_blockSize = 0;
    m_samplesPerSounding = 0;
    m_headerFlags = 0;
    m_soundingCount = 0;
    std::fill(std::begin(m_newestAddress), std::end(m_newestAddress), 0);
    std::fill(std::begin(m_newestSequence), std::end(m_newestSequence), 0);
    m_currentSounding = 0;
    m_position = 0;
    m_lastError.clear();
    lFileSize = 0;
    m_channel = SonarChannel;
    m_debugMode = 0;

    FileTimeStamp = QFileInfo(strNewFileName).lastModified();
    m_fileName = strNewFileName;
    // Read-only: the viewer never writes a log, and a recording on read-only media must open.
    if (!m_file.open(strNewFileName))
        return false;
    lFileSize = m_file.size();

    std::array<uint8_t, kSlgHeaderLength> header{};
    const int64_t got = m_file.readAt(0, header.data(), header.size());
    const auto fail = [this] {
        CloseFile();
        return false;
    };
    if (got < 2)
        return fail();

    const int16_t word = readI16(header.data());
    if (word > 100) {
        if (got < kVeryOldHeaderLength)
            return fail();
        m_blockSize = word;
        const uint32_t samples = readU32(header.data() + 2);
        // A damaged header must not size gigabyte buffers: the samples come in whole runs of
        // 1024, and one code byte after the shortest sub-header (10) and the scale factor (4)
        // expands to at most 128 of them.
        const int64_t codable = (static_cast<int64_t>(word) - 14) * 128;
        if (samples == 0 || samples % 1024 != 0 || samples > codable)
            return fail();
        m_samplesPerSounding = static_cast<int32_t>(samples);
        m_format = static_cast<int16_t>(Format::VeryOld);
        m_version = 0;
    } else if (word == 1) {
        if (got < 6)
            return fail();
        m_headerLength = kSlgHeaderLength;
        m_format = static_cast<int16_t>(Format::Slg);
        m_version = readI16(header.data() + 2);
        m_blockSize = readI16(header.data() + 4);
        // No block of no bytes: the count below would divide by it.
        if (m_blockSize <= 0)
            return fail();
    } else if (word == 2) {
        if (got < kSl2HeaderLength)
            return fail();
        m_headerLength = kSl2HeaderLength;
        m_format = static_cast<int16_t>(Format::Sl2);
        m_version = readI16(header.data() + 2);
        m_blockSize = readI16(header.data() + 4);
        m_headerFlags = readU16(header.data() + 6);
        return openSl2();
    } else {
        return fail();
    }

    const double blocks = roundHalfEven(static_cast<double>(lFileSize - m_headerLength) /
                                        static_cast<double>(m_blockSize));
    m_soundingCount = static_cast<int32_t>(
        std::clamp(blocks, 0.0, static_cast<double>(std::numeric_limits<int32_t>::max())));
    m_position = m_headerLength;
    m_currentSounding = 0;
    return true;
}

bool tSonarFile::openSl2()
{
    if (m_channel > kLastSonarChannel) {
        if (m_headerFlags == 0) {
            CloseFile();
            return false;
        }
        // Only 10 (digital) and 11 (noise) are columns of channel 0; any other code would
        // skip a meaningless number of packets.
        if (m_channel != 10 && m_channel != 11) {
            CloseFile();
            return false;
        }
        m_debugMode = m_channel - 9;
        m_channel = 0;
    } else if (m_channel < 0) {
        CloseFile();
        return false;
    }
    CountChannelSoundings();
    m_position = m_headerLength;
    if (NumSoundings() == 0) {
        CloseFile();
        return false;
    }
    m_currentSounding = 0;
    return true;
}

void tSonarFile::CountChannelSoundings()
{
    std::fill(std::begin(m_newestAddress), std::end(m_newestAddress), 0);
    std::fill(std::begin(m_newestSequence), std::end(m_newestSequence), 0);

    // Any sonar channel's packet will do to find the chain: a short log may begin with another
    // channel's packet, and a log may lack channels 0 and 2 altogether.
    PacketNear found;
    for (int channel : kOpenChannelOrder) {
        found = findPacketNear(channel, lFileSize - kOpenSearchBack);
        if (found.address != 0)
            break;
    }
    if (found.address == 0)
        return;

    // Walk on from the candidate rather than the channel's packet: both are on the chain, and
    // the candidate lies in the bytes just read, while the channel's packet may be far back.
    int64_t lastAddress = std::max(found.address, found.candidate);
    Sl2PacketHead last;
    if (!readHead(lastAddress, last))
        return;
    for (;;) {
        // A size that does not pass the packet's own header would walk on the spot for ever.
        if (last.packetSize < Sl2ColumnHeader::kSize)
            break;
        const int64_t next = lastAddress + last.packetSize;
        Sl2PacketHead head;
        if (!readHead(next, head) || head.thisAddress != next)
            break;
        if (next + head.packetSize > lFileSize)
            break;
        lastAddress = next;
        last = head;
    }

    for (int i = 0; i <= kLastSonarChannel; ++i) {
        const int64_t e = last.lastChannelAddress[i];
        if (e == 0)
            continue;
        int64_t sequence = 0;
        if (e == lastAddress) {
            if (last.channel != i)
                continue;
            sequence = last.sequence;
        } else {
            Sl2PacketHead newest;
            if (!readHead(e, newest) || newest.thisAddress != e || newest.channel != i)
                continue;
            sequence = newest.sequence;
        }
        m_newestAddress[i] = e;
        m_newestSequence[i] = sequence;
    }
}

// ---------------------------------------------------------------------------------------
// SL2 searches

bool tSonarFile::readHead(int64_t address, Sl2PacketHead& head)
{
    if (address < m_headerLength)
        return false;
    const int64_t windowEnd = m_windowStart + static_cast<int64_t>(m_window.size());
    if (address >= m_windowStart && address + Sl2PacketHead::kSize <= windowEnd) {
        head = Sl2PacketHead::parse(m_window.data() + (address - m_windowStart));
        return true;
    }
    std::array<uint8_t, Sl2PacketHead::kSize> bytes;
    if (!m_file.readExactAt(address, bytes.data(), bytes.size()))
        return false;
    head = Sl2PacketHead::parse(bytes.data());
    return true;
}

bool tSonarFile::readWord(int64_t address, uint32_t& word)
{
    if (address < m_headerLength)
        return false;
    const int64_t windowEnd = m_windowStart + static_cast<int64_t>(m_window.size());
    if (address >= m_windowStart && address + 4 <= windowEnd) {
        word = readU32(m_window.data() + (address - m_windowStart));
        return true;
    }
    std::array<uint8_t, 4> bytes;
    if (!m_file.readExactAt(address, bytes.data(), bytes.size()))
        return false;
    word = readU32(bytes.data());
    return true;
}

int64_t tSonarFile::FindPacketNear(int channel, int64_t address)
{
    return findPacketNear(channel, address).address;
}

tSonarFile::PacketNear tSonarFile::findPacketNear(int channel, int64_t address)
{
    // Never before the header, never past the end.
    const int64_t start = std::max<int64_t>(roundDownTo4(address), m_headerLength);
    if (start >= lFileSize)
        return {};
    m_window.resize(kSearchBytes);
    const int64_t got = m_file.readAt(start, m_window.data(), kSearchBytes);
    m_window.resize(static_cast<size_t>(std::max<int64_t>(got, 0)));
    m_windowStart = start;

    for (int k = 0; k < kSearchCandidates; ++k) {
        const int64_t offset = 4 * static_cast<int64_t>(k);
        if (offset + 4 > static_cast<int64_t>(m_window.size()))
            break;
        const int64_t candidate = start + offset;
        if (readU32(m_window.data() + offset) != candidate)
            continue;
        Sl2PacketHead head;
        if (!readHead(candidate, head))
            continue;
        if (head.channel > kLastChannelCode || head.packetSize % 4 != 0 ||
            head.packetSize >= kSearchMaxPacketSize)
            continue;
        if (std::any_of(std::begin(head.lastChannelAddress), std::end(head.lastChannelAddress),
                        [candidate](uint32_t entry) { return entry > candidate; }))
            continue;

        const int64_t e = head.lastChannelAddress[channel];
        if (e == 0) {
            m_position = m_headerLength;
            return {0, candidate};
        }
        if (e == candidate) {
            m_position = candidate;
            return {candidate, candidate};
        }
        uint32_t word = 0;
        if (readWord(e, word) && word == e) {
            m_position = e;
            return {e, candidate};
        }
    }
    return {};
}

tSonarFile::ChannelSequence tSonarFile::channelSequenceAt(int channel)
{
    Sl2PacketHead head;
    if (!readHead(m_position, head) || head.thisAddress != m_position)
        return {};
    const int64_t e = head.lastChannelAddress[channel];
    if (e == 0)
        return {ChannelSequence::None, -1};
    if (e != m_position) {
        if (!readHead(e, head) || head.thisAddress != e || head.channel != channel)
            return {};
        m_position = e;
    }
    return {ChannelSequence::Known, head.sequence};
}

tSonarFile::ChannelSequence tSonarFile::CurrentChannelSequence(int channel)
{
    const ChannelSequence current = channelSequenceAt(channel);
    if (current.kind == ChannelSequence::Known)
        SkipDebugPackets();
    return current;
}

void tSonarFile::SkipDebugPackets()
{
    for (int i = 0; i < m_debugMode; ++i) {
        Sl2PacketHead head;
        if (!readHead(m_position, head) || head.thisAddress != m_position ||
            head.packetSize < Sl2ColumnHeader::kSize)
            return;
        m_position += head.packetSize;
    }
}

void tSonarFile::SeekChannelSequence(int64_t n, int channel)
{
    // Work on the channel's own packet: the debug packets are skipped once, by the caller.
    const ChannelSequence current = channelSequenceAt(channel);
    const bool known = current.kind != ChannelSequence::Unknown;
    int64_t a = current.sequence;
    int64_t found = m_position;

    if (known && n - a >= 0 && n - a < kNearAhead) {
        int64_t b = found;
        for (int reads = 0; a < n && reads < kNearAheadReads; ++reads) {
            Sl2PacketHead head;
            if (!readHead(b, head) || head.thisAddress != b ||
                head.packetSize < Sl2ColumnHeader::kSize)
                break;
            if (head.channel == channel) {
                a = head.sequence;
                found = b;
            }
            b += head.packetSize;
        }
        if (a == n) {
            m_position = found;
            return;
        }
    }

    if (known && n - a >= -kNearBehind && n - a <= 0) {
        int64_t b = found;
        for (int reads = 0; a != n && b >= m_headerLength && reads < kNearBehindReads; ++reads) {
            Sl2PacketHead head;
            if (!readHead(b, head))
                break;
            if (head.channel == channel) {
                if (head.thisAddress != b || head.previousSize == 0)
                    break;
                a = head.sequence;
                found = b;
                b -= head.previousSize;
            } else {
                b = head.lastChannelAddress[channel];
            }
        }
        if (a == n) {
            m_position = found;
            return;
        }
    }

    // Bisection over file addresses. A low bound at the header lies before the first packet:
    // its sequence is -1, so a target of 0 is searched like any other.
    int64_t lowAddress = m_headerLength;
    int64_t lowSequence = -1;
    int64_t highAddress = m_newestAddress[channel];
    int64_t highSequence = m_newestSequence[channel];
    if (known && n < a) {
        highAddress = found;
        highSequence = a;
    } else if (known) {
        lowAddress = found;
        lowSequence = a;
    }

    for (int pass = 0; pass < kMaxBisectionPasses; ++pass) {
        if (highAddress <= lowAddress || lowSequence == n || lowSequence == highSequence)
            break;
        const int64_t before[4] = {lowAddress, lowSequence, highAddress, highSequence};
        const auto mid = static_cast<int64_t>(roundHalfEven(static_cast<double>(lowAddress) / 2 +
                                                            static_cast<double>(highAddress) / 2));
        const int64_t r = FindPacketNear(channel, mid);
        if (r == 0) {
            lowAddress = mid;
            if (mid > highAddress)
                break;
        } else {
            Sl2PacketHead head;
            if (!readHead(r, head))
                break;
            const int64_t t = head.sequence;
            if (t > highSequence) {
                highAddress = r == highAddress ? r - kSearchMaxPacketSize : r;
            } else if (t > n) {
                if (t == highSequence) {
                    highAddress -= 40;
                } else {
                    highSequence = t;
                    highAddress = head.thisAddress;
                }
            } else if (t == n) {
                lowAddress = r;
                lowSequence = t;
                break;
            } else {
                lowSequence = t;
                if (r + head.packetSize == lowAddress) {
                    // The packet found is the low bound itself: walk to the channel's next one.
                    for (int64_t b = lowAddress; b < highAddress;) {
                        Sl2PacketHead next;
                        if (!readHead(b, next) || next.thisAddress != b ||
                            next.packetSize < Sl2ColumnHeader::kSize)
                            break;
                        if (next.channel == channel) {
                            lowAddress = b;
                            lowSequence = next.sequence;
                            if (next.sequence != t)
                                break;
                        }
                        b += next.packetSize;
                    }
                } else {
                    lowAddress = r + head.packetSize;
                }
            }
        }
        const int64_t after[4] = {lowAddress, lowSequence, highAddress, highSequence};
        if (std::equal(std::begin(before), std::end(before), std::begin(after)))
            break;
    }
    m_position = lowAddress;
}

// ---------------------------------------------------------------------------------------
// Seeking

int32_t tSonarFile::NumSoundings() const
{
    if (isSlgFamily())
        return m_soundingCount;
    if (m_channel < 0 || m_channel > kLastSonarChannel)
        return 0;
    return static_cast<int32_t>(
        std::clamp<int64_t>(m_newestSequence[m_channel], 0, std::numeric_limits<int32_t>::max()));
}

void tSonarFile::SSeek(int32_t sounding)
{
    const int32_t count = NumSoundings();
    if (count <= 0 || !m_file.isOpen())
        return;
    int32_t n = sounding % count;
    if (n < 0)
        n += count;
    if (isSlgFamily()) {
        m_currentSounding = n;
        m_position = m_headerLength + static_cast<int64_t>(n) * m_blockSize;
        return;
    }
    SeekChannelSequence(n, m_channel);
    SkipDebugPackets();
    m_currentSounding = n;
}

void tSonarFile::AdvanceSounding()
{
    ++m_currentSounding;
    if (m_currentSounding >= NumSoundings()) {
        if (NumSoundings() > 0)
            SSeek(0);
        else
            m_currentSounding = 0;
    }
}

void tSonarFile::AddressSeek(int64_t& lFileAddress)
{
    if (!m_file.isOpen() || m_format != static_cast<int16_t>(Format::Sl2))
        return;
    lFileAddress = FindPacketNear(m_channel, lFileAddress);
    const ChannelSequence current = CurrentChannelSequence(m_channel);
    if (current.kind == ChannelSequence::None) {
        // Before the channel's first packet: its first sounding is the one to show.
        SSeek(0);
    } else if (current.kind == ChannelSequence::Known) {
        if (current.sequence >= NumSoundings())
            SSeek(NumSoundings() - 1); // the newest packet is not offered
        else
            m_currentSounding = static_cast<int32_t>(current.sequence);
    }
}

int64_t tSonarFile::AddressTell() const
{
    return m_file.isOpen() ? m_position : 0;
}

// ---------------------------------------------------------------------------------------
// Reading

void tSonarFile::noteLibraryFailure()
{
    m_lastError = VantrelLibrary::instance().errorString();
}

std::optional<int32_t> tSonarFile::readSlgSubHeader(const uint8_t* block, tSubHeader& into)
{
    uint8_t depthValid = 0, waterTempValid = 0, temp2Valid = 0, temp3Valid = 0;
    uint8_t waterSpeedValid = 0, positionValid = 0, surfaceValid = 0, topOfBottomValid = 0;
    uint8_t is50kHz = 0, timeValid = 0, speedTrackValid = 0, altitudeValid = 0;
    std::array<float, tSubHeader::kFishCount> fish{};
    const std::optional<int32_t> length = vantrel::FileReadSubHeader(
        block, &into.sngUpperLimit, &into.sngLowerLimit, &into.sngDepth, &depthValid,
        &waterTempValid, &into.sngWaterTemperature, &temp2Valid, &into.sngTemperature2, &temp3Valid,
        &into.sngTemperature3, &waterSpeedValid, &into.sngWaterSpeed, &positionValid,
        &into.lPositionY, &into.lPositionX, &into.iNumFish, fish.data(), &into.sngSurfaceDepth,
        &surfaceValid, &into.sngTopBottom, &topOfBottomValid, &is50kHz, &timeValid,
        &into.lTimeOffset, &speedTrackValid, &into.sngSpeed, &into.sngTrack, &altitudeValid,
        &into.sngAltitude);
    if (!length) {
        noteLibraryFailure();
        return std::nullopt;
    }
    into.bDepthValid = depthValid != 0;
    into.bWaterTemperatureValid = waterTempValid != 0;
    into.bTemperature2Valid = temp2Valid != 0;
    into.bTemperature3Valid = temp3Valid != 0;
    into.bWaterSpeedValid = waterSpeedValid != 0;
    into.bPositionValid = positionValid != 0;
    into.bSurfaceValid = surfaceValid != 0;
    into.bTopOfBottomValid = topOfBottomValid != 0;
    into.bColumnIs50KHz = is50kHz != 0;
    into.bTimeValid = timeValid != 0;
    into.bSpeedTrackValid = speedTrackValid != 0;
    into.bAltitudeValid = altitudeValid != 0;
    return length;
}

bool tSonarFile::readSlgBlock(int64_t address, std::vector<uint8_t>& block, int64_t length)
{
    // At least what the library may read of a sub-header and a sample count, whatever the
    // block size; a block cut short by the end of the file reads as zeros.
    block.assign(static_cast<size_t>(std::max<int64_t>(length, kSlgSubHeaderRead)), 0);
    return m_file.readAt(address, block.data(), length) > 0;
}

void tSonarFile::SRead(tSubHeader& SubHeader, std::vector<uint8_t>& rcSounding, bool bAutoRange)
{
    const int32_t cells = SubHeader.lNumRangeCells;
    if (cells < 0) {
        rcSounding.clear();
        return;
    }
    rcSounding.assign(static_cast<size_t>(cells) + 1, 0);
    if (m_blockSize <= 0 || !m_file.isOpen())
        return;
    if (isSlgFamily())
        readSlgSounding(SubHeader, rcSounding, bAutoRange);
    else
        readSl2Sounding(SubHeader, rcSounding, bAutoRange);
}

bool tSonarFile::readSlgSounding(tSubHeader& SubHeader, std::vector<uint8_t>& rcSounding,
                                 bool bAutoRange)
{
    for (;;) {
        const int64_t blockAddress = m_position;
        if (!readSlgBlock(blockAddress, m_block, m_blockSize))
            return false;
        // Without the library nothing is consumed: the position stays on this block.
        const auto libraryMissing = [this, blockAddress] {
            noteLibraryFailure();
            m_position = blockAddress;
            return false;
        };

        tSubHeader W;
        W.lNumRangeCells = m_samplesPerSounding;
        const std::optional<int32_t> length = readSlgSubHeader(m_block.data(), W);
        if (!length)
            return libraryMissing();
        m_position = blockAddress + m_blockSize;
        if (*length < 0) {
            // A malformed sub-header gives no sample offset: the sounding is skipped, the
            // caller's column stays empty and its sub-header as it was.
            AdvanceSounding();
            return false;
        }

        if (!(W.sngUpperLimit >= 0) || !(W.sngUpperLimit < W.sngLowerLimit) ||
            W.sngLowerLimit > kSlgDeepestLimit) {
            // The log ends before this block; the one before it is suspect too. Near the start
            // that leaves nothing, and the log is empty.
            const int32_t shortened = m_currentSounding - 1;
            if (shortened <= 0) {
                m_soundingCount = 0;
                m_currentSounding = 0;
                m_position = m_headerLength;
                return false;
            }
            m_soundingCount = shortened;
            SSeek(m_currentSounding - 2);
            continue;
        }

        const int32_t L = *length;
        if (m_samplesPerSounding > 0) {
            const int32_t S = m_samplesPerSounding;
            m_coefficients.assign(static_cast<size_t>(S), 0);
            int32_t remaining = S;
            if (!vantrel::FileDecompress(m_block.data(), L, m_blockSize - L, m_coefficients.data(),
                                         &remaining))
                return libraryMissing();
            // One spare zero cell: the scale's rounding may reach one past the last sample.
            m_samples.assign(static_cast<size_t>(S) + 1, 0);
            if (!vantrel::FileDecode(m_coefficients.data(), m_samples.data(), S))
                return libraryMissing();
        } else {
            int32_t count = 0;
            if (L + 2 <= m_blockSize) {
                // A stored count beyond the block is cut to the block, in our copy, so the
                // library's copy stays inside both buffers.
                count = std::clamp<int32_t>(readI16(m_block.data() + L), 0, m_blockSize - L - 2);
                writeI16(m_block.data() + L, static_cast<int16_t>(count));
            }
            m_samples.assign(static_cast<size_t>(count) + 1, 0);
            if (L + 2 <= m_blockSize) {
                int32_t remaining = 0;
                if (!vantrel::FileDecompress(m_block.data(), L, m_blockSize - L, m_samples.data(),
                                             &remaining))
                    return libraryMissing();
                count = std::clamp(remaining, 0, count);
            }
            W.lNumRangeCells = count;
        }

        if (bAutoRange) {
            SubHeader.sngUpperLimit = static_cast<float>(roundHalfEven(W.sngUpperLimit));
            SubHeader.sngLowerLimit = static_cast<float>(roundHalfEven(W.sngLowerLimit));
        }
        // A floating-point fault abandons the column, but the sounding is consumed all the
        // same, so the current sounding keeps pace with the file position.
        ScaleSlgSounding(rcSounding, SubHeader, m_samples, W);
        AdvanceSounding();
        return true;
    }
}

void tSonarFile::readSl2Sounding(tSubHeader& SubHeader, std::vector<uint8_t>& rcSounding,
                                 bool bAutoRange)
{
    std::array<uint8_t, Sl2ColumnHeader::kSize> raw;
    if (!m_file.readExactAt(m_position, raw.data(), raw.size()))
        return;
    const Sl2ColumnHeader column = Sl2ColumnHeader::parse(raw.data());
    const int32_t cells = column.head.rangeCells;
    if (cells <= 0)
        return;
    m_samples.assign(static_cast<size_t>(cells) + 1, 0);
    if (!m_file.readExactAt(m_position + Sl2ColumnHeader::kSize, m_samples.data(), cells))
        return;
    m_position = static_cast<int64_t>(column.head.thisAddress) + column.head.packetSize;

    if (bAutoRange) {
        SubHeader.sngUpperLimit = column.upperLimit;
        SubHeader.sngLowerLimit = column.lowerLimit;
    }
    ScaleSl2Sounding(rcSounding, SubHeader, m_samples, column);
    AdvanceSounding();
}

namespace {

// The cells of the depth span that the caller's window D and the sounding's window share, in
// both columns: [dstStart, dstEnd) of the caller's and [srcStart, srcEnd) of the sounding's.
struct ScaleRanges
{
    int32_t srcStart = 0;
    int32_t srcEnd = 0;
    int32_t dstStart = 0;
    int32_t dstEnd = 0;
};

// False on a floating-point fault (a window of no height, values beyond 32 bits).
bool scaleRanges(const tSubHeader& D, float soundingUpper, float soundingLower,
                 int32_t soundingCells, ScaleRanges& ranges)
{
    float U = D.sngUpperLimit;
    if (U < soundingUpper)
        U = soundingUpper;
    if (U > soundingLower)
        U = soundingLower;
    float Lw = D.sngLowerLimit;
    if (Lw < soundingUpper)
        Lw = soundingUpper;
    if (Lw > soundingLower)
        Lw = soundingLower;
    const float span = Lw - U;

    const float dstWindow = D.sngLowerLimit - D.sngUpperLimit;
    const float srcWindow = soundingLower - soundingUpper;
    if (dstWindow == 0.0f || srcWindow == 0.0f)
        return false;
    const double dstCellsPerFoot =
        static_cast<double>(D.lNumRangeCells) / static_cast<double>(dstWindow);
    const double srcCellsPerFoot =
        static_cast<double>(soundingCells) / static_cast<double>(srcWindow);

    return roundToInt32(static_cast<double>(U - D.sngUpperLimit) * dstCellsPerFoot,
                        ranges.dstStart) &&
           roundToInt32(dstCellsPerFoot * static_cast<double>(span) + ranges.dstStart,
                        ranges.dstEnd) &&
           roundToInt32(static_cast<double>(U - soundingUpper) * srcCellsPerFoot,
                        ranges.srcStart) &&
           roundToInt32(static_cast<double>(span) * srcCellsPerFoot + ranges.srcStart,
                        ranges.srcEnd);
}

} // namespace

bool tSonarFile::scaleColumn(const std::vector<uint8_t>& samples, int32_t srcStart, int32_t srcEnd,
                             int32_t dstStart, int32_t dstEnd, std::vector<uint8_t>& rcSounding)
{
    // The library trusts its ranges; damaged limits must not make it write outside ours.
    if (!scaleRangeFits(srcStart, srcEnd, samples.size()) ||
        !scaleRangeFits(dstStart, dstEnd, rcSounding.size()))
        return false;
    if (!vantrel::ColumnScale(srcStart, srcEnd - srcStart, samples.data(), dstStart,
                              dstEnd - dstStart, rcSounding.data())) {
        noteLibraryFailure();
        return false;
    }
    return true;
}

bool tSonarFile::ScaleSlgSounding(std::vector<uint8_t>& rcSounding, tSubHeader& D,
                                  const std::vector<uint8_t>& samples, const tSubHeader& S)
{
    ScaleRanges ranges;
    if (!scaleRanges(D, S.sngUpperLimit, S.sngLowerLimit, S.lNumRangeCells, ranges))
        return false;
    D.Copy(S);
    return scaleColumn(samples, ranges.srcStart, ranges.srcEnd, ranges.dstStart, ranges.dstEnd,
                       rcSounding);
}

bool tSonarFile::ScaleSl2Sounding(std::vector<uint8_t>& rcSounding, tSubHeader& D,
                                  const std::vector<uint8_t>& samples,
                                  const Sl2ColumnHeader& column)
{
    ScaleRanges ranges;
    if (!scaleRanges(D, column.upperLimit, column.lowerLimit, column.head.rangeCells, ranges))
        return false;
    D.lNumRangeCells = static_cast<int32_t>(rcSounding.size()) - 1;
    FillSubHeaderFromPacket(D, column);
    if (!scaleColumn(samples, ranges.srcStart, ranges.srcEnd, ranges.dstStart, ranges.dstEnd,
                     rcSounding))
        return false;

    if (g_RVGEnabled) {
        if (column.rvgDepth == 0)
            return false;
        // Single precision, as the recorder computes it.
        const float depth = static_cast<float>(column.rvgDepth);
        const float attenuation =
            (depth - column.lowerLimit) * static_cast<float>(column.rvgMaxAttenuation) / depth;
        int32_t A = 0;
        if (!roundToInt32(attenuation, A))
            return false;
        if (A >= 1) {
            const auto last =
                std::min<size_t>(static_cast<size_t>(D.lNumRangeCells), rcSounding.size() - 1);
            for (size_t i = 0; i <= last; ++i)
                rcSounding[i] = rcSounding[i] > A ? static_cast<uint8_t>(rcSounding[i] - A) : 0;
        }
    }
    return true;
}

void tSonarFile::FillSubHeaderFromPacket(tSubHeader& D, const Sl2ColumnHeader& column) const
{
    D.m_AutoSenseRangecell = column.autoSenseRangecell;
    D.m_RVGDepth = column.rvgDepth;
    D.m_RVGMaxAttenuation = column.rvgMaxAttenuation;
    D.m_DigitalRangecell = column.digitalRangecell;
    D.m_NoiseAverage = column.noiseAverage;
    D.m_NoiseCount = column.noiseCount;
    D.m_NoisePeak = column.noisePeak;
    D.sngDepth = column.depth;
    D.bDepthValid = column.depth != 0.0f;
    D.m_BurstLengthUs = column.burstLengthUs;
    D.m_Correlation = column.correlation;
    D.m_Discrimination = column.discrimination;
    D.m_Flags = column.deviceFlags;
    D.m_Frequency = column.frequency;
    D.m_GainDuty = column.gainDuty;
    D.m_Integration = column.integration;
    D.m_RunningTimeMs = static_cast<int32_t>(column.runningTimeMs);
    D.m_PingPeriodMs = column.pingPeriodMs;
    D.m_VideoIntegration = column.videoIntegration;
    D.lPositionX = column.positionX;
    D.lPositionY = column.positionY;
    D.bPositionValid = (column.validFlags & Sl2ColumnHeader::kPositionValid) != 0;
    D.sngSpeed = column.speed;
    D.sngTrack = column.track;
    D.bSpeedTrackValid = (column.validFlags & Sl2ColumnHeader::kSpeedValid) != 0;
    D.m_KeelOffset = column.keelOffset;
    D.m_Heading = column.heading;
    D.m_FishingMode = column.fishingMode;
    D.m_PingSpeed = column.pingSpeed;
    D.m_NoiseRejection = column.noiseRejection;
    D.m_ManualMode = column.manualMode != 0;
    D.CalcCellIndexes();
}

void tSonarFile::SReadSubHeader(int32_t sounding, tSubHeader& ActualSubHeader)
{
    if (!m_file.isOpen())
        return;
    SSeek(sounding);
    if (isSlgFamily()) {
        // Whatever the block size, the library gets 201 bytes to parse from.
        if (!readSlgBlock(m_position, m_block, kSlgSubHeaderRead))
            return;
        readSlgSubHeader(m_block.data(), ActualSubHeader);
        return;
    }
    std::array<uint8_t, Sl2ColumnHeader::kSize> raw;
    if (!m_file.readExactAt(m_position, raw.data(), raw.size()))
        return;
    const Sl2ColumnHeader column = Sl2ColumnHeader::parse(raw.data());
    m_position = static_cast<int64_t>(column.head.thisAddress) + column.head.packetSize;
    if (column.head.rangeCells >= 1) {
        ActualSubHeader.lNumRangeCells = column.head.rangeCells;
        ActualSubHeader.sngUpperLimit = column.upperLimit;
        ActualSubHeader.sngLowerLimit = column.lowerLimit;
        FillSubHeaderFromPacket(ActualSubHeader, column);
    }
}

// ---------------------------------------------------------------------------------------
// Names and copies

QString tSonarFile::Description() const
{
    static const char* const kLabels[] = {"Primary",       "Secondary",      "Arvel downscan",
                                          "Sideview left", "Sideview right", "Arvel sidescan"};
    if (m_channel < 0 || m_channel > kLastSonarChannel)
        return {};
    QString label = QLatin1String(kLabels[m_channel]);
    if (m_debugMode == 1)
        label += QLatin1String(" - Digital");
    else if (m_debugMode == 2)
        label += QLatin1String(" - Noise");
    return label;
}

bool tSonarFile::SaveAs(const QString& strNewFileName)
{
    if (m_fileName.isEmpty())
        return false;
    QFile source(m_fileName);
    if (!source.open(QIODevice::ReadOnly))
        return false;
    // Written beside the target and renamed into place only when complete, so a failed copy
    // never leaves half a log under the user's name.
    QSaveFile target(strNewFileName);
    if (!target.open(QIODevice::WriteOnly))
        return false;
    std::vector<char> buffer(1 << 20);
    for (;;) {
        const qint64 got = source.read(buffer.data(), static_cast<qint64>(buffer.size()));
        if (got < 0) {
            target.cancelWriting();
            return false;
        }
        if (got == 0)
            break;
        if (target.write(buffer.data(), got) != got) {
            target.cancelWriting();
            return false;
        }
    }
    if (!target.commit())
        return false;
    m_fileName = strNewFileName;
    return true;
}

} // namespace brellix
