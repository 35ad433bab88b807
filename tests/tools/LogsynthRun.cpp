#include "LogsynthRun.h"

#include "BuildFolder.h"

#include <atomic>
#include <cstdlib>
#include <fstream>
#include <stdexcept>
#include <sys/wait.h>
#include <unistd.h>

namespace toolstest {

namespace fs = std::filesystem;

namespace {

std::string quoted(const std::string& text)
{
    std::string q = "'";
    for (char c : text) {
        q += c == '\'' ? std::string("'\\''") : std::string(1, c);
    }
    return q + "'";
}

std::string readText(const fs::path& path)
{
    const std::vector<uint8_t> bytes = readFile(path);
    return std::string(bytes.begin(), bytes.end());
}

} // namespace

std::vector<uint8_t> readFile(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::error_code error;
    const auto size = fs::file_size(path, error);
    if (!in || error) {
        return {};
    }
    std::vector<uint8_t> bytes(static_cast<size_t>(size));
    if (!in.read(reinterpret_cast<char*>(bytes.data()),
                 static_cast<std::streamsize>(bytes.size()))) {
        return {};
    }
    return bytes;
}

ScratchDir::ScratchDir()
{
    static std::atomic<int> counter{0};
    m_path = fs::temp_directory_path() /
             ("logsynth-test-" + std::to_string(::getpid()) + "-" + std::to_string(counter++));
    fs::remove_all(m_path);
    fs::create_directories(m_path);
}

ScratchDir::~ScratchDir()
{
    std::error_code ignored;
    fs::remove_all(m_path, ignored);
}

RunResult runLogsynth(const std::vector<std::string>& args, const ScratchDir& scratch)
{
    std::string command = quoted((testsupport::binFolder() / "logsynth").string());
    for (const std::string& arg : args) {
        command += " " + quoted(arg);
    }
    const fs::path out = scratch.file("run.out");
    const fs::path err = scratch.file("run.err");
    command += " >" + quoted(out.string()) + " 2>" + quoted(err.string());

    RunResult result;
    const int raw = std::system(command.c_str());
    if (raw != -1 && WIFEXITED(raw)) {
        result.status = WEXITSTATUS(raw);
    }
    result.out = readText(out);
    result.err = readText(err);
    return result;
}

} // namespace toolstest
