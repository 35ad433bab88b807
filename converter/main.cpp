// tarnex: converts a sonar log to comma-separated text, or verifies an SL2 log.
#include "Sink.h"
#include "Tarnex.h"

#include <cstdio>
#include <string>
#include <vector>

int main(int argc, char** argv)
{
    const std::vector<std::string> args(argv + 1, argv + argc);
    tarnex::FileSink console(stdout);
    const int status = tarnex::run(args, console);
    // The messages are the result of a verification: when they cannot all be printed (output
    // onto a full disk), the run did not succeed.
    const bool printed = console.flush();
    if (std::fflush(stdout) != 0 || !printed) {
        return tarnex::kExitFailure;
    }
    return status;
}
