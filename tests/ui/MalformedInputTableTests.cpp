// Damaged and unexpected inputs, one row per kind of fault, each given to the real tarnex and
// to the viewer. Every row states what both must do with it: tarnex's exact message and exit
// status; the viewer's refusal (a message naming the file and why, and no window) or an opened
// log that plays to its end. Every row must end within seconds and in little memory.
#include "ShellTestSupport.h"

#include "BuildFolder.h"
#include "Sink.h"
#include "Tarnex.h"
#include "document/frmDocument.h"
#include "render/tColorScheme.h"
#include "shell/FileCommands.h"

#include <QDir>
#include <QFile>
#include <QMdiArea>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <functional>
#include <limits>
#include <thread>

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;
using Bytes = std::vector<uint8_t>;

// Long enough for a sanitizer build on a busy machine; a hang goes far past it.
constexpr auto kRowTimeLimit = std::chrono::seconds(20);
constexpr long kMemoryLimitKb = 200 * 1024;

#if defined(__SANITIZE_ADDRESS__)
constexpr bool kSanitized = true;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
constexpr bool kSanitized = true;
#else
constexpr bool kSanitized = false;
#endif
#else
constexpr bool kSanitized = false;
#endif

struct TarnexRun
{
    int exitCode = -1; // 0 to 255; -1 killed or not started
    std::string output;
    long peakKb = 0;
    bool timedOut = false;
};

// The real program with its standard output captured, killed past the time limit; its peak
// resident memory from the kernel.
TarnexRun runTarnex(const std::vector<std::string>& args)
{
    TarnexRun run;
    int pipeFds[2];
    if (::pipe2(pipeFds, O_CLOEXEC) != 0) {
        ADD_FAILURE() << "no pipe";
        return run;
    }
    const std::string program = (testsupport::binFolder() / "tarnex").string();
    std::vector<char*> argv{const_cast<char*>(program.c_str())};
    for (const std::string& arg : args) {
        argv.push_back(const_cast<char*>(arg.c_str()));
    }
    argv.push_back(nullptr);
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::dup2(pipeFds[1], STDOUT_FILENO);
        ::execv(program.c_str(), argv.data());
        ::_exit(127);
    }
    ::close(pipeFds[1]);
    const auto deadline = Clock::now() + kRowTimeLimit;
    char buffer[4096];
    for (;;) {
        const auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
        pollfd waitFor{pipeFds[0], POLLIN, 0};
        if (left.count() <= 0 || ::poll(&waitFor, 1, static_cast<int>(left.count())) == 0) {
            run.timedOut = true;
            ::kill(pid, SIGKILL);
            break;
        }
        const ssize_t got = ::read(pipeFds[0], buffer, sizeof buffer);
        if (got <= 0) {
            break;
        }
        run.output.append(buffer, static_cast<size_t>(got));
    }
    ::close(pipeFds[0]);
    int status = 0;
    rusage usage{};
    ::wait4(pid, &status, 0, &usage);
    run.peakKb = usage.ru_maxrss;
    run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return run;
}

