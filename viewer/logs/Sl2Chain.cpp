#include "Sl2Chain.h"

#include "common/LittleEndian.h"
#include "common/Rounding.h"
#include "logs/Sl2ColumnHeader.h"

#include <algorithm>
#include <array>
#include <limits>

namespace brellix {

namespace {

// FindPacketNear reads 1251 words and tries the first 1250 as packet addresses.
constexpr int kSearchBytes = 5004;
constexpr int kSearchCandidates = 1250;
constexpr int kSearchMaxPacketSize = 5000;
constexpr int kOpenSearchBack = 5000;

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

} // namespace

Sl2Chain::Sl2Chain(LogFile& file, int64_t& position) : m_file(file), m_position(position) {}

void Sl2Chain::reset(int64_t fileSize, int16_t headerLength)
{
    m_fileSize = fileSize;
    m_headerLength = headerLength;
    std::fill(std::begin(m_newestAddress), std::end(m_newestAddress), 0);
    std::fill(std::begin(m_newestSequence), std::end(m_newestSequence), 0);
    m_foundChain = false;
    m_window.clear();
    m_windowStart = 0;
    m_headBytes = 0;
    m_indexer.reset();
}

const Sl2ChainIndex* Sl2Chain::usableIndex() const
{
    const Sl2ChainIndex* index = m_indexer ? m_indexer->index() : nullptr;
    if (!index || index->headerLength() != m_headerLength || index->stamp().size != m_fileSize) {
        return nullptr;
    }
    for (int i = 0; i < kChannels; ++i) {
        if (index->newestComplete(i) != m_newestAddress[i]) {
            return nullptr;
        }
    }
    // Rewritten, grown or cut since it was mapped: the file answers from now on.
    return m_file.stamp() == index->stamp() ? index : nullptr;
}

Sl2Chain::PacketNear Sl2Chain::findInIndex(const Sl2ChainIndex& index, int channel, int64_t address)
{
    // The map holds every word of the log that equals its own address and opens a head the
    // search accepts: the first of them in the search window decides, as it does on the file.
    const int64_t start = std::max<int64_t>(roundDownTo4(address), m_headerLength);
    if (start >= m_fileSize) {
        return {};
    }
    const int64_t windowEnd = std::min<int64_t>(start + kSearchBytes, m_fileSize);
    const int64_t last =
        std::min<int64_t>(start + 4 * int64_t{kSearchCandidates - 1}, windowEnd - 4);
    const int64_t candidate = index.firstPacketIn(start, last);
    if (candidate < 0) {
        return {};
    }
    const int64_t e = index.channelPacketAt(channel, candidate);
    if (e == 0) {
        m_position = m_headerLength;
        return {0, candidate};
    }
    m_position = e;
    return {e, candidate};
}

int32_t Sl2Chain::soundings(int channel) const
{
    if (channel < 0 || channel >= kChannels) {
        return 0;
    }
    return static_cast<int32_t>(
        std::clamp<int64_t>(m_newestSequence[channel], 0, std::numeric_limits<int32_t>::max()));
}

void Sl2Chain::CountChannelSoundings()
{
    std::fill(std::begin(m_newestAddress), std::end(m_newestAddress), 0);
    std::fill(std::begin(m_newestSequence), std::end(m_newestSequence), 0);

    // Any sonar channel's packet will do to find the chain: a short log may begin with another
    // channel's packet, and a log may lack channels 0 and 2 altogether. A log whose tail is
    // damaged (a recorder that lost power) has its intact chain further back: the search steps
    // back twice as far each time, so a few dozen windows reach the start of any log, and the
    // walk from what it finds stops where the damage begins.
    PacketNear found;
    for (int64_t back = kOpenSearchBack;; back *= 2) {
        const int64_t from = m_fileSize - back;
        for (int channel : kOpenChannelOrder) {
            found = FindPacketNear(channel, from);
            if (found.address != 0) {
                break;
            }
        }
        if (found.address != 0 || from <= m_headerLength) {
            break;
        }
    }
    m_foundChain = found.address != 0;
    if (!m_foundChain) {
        return;
    }

    // Walk on from the candidate rather than the channel's packet: both are on the chain, and
    // the candidate lies in the bytes just read, while the channel's packet may be far back.
    int64_t lastAddress = std::max(found.address, found.candidate);
    Sl2PacketHead last;
    if (!readHead(lastAddress, last)) {
        return;
    }
    for (;;) {
        // A size that does not pass the packet's own header would walk on the spot for ever.
        if (last.packetSize < Sl2ColumnHeader::kSize) {
            break;
        }
        const int64_t next = lastAddress + last.packetSize;
        Sl2PacketHead head;
        if (!readHead(next, head) || head.thisAddress != next) {
            break;
        }
        if (next + head.packetSize > m_fileSize) {
            break;
        }
        lastAddress = next;
        last = head;
    }

    for (int i = 0; i < kChannels; ++i) {
        const int64_t e = last.lastChannelAddress[i];
        if (e == 0) {
            continue;
        }
        int64_t sequence = 0;
        if (e == lastAddress) {
            if (last.channel != i) {
                continue;
            }
            sequence = last.sequence;
        } else {
            Sl2PacketHead newest;
            if (!readHead(e, newest) || newest.thisAddress != e || newest.channel != i) {
                continue;
            }
            sequence = newest.sequence;
        }
        m_newestAddress[i] = e;
        m_newestSequence[i] = sequence;
    }
}

bool Sl2Chain::readHead(int64_t address, Sl2PacketHead& head)
{
    if (address < m_headerLength) {
        return false;
    }
    const int64_t windowEnd = m_windowStart + static_cast<int64_t>(m_window.size());
    if (address >= m_windowStart && address + Sl2PacketHead::kSize <= windowEnd) {
        head = Sl2PacketHead::parse(m_window.data() + (address - m_windowStart));
        return true;
    }
    if (address == m_headAddress && m_headBytes == Sl2PacketHead::kSize) {
        head = Sl2PacketHead::parse(m_head.data());
        return true;
    }
    std::array<uint8_t, Sl2PacketHead::kSize> bytes;
    if (!m_file.readExactAt(address, bytes.data(), bytes.size())) {
        return false;
    }
    head = Sl2PacketHead::parse(bytes.data());
    return true;
}

bool Sl2Chain::readWord(int64_t address, uint32_t& word)
{
    if (address < m_headerLength) {
        return false;
    }
    const int64_t windowEnd = m_windowStart + static_cast<int64_t>(m_window.size());
    if (address >= m_windowStart && address + 4 <= windowEnd) {
        word = readU32(m_window.data() + (address - m_windowStart));
        return true;
    }
    // The word opens the head that the search's caller reads next: one read for both.
    m_headAddress = address;
    m_headBytes = m_file.readAt(address, m_head.data(), Sl2PacketHead::kSize);
    if (m_headBytes < 4) {
        return false;
    }
    word = readU32(m_head.data());
    return true;
}

Sl2Chain::PacketNear Sl2Chain::FindPacketNear(int channel, int64_t address)
{
    // Never before the header, never past the end.
    const int64_t start = std::max<int64_t>(roundDownTo4(address), m_headerLength);
    if (start >= m_fileSize) {
        return {};
    }
    m_headBytes = 0;
    m_window.resize(kSearchBytes);
    const int64_t got = m_file.readAt(start, m_window.data(), kSearchBytes);
    m_window.resize(static_cast<size_t>(std::max<int64_t>(got, 0)));
    m_windowStart = start;

    for (int k = 0; k < kSearchCandidates; ++k) {
        const int64_t offset = 4 * static_cast<int64_t>(k);
        if (offset + 4 > static_cast<int64_t>(m_window.size())) {
            break;
        }
        const int64_t candidate = start + offset;
        if (readU32(m_window.data() + offset) != candidate) {
            continue;
        }
        Sl2PacketHead head;
        if (!readHead(candidate, head)) {
            continue;
        }
        if (!head.searchable(candidate)) {
            continue;
        }

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

Sl2Chain::ChannelSequence Sl2Chain::sequenceAtPosition(int channel)
{
    Sl2PacketHead head;
    if (!readHead(m_position, head) || head.thisAddress != m_position) {
        return {};
    }
    const int64_t e = head.lastChannelAddress[channel];
    if (e == 0) {
        return {ChannelSequence::None, -1};
    }
    if (e != m_position) {
        if (!readHead(e, head) || head.thisAddress != e || head.channel != channel) {
            return {};
        }
        m_position = e;
    }
    return {ChannelSequence::Known, head.sequence};
}

Sl2Chain::ChannelSequence Sl2Chain::CurrentChannelSequence(int channel, int32_t debugMode)
{
    const ChannelSequence current = sequenceAtPosition(channel);
    if (current.kind == ChannelSequence::Known) {
        SkipDebugPackets(debugMode);
    }
    return current;
}

void Sl2Chain::SkipDebugPackets(int32_t debugMode)
{
    for (int i = 0; i < debugMode; ++i) {
        Sl2PacketHead head;
        if (!readHead(m_position, head) || head.thisAddress != m_position ||
            head.packetSize < Sl2ColumnHeader::kSize) {
            return;
        }
        m_position += head.packetSize;
    }
}

void Sl2Chain::SeekChannelSequence(int64_t n, int channel)
{
    // Work on the channel's own packet: the debug packets are skipped once, by the caller.
    const ChannelSequence current = sequenceAtPosition(channel);
    const bool known = current.kind != ChannelSequence::Unknown;
    int64_t a = current.sequence;
    int64_t found = m_position;

    if (known && n - a >= 0 && n - a < kNearAhead && walkAhead(n, channel, a, found)) {
        return;
    }
    if (known && n - a >= -kNearBehind && n - a <= 0 && walkBehind(n, channel, a, found)) {
        return;
    }
    bisect(n, channel, known, a, found);
}

bool Sl2Chain::walkAhead(int64_t n, int channel, int64_t& a, int64_t& found)
{
    int64_t b = found;
    for (int reads = 0; a < n && reads < kNearAheadReads; ++reads) {
        Sl2PacketHead head;
        if (!readHead(b, head) || head.thisAddress != b ||
            head.packetSize < Sl2ColumnHeader::kSize) {
            break;
        }
        if (head.channel == channel) {
            a = head.sequence;
            found = b;
        }
        b += head.packetSize;
    }
    if (a != n) {
        return false;
    }
    m_position = found;
    return true;
}

bool Sl2Chain::walkBehind(int64_t n, int channel, int64_t& a, int64_t& found)
{
    int64_t b = found;
    for (int reads = 0; a != n && b >= m_headerLength && reads < kNearBehindReads; ++reads) {
        Sl2PacketHead head;
        if (!readHead(b, head)) {
            break;
        }
        if (head.channel == channel) {
            if (head.thisAddress != b || head.previousSize == 0) {
                break;
            }
            a = head.sequence;
            found = b;
            b -= head.previousSize;
        } else {
            b = head.lastChannelAddress[channel];
        }
    }
    if (a != n) {
        return false;
    }
    m_position = found;
    return true;
}

void Sl2Chain::bisect(int64_t n, int channel, bool known, int64_t a, int64_t found)
{
    // A low bound at the header lies before the first packet: its sequence is -1, so a target
    // of 0 is searched like any other.
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

    // The same search either way: on a mapped log each probe and head comes from the map.
    const Sl2ChainIndex* index = usableIndex();
    const auto packetNear = [&](int64_t address) {
        return index ? findInIndex(*index, channel, address) : FindPacketNear(channel, address);
    };
    const auto headAt = [&](int64_t address, Sl2PacketHead& head) {
        return index ? index->head(address, head) : readHead(address, head);
    };

    for (int pass = 0; pass < kMaxBisectionPasses; ++pass) {
        if (highAddress <= lowAddress || lowSequence == n || lowSequence == highSequence) {
            break;
        }
        const int64_t before[4] = {lowAddress, lowSequence, highAddress, highSequence};
        const auto mid = static_cast<int64_t>(roundHalfEven(static_cast<double>(lowAddress) / 2 +
                                                            static_cast<double>(highAddress) / 2));
        const int64_t r = packetNear(mid).address;
        if (r == 0) {
            lowAddress = mid;
            if (mid > highAddress) {
                break;
            }
        } else {
            Sl2PacketHead head;
            if (!headAt(r, head)) {
                break;
            }
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
                break;
            } else {
                lowSequence = t;
                if (r + head.packetSize == lowAddress) {
                    // The packet found is the low bound itself: walk to the channel's next one.
                    for (int64_t b = lowAddress; b < highAddress;) {
                        Sl2PacketHead next;
                        if (!headAt(b, next) || next.thisAddress != b ||
                            next.packetSize < Sl2ColumnHeader::kSize) {
                            break;
                        }
                        if (next.channel == channel) {
                            lowAddress = b;
                            lowSequence = next.sequence;
                            if (next.sequence != t) {
                                break;
                            }
                        }
                        b += next.packetSize;
                    }
                } else {
                    lowAddress = r + head.packetSize;
                }
            }
        }
        const int64_t after[4] = {lowAddress, lowSequence, highAddress, highSequence};
        if (std::equal(std::begin(before), std::end(before), std::begin(after))) {
            break;
        }
    }
    m_position = lowAddress;
}

} // namespace brellix
