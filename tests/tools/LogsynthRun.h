// Runs the real logsynth binary and keeps its exit status and output; owns a scratch folder.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace toolstest {

struct RunResult
{
    int status = -1; // exit status, or -1 when the program did not exit normally
    std::string out;
    std::string err;
};

class ScratchDir
{
public:
    ScratchDir();
    ~ScratchDir();
    ScratchDir(const ScratchDir&) = delete;
    ScratchDir& operator=(const ScratchDir&) = delete;

    const std::filesystem::path& path() const { return m_path; }
    std::filesystem::path file(const std::string& name) const { return m_path / name; }

private:
    std::filesystem::path m_path;
};

// The whole file in one read (the writer's loader goes byte by byte: slow on large logs
// under the sanitizers); empty when it cannot be read.
std::vector<uint8_t> readFile(const std::filesystem::path& path);

// Runs logsynth with the arguments; scratch holds the captured output.
RunResult runLogsynth(const std::vector<std::string>& args, const ScratchDir& scratch);

} // namespace toolstest
