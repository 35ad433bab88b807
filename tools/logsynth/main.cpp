// logsynth: writes demo and benchmark sonar logs from a seed.
#include "CommandLine.h"
#include "LogGenerator.h"

#include <cstdio>
#include <string>
#include <vector>

int main(int argc, char** argv)
{
    using namespace logsynth;
    const CommandLine cl = CommandLine::parse(std::vector<std::string>(argv + 1, argv + argc));
    if (cl.help) {
        return std::fputs(CommandLine::usage().c_str(), stdout) < 0 ? 1 : 0;
    }
    if (!cl.error.empty()) {
        (void)std::fprintf(stderr, "logsynth: %s\nTry 'logsynth --help'.\n", cl.error.c_str());
        return 2;
    }

    const LogGenerator generator(cl.settings);
    const std::string limit = generator.checkLimits();
    if (!limit.empty()) {
        (void)std::fprintf(stderr, "logsynth: %s\n", limit.c_str());
        return 2;
    }
    const GeneratorResult result = generator.write(cl.outFile);
    if (!result.error.empty()) {
        (void)std::fprintf(stderr, "logsynth: %s\n", result.error.c_str());
        return 1;
    }
    std::printf("logsynth: wrote %s: %llu columns per channel, %llu bytes\n", cl.outFile.c_str(),
                static_cast<unsigned long long>(result.columns),
                static_cast<unsigned long long>(result.bytes));
    return 0;
}
