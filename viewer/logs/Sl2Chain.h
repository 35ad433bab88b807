// The packet chain of an open SL2 log as the reader walks it: finding a genuine packet near an
// address, counting each channel's soundings from the end of the log, and seeking a channel's
// packet by sequence number (walking for small steps, bisecting over addresses for jumps).
//
// It reads through the reader's LogFile and moves the reader's file position, as the reader's
// own searches would; it keeps the bytes of its last search window so that heads inside them
// cost no second read. Every search is bounded, whatever the log holds.
#pragma once

#include "logs/LogFile.h"
#include "logs/Sl2ChainIndexer.h"
#include "logs/Sl2PacketHead.h"

#include <array>
#include <cstdint>
#include <memory>
#include <vector>

namespace brellix {

class Sl2Chain
{
public:
    static constexpr int kChannels = 6;

    // A packet found near an address.
    struct PacketNear
    {
        int64_t address = 0;   // the channel's newest packet then; 0 when not found
        int64_t candidate = 0; // the genuine packet the answer was taken from
    };

    // Where the channel stands at the file position.
    struct ChannelSequence
    {
        enum Kind { Unknown, None, Known } kind = Unknown;
        int64_t sequence = 0;
    };

    // Works on file and position, both the reader's; both must outlive the chain.
    Sl2Chain(LogFile& file, int64_t& position);

    // Forgets every channel, the search window and the chain map, for a log of fileSize bytes
    // whose packets start after headerLength bytes.
    void reset(int64_t fileSize, int16_t headerLength);

    // Lets the bisection take its answers from the indexer's map once it is made, for as long
    // as the file is the one mapped and the map agrees with the count made when opening.
    void setIndexer(std::shared_ptr<Sl2ChainIndexer> indexer) { m_indexer = std::move(indexer); }
    const std::shared_ptr<Sl2ChainIndexer>& indexer() const { return m_indexer; }
    // The map the next bisection would use; null when it would search the file.
    const Sl2ChainIndex* usableIndex() const;

    // Walks from a packet found near the end of the log to the last complete packet and notes
    // each channel's newest packet there. Channels without one keep no soundings.
    void CountChannelSoundings();
    // Whether the last count found a genuine packet at all.
    bool foundChain() const { return m_foundChain; }
    // The soundings of channel 0 to 5: the sequence number of its newest packet, which itself
    // is not offered; 0 for any other channel.
    int32_t soundings(int channel) const;

    // Finds the first genuine packet at or after address (rounded down to 4) within 5000
    // bytes, and returns the given channel's newest packet as of it, positioned there.
    PacketNear FindPacketNear(int channel, int64_t address);
    // The channel's sequence number at the packet at the position, positioned on the
    // channel's packet and past debugMode debug packets after it.
    ChannelSequence CurrentChannelSequence(int channel, int32_t debugMode);
    // Positions at the channel's packet with sequence number n; a search that does not
    // converge leaves the position at its last low bound.
    void SeekChannelSequence(int64_t n, int channel);
    // Moves past debugMode packets at the position (the debug columns follow their sonar
    // column).
    void SkipDebugPackets(int32_t debugMode);

private:
    // CurrentChannelSequence without skipping the debug packets.
    ChannelSequence sequenceAtPosition(int channel);
    // Seeks n by stepping from the channel's packet found with sequence a: forward up to 3
    // sequences, back up to 3. True when it got there.
    bool walkAhead(int64_t n, int channel, int64_t& a, int64_t& found);
    bool walkBehind(int64_t n, int channel, int64_t& a, int64_t& found);
    // Bisection over file addresses between bounds from the known packet (a, found).
    void bisect(int64_t n, int channel, bool known, int64_t a, int64_t found);
    // The 40-byte head at address, from the last search window or the last word's head when
    // it lies there.
    bool readHead(int64_t address, Sl2PacketHead& head);
    bool readWord(int64_t address, uint32_t& word);
    // FindPacketNear's answer from the map, where the file would give the same.
    PacketNear findInIndex(const Sl2ChainIndex& index, int channel, int64_t address);

    LogFile& m_file;
    int64_t& m_position;
    int64_t m_fileSize = 0;
    int16_t m_headerLength = 0;
    int64_t m_newestAddress[kChannels] = {};
    int64_t m_newestSequence[kChannels] = {};
    bool m_foundChain = false;
    std::vector<uint8_t> m_window;
    int64_t m_windowStart = 0;
    // The head read for the last word outside the window, until the next search window.
    std::array<uint8_t, Sl2PacketHead::kSize> m_head{};
    int64_t m_headAddress = 0;
    int64_t m_headBytes = 0;
    std::shared_ptr<Sl2ChainIndexer> m_indexer;
};

} // namespace brellix
