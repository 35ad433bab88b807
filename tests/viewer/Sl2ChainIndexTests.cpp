// The chain map: seeks on a mapped log land exactly where the file's search lands, for a few
// reads; logs it cannot stand for, and files changed after mapping, are searched on the file.
#include "ReaderTestSupport.h"

#include "logs/Sl2ChainIndex.h"
#include "logs/tSonarFile.h"

#include <QFile>

#include <functional>
#include <memory>

using brellix::tSonarFile;
using brellix::tSubHeader;
using readertest::LogFolder;
using readertest::RecordingSl2Writer;
using viewertest::flatColumn;

namespace {

constexpr int kPings = 160;

void putU32(std::vector<uint8_t>& bytes, size_t at, uint32_t value)
{
    for (int i = 0; i < 4; ++i) {
        bytes[at + static_cast<size_t>(i)] = static_cast<uint8_t>(value >> (8 * i));
    }
}

// A channel 0 column whose samples hold, 16 bytes in, a word equal to its own address and a
// head after it: one every search accepts, or one with a channel code no search takes.
testlog::Sl2Column columnHidingAHead(uint32_t packetAddress, bool acceptable)
{
    testlog::Sl2Column column = flatColumn(0, 96, 7);
    const size_t at = 16;
    const uint32_t wordAddress = packetAddress + 144 + static_cast<uint32_t>(at);
    putU32(column.samples, at, wordAddress);
    for (int i = 0; i < 6; ++i) {
        putU32(column.samples, at + 4 + 4 * static_cast<size_t>(i), 0);
    }
    putU32(column.samples, at + 28, 200);                   // size 200, previous size 0
    putU32(column.samples, at + 32, acceptable ? 0 : 0x63); // channel 0 or 99, no cells
    return column;
}

// Logs of several layouts: channel rates, sizes, debug columns, a packet cut off at the end.
struct Layout
{
    const char* name;
    bool debug;
    bool cutOff;
    std::function<void(RecordingSl2Writer&, int)> ping;
};

std::vector<Layout> layouts()
{
    return {
        {"dense", true, false,
         [](RecordingSl2Writer& log, int i) {
             log.add(flatColumn(0, 60 + static_cast<size_t>(i % 5) * 12, 1));
             log.add(flatColumn(10, 16, 2));
             log.add(flatColumn(11, 20, 3));
             if (i % 2 == 0) {
                 log.add(flatColumn(1, 120, 4));
             }
             if (i % 3 == 0) {
                 testlog::Sl2Column wide = flatColumn(2, 200, 5);
                 wide.padding = 40;
                 log.add(wide);
             }
         }},
        {"sparse side channels, cut off", false, true,
         [](RecordingSl2Writer& log, int i) {
             log.add(flatColumn(0, 400 + static_cast<size_t>(i % 7) * 100, 1));
             if (i % 9 == 0) {
                 log.add(flatColumn(3, 1200, 2));
             }
             if (i > kPings / 2) {
                 log.add(flatColumn(2, 36, 3)); // a channel that starts half way
             }
         }},
        {"harmless words", false, false,
         [](RecordingSl2Writer& log, int i) {
             if (i % 10 == 5) {
                 log.add(columnHidingAHead(static_cast<uint32_t>(log.writer().size()), false));
             } else {
                 log.add(flatColumn(0, 80, 1));
             }
             log.add(flatColumn(1, 64, 2));
         }},
    };
}

class ChainIndex : public LogFolder
{
protected:
    QString write(const Layout& layout)
    {
        testlog::Sl2Header header;
        header.flags = layout.debug ? 1 : 0;
        RecordingSl2Writer log(header);
        for (int i = 0; i < kPings; ++i) {
            layout.ping(log, i);
        }
        std::vector<uint8_t> bytes = log.bytes();
        if (layout.cutOff) {
            log.add(flatColumn(0, 900, 9));
            bytes = log.bytes();
            bytes.resize(bytes.size() - 500);
        }
        return save(bytes, QString::fromLatin1(layout.name));
    }

    static std::vector<uint8_t> readAt(tSonarFile& file, int n)
    {
        file.SSeek(n);
        tSubHeader header = readertest::callerWindow(0, 100, 24);
        std::vector<uint8_t> cells;
        file.SRead(header, cells, false);
        return cells;
    }
};

} // namespace

