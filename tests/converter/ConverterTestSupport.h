// Shared helpers of the converter tests: standard packets and soundings from the log writer,
// in-process runs of both modes, runs of the real tarnex binary, and a temporary folder.
#pragma once

#include "BuildFolder.h"
#include "LogInput.h"
#include "LogWriter.h"
#include "Sink.h"
#include "Tarnex.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace tarnextest {

namespace fs = std::filesystem;

// A column of channel with cells samples that can never look like a packet address.
inline testlog::Sl2Column column(uint16_t channel, size_t cells = 32)
{
    testlog::Sl2Column c;
    c.channel = channel;
    c.samples.assign(cells, 0x55);
    return c;
}

struct Result
{
    int status = 0;
    std::string console;
    std::string csv;
};

inline Result verifyBytes(const std::vector<uint8_t>& bytes)
{
    auto input = tarnex::LogInput::fromMemory(bytes.data(), bytes.size());
    tarnex::StringSink console;
    Result result;
    result.status = tarnex::verifyLog(*input, console);
    result.console = console.text();
    return result;
}

inline Result convertBytes(const std::vector<uint8_t>& bytes)
{
    auto input = tarnex::LogInput::fromMemory(bytes.data(), bytes.size());
    tarnex::StringSink console;
    tarnex::StringSink csv;
    Result result;
    result.status = tarnex::convertLog(*input, csv, console);
    result.console = console.text();
    result.csv = csv.text();
    return result;
}

inline std::vector<std::string> lines(const std::string& text)
{
    std::vector<std::string> out;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos) {
            end = text.size();
        }
        out.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    return out;
}

inline std::string readText(const fs::path& path)
{
    const std::vector<uint8_t> bytes = testlog::loadFile(path);
    return std::string(bytes.begin(), bytes.end());
}

// A fresh folder per test, removed afterwards.
class TempFolder : public ::testing::Test
{
protected:
    void SetUp() override
    {
        static std::atomic<int> counter{0};
        m_folder = fs::temp_directory_path() /
                   ("tarnex-test-" + std::to_string(::getpid()) + "-" + std::to_string(counter++));
        fs::create_directories(m_folder);
    }
    void TearDown() override
    {
        std::error_code ignored;
        fs::remove_all(m_folder, ignored);
    }
    fs::path path(const std::string& name) const { return m_folder / name; }

private:
    fs::path m_folder;
};

// The real program, run through the shell with its standard output captured.
inline fs::path tarnexBinary()
{
    return testsupport::binFolder() / "tarnex";
}

inline std::string quote(const std::string& text)
{
    std::string out = "'";
    for (char c : text) {
        if (c == '\'') {
            out += "'\\''";
        } else {
            out += c;
        }
    }
    return out + "'";
}

struct ProgramRun
{
    int exitCode = -1; // as the shell sees it: 0 to 255
    std::string output;
};

// shellPrefix comes before the program in the shell command (limits, traps; end it in exec).
inline ProgramRun runTarnex(const std::vector<std::string>& args,
                            const std::string& shellPrefix = {})
{
    std::string command = shellPrefix + quote(tarnexBinary().string());
    for (const std::string& arg : args) {
        command += " " + quote(arg);
    }
    ProgramRun run;
    std::FILE* pipe = ::popen(command.c_str(), "r");
    if (pipe == nullptr) {
        ADD_FAILURE() << "cannot start " << command;
        return run;
    }
    char buffer[4096];
    size_t got;
    while ((got = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) {
        run.output.append(buffer, got);
    }
    const int status = ::pclose(pipe);
    run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return run;
}

} // namespace tarnextest
