// The logsynth command line.
#pragma once

#include "LogGenerator.h"

#include <string>
#include <vector>

namespace logsynth {

struct CommandLine
{
    GeneratorSettings settings;
    std::string outFile;
    bool help = false;
    std::string error; // why the arguments were refused; empty when they parse

    // Parses the arguments after the program name.
    static CommandLine parse(const std::vector<std::string>& args);
    static std::string usage();
};

} // namespace logsynth
