// The text file's write-behind sink: the bytes arrive whole and in order whichever way they
// were handed over, and a failed write is reported, never taken for a finished file.
#include "WriteBehindSink.h"
#include "ConverterTestSupport.h"

#include <cstdio>

using namespace tarnextest;

namespace {

using WriteBehind = TempFolder;

TEST_F(WriteBehind, RowsBlocksAndPrintsArriveInOrder)
{
    const fs::path file = path("out.csv");
    std::FILE* stream = std::fopen(file.c_str(), "wb");
    ASSERT_NE(stream, nullptr);
    std::string expected;
    {
        tarnex::WriteBehindSink sink(stream);
        // Enough rows to pass through both buffers many times; a block larger than a buffer
        // goes out directly and must still follow what came before it.
        for (int i = 0; i < 40000; ++i) {
            const std::string row = "row " + std::to_string(i) + ",1.000000,T\n";
            char* p = sink.reserve(row.size());
            std::copy(row.begin(), row.end(), p);
            sink.commit(p + row.size());
            expected += row;
            if (i == 20000) {
                const std::string block(tarnex::Sink::kDefaultBufferSize * 2 + 17, 'b');
                sink.write(block);
                expected += block;
            }
        }
        sink.print("%s %d\n", "end", 7);
        expected += "end 7\n";
        EXPECT_TRUE(sink.finish());
        // Finishing again, and the destructor after it, add nothing.
        EXPECT_TRUE(sink.finish());
    }
    ASSERT_EQ(std::fclose(stream), 0);
    EXPECT_EQ(readText(file), expected);
}

TEST_F(WriteBehind, AFullDeviceFailsTheFinish)
{
    std::FILE* stream = std::fopen("/dev/full", "wb");
    if (stream == nullptr) {
        GTEST_SKIP() << "no /dev/full on this system";
    }
    std::setvbuf(stream, nullptr, _IONBF, 0);
    {
        tarnex::WriteBehindSink sink(stream);
        const std::string row(100, 'r');
        for (int i = 0; i < 10000; ++i) {
            sink.write(row);
        }
        EXPECT_FALSE(sink.finish());
        EXPECT_FALSE(sink.ok());
    }
    std::fclose(stream);
}

} // namespace