TEST_F(ChainIndex, MappedSeeksLandWhereTheFileSearchLandsForAFewReads)
{
    for (const Layout& layout : layouts()) {
        const QString path = write(layout);
        for (int channel : {0, 1, 2, 3, 10, 11}) {
            tSonarFile onFile;
            tSonarFile mapped;
            if (!onFile.SOpen(path, channel)) {
                continue;
            }
            ASSERT_TRUE(mapped.SOpen(path, channel));
            mapped.startChainIndex();
            ASSERT_TRUE(mapped.waitForChainIndex()) << layout.name;
            EXPECT_FALSE(onFile.chainIndexed());

            const int count = onFile.NumSoundings();
            uint64_t fileReads = 0;
            uint64_t mappedReads = 0;
            int differences = 0;
            for (int n = 0; n < count; ++n) {
                for (int start : {0, count - 1, n / 2, (n + count) / 2, n + 9, n - 9}) {
                    onFile.SSeek(start);
                    mapped.SSeek(start);
                    onFile.resetReadCounters();
                    mapped.resetReadCounters();
                    onFile.SSeek(n);
                    mapped.SSeek(n);
                    fileReads += onFile.readCount();
                    mappedReads += mapped.readCount();
                    if (onFile.AddressTell() != mapped.AddressTell() ||
                        onFile.STell() != mapped.STell()) {
                        ++differences;
                    }
                }
                if (n % 11 == 0 && readAt(onFile, n) != readAt(mapped, n)) {
                    ++differences;
                }
            }
            EXPECT_EQ(differences, 0) << layout.name << ", channel " << channel;
            // A mapped seek reads the heads around its start and end only, not a bisection's
            // windows (debug columns add a head or two either way).
            EXPECT_LT(mappedReads * 2, fileReads) << layout.name << ", channel " << channel;
        }
    }
}

TEST_F(ChainIndex, LogsTheMapCannotStandForAreSearchedOnTheFile)
{
    const auto damagedAt = [](int ping) {
        return [ping](RecordingSl2Writer& log, int i) {
            testlog::Sl2Faults faults;
            if (i == ping) {
                faults.sequence = 5000; // a sequence out of turn
            }
            if (i == ping + 20) {
                faults.lastChannelAddress = std::pair{1, 8u}; // an entry naming a wrong packet
            }
            log.add(flatColumn(0, 80, 1), faults);
            log.add(flatColumn(1, 64, 2));
        };
    };
    const std::vector<Layout> refused = {
        {"sequence and entry faults", false, false, damagedAt(40)},
        {"entry fault", false, false, damagedAt(-20)},
        {"an accepted stray head", false, false,
         [](RecordingSl2Writer& log, int i) {
             log.add(i == 70 ? columnHidingAHead(static_cast<uint32_t>(log.writer().size()), true)
                             : flatColumn(0, 80, 1));
         }},
        {"a broken chain", false, false,
         [](RecordingSl2Writer& log, int i) {
             if (i == 90) {
                 log.writer().appendBytes(std::vector<uint8_t>(52, 0xA5));
             }
             log.add(flatColumn(0, 80, 1));
         }},
    };
    for (const Layout& layout : refused) {
        const QString path = write(layout);
        tSonarFile onFile;
        tSonarFile mapped;
        ASSERT_TRUE(onFile.SOpen(path, 0)) << layout.name;
        ASSERT_TRUE(mapped.SOpen(path, 0));
        mapped.startChainIndex();
        EXPECT_FALSE(mapped.waitForChainIndex()) << layout.name;
        for (int n = 0; n < onFile.NumSoundings(); n += 3) {
            onFile.SSeek(n);
            mapped.SSeek(n);
            EXPECT_EQ(onFile.AddressTell(), mapped.AddressTell()) << layout.name << " " << n;
        }
    }
}

TEST_F(ChainIndex, AFileChangedAfterMappingIsSearchedOnTheFile)
{
    const QString path = write(layouts().front());
    tSonarFile onFile;
    tSonarFile mapped;
    ASSERT_TRUE(onFile.SOpen(path, 1));
    ASSERT_TRUE(mapped.SOpen(path, 1));
    mapped.startChainIndex();
    ASSERT_TRUE(mapped.waitForChainIndex());

    // A recorder appending: the old packets stay, but a search near the end now sees more.
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::Append));
    file.write(QByteArray(3000, '\x11'));
    file.close();
    EXPECT_FALSE(mapped.chainIndexed());
    for (int n = 0; n < onFile.NumSoundings(); n += 5) {
        EXPECT_EQ(readAt(onFile, n), readAt(mapped, n)) << n;
        EXPECT_EQ(onFile.AddressTell(), mapped.AddressTell()) << n;
    }
}

TEST_F(ChainIndex, ReadersShareTheMapOfTheirOwnFileOnly)
{
    const QString path = write(layouts().front());
    QFile::copy(path, path + QStringLiteral(".copy"));
    tSonarFile first;
    tSonarFile sameFile;
    tSonarFile copy;
    ASSERT_TRUE(first.SOpen(path, 0));
    ASSERT_TRUE(sameFile.SOpen(path, 2));
    ASSERT_TRUE(copy.SOpen(path + QStringLiteral(".copy"), 2));
    first.startChainIndex();
    sameFile.shareChainIndex(first);
    copy.shareChainIndex(first);
    EXPECT_TRUE(first.waitForChainIndex());
    EXPECT_TRUE(sameFile.chainIndexed());
    EXPECT_FALSE(copy.chainIndexed());

    // Closing the reader that started it leaves the map with the other.
    first.SOpen(QString(), 0);
    EXPECT_TRUE(sameFile.chainIndexed());
}
