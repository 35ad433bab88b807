#include "Sl2ChainIndex.h"

#include "common/LittleEndian.h"
#include "logs/Sl2ColumnHeader.h"

#include <algorithm>
#include <cstring>
#include <limits>

namespace brellix {

namespace {

// Read a megabyte at a time, with a head's worth more so that a head starting in one block
// is whole in it.
constexpr int64_t kBlock = int64_t{1} << 20;

} // namespace

// The walk over every word of the log that equals its own address, in address order: the
// chain's packets are those the walk from the header reaches; any other such word must open a
// head the searches refuse.
class Sl2ChainIndexScan
{
public:
    Sl2ChainIndexScan(int64_t fileSize, int16_t headerLength)
        : m_fileSize(fileSize), m_expected(headerLength)
    {
    }

    // The word at address equals address; bytes holds the available bytes from there. False
    // when the log cannot be mapped.
    bool visit(int64_t address, const uint8_t* bytes, int64_t available)
    {
        const bool onChain = m_chainOpen && address == m_expected;
        if (m_chainOpen && address > m_expected) {
            m_chainOpen = false; // the walk found no packet where the last one ended
        }
        if (available < Sl2PacketHead::kSize) {
            m_chainOpen = false; // a head the file cuts off: refused, and the chain ends
            return true;
        }
        const Sl2PacketHead head = Sl2PacketHead::parse(bytes);
        const bool accepted = head.searchable(address);
        if (!onChain) {
            return !accepted;
        }
        const bool complete = address + head.packetSize <= m_fileSize;
        if (!complete && !accepted) {
            m_chainOpen = false; // a packet being written that the searches never take
            return true;
        }
        if (!accepted || head.packetSize < Sl2ColumnHeader::kSize || !consistent(head, address)) {
            return false;
        }
        m_index->m_addresses[head.channel].push_back(static_cast<uint32_t>(address));
        if (head.channel < Sl2ChainIndex::kSonarChannels) {
            m_lastOf[head.channel] = static_cast<uint32_t>(address);
        }
        m_index->m_lastAddress = address;
        m_index->m_lastSize = head.packetSize;
        if (complete) {
            m_index->m_newestComplete = m_lastOf;
            m_expected = address + head.packetSize;
        } else {
            m_chainOpen = false;
        }
        return true;
    }

    std::unique_ptr<Sl2ChainIndex> take() { return std::move(m_index); }

private:
    bool consistent(const Sl2PacketHead& head, int64_t address)
    {
        for (int j = 0; j < Sl2ChainIndex::kSonarChannels; ++j) {
            const uint32_t expected =
                head.channel == j ? static_cast<uint32_t>(address) : m_lastOf[j];
            if (head.lastChannelAddress[j] != expected) {
                return false;
            }
        }
        if (head.channel >= Sl2ChainIndex::kSonarChannels) {
            return true;
        }
        const auto& earlier = m_index->m_addresses[head.channel];
        if (earlier.empty()) {
            m_index->m_firstSequence[head.channel] = head.sequence;
            return true;
        }
        return int64_t{head.sequence} == int64_t{m_index->m_firstSequence[head.channel]} +
                                             static_cast<int64_t>(earlier.size());
    }

