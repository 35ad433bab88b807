#include "CommandLine.h"

#include <charconv>

namespace logsynth {

namespace {

constexpr uint64_t kDefaultColumns = 3000;
constexpr uint64_t kMaxSizeMb = 4095; // SL2 addresses are 32-bit

bool parseNumber(const std::string& text, uint64_t& value)
{
    const char* first = text.data();
    const char* last = first + text.size();
    const auto [end, ec] = std::from_chars(first, last, value);
    return !text.empty() && ec == std::errc() && end == last;
}

} // namespace

std::string CommandLine::usage()
{
    return "Usage: logsynth [--format sl2|slg|veryold] [--seed N] [--columns N | --size-mb N]\n"
           "                [--debug] OUTFILE\n"
           "Writes a demo sonar log of a synthetic lake survey. The same seed always gives\n"
           "the same bytes.\n"
           "\n"
           "  --format F     sl2 (default): channels 0-5 interleaved; slg: the primary\n"
           "                 channel as an SLG log; veryold: the same as a very old,\n"
           "                 wavelet-coded SLG log\n"
           "  --seed N       scene seed, 0 to 2^64-1 (default 1)\n"
           "  --columns N    soundings per channel (default 3000)\n"
           "  --size-mb N    write until the log reaches N MiB (at most 4095: SL2 file\n"
           "                 addresses are 32-bit)\n"
           "  --debug        SL2 only: add the debug channels 10 and 11 after every\n"
           "                 primary packet\n"
           "  --help         show this text\n"
           "\n"
           "Exit status: 0 written, 1 the log could not be written, 2 bad arguments.\n";
}

CommandLine CommandLine::parse(const std::vector<std::string>& args)
{
    CommandLine cl;
    cl.settings.columns = kDefaultColumns;
    bool haveColumns = false;
    bool haveSize = false;
    std::vector<std::string> files;

    for (size_t i = 0; i < args.size(); ++i) {
        std::string arg = args[i];
        std::string value;
        bool hasValue = false;
        if (arg.rfind("--", 0) == 0) {
            const size_t eq = arg.find('=');
            if (eq != std::string::npos) {
                value = arg.substr(eq + 1);
                arg.resize(eq);
                hasValue = true;
            }
        }
        auto takeValue = [&]() -> bool {
            if (hasValue) {
                return true;
            }
            if (i + 1 >= args.size()) {
                return false;
            }
            value = args[++i];
            return true;
        };
        auto fail = [&](const std::string& why) {
            cl.error = why;
            return cl;
        };

        if (arg == "--help" || arg == "-h") {
            cl.help = true;
        } else if (arg == "--debug") {
            if (hasValue) {
                return fail("--debug takes no value");
            }
            cl.settings.debug = true;
        } else if (arg == "--format") {
            if (!takeValue()) {
                return fail("--format needs a value: sl2, slg or veryold");
            }
            if (value == "sl2") {
                cl.settings.format = Format::Sl2;
            } else if (value == "slg") {
                cl.settings.format = Format::Slg;
            } else if (value == "veryold") {
                cl.settings.format = Format::VeryOld;
            } else {
                return fail("unknown format '" + value + "': use sl2, slg or veryold");
            }
        } else if (arg == "--seed") {
            if (!takeValue() || !parseNumber(value, cl.settings.seed)) {
                return fail("--seed needs a whole number from 0 to 2^64-1");
            }
        } else if (arg == "--columns") {
            uint64_t columns = 0;
            if (!takeValue() || !parseNumber(value, columns) || columns == 0) {
                return fail("--columns needs a whole number of at least 1");
            }
            cl.settings.columns = columns;
            haveColumns = true;
        } else if (arg == "--size-mb") {
            uint64_t mb = 0;
            if (!takeValue() || !parseNumber(value, mb) || mb == 0) {
                return fail("--size-mb needs a whole number of at least 1");
            }
            if (mb > kMaxSizeMb) {
                return fail("--size-mb " + value +
                            " would pass 4 GB, more than SL2's 32-bit file addresses reach "
                            "(at most 4095)");
            }
            cl.settings.sizeBytes = mb << 20;
            haveSize = true;
        } else if (arg.size() > 1 && arg[0] == '-') {
            return fail("unknown option '" + args[i] + "'");
        } else {
            files.push_back(arg);
        }
    }
    if (cl.help) {
        return cl;
    }
    if (haveColumns && haveSize) {
        cl.error = "give either --columns or --size-mb, not both";
        return cl;
    }
    if (files.size() != 1) {
        cl.error = files.empty() ? "missing OUTFILE" : "more than one OUTFILE given";
        return cl;
    }
    cl.outFile = files.front();
    return cl;
}

} // namespace logsynth
