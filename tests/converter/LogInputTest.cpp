// The converter's input: a read-ahead window over a file with 64-bit addresses, or memory.
#include "ConverterTestSupport.h"

#include <cstring>
#include <fcntl.h>
#include <unistd.h>

using namespace tarnextest;
using tarnex::LogInput;

namespace {

class LogInputFile : public TempFolder
{
};

uint8_t patternAt(uint64_t address)
{
    return static_cast<uint8_t>((address * 2654435761u) >> 13);
}

std::vector<uint8_t> patternBytes(size_t size)
{
    std::vector<uint8_t> bytes(size);
    for (size_t i = 0; i < bytes.size(); ++i) {
        bytes[i] = patternAt(i);
    }
    return bytes;
}

} // namespace

TEST_F(LogInputFile, ViewsAcrossTheReadAheadWindow)
{
    const std::vector<uint8_t> bytes = patternBytes(3 * 1024 * 1024 + 77);
    ASSERT_TRUE(testlog::saveFile(path("log"), bytes));
    auto input = LogInput::openFile(path("log").string());
    ASSERT_TRUE(input);
    EXPECT_EQ(input->size(), bytes.size());

    // Forwards across window edges, a step back, and the end.
    const uint64_t addresses[] = {0,
                                  1000,
                                  1048500,
                                  1048575,
                                  1048576,
                                  2097100,
                                  2097000,
                                  3145000,
                                  bytes.size() - 144,
                                  bytes.size() - 10};
    for (uint64_t address : addresses) {
        size_t available = 0;
        const uint8_t* view = input->view(address, 144, available);
        const size_t expected = std::min<uint64_t>(144, bytes.size() - address);
        ASSERT_EQ(available, expected) << address;
        for (size_t i = 0; i < available; ++i) {
            ASSERT_EQ(view[i], bytes[address + i]) << address << "+" << i;
        }
    }
    size_t available = 7;
    input->view(bytes.size(), 144, available);
    EXPECT_EQ(available, 0u);
}

TEST_F(LogInputFile, SequentialWalkWithJumpsSeesTheFileBytes)
{
    // Several windows long, walked as the converter walks, with jumps either way.
    const std::vector<uint8_t> bytes = patternBytes(5 * 1024 * 1024 + 999);
    ASSERT_TRUE(testlog::saveFile(path("log"), bytes));
    auto input = LogInput::openFile(path("log").string());
    ASSERT_TRUE(input);

    uint64_t address = 0;
    size_t step = 0;
    while (address < bytes.size()) {
        const size_t wanted = 40 + (step * 7919) % LogInput::kMaxView;
        size_t available = 0;
        const uint8_t* view = input->view(address, wanted, available);
        ASSERT_EQ(available, std::min<uint64_t>(wanted, bytes.size() - address)) << address;
        ASSERT_EQ(std::memcmp(view, bytes.data() + address, available), 0) << address;
        // Mostly forward by the view, now and then a jump past the next window or a step back.
        if (step % 97 == 13) {
            address += 1536 * 1024;
        } else if (step % 89 == 7 && address > 300000) {
            address -= 300000;
        } else {
            address += wanted;
        }
        ++step;
    }
}

TEST_F(LogInputFile, AFileThatShrinksWhileReadEndsEarlyWithItsOwnBytes)
{
    const std::vector<uint8_t> bytes = patternBytes(4 * 1024 * 1024);
    ASSERT_TRUE(testlog::saveFile(path("log"), bytes));
    auto input = LogInput::openFile(path("log").string());
    ASSERT_TRUE(input);
    size_t available = 0;
    input->view(0, 144, available);
    ASSERT_EQ(available, 144u);

    const uint64_t kept = 1536 * 1024;
    ASSERT_EQ(::truncate(path("log").c_str(), static_cast<off_t>(kept)), 0);
    uint64_t seen = 0;
    for (uint64_t address = 0; address < bytes.size(); address += 4096) {
        const uint8_t* view = input->view(address, 4096, available);
        ASSERT_LE(available, 4096u);
        ASSERT_EQ(std::memcmp(view, bytes.data() + address, available), 0) << address;
        seen = available > 0 ? address + available : seen;
    }
    // Every byte seen is the file's own: the window read before the cut, then what is left.
    EXPECT_EQ(seen, kept);
}

TEST_F(LogInputFile, ReadsPastFourGigabytes)
{
    const uint64_t far = (uint64_t{9} << 29) + 12345; // 4.5 GB
    const int fd = ::open(path("sparse").c_str(), O_CREAT | O_TRUNC | O_WRONLY, 0644);
    ASSERT_GE(fd, 0);
    const uint8_t marker[4] = {0xDE, 0xAD, 0xBE, 0xEF};
    const bool written = ::pwrite(fd, marker, 4, static_cast<off_t>(far)) == 4;
    ::close(fd);
    if (!written) {
        GTEST_SKIP() << "the file system cannot hold a sparse 4.5 GB file";
    }
    auto input = LogInput::openFile(path("sparse").string());
    ASSERT_TRUE(input);
    EXPECT_EQ(input->size(), far + 4);
    size_t available = 0;
    const uint8_t* view = input->view(far - 2, 8, available);
    ASSERT_EQ(available, 6u);
    EXPECT_EQ(view[0], 0);
    EXPECT_EQ(view[2], 0xDE);
    EXPECT_EQ(view[5], 0xEF);
}

TEST_F(LogInputFile, MissingFileAndFolderCannotBeOpened)
{
    EXPECT_FALSE(LogInput::openFile(path("missing").string()));
    EXPECT_FALSE(LogInput::openFile(path("").string()));
}

TEST(LogInputMemory, ViewsInPlaceAndStopsAtTheEnd)
{
    const std::vector<uint8_t> bytes = {1, 2, 3, 4, 5};
    auto input = LogInput::fromMemory(bytes.data(), bytes.size());
    size_t available = 0;
    EXPECT_EQ(input->view(1, 2, available), bytes.data() + 1);
    EXPECT_EQ(available, 2u);
    input->view(3, 10, available);
    EXPECT_EQ(available, 2u);
    input->view(9, 1, available);
    EXPECT_EQ(available, 0u);
}

TEST(LogInputMemory, ReadPaddedFillsWithZeros)
{
    const std::vector<uint8_t> bytes = {9, 8, 7};
    auto input = LogInput::fromMemory(bytes.data(), bytes.size());
    uint8_t out[6] = {1, 1, 1, 1, 1, 1};
    EXPECT_EQ(input->readPadded(1, out, sizeof out), 2u);
    EXPECT_EQ(out[0], 8);
    EXPECT_EQ(out[1], 7);
    EXPECT_EQ(out[2], 0);
    EXPECT_EQ(out[5], 0);
}

TEST(LogInputMemory, EmptyInput)
{
    auto input = LogInput::fromMemory(nullptr, 0);
    uint8_t out[10];
    EXPECT_EQ(input->readPadded(0, out, sizeof out), 0u);
    EXPECT_EQ(out[9], 0);
}
