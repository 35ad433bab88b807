#include "Tarnex.h"

#include "CsvRows.h"
#include "LogHeader.h"
#include "LogInput.h"
#include "OutputFile.h"
#include "Sink.h"
#include "Sl2Walker.h"
#include "SlgSubHeader.h"
#include "WriteBehindSink.h"

#include <cstdio>
#include <memory>

#include <sys/stat.h>

namespace tarnex {

namespace {

// SLG and very old SLG: one row per whole block, the sub-header only.
int convertSlg(LogInput& input, const LogHeader& header, Sink& csv, Sink& console)
{
    const bool veryOld = header.kind() == LogKind::VeryOldSlg;
    // A very old log has no format word: its first word is the block size.
    const int blockSize = veryOld ? header.formatWord : header.blockSize;
    const uint64_t firstRecord = veryOld ? 6 : 10;
    if (blockSize <= 0) {
        console.print("Invalid block size in SLG header: %i\n", blockSize);
        return kExitFailure;
    }
    csv.write(kSlgHeaderLine, sizeof kSlgHeaderLine - 1);

    const size_t block = static_cast<size_t>(blockSize);
    SlgSubHeader subHeader; // carries the previous row's values past a malformed sub-header
    const uint64_t end = input.size();
    for (uint64_t address = firstRecord; address <= end && block <= end - address;
         address += block) {
        size_t available = 0;
        const uint8_t* bytes = input.view(address, block, available);
        if (available < block) {
            break;
        }
        // A block shorter than its sub-header reads as zeros past its end.
        parseSlgSubHeader(bytes, block, subHeader);
        writeSlgRow(csv, subHeader);
    }
    return kExitOk;
}

// Whether two names stand for one existing file.
bool sameFile(const std::string& a, const std::string& b)
{
    struct stat first = {};
    struct stat second = {};
    return ::stat(a.c_str(), &first) == 0 && ::stat(b.c_str(), &second) == 0 &&
           first.st_dev == second.st_dev && first.st_ino == second.st_ino;
}

} // namespace

int verifyLog(LogInput& input, Sink& console)
{
    const LogHeader header = LogHeader::read(input);
    switch (header.kind()) {
    case LogKind::VeryOldSlg:
        console.print("Input SL2 not supported (very old)\n");
        return kExitFailure;
    case LogKind::Slg:
        console.print("Verification of input SLG not supported.\nTo verify a log file, pass in a "
                      ".SL2 file or provide an output file name for converting to text.\n");
        return kExitFailure;
    case LogKind::Sl2:
        break;
    }
    Sl2Walker walker(input, header, console);
    walker.walk(nullptr);
    walker.printSummary();
    return kExitOk;
}

int convertLog(LogInput& input, Sink& csv, Sink& console)
{
    const LogHeader header = LogHeader::read(input);
    if (header.kind() != LogKind::Sl2) {
        return convertSlg(input, header, csv, console);
    }
    csv.write(kSl2HeaderLine, sizeof kSl2HeaderLine - 1);
    Sl2Walker walker(input, header, console);
    walker.walk(&csv);
    return kExitOk;
}

int run(const std::vector<std::string>& args, Sink& console)
{
    if (args.size() != 1 && args.size() != 2) {
        console.write(kUsageText, sizeof kUsageText - 1);
        return kExitFailure;
    }
    std::unique_ptr<LogInput> input = LogInput::openFile(args[0]);
    if (!input) {
        console.print("Error opening input file for read");
        return kExitFailure;
    }
    if (args.size() == 1) {
        return verifyLog(*input, console);
    }
    // The text file must not replace the log it is made from.
    std::unique_ptr<OutputFile> output =
        sameFile(args[0], args[1]) ? nullptr : OutputFile::open(args[1]);
    if (!output) {
        console.print("Error opening output file for write");
        return kExitFailure;
    }
    int status;
    bool written;
    {
        // The sink buffers already: a stream buffer of its own would split each delivery in two
        // write calls. Should the stream refuse, it only makes more calls.
        (void)std::setvbuf(output->stream(), nullptr, _IONBF, 0);
        WriteBehindSink csv(output->stream());
        status = convertLog(*input, csv, console);
        written = csv.finish();
    }
    // A refused log leaves an earlier file of the name as it was.
    if (status != kExitOk) {
        return status;
    }
    // A full disk must not pass for a finished conversion: the text file is incomplete.
    if (!written || !output->commit()) {
        console.print("Error writing output file\n");
        return kExitFailure;
    }
    return status;
}

} // namespace tarnex
