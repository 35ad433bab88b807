// FileDecompress: raw SLG samples and coded very old coefficients.
#include "ExportTestSupport.h"
#include "LogWriter.h"
#include <vantrel/vantrel.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <limits>
#include <ostream>
#include <vector>

namespace {

using exporttest::kByteSentinel;
using exporttest::kWordSentinel;

// A record: `lead` bytes standing for the sub-header, then the sample area.
std::vector<uint8_t> recordWith(size_t lead, const std::vector<uint8_t>& area)
{
    std::vector<uint8_t> block(lead, 0x11);
    block.insert(block.end(), area.begin(), area.end());
    return block;
}

std::vector<uint8_t> rawArea(int16_t count, const std::vector<uint8_t>& samples)
{
    std::vector<uint8_t> area;
    testlog::putI16(area, count);
    area.insert(area.end(), samples.begin(), samples.end());
    return area;
}

std::vector<uint8_t> codedArea(int32_t scale, const std::vector<uint8_t>& codes)
{
    std::vector<uint8_t> area;
    testlog::putI32(area, scale);
    area.insert(area.end(), codes.begin(), codes.end());
    return area;
}

// Coded mode into a destination of `capacity` sentinels; returns it and the final remaining.
struct Coded
{
    std::vector<int32_t> values;
    int32_t remaining;
};

Coded decompressCoded(const std::vector<uint8_t>& block, int32_t offset, int32_t remaining,
                      size_t capacity)
{
    Coded out{std::vector<int32_t>(capacity, kWordSentinel), remaining};
    FileDecompress(block.data(), offset, static_cast<int32_t>(block.size()) - offset,
                   out.values.data(), &out.remaining);
    return out;
}

// ---------------------------------------------------------------------------------------
// Raw mode

TEST(FileDecompressRaw, CopiesTheStoredCountOfSamplesAndReportsIt)
{
    const std::vector<uint8_t> samples = {9, 8, 7, 6, 5};
    const std::vector<uint8_t> block = recordWith(14, rawArea(5, samples));
    std::vector<uint8_t> dst(8, kByteSentinel);
    int32_t remaining = 0;
    EXPECT_EQ(FileDecompress(block.data(), 14, static_cast<int32_t>(block.size()) - 14, dst.data(),
                             &remaining),
              0);
    EXPECT_EQ(remaining, 5);
    EXPECT_EQ(dst,
              (std::vector<uint8_t>{9, 8, 7, 6, 5, kByteSentinel, kByteSentinel, kByteSentinel}));
}

TEST(FileDecompressRaw, StoredCountZeroCopiesNothing)
{
    const std::vector<uint8_t> block = recordWith(10, rawArea(0, {1, 2, 3}));
    std::vector<uint8_t> dst(4, kByteSentinel);
    int32_t remaining = 0;
    FileDecompress(block.data(), 10, 5, dst.data(), &remaining);
    EXPECT_EQ(remaining, 0);
    EXPECT_EQ(dst, std::vector<uint8_t>(4, kByteSentinel));
}

TEST(FileDecompressRaw, MovesTheSamplesToTheStartOfTheBlockItself)
{
    // The reader unpacks onto its own block buffer: source and destination overlap.
    std::vector<uint8_t> samples(40);
    for (size_t i = 0; i < samples.size(); ++i) {
        samples[i] = static_cast<uint8_t>(200 - i);
    }
    std::vector<uint8_t> block = recordWith(22, rawArea(40, samples));
    block.resize(100, 0);
    int32_t remaining = 0;
    FileDecompress(block.data(), 22, 78, block.data(), &remaining);
    EXPECT_EQ(remaining, 40);
    EXPECT_EQ(std::vector<uint8_t>(block.begin(), block.begin() + 40), samples);
}

TEST(FileDecompressRaw, NegativeCountCopiesNothingAndReportsZero)
{
    const std::vector<uint8_t> block = recordWith(10, rawArea(-3, {1, 2, 3, 4}));
    std::vector<uint8_t> dst(4, kByteSentinel);
    int32_t remaining = 0;
    FileDecompress(block.data(), 10, 6, dst.data(), &remaining);
    EXPECT_EQ(remaining, 0);
    EXPECT_EQ(dst, std::vector<uint8_t>(4, kByteSentinel));
}

TEST(FileDecompressRaw, CountBeyondTheBlockCopiesOnlyWhatTheBlockHolds)
{
    // The block ends 6 samples after the count; the count claims 30000.
    const std::vector<uint8_t> block = recordWith(10, rawArea(30000, {1, 2, 3, 4, 5, 6}));
    std::vector<uint8_t> dst(10, kByteSentinel);
    int32_t remaining = 0;
    FileDecompress(block.data(), 10, 8, dst.data(), &remaining);
    EXPECT_EQ(remaining, 6);
    EXPECT_EQ(dst, (std::vector<uint8_t>{1, 2, 3, 4, 5, 6, kByteSentinel, kByteSentinel,
                                         kByteSentinel, kByteSentinel}));
}

TEST(FileDecompressRaw, AreaTooShortForTheCountCopiesNothing)
{
    for (int32_t available : {-5, 0, 1}) {
        const std::vector<uint8_t> block = recordWith(10, {0x05});
        std::vector<uint8_t> dst(4, kByteSentinel);
        int32_t remaining = 0;
        FileDecompress(block.data(), 10, available, dst.data(), &remaining);
        EXPECT_EQ(remaining, 0) << available;
        EXPECT_EQ(dst, std::vector<uint8_t>(4, kByteSentinel)) << available;
    }
}

// ---------------------------------------------------------------------------------------
// Coded mode

struct CodedCase
{
    const char* name;
    int32_t scale;
    std::vector<uint8_t> codes;
    int32_t remaining;
    std::vector<int32_t> expected; // then sentinels up to the capacity
    int32_t remainingAfter;
};

void PrintTo(const CodedCase& c, std::ostream* os)
{
    *os << c.name;
}

class FileDecompressCoded : public testing::TestWithParam<CodedCase>
{
};

TEST_P(FileDecompressCoded, WritesTheCoefficientsTheCodesStandFor)
{
    const CodedCase& c = GetParam();
    const std::vector<uint8_t> block = recordWith(10, codedArea(c.scale, c.codes));
    const Coded out = decompressCoded(block, 10, c.remaining, c.expected.size() + 3);
    std::vector<int32_t> expected = c.expected;
    expected.resize(c.expected.size() + 3, kWordSentinel);
    EXPECT_EQ(out.values, expected);
    EXPECT_EQ(out.remaining, c.remainingAfter);
}

INSTANTIATE_TEST_SUITE_P(
    FileDecompress, FileDecompressCoded,
    testing::Values(
        CodedCase{"runFitsExactly", 3, {0x41, 0x82, 0x3F}, 5, {3, 0, 0, 0, -3}, 0},
        CodedCase{"runCutShort", 3, {0x41, 0x82, 0x3F}, 2, {3, 0}, 0},
        CodedCase{"codesEndEarly", 3, {0x41, 0x82, 0x3F}, 8, {3, 0, 0, 0, -3, 0, 0, 0}, 3},
        CodedCase{"noCodesAtAll", 7, {}, 4, {0, 0, 0, 0}, 4},
        CodedCase{"codeExtremes", -5, {0x00, 0x7F, 0x40}, 3, {320, -315, 0}, 0},
        CodedCase{"longestRun",
                  1,
                  {0xFF, 0x41},
                  130,
                  [] {
                      std::vector<int32_t> v(128, 0);
                      v.push_back(1);
                      v.push_back(0);
                      return v;
                  }(),
                  1},
        CodedCase{"stopsAtTheWantedCount", 2, {0x41, 0x42, 0x43, 0x44}, 2, {2, 4}, 0},
        CodedCase{"productWrapsLikeA32BitMultiply",
                  std::numeric_limits<int32_t>::max(),
                  {0x00, 0x7F},
                  2,
                  {static_cast<int32_t>(static_cast<uint32_t>(-64LL *
                                                              std::numeric_limits<int32_t>::max())),
                   static_cast<int32_t>(
                       static_cast<uint32_t>(63LL * std::numeric_limits<int32_t>::max()))},
                  0}),
    [](const auto& p) { return std::string(p.param.name); });

TEST(FileDecompress, CodedModeWithNegativeRemainingWritesNothing)
{
    const std::vector<uint8_t> block = recordWith(10, codedArea(3, {0x41, 0x42}));
    const Coded out = decompressCoded(block, 10, -4, 4);
    EXPECT_EQ(out.values, std::vector<int32_t>(4, kWordSentinel));
    EXPECT_EQ(out.remaining, -4);
}

TEST(FileDecompress, CodedModeReadsNothingPastTheAvailableBytes)
{
    // Exactly sized: a read past the last code shows under the address sanitizer, and a
    // byte past `available` must not count as a code.
    const std::vector<uint8_t> block = recordWith(10, codedArea(2, {0x41, 0x41, 0x41}));
    std::vector<int32_t> dst(6, kWordSentinel);
    int32_t remaining = 5;
    FileDecompress(block.data(), 10, 6, dst.data(), &remaining);
    EXPECT_EQ(dst, (std::vector<int32_t>{2, 2, 0, 0, 0, kWordSentinel}));
    EXPECT_EQ(remaining, 3);
}

TEST(FileDecompress, CodedModeWithoutRoomForTheScaleZeroFills)
{
    for (int32_t available : {0, 3}) {
        const std::vector<uint8_t> block = recordWith(10, {0x41, 0x41, 0x41});
        std::vector<int32_t> dst(4, kWordSentinel);
        int32_t remaining = 3;
        FileDecompress(block.data(), 10, available, dst.data(), &remaining);
        EXPECT_EQ(dst, (std::vector<int32_t>{0, 0, 0, kWordSentinel})) << available;
        EXPECT_EQ(remaining, 3) << available;
    }
}

TEST(FileDecompress, CodedModeWritesToAnUnalignedDestination)
{
    const std::vector<uint8_t> block = recordWith(10, codedArea(-7, {0x42, 0x81, 0x3E}));
    std::vector<uint8_t> bytes(1 + 4 * 4 + 3, kByteSentinel);
    int32_t remaining = 4;
    FileDecompress(block.data(), 10, 7, bytes.data() + 1, &remaining);
    std::vector<int32_t> values(4);
    std::memcpy(values.data(), bytes.data() + 1, 16);
    EXPECT_EQ(values, (std::vector<int32_t>{-14, 0, 0, 14}));
    EXPECT_EQ(bytes[0], kByteSentinel);
    EXPECT_EQ(bytes[17], kByteSentinel);
}

TEST(FileDecompress, AlwaysReturnsZero)
{
    const std::vector<uint8_t> raw = recordWith(10, rawArea(2, {1, 2}));
    std::vector<uint8_t> dst(4);
    int32_t remaining = 0;
    EXPECT_EQ(FileDecompress(raw.data(), 10, 4, dst.data(), &remaining), 0);
    const std::vector<uint8_t> coded = recordWith(10, codedArea(1, {0x41}));
    std::vector<int32_t> values(2);
    remaining = 2;
    EXPECT_EQ(FileDecompress(coded.data(), 10, 5, values.data(), &remaining), 0);
}

} // namespace
