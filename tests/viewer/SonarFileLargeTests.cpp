// Logs between 2 GB and the 4 GB limit of SL2 addresses, written sparse: opening, counting,
// seeking, reading and address seeks past 2^31.
#include "ReaderTestSupport.h"
#include "SparseLogWriter.h"

#include "logs/tSonarFile.h"

#include <QFileInfo>

#include <memory>

using brellix::tSonarFile;
using brellix::tSubHeader;
using readertest::LogFolder;
using readertest::sparseSampleOf;

namespace {

constexpr uint16_t kPacketSize = 4096;
// 2.3 GB: packets from 524 288 on (channel-0 sounding 262 144) lie beyond 2^31.
constexpr uint32_t kPackets = 560'000;
constexpr int64_t kTwoGigabytes = int64_t{1} << 31;

int64_t packetAddress(uint32_t k)
{
    return 8 + int64_t{k} * kPacketSize;
}

class LargeLog : public LogFolder
{
protected:
    static void SetUpTestSuite()
    {
        // Every block of such a log holds a packet head, so it costs its full size: in memory
        // where the system offers a memory file system, it spares the disk.
        const QString memory = QStringLiteral("/dev/shm");
        s_folder = QFileInfo(memory).isWritable()
                       ? std::make_unique<QTemporaryDir>(memory + QStringLiteral("/brellix-XXXXXX"))
                       : std::make_unique<QTemporaryDir>();
        s_sl2 = s_folder->filePath(QStringLiteral("large.sl2"));
        s_ready = readertest::writeSparseSl2(s_sl2.toStdString(), kPackets, kPacketSize);
    }
    static void TearDownTestSuite() { s_folder.reset(); }

    uint8_t readFirstCell(tSonarFile& file)
    {
        tSubHeader header;
        header.sngLowerLimit = 100.0f;
        header.lNumRangeCells = 16;
        std::vector<uint8_t> cells;
        file.SRead(header, cells, false);
        return cells.empty() ? 0 : cells[0];
    }

    static inline std::unique_ptr<QTemporaryDir> s_folder;
    static inline QString s_sl2;
    static inline bool s_ready = false;
};

} // namespace

// One log written per process (the tests may run one per process): one test for opening,
// counting, seeking and reading, one for address seeks.
TEST_F(LargeLog, Sl2LogBeyondTwoGigabytesOpensCountsSeeksAndReads)
{
    ASSERT_TRUE(s_ready);
    for (int channel : {0, 1}) {
        tSonarFile file;
        ASSERT_TRUE(file.SOpen(s_sl2, channel));
        EXPECT_EQ(file.lFileSize, packetAddress(kPackets));
        EXPECT_GT(file.lFileSize, kTwoGigabytes);
        EXPECT_LE(file.bytesRead(), 16'384u) << "opening reads the end only";
        const int32_t count = file.NumSoundings();
        EXPECT_EQ(count, static_cast<int32_t>(kPackets / 2 - 1));
        for (int32_t n : {0, 1000, 262'000, 262'143, 262'144, 270'000, count - 1, 5, count - 2}) {
            const uint32_t k = static_cast<uint32_t>(2 * n + channel);
            file.SSeek(n);
            ASSERT_EQ(file.AddressTell(), packetAddress(k)) << "channel " << channel << " " << n;
            EXPECT_EQ(file.STell(), n);
            EXPECT_EQ(readFirstCell(file), sparseSampleOf(k));
            if (n + 1 < count) {
                EXPECT_EQ(file.AddressTell(), packetAddress(k + 1));
            }
        }
    }
}

TEST_F(LargeLog, AddressSeekCrossesChannelsBeyondTwoGigabytes)
{
    ASSERT_TRUE(s_ready);
    tSonarFile primary;
    tSonarFile secondary;
    ASSERT_TRUE(primary.SOpen(s_sl2, 0));
    ASSERT_TRUE(secondary.SOpen(s_sl2, 1));
    primary.SSeek(275'000);
    const int64_t address = primary.AddressTell();
    ASSERT_GT(address, kTwoGigabytes);
    int64_t moved = address;
    secondary.AddressSeek(moved);
    // The newest channel-1 packet before channel 0's packet 275 000 is its 274 999.
    EXPECT_EQ(moved, address - kPacketSize);
    EXPECT_EQ(secondary.STell(), 274'999);
    int64_t back = secondary.AddressTell() + kPacketSize;
    primary.AddressSeek(back);
    EXPECT_EQ(primary.STell(), 275'000);
    EXPECT_EQ(back, address);
}

TEST_F(LogFolder, SlgLogBeyondTwoGigabytesCountsSeeksAndReads)
{
    constexpr int16_t kBlock = 30'000;
    constexpr uint32_t kBlocks = 80'000; // 2.4 GB
    const uint32_t written[] = {0, 71'600, 79'999};
    ASSERT_TRUE(readertest::writeSparseSlg(path(QStringLiteral("large.slg")).toStdString(), kBlocks,
                                           kBlock, written, 3));
    tSonarFile file;
    ASSERT_TRUE(file.SOpen(path(QStringLiteral("large.slg")), 0));
    EXPECT_EQ(file.NumSoundings(), static_cast<int32_t>(kBlocks));
    for (uint32_t n : written) {
        file.SSeek(static_cast<int32_t>(n));
        EXPECT_EQ(file.AddressTell(), 10 + int64_t{n} * kBlock);
        tSubHeader header;
        header.sngLowerLimit = 100.0f;
        header.lNumRangeCells = 32;
        std::vector<uint8_t> cells;
        file.SRead(header, cells, false);
        EXPECT_FLOAT_EQ(header.sngDepth, static_cast<float>(n));
        EXPECT_EQ(cells[0], sparseSampleOf(n));
    }
}