std::vector<std::string> splitLines(const std::string& text)
{
    std::vector<std::string> lines;
    size_t start = 0;
    while (start < text.size()) {
        const size_t end = std::min(text.find('\n', start), text.size());
        lines.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    return lines;
}

long ownPeakKb()
{
    rusage usage{};
    ::getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

// ---------------------------------------------------------------------------------------
// The inputs, all from the log writer.

testlog::Sl2Column sl2Column(uint16_t channel, uint8_t seed)
{
    testlog::Sl2Column c;
    c.channel = channel;
    c.lowerLimit = 40.0f;
    c.depth = 20.0f + seed % 5;
    c.validFlags = testlog::kValidSpeed | testlog::kValidWaterTemp | testlog::kValidPosition |
                   testlog::kValidTrack;
    c.speed = 2.0f;
    c.waterTemp = 15.0f;
    c.positionX = -9000000;
    c.positionY = 5000000;
    c.samples.assign(24, static_cast<uint8_t>(60 + seed));
    return c;
}

// count soundings on channels 0 and 1; a fault per packet index where damage says so.
Bytes sl2Log(
    int count,
    const std::function<void(int, testlog::Sl2Column&, testlog::Sl2Faults&)>& damage = nullptr)
{
    testlog::Sl2Header header;
    header.blockSize = 64;
    testlog::Sl2Writer log(header);
    int packet = 0;
    for (int i = 0; i < count; ++i) {
        for (uint16_t channel : {0, 1}) {
            testlog::Sl2Column c = sl2Column(channel, static_cast<uint8_t>(i));
            testlog::Sl2Faults faults;
            if (damage) {
                damage(packet, c, faults);
            }
            log.add(c, faults);
            ++packet;
        }
    }
    return log.bytes();
}

testlog::SlgSounding slgSounding(int i)
{
    testlog::SlgSounding s;
    s.header.lowerLimit = 40.0f;
    s.header.depth = 20.0f + i % 5;
    s.header.waterTemp = 16.0f;
    s.header.timeOffset = 100 * i;
    s.samples.assign(20, static_cast<uint8_t>(50 + i));
    return s;
}

Bytes slgLog(int count, int16_t blockSize = 80,
             const std::function<void(int, testlog::SlgSounding&)>& change = nullptr)
{
    testlog::SlgWriter log(blockSize);
    for (int i = 0; i < count; ++i) {
        testlog::SlgSounding s = slgSounding(i);
        if (change) {
            change(i, s);
        }
        log.add(s);
    }
    return log.bytes();
}

Bytes veryOldLog(int count, int32_t scale, const Bytes& codes, uint32_t samples = 1024)
{
    testlog::VeryOldWriter log(160, samples);
    for (int i = 0; i < count; ++i) {
        log.addCoded(slgSounding(i).header, scale, codes);
    }
    return log.bytes();
}

// Every float of every SL2 column set to value, one field per packet in turn.
Bytes sl2WithFloats(float value)
{
    return sl2Log(12, [value](int packet, testlog::Sl2Column& c, testlog::Sl2Faults&) {
        float* fields[] = {&c.upperLimit, &c.lowerLimit, &c.depth, &c.keelOffset, &c.speed,
                           &c.waterTemp,  &c.waterSpeed, &c.track, &c.altitude,   &c.heading};
        *fields[static_cast<size_t>(packet / 2) % std::size(fields)] = value;
        c.validFlags = 0xFFFF;
    });
}

// Every float of every SLG sub-header set to value, one field per sounding in turn.
Bytes slgWithFloats(float value)
{
    return slgLog(12, 120, [value](int i, testlog::SlgSounding& s) {
        testlog::SlgFields& h = s.header;
        h.upperLimit = 0.0f;
        h.temp2 = 1.0f;
        h.temp3 = 1.0f;
        h.waterSpeed = 1.0f;
        h.surfaceDepth = 1.0f;
        h.topOfBottom = 1.0f;
        h.fishDepths = {3.0f};
        h.speedTrack = testlog::SlgSpeedTrack{1.0f, 1.0f, 1.0f};
        float* fields[] = {
            &h.lowerLimit,   &h.depth,         &*h.upperLimit,       &*h.waterTemp,
            &*h.temp2,       &*h.temp3,        &*h.waterSpeed,       &*h.surfaceDepth,
            &*h.topOfBottom, &h.fishDepths[0], &h.speedTrack->speed, &h.speedTrack->track};
        *fields[static_cast<size_t>(i) % std::size(fields)] = value;
    });
}

// A packet of size 0 at 0x200 holds the walk there: every later column entry reports the same
// three faults until the error limit.
std::string stuckAtAZeroSizedPacket()
{
    std::string lines;
    for (int entry = 4; entry <= 16; ++entry) {
        const std::string at = " (column entry = " + std::to_string(entry) + ", addr = 0x200)\n";
        lines += "Invalid previous size: 168 != 0" + at + "Invalid packet size: 0 < 24 + 144" + at +
                 "Invalid sequence number: 1 != 2" + at;
    }
    return lines;
}

// What the viewer must do with a log.
struct ViewerOutcome
{
    QString refusal;    // a part of the message; empty: the log opens
    int soundings = -1; // in the first window when it opens; -1: not checked
};

ViewerOutcome opens(int soundings = -1)
{
    return {QString(), soundings};
}

ViewerOutcome refused(const char* why)
{
    return {QString::fromLatin1(why), -1};
}

struct LogRow
{
    const char* name;
    std::function<Bytes()> bytes;
    const char* extension;
    bool convert; // tarnex converts (an output file) or verifies
    int exitCode;
    std::string message;
    ViewerOutcome viewer;
};

constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();
constexpr float kInf = std::numeric_limits<float>::infinity();

std::vector<LogRow> logRows()
{
    using testlog::Sl2Column;
    using testlog::Sl2Faults;
    return {
        {"a sound SL2 log", [] { return sl2Log(4); }, ".sl2", false, 0,
         "\n"
         "Total columns = 8\n"
         "Channel 0: 4 columns\n"
         "Channel 1: 4 columns\n"
         "All headers look good.\n",
         opens(3)},
        {"a sound SLG log", [] { return slgLog(5); }, ".slg", true, 0, "", opens(5)},
        {"an SLG block size of 0",
         [] {
             Bytes b = slgLog(3);
             testlog::setU16(b, 4, 0);
             return b;
         },
         ".slg", true, 255, "Invalid block size in SLG header: 0\n",
         refused("gives no block size")},
        {"a negative SLG block size",
         [] {
             Bytes b = slgLog(3);
             testlog::setU16(b, 4, static_cast<uint16_t>(-80));
             return b;
         },
         ".slg", true, 255, "Invalid block size in SLG header: -80\n",
         refused("gives no block size")},
        {"an SLG block size past the file",
         [] {
             Bytes b = slgLog(3);
             testlog::setU16(b, 4, 32767);
             return b;
         },
         ".slg", true, 0, "", opens(0)},
        {"SLG sample counts beyond the block",
         [] {
             return slgLog(4, 80,
                           [](int, testlog::SlgSounding& s) { s.sampleCountOverride = 30000; });
         },
         ".slg", true, 0, "", opens(4)},
        {"negative SLG sample counts",
         [] {
             return slgLog(4, 80, [](int, testlog::SlgSounding& s) { s.sampleCountOverride = -5; });
         },
         ".slg", true, 0, "", opens(4)},
        {"a very old log with a wavelet size of 0",
         [] {
             return veryOldLog(3, 2, {0x40, 0x41}, 0);
         },
         ".slg", true, 0, "", refused("header is damaged")},
        {"a very old log with a huge wavelet size",
         [] {
             return veryOldLog(3, 2, {0x40, 0x41}, 0x7FFFFFF0u);
         },
         ".slg", true, 0, "", refused("header is damaged")},
        {"a very old log with a wavelet size not in runs of 1024",
         [] {
             return veryOldLog(3, 2, {0x40, 0x41}, 1001);
         },
         ".slg", true, 0, "", refused("header is damaged")},
        {"a very old log with scale factors out of range",
         [] {
             testlog::VeryOldWriter log(160, 1024);
             for (int32_t scale : {-1, 40, std::numeric_limits<int32_t>::min(),
                                   std::numeric_limits<int32_t>::max()}) {
                 log.addCoded(slgSounding(0).header, scale, {0x40, 0x7F, 0x85});
             }
             return log.bytes();
         },
         ".slg", true, 0, "", opens(4)},
        {"an SL2 packet of size 0",
         [] {
             return sl2Log(4, [](int p, Sl2Column&, Sl2Faults& f) {
                 if (p == 3) {
                     f.packetSize = 0;
                 }
             });
         },
         ".sl2", false, 0,
         "Invalid packet size: 0 < 24 + 144 (column entry = 3, addr = 0x200)\n" +
             stuckAtAZeroSizedPacket() +
             "\nTotal columns = 17\nChannel 0: 2 columns\nChannel 1: 2 columns\nToo many "
             "errors!\n",
         opens()},
        {"an SL2 packet under its header's size",
         [] {
             return sl2Log(4, [](int p, Sl2Column&, Sl2Faults& f) {
                 if (p == 3) {
                     f.packetSize = 100;
                 }
             });
         },
         ".sl2", false, 0,
         "Invalid packet size: 100 < 24 + 144 (column entry = 3, addr = 0x200)\n"
         "\n"
         "Invalid this address: 0x40000000 != 0x264 (column entry = 4, addr = 0x264)\n"
         "Scanning for next valid address.\n"
         "Synced up again: 0x2A8\n"
         "\n"
         "Total columns = 8\n"
         "Channel 0: 4 columns\n"
         "Channel 1: 4 columns\n"
         "Errors: 2\n",
         opens()},
        {"a huge SL2 packet",
         [] {
             return sl2Log(4, [](int p, Sl2Column&, Sl2Faults& f) {
                 if (p == 3) {
                     f.packetSize = 65535;
                 }
             });
         },
         ".sl2", false, 0,
         "Invalid packet size: 65535 (column entry = 3, addr = 0x200)\n"
         "Misaligned file address: 0x101FF (column entry = 4)\n"
         "Misaligned file address: 0x102A7 (column entry = 5)\n"
         "Misaligned file address: 0x1034F (column entry = 6)\n"
         "Misaligned file address: 0x103F7 (column entry = 7)\n"
         "\n"
         "Total columns = 8\n"
         "Channel 0: 4 columns\n"
         "Channel 1: 4 columns\n"
         "Errors: 5\n",
         opens()},
        {"SL2 range cells past the packet",
         [] {
             return sl2Log(4, [](int p, Sl2Column&, Sl2Faults& f) {
                 if (p % 2 == 0) {
                     f.rangeCells = 40000;
                 }
             });
         },
         ".sl2", false, 0,
         "Invalid num range cells: 40000 > 64 (column entry = 0, addr = 0x8)\n"
         "Invalid packet size: 168 < 40000 + 144 (column entry = 0, addr = 0x8)\n"
         "Invalid num range cells: 40000 > 64 (column entry = 2, addr = 0x158)\n"
         "Invalid packet size: 168 < 40000 + 144 (column entry = 2, addr = 0x158)\n"
         "Invalid num range cells: 40000 > 64 (column entry = 4, addr = 0x2A8)\n"
         "Invalid packet size: 168 < 40000 + 144 (column entry = 4, addr = 0x2A8)\n"
         "Invalid num range cells: 40000 > 64 (column entry = 6, addr = 0x3F8)\n"
         "Invalid packet size: 168 < 40000 + 144 (column entry = 6, addr = 0x3F8)\n"
         "\n"
         "Total columns = 8\n"
         "Channel 0: 4 columns\n"
         "Channel 1: 4 columns\n"
         "Errors: 8\n",
         opens()},
        {"SL2 packets linking to themselves",
         [] {
             return sl2Log(4, [](int p, Sl2Column&, Sl2Faults& f) {
                 if (p >= 2) {
                     f.lastChannelAddress = std::make_pair(0, 8u + 168u * static_cast<uint32_t>(p));
                 }
             });
         },
         ".sl2", false, 0,
         "Invalid last channel address: Seq=1, 0: 0x200 != 0x158 (column entry = 3, addr = 0x200)\n"
         "Invalid last channel address: Seq=2, 0: 0x350 != 0x2A8 (column entry = 5, addr = 0x350)\n"
         "Invalid last channel address: Seq=3, 0: 0x4A0 != 0x3F8 (column entry = 7, addr = 0x4A0)\n"
         "\n"
         "Total columns = 8\n"
         "Channel 0: 4 columns\n"
         "Channel 1: 4 columns\n"
         "Errors: 3\n",
         opens(3)},
        {"SL2 links in a loop",
         [] {
             return sl2Log(6, [](int p, Sl2Column&, Sl2Faults& f) {
                 f.lastChannelAddress = std::make_pair(p % 2, p % 4 < 2 ? 8u + 168u * 3 : 8u);
             });
         },
         ".sl2", false, 0,
         "Invalid current channel address: 0: 512 != 8 (column entry = 0, addr = 0x8)\n"
         "Invalid current channel address: 1: 512 != 176 (column entry = 1, addr = 0xB0)\n"
         "Invalid last channel address: Seq=0, 0: 0x8 != 0x200 (column entry = 1, addr = 0xB0)\n"
         "Invalid current channel address: 0: 8 != 344 (column entry = 2, addr = 0x158)\n"
         "Invalid last channel address: Seq=1, 1: 0xB0 != 0x200 (column entry = 2, addr = 0x158)\n"
         "Invalid current channel address: 1: 8 != 512 (column entry = 3, addr = 0x200)\n"
         "Invalid last channel address: Seq=1, 0: 0x158 != 0x8 (column entry = 3, addr = 0x200)\n"
         "Invalid current channel address: 0: 512 != 680 (column entry = 4, addr = 0x2A8)\n"
         "Invalid last channel address: Seq=2, 1: 0x200 != 0x8 (column entry = 4, addr = 0x2A8)\n"
         "Invalid current channel address: 1: 512 != 848 (column entry = 5, addr = 0x350)\n"
         "Invalid last channel address: Seq=2, 0: 0x2A8 != 0x200 (column entry = 5, addr = 0x350)\n"
         "Invalid current channel address: 0: 8 != 1016 (column entry = 6, addr = 0x3F8)\n"
         "Invalid last channel address: Seq=3, 1: 0x350 != 0x200 (column entry = 6, addr = 0x3F8)\n"
         "Invalid current channel address: 1: 8 != 1184 (column entry = 7, addr = 0x4A0)\n"
         "Invalid last channel address: Seq=3, 0: 0x3F8 != 0x8 (column entry = 7, addr = 0x4A0)\n"
         "Invalid current channel address: 0: 512 != 1352 (column entry = 8, addr = 0x548)\n"
         "Invalid last channel address: Seq=4, 1: 0x4A0 != 0x8 (column entry = 8, addr = 0x548)\n"
         "Invalid current channel address: 1: 512 != 1520 (column entry = 9, addr = 0x5F0)\n"
         "Invalid last channel address: Seq=4, 0: 0x548 != 0x200 (column entry = 9, addr = 0x5F0)\n"
         "Invalid current channel address: 0: 8 != 1688 (column entry = 10, addr = 0x698)\n"
         "Invalid last channel address: Seq=5, 1: 0x5F0 != 0x200 (column entry = 10, addr = "
         "0x698)\n"
         "Invalid current channel address: 1: 8 != 1856 (column entry = 11, addr = 0x740)\n"
         "Invalid last channel address: Seq=5, 0: 0x698 != 0x8 (column entry = 11, addr = 0x740)\n"
         "\n"
         "Total columns = 12\n"
         "Channel 0: 6 columns\n"
         "Channel 1: 6 columns\n"
         "Errors: 23\n",
         opens(5)},
        {"SL2 links past the end",
         [] {
             return sl2Log(4, [](int p, Sl2Column&, Sl2Faults& f) {
                 f.lastChannelAddress = std::make_pair(p % 2, 0x7FFFFFF0u);
             });
         },
         ".sl2", false, 0,
         "Invalid current channel address: 0: 2147483632 != 8 (column entry = 0, addr = 0x8)\n"
         "Invalid current channel address: 1: 2147483632 != 176 (column entry = 1, addr = 0xB0)\n"
         "Invalid last channel address: Seq=0, 0: 0x8 != 0x7FFFFFF0 (column entry = 1, addr = "
         "0xB0)\n"
         "Invalid current channel address: 0: 2147483632 != 344 (column entry = 2, addr = 0x158)\n"
         "Invalid last channel address: Seq=1, 1: 0xB0 != 0x7FFFFFF0 (column entry = 2, addr = "
         "0x158)\n"
         "Invalid current channel address: 1: 2147483632 != 512 (column entry = 3, addr = 0x200)\n"
         "Invalid last channel address: Seq=1, 0: 0x158 != 0x7FFFFFF0 (column entry = 3, addr = "
         "0x200)\n"
         "Invalid current channel address: 0: 2147483632 != 680 (column entry = 4, addr = 0x2A8)\n"
         "Invalid last channel address: Seq=2, 1: 0x200 != 0x7FFFFFF0 (column entry = 4, addr = "
         "0x2A8)\n"
         "Invalid current channel address: 1: 2147483632 != 848 (column entry = 5, addr = 0x350)\n"
         "Invalid last channel address: Seq=2, 0: 0x2A8 != 0x7FFFFFF0 (column entry = 5, addr = "
         "0x350)\n"
         "Invalid current channel address: 0: 2147483632 != 1016 (column entry = 6, addr = 0x3F8)\n"
         "Invalid last channel address: Seq=3, 1: 0x350 != 0x7FFFFFF0 (column entry = 6, addr = "
         "0x3F8)\n"
         "Invalid current channel address: 1: 2147483632 != 1184 (column entry = 7, addr = 0x4A0)\n"
         "Invalid last channel address: Seq=3, 0: 0x3F8 != 0x7FFFFFF0 (column entry = 7, addr = "
         "0x4A0)\n"
         "\n"
         "Total columns = 8\n"
         "Channel 0: 4 columns\n"
         "Channel 1: 4 columns\n"
         "Errors: 15\n",
         refused("No intact packet")},
        {"an SL2 address that is not the packet's own",
         [] {
             return sl2Log(4, [](int p, Sl2Column&, Sl2Faults& f) {
                 if (p == 4) {
                     f.thisAddress = 12;
                 }
             });
         },
         ".sl2", false, 0,
         "\n"
         "Invalid this address: 0xC != 0x2A8 (column entry = 4, addr = 0x2A8)\n"
         "Scanning for next valid address.\n"
         "Synced up again: 0x350\n"
         "Invalid sequence number: 3 != 2 (column entry = 5, addr = 0x3F8)\n"
         "\n"
         "Total columns = 7\n"
         "Channel 0: 4 columns\n"
         "Channel 1: 4 columns\n"
         "Errors: 2\n",
         opens()},
        {"an SL2 sequence gap",
         [] {
             return sl2Log(4, [](int p, Sl2Column&, Sl2Faults& f) {
                 if (p == 4) {
                     f.sequence = 7;
                 }
             });
         },
         ".sl2", false, 0,
         "Invalid sequence number: 7 != 2 (column entry = 4, addr = 0x2A8)\n"
         "Invalid sequence number: 3 != 8 (column entry = 6, addr = 0x3F8)\n"
         "\n"
         "Total columns = 8\n"
         "Channel 0: 4 columns\n"
         "Channel 1: 4 columns\n"
         "Errors: 2\n",
         opens(3)},
        {"a repeated SL2 sequence number",
         [] {
             return sl2Log(4, [](int p, Sl2Column&, Sl2Faults& f) {
                 if (p == 4) {
                     f.sequence = 0;
                 }
             });
         },
         ".sl2", false, 0,
         "Invalid sequence number: 0 != 2 (column entry = 4, addr = 0x2A8)\n"
         "Invalid sequence number: 3 != 1 (column entry = 6, addr = 0x3F8)\n"
         "\n"
         "Total columns = 8\n"
         "Channel 0: 4 columns\n"
         "Channel 1: 4 columns\n"
         "Errors: 2\n",
         opens(3)},
        {"SL2 channel codes 6 to 255",
         [] {
             testlog::Sl2Header header;
             header.blockSize = 64;
             testlog::Sl2Writer log(header);
             for (uint16_t code = 6; code <= 255; code = static_cast<uint16_t>(code + 7)) {
                 log.add(sl2Column(0, 1));
                 log.add(sl2Column(code, 2));
             }
             return log.bytes();
         },
         ".sl2", false, 0,
         "Debug not on but debug channel encountered: 6 (column entry = 1, addr = 0xB0)\n"
         "Invalid channel: 13 (column entry = 3, addr = 0x200)\n"
         "Invalid channel: 20 (column entry = 5, addr = 0x350)\n"
         "Invalid channel: 27 (column entry = 7, addr = 0x4A0)\n"
         "Invalid channel: 34 (column entry = 9, addr = 0x5F0)\n"
         "Invalid channel: 41 (column entry = 11, addr = 0x740)\n"
         "Invalid channel: 48 (column entry = 13, addr = 0x890)\n"
         "Invalid channel: 55 (column entry = 15, addr = 0x9E0)\n"
         "Invalid channel: 62 (column entry = 17, addr = 0xB30)\n"
         "Invalid channel: 69 (column entry = 19, addr = 0xC80)\n"
         "Invalid channel: 76 (column entry = 21, addr = 0xDD0)\n"
         "Invalid channel: 83 (column entry = 23, addr = 0xF20)\n"
         "Invalid channel: 90 (column entry = 25, addr = 0x1070)\n"
         "Invalid channel: 97 (column entry = 27, addr = 0x11C0)\n"
         "Invalid channel: 104 (column entry = 29, addr = 0x1310)\n"
         "Invalid channel: 111 (column entry = 31, addr = 0x1460)\n"
         "Invalid channel: 118 (column entry = 33, addr = 0x15B0)\n"
         "Invalid channel: 125 (column entry = 35, addr = 0x1700)\n"
         "Invalid channel: 132 (column entry = 37, addr = 0x1850)\n"
         "Invalid channel: 139 (column entry = 39, addr = 0x19A0)\n"
         "Invalid channel: 146 (column entry = 41, addr = 0x1AF0)\n"
         "Invalid channel: 153 (column entry = 43, addr = 0x1C40)\n"
         "Invalid channel: 160 (column entry = 45, addr = 0x1D90)\n"
         "Invalid channel: 167 (column entry = 47, addr = 0x1EE0)\n"
         "Invalid channel: 174 (column entry = 49, addr = 0x2030)\n"
         "Invalid channel: 181 (column entry = 51, addr = 0x2180)\n"
         "Invalid channel: 188 (column entry = 53, addr = 0x22D0)\n"
         "Invalid channel: 195 (column entry = 55, addr = 0x2420)\n"
         "Invalid channel: 202 (column entry = 57, addr = 0x2570)\n"
         "Invalid channel: 209 (column entry = 59, addr = 0x26C0)\n"
         "Invalid channel: 216 (column entry = 61, addr = 0x2810)\n"
         "Invalid channel: 223 (column entry = 63, addr = 0x2960)\n"
         "Invalid channel: 230 (column entry = 65, addr = 0x2AB0)\n"
         "Invalid channel: 237 (column entry = 67, addr = 0x2C00)\n"
         "Invalid channel: 244 (column entry = 69, addr = 0x2D50)\n"
         "Invalid channel: 251 (column entry = 71, addr = 0x2EA0)\n"
         "\n"
         "Total columns = 72\n"
         "Channel 0: 36 columns\n"
         "Errors: 36\n",
         opens(35)},
        {"NaN in every SL2 float", [] { return sl2WithFloats(kNaN); }, ".sl2", false, 0,
         "\n"
         "Total columns = 24\n"
         "Channel 0: 12 columns\n"
         "Channel 1: 12 columns\n"
         "All headers look good.\n",
         opens(11)},
        {"infinity in every SL2 float", [] { return sl2WithFloats(kInf); }, ".sl2", false, 0,
         "\n"
         "Total columns = 24\n"
         "Channel 0: 12 columns\n"
         "Channel 1: 12 columns\n"
         "All headers look good.\n",
         opens(11)},
        {"minus infinity in every SL2 float", [] { return sl2WithFloats(-kInf); }, ".sl2", false, 0,
         "\n"
         "Total columns = 24\n"
         "Channel 0: 12 columns\n"
         "Channel 1: 12 columns\n"
         "All headers look good.\n",
         opens(11)},
        {"NaN in every SLG float", [] { return slgWithFloats(kNaN); }, ".slg", true, 0, "",
         opens(12)},
        {"infinity in every SLG float", [] { return slgWithFloats(kInf); }, ".slg", true, 0, "",
         opens(12)},
        {"an empty file", [] { return Bytes(); }, ".sl2", false, 255,
         "Verification of input SLG not supported.\n"
         "To verify a log file, pass in a .SL2 file or provide an output file name for converting "
         "to text.\n",
         refused("is empty")},
        {"a text file named .sl2",
         [] {
             const std::string text = "Depth log, Tuesday\nno sonar here\n";
             return Bytes(text.begin(), text.end());
         },
         ".sl2", false, 255, "Input SL2 not supported (very old)\n", refused("not a sonar log")},
    };
}

// Things given as the log that are not files of bytes to read from start to end.
struct PlaceRow
{
    const char* name;
    std::function<std::string(const fs::path& folder)> place;
    bool feedLog; // a FIFO: a writer sends a sound SL2 log through it while tarnex reads
    int exitCode;
    std::string message;
    ViewerOutcome viewer;
};

std::vector<PlaceRow> placeRows()
{
    return {
        {"a folder",
         [](const fs::path& folder) {
             fs::create_directory(folder / "folder.sl2");
             return (folder / "folder.sl2").string();
         },
         false, 255, "Error opening input file for read", refused("It is a folder")},
        {"a FIFO",
         [](const fs::path& folder) {
             const fs::path fifo = folder / "pipe.sl2";
             EXPECT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
             return fifo.string();
         },
         true, 0,
         "\nTotal columns = 8\nChannel 0: 4 columns\nChannel 1: 4 columns\nAll headers look "
         "good.\n",
         refused("not a regular file")},
        {"/dev/zero", [](const fs::path&) { return std::string("/dev/zero"); }, false, 255,
         "Error opening input file for read", refused("not a regular file")},
    };
}

// Writes bytes into a FIFO once a reader opens it, giving up at the time limit.
void feedFifo(const std::string& fifo, const Bytes& bytes)
{
    const auto deadline = Clock::now() + kRowTimeLimit;
    int fd = -1;
    while (fd < 0 && Clock::now() < deadline) {
        fd = ::open(fifo.c_str(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
        if (fd < 0) {
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
        }
    }
    if (fd < 0) {
        return;
    }
    ::fcntl(fd, F_SETFL, 0);
    size_t sent = 0;
    while (sent < bytes.size()) {
        const ssize_t put = ::write(fd, bytes.data() + sent, bytes.size() - sent);
        if (put <= 0) {
            break;
        }
        sent += static_cast<size_t>(put);
    }
    ::close(fd);
}

// Colour files as the viewer writes them, damaged in every way the reader knows.
struct ColorRow
{
    const char* name;
    std::function<QByteArray(const QByteArray& written)> bytes;
    const char* message; // a part of it
};

void putI16At(QByteArray& bytes, int at, int16_t value)
{
    bytes[at] = static_cast<char>(value & 0xFF);
    bytes[at + 1] = static_cast<char>((value >> 8) & 0xFF);
}

std::vector<ColorRow> colorRows()
{
    // Version 2: the version, two words, the three point counts from byte 6, ...; points of
    // six bytes (index, colour) from byte 42.
    return {
        {"an empty colour file", [](const QByteArray&) { return QByteArray(); },
         "Unknown color scheme version!"},
        {"an unknown version",
         [](QByteArray b) {
             putI16At(b, 0, 7);
             return b;
         },
         "Unknown color scheme version!"},
        {"a colour file cut short", [](const QByteArray& b) { return b.left(b.size() / 2); },
         "it ends early"},
        {"a colour file cut inside its counts", [](const QByteArray& b) { return b.left(9); },
         "it ends early"},
        {"a region without points",
         [](QByteArray b) {
             putI16At(b, 8, 0);
             return b;
         },
         "region 1 has 0 color points"},
        {"more points than a region holds",
         [](QByteArray b) {
             putI16At(b, 6, 300);
             return b;
         },
         "region 0 has 300 color points"},
        {"a negative point count",
         [](QByteArray b) {
             putI16At(b, 10, -2);
             return b;
         },
         "region 2 has -2 color points"},
        {"points out of order",
         [](QByteArray b) {
             putI16At(b, 42, 200);
             putI16At(b, 48, 100);
             return b;
         },
         "not in ascending order"},
        {"a version 1 file cut short",
         [](const QByteArray&) { return QByteArray("\x01\x00\x05\x00", 4); }, "it ends early"},
        {"a version 1 file without points",
         [](const QByteArray&) {
             QByteArray b(4000, '\0');
             b[0] = 1;
             return b;
         },
         "the scheme has 0 color points"},
    };
}

class MalformedInputTable : public shelltest::ShellTest
{
protected:
    QString write(const std::string& name, const Bytes& bytes)
    {
        const QString path = filePath(QString::fromStdString(name));
        EXPECT_TRUE(testlog::saveFile(path.toStdString(), bytes));
        return path;
    }

    void checkTarnex(const std::string& log, bool convert, int exitCode, const std::string& message)
    {
        std::vector<std::string> args{log};
        if (convert) {
            args.push_back(filePath(QStringLiteral("out.csv")).toStdString());
        }
        const TarnexRun run = runTarnex(args);
        EXPECT_FALSE(run.timedOut);
        EXPECT_EQ(run.exitCode, exitCode);
        EXPECT_EQ(run.output, message);
        if (!kSanitized) {
            EXPECT_LT(run.peakKb, kMemoryLimitKb);
        }
    }

    // Opens the log; a refusal must name the file and leave no window, an opened log must
    // play to its last sounding in every window it opened (an SL2 log whose primary channel
    // cannot be read opens on the others it has, without a message).
    void checkViewer(brellix::frmMain& main, const QString& log, const ViewerOutcome& outcome)
    {
        m_messages.clear();
        main.openChart(log);
        const QList<brellix::frmDocument*> charts = main.documents();
        if (charts.isEmpty()) {
            ASSERT_EQ(m_messages.size(), 1u) << "refused without a word";
            EXPECT_FALSE(outcome.refusal.isNull())
                << "refused: " << m_messages[0].text.toStdString();
            EXPECT_TRUE(m_messages[0].text.contains(QDir::toNativeSeparators(log)));
            EXPECT_TRUE(m_messages[0].text.contains(outcome.refusal))
                << m_messages[0].text.toStdString();
            return;
        }
        EXPECT_TRUE(outcome.refusal.isNull()) << "opened where it should be refused";
        EXPECT_TRUE(m_messages.empty()) << m_messages[0].text.toStdString();
        if (outcome.soundings >= 0) {
            EXPECT_EQ(charts[0]->SonarFile->NumSoundings(), outcome.soundings);
        }
        // A log without a whole sounding shows an empty chart that never becomes ready.
        if (outcome.soundings == 0) {
            EXPECT_FALSE(charts[0]->bDocumentReady);
        } else {
            playToEnd(main);
        }
        main.mdiArea()->closeAllSubWindows();
        QApplication::processEvents();
    }

    static void finishRedraws(brellix::frmMain& main)
    {
        for (brellix::frmDocument* chart : main.documents()) {
            chart->finishRedraw();
        }
    }

    // Every window of the log from its start until playback pauses at the end, where a jump
    // to the end must find it.
    static void playToEnd(brellix::frmMain& main)
    {
        for (brellix::frmDocument* chart : main.documents()) {
            chart->GotoEnd();
            finishRedraws(main);
            const int32_t end = chart->position();
            chart->GotoStart();
            finishRedraws(main);
            chart->SetState(brellix::frmDocument::kPlaying);
            const int32_t soundings = chart->SonarFile->NumSoundings();
            for (int32_t tick = 0;
                 tick <= soundings + 2 && chart->GetState() == brellix::frmDocument::kPlaying;
                 ++tick) {
                chart->tmrUpdate_Timer();
                finishRedraws(main);
            }
            EXPECT_EQ(chart->GetState(), brellix::frmDocument::kPaused);
            EXPECT_EQ(chart->position(), end);
        }
    }
};

TEST_F(MalformedInputTable, EachDamagedLogHasItsStatedOutcome)
{
    brellix::frmMain& main = startMain();
    const std::vector<LogRow> rows = logRows();
    for (size_t i = 0; i < rows.size(); ++i) {
        const LogRow& row = rows[i];
        SCOPED_TRACE(row.name);
        const auto start = Clock::now();
        const QString log = write("row" + std::to_string(i) + row.extension, row.bytes());
        checkTarnex(log.toStdString(), row.convert, row.exitCode, row.message);
        checkViewer(main, log, row.viewer);
        EXPECT_LT(Clock::now() - start, kRowTimeLimit);
    }
    if (!kSanitized) {
        EXPECT_LT(ownPeakKb(), kMemoryLimitKb);
    }
}

TEST_F(MalformedInputTable, EachPlaceThatIsNotALogFileHasItsStatedOutcome)
{
    brellix::frmMain& main = startMain();
    const Bytes log = sl2Log(4);
    for (const PlaceRow& row : placeRows()) {
        SCOPED_TRACE(row.name);
        const auto start = Clock::now();
        const std::string place = row.place(fs::path(m_dir.path().toStdString()));
        std::thread feeder;
        if (row.feedLog) {
            feeder = std::thread(feedFifo, place, log);
        }
        checkTarnex(place, false, row.exitCode, row.message);
        if (feeder.joinable()) {
            feeder.join();
        }
        checkViewer(main, QString::fromStdString(place), row.viewer);
        EXPECT_LT(Clock::now() - start, kRowTimeLimit);
    }
}

// Every length a small log of each format can be cut to: the converter ends with one of its own
// messages, and the viewer refuses the log with a message or plays what is left to its end.
TEST_F(MalformedInputTable, ALogCutAtEveryOffsetEndsCleanly)
{
    const std::vector<std::string> tarnexLines = {"Invalid ",
                                                  "Misaligned file address: ",
                                                  "Short read: ",
                                                  "Scanning for next",
                                                  "Synced up again",
                                                  "Total columns = ",
                                                  "Channel ",
                                                  "Too many errors!",
                                                  "Errors: ",
                                                  "All headers look good.",
                                                  "Debug not on",
                                                  "Verification of input",
                                                  "To verify a log",
                                                  "Input SL2 not supported",
                                                  ""};
    struct Cut
    {
        const char* format;
        Bytes log;
        bool convert;
    };
    const Cut cuts[] = {{"SL2", sl2Log(2), false},
                        {"SLG", slgLog(3), true},
                        {"very old SLG", veryOldLog(3, 2, {0x40, 0x41, 0x85}), true}};
    brellix::frmMain& main = startMain();
    for (const Cut& cut : cuts) {
        SCOPED_TRACE(cut.format);
        const auto start = Clock::now();
        for (size_t length = 0; length < cut.log.size(); ++length) {
            SCOPED_TRACE(length);
            const QString path = filePath(QStringLiteral("cut.log"));
            ASSERT_TRUE(testlog::saveFile(path.toStdString(),
                                          Bytes(cut.log.begin(), cut.log.begin() + length)));
            std::vector<std::string> args{path.toStdString()};
            if (cut.convert) {
                args.push_back(filePath(QStringLiteral("out.csv")).toStdString());
            }
            // The converter's own code in this process: starting the program some 1400 times
            // would take most of a minute here. The other rows run the program itself.
            tarnex::StringSink console;
            const int status = tarnex::run(args, console);
            EXPECT_TRUE(status == tarnex::kExitOk || status == tarnex::kExitFailure) << status;
            for (const std::string& line : splitLines(console.text())) {
                EXPECT_TRUE(std::any_of(
                    tarnexLines.begin(), tarnexLines.end(),
                    [&line](const std::string& known) { return line.rfind(known, 0) == 0; }))
                    << line;
            }
            m_messages.clear();
            main.openChart(path);
            if (main.documents().isEmpty()) {
                ASSERT_EQ(m_messages.size(), 1u);
                EXPECT_TRUE(m_messages[0].text.contains(QDir::toNativeSeparators(path)));
            } else if (main.documents()[0]->bDocumentReady) {
                playToEnd(main);
            }
            main.mdiArea()->closeAllSubWindows();
            QApplication::processEvents();
        }
        EXPECT_LT(Clock::now() - start, 3 * kRowTimeLimit);
    }
}

// A damaged colour file is refused with its reason, and the scheme the viewer had stays.
TEST_F(MalformedInputTable, EachDamagedColourFileIsRefusedAndTheSchemeKept)
{
    brellix::frmMain& main = startMain();
    const QString sound = filePath(QStringLiteral("sound.kcf"));
    ASSERT_TRUE(main.UserColorScheme().WriteScheme(sound, true));
    QFile written(sound);
    ASSERT_TRUE(written.open(QIODevice::ReadOnly));
    const QByteArray bytes = written.readAll();
    const QString before = QString::fromLatin1(bytes.toHex());

    std::vector<ColorRow> rows = colorRows();
    const QString fifo = filePath(QStringLiteral("pipe.kcf"));
    ASSERT_EQ(::mkfifo(fifo.toLocal8Bit().constData(), 0600), 0);
    QDir(m_dir.path()).mkdir(QStringLiteral("folder.kcf"));
    const std::pair<QString, const char*> places[] = {
        {fifo, "Unknown color scheme version!"},
        {filePath(QStringLiteral("folder.kcf")), "Unknown color scheme version!"},
        {QStringLiteral("/dev/zero"), "Unknown color scheme version!"}};

    QString answer;
    main.setFileChooser([&answer](const brellix::FileRequest&) { return answer; });
    const auto refusedWith = [&](const QString& path, const char* message) {
        m_messages.clear();
        answer = path;
        main.fileCommands().OpenUserColors();
        ASSERT_EQ(m_messages.size(), 1u);
        EXPECT_TRUE(m_messages[0].text.contains(QLatin1String(message)))
            << m_messages[0].text.toStdString();
        const QString check = filePath(QStringLiteral("check.kcf"));
        ASSERT_TRUE(main.UserColorScheme().WriteScheme(check, true));
        QFile after(check);
        ASSERT_TRUE(after.open(QIODevice::ReadOnly));
        EXPECT_EQ(QString::fromLatin1(after.readAll().toHex()), before);
    };
    for (const ColorRow& row : rows) {
        SCOPED_TRACE(row.name);
        const QString path = filePath(QStringLiteral("damaged.kcf"));
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(row.bytes(bytes));
        file.close();
        refusedWith(path, row.message);
    }
    for (const auto& [path, message] : places) {
        SCOPED_TRACE(path.toStdString());
        const auto start = Clock::now();
        refusedWith(path, message);
        EXPECT_LT(Clock::now() - start, kRowTimeLimit);
    }
}

// A settings file of garbage: the viewer starts on its defaults and plays a log.
TEST_F(MalformedInputTable, ASettingsFileOfGarbageStillLetsALogPlay)
{
    m_settings.reset();
    QFile file(settingsPath());
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    Bytes noise(20000);
    uint32_t state = 12345;
    for (uint8_t& byte : noise) {
        state = state * 1103515245u + 12345u;
        byte = static_cast<uint8_t>(state >> 16);
    }
    file.write(reinterpret_cast<const char*>(noise.data()), static_cast<qint64>(noise.size()));
    file.write("\n[Options]\nDocState=\xff\xfe\nMainLeft=-99999999999\n[Settings\n=\n");
    file.close();
    m_settings = std::make_unique<brellix::SettingsStore>(settingsPath());

    brellix::frmMain& main = startMain();
    const QString log = filePath(QStringLiteral("sound.sl2"));
    ASSERT_TRUE(testlog::saveFile(log.toStdString(), sl2Log(6)));
    checkViewer(main, log, opens(5));
}

} // namespace