    int64_t m_fileSize;
    int64_t m_expected;
    bool m_chainOpen = true;
    std::array<uint32_t, Sl2ChainIndex::kSonarChannels> m_lastOf{};
    std::unique_ptr<Sl2ChainIndex> m_index{new Sl2ChainIndex};
};

std::unique_ptr<const Sl2ChainIndex> Sl2ChainIndex::build(const QString& path, int16_t headerLength,
                                                          const LogFile::Stamp& stamp,
                                                          const std::atomic<bool>& cancel)
{
    // Packet addresses are 32-bit: no word of a larger file past 4 GB can be a packet's.
    if (headerLength < 0 || headerLength % 4 != 0 || stamp.size < headerLength ||
        stamp.size > std::numeric_limits<uint32_t>::max()) {
        return {};
    }
    LogFile file;
    if (!file.open(path) || file.stamp() != stamp) {
        return {};
    }

    const int64_t fileSize = stamp.size;
    Sl2ChainIndexScan scan(fileSize, headerLength);
    std::vector<uint8_t> buffer(static_cast<size_t>(kBlock + Sl2PacketHead::kSize));
    for (int64_t start = 0; start < fileSize; start += kBlock) {
        if (cancel.load(std::memory_order_relaxed)) {
            return {};
        }
        const int64_t wanted = std::min<int64_t>(kBlock + Sl2PacketHead::kSize, fileSize - start);
        const int64_t got = file.readAt(start, buffer.data(), wanted);
        if (got != wanted) {
            return {}; // a read error, or a file that shrank
        }
        const int64_t end = std::min(start + kBlock, fileSize - 3);
        const uint8_t* data = buffer.data();
        const auto visitFrom = [&](int64_t from, int64_t to) {
            for (int64_t address = from; address < to; address += 4) {
                if (readU32(data + (address - start)) == address &&
                    !scan.visit(address, data + (address - start), got - (address - start))) {
                    return false;
                }
            }
            return true;
        };
        // Nearly no word equals its address: compare sixteen at once, four to a vector
        // register, and look closer only at a run that holds one.
        using Lanes = uint32_t __attribute__((vector_size(16)));
        constexpr int kRun = 16;
        constexpr int64_t kRunBytes = int64_t{4} * kRun;
        int64_t address = std::max<int64_t>(start, headerLength);
        for (; address + kRunBytes <= end; address += kRunBytes) {
            Lanes words[kRun / 4];
            std::memcpy(words, data + (address - start), sizeof words);
            const auto first = static_cast<uint32_t>(address);
            Lanes expected = {first, first + 4, first + 8, first + 12};
            Lanes equal = {};
            for (const Lanes& lanes : words) {
                equal |= static_cast<Lanes>(lanes == expected);
                expected += 16;
            }
            if ((equal[0] | equal[1] | equal[2] | equal[3]) != 0 &&
                !visitFrom(address, address + kRunBytes)) {
                return {};
            }
        }
        if (!visitFrom(address, end)) {
            return {};
        }
    }
    if (file.stamp() != stamp) {
        return {};
    }
    std::unique_ptr<Sl2ChainIndex> index = scan.take();
    for (auto& addresses : index->m_addresses) {
        addresses.shrink_to_fit();
    }
    index->m_stamp = stamp;
    index->m_headerLength = headerLength;
    return index;
}

int64_t Sl2ChainIndex::firstPacketIn(int64_t from, int64_t last) const
{
    int64_t first = -1;
    for (const auto& addresses : m_addresses) {
        const auto it = std::lower_bound(addresses.begin(), addresses.end(), from,
                                         [](uint32_t a, int64_t b) { return a < b; });
        if (it != addresses.end() && *it <= last && (first < 0 || *it < first)) {
            first = *it;
        }
    }
    return first;
}

int64_t Sl2ChainIndex::channelPacketAt(int channel, int64_t address) const
{
    if (channel < 0 || channel >= kSonarChannels) {
        return 0;
    }
    const auto& addresses = m_addresses[static_cast<size_t>(channel)];
    const auto it = std::upper_bound(addresses.begin(), addresses.end(), address,
                                     [](int64_t a, uint32_t b) { return a < b; });
    return it == addresses.begin() ? 0 : *(it - 1);
}

int64_t Sl2ChainIndex::newestComplete(int channel) const
{
    return channel >= 0 && channel < kSonarChannels ? m_newestComplete[static_cast<size_t>(channel)]
                                                    : 0;
}

bool Sl2ChainIndex::head(int64_t address, Sl2PacketHead& head) const
{
    for (size_t code = 0; code < m_addresses.size(); ++code) {
        const auto& addresses = m_addresses[code];
        const auto it = std::lower_bound(addresses.begin(), addresses.end(), address,
                                         [](uint32_t a, int64_t b) { return a < b; });
        if (it == addresses.end() || *it != address) {
            continue;
        }
        head = {};
        head.thisAddress = *it;
        for (int j = 0; j < kSonarChannels; ++j) {
            head.lastChannelAddress[j] = static_cast<uint32_t>(channelPacketAt(j, address));
        }
        head.channel = static_cast<uint16_t>(code);
        if (code < kSonarChannels) {
            head.sequence = m_firstSequence[code] + static_cast<uint32_t>(it - addresses.begin());
        }
        head.packetSize =
            address == m_lastAddress
                ? m_lastSize
                : static_cast<uint16_t>(
                      firstPacketIn(address + 1, std::numeric_limits<int64_t>::max()) - address);
        return true;
    }
    return false;
}

} // namespace brellix
