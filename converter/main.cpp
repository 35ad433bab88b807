// tarnex: converts a sonar log to comma-separated text, or verifies an SL2 log.
#include "Sink.h"
#include "Tarnex.h"

#include <cstdio>
#include <string>
#include <vector>

int main(int argc, char** argv)
{
    const std::vector<std::string> args(argv + 1, argv + argc);
    int status;
    {
        tarnex::FileSink console(stdout);
        status = tarnex::run(args, console);
    }
    std::fflush(stdout);
    return status;
}
