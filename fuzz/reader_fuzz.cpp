// Arbitrary bytes as a sonar log for the viewer's reader: opened on every channel it offers,
// then a short run of seeks and reads in both directions, sub-headers alone and address seeks,
// with the real library found beside the build (BRELLIX_BIN_DIR, or ../bin from here). An SL2
// log the chain map accepts is also sought on the map, which must land where the file's
// search lands, every sounding from two starts.
#include "BuildLibrary.h"
#include "InputFile.h"
#include "logs/tSonarFile.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <limits>
#include <string>
#include <vector>

#include <unistd.h>

using brellix::tSonarFile;
using brellix::tSubHeader;

namespace {

void readAt(tSonarFile& file, int32_t sounding, bool autoRange)
{
    tSubHeader header;
    header.sngUpperLimit = 0.0f;
    header.sngLowerLimit = 100.0f;
    header.lNumRangeCells = 200;
    std::vector<uint8_t> column;
    file.SSeek(sounding);
    file.SRead(header, column, autoRange);
    // Consecutive reads, the wrap after the last sounding included.
    file.SRead(header, column, autoRange);
}

void exercise(tSonarFile& file)
{
    const int32_t count = file.NumSoundings();
    // Past the end too, short of overflowing a damaged count.
    const auto past = static_cast<int32_t>(
        std::min<int64_t>(int64_t{count} + 3, std::numeric_limits<int32_t>::max()));
    for (int32_t target : {0, count - 1, count / 2, 1, -1, past, count / 3}) {
        readAt(file, target, target % 2 == 0);
    }

    tSubHeader alone;
    file.SReadSubHeader(count / 4, alone);

    int64_t address = file.AddressTell();
    file.AddressSeek(address);
    int64_t middle = file.lFileSize / 2;
    file.AddressSeek(middle);
    int64_t beyond = file.lFileSize + 4096;
    file.AddressSeek(beyond);
    readAt(file, file.STell(), false);
}

// Aborts when a seek on the chain map lands anywhere else than the same seek on the file.
void compareWithMap(const QString& path, int channel)
{
    tSonarFile onFile;
    tSonarFile mapped;
    if (!onFile.SOpen(path, channel) || !mapped.SOpen(path, channel)) {
        return;
    }
    mapped.startChainIndex();
    if (!mapped.waitForChainIndex()) {
        return;
    }
    const int32_t count = std::min(onFile.NumSoundings(), 400);
    for (int32_t n = 0; n < count; ++n) {
        for (int32_t start : {0, onFile.NumSoundings() - 1 - n}) {
            onFile.SSeek(start);
            mapped.SSeek(start);
            onFile.SSeek(n);
            mapped.SSeek(n);
            if (onFile.AddressTell() != mapped.AddressTell()) {
                std::fprintf(stderr, "channel %d from %d to %d: file %lld, map %lld\n", channel,
                             start, n, static_cast<long long>(onFile.AddressTell()),
                             static_cast<long long>(mapped.AddressTell()));
                std::abort();
            }
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const bool ready = bindBuildLibrary("reader_fuzz");
    // The reader opens logs by name.
    static const InputFile input("reader_fuzz", ".log");
    if (!ready || !input.write(data, size)) {
        return 0;
    }
    const QString path = input.path();
    for (int channel : {0, 1, 2, 3, 4, 5, 10, 11, 6, 12}) {
        tSonarFile file;
        if (!file.SOpen(path, channel)) {
            continue;
        }
        exercise(file);
        if (file.Version() == 2) {
            compareWithMap(path, channel);
        }
        // SLG logs read the same on every channel.
        if (file.Version() != 2) {
            break;
        }
    }
    return 0;
}
