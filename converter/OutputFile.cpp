#include "OutputFile.h"

#include <cstdlib>
#include <vector>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace tarnex {

namespace {

// The file a name stands for: a symbolic link's resolved target, else the name itself.
std::string resolvedTarget(const std::string& path)
{
    struct stat link = {};
    if (::lstat(path.c_str(), &link) == 0 && S_ISLNK(link.st_mode)) {
        if (char* real = ::realpath(path.c_str(), nullptr)) {
            std::string resolved(real);
            std::free(real);
            return resolved;
        }
    }
    return path;
}

// The permissions a new file of the name would get: those of the file it replaces, or what
// the umask leaves of rw-rw-rw-.
mode_t modeFor(const struct stat* existing)
{
    if (existing) {
        return existing->st_mode & 07777;
    }
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

std::FILE* openDirectly(const std::string& path)
{
    return std::fopen(path.c_str(), "wb");
}

} // namespace

OutputFile::OutputFile(std::FILE* stream, std::string target, std::string temporary)
    : m_stream(stream), m_target(std::move(target)), m_temporary(std::move(temporary))
{
}

std::unique_ptr<OutputFile> OutputFile::open(const std::string& path)
{
    const std::string target = resolvedTarget(path);
    struct stat existing = {};
    const bool exists = ::stat(target.c_str(), &existing) == 0;
    if (exists && !S_ISREG(existing.st_mode)) {
        std::FILE* stream = openDirectly(target);
        return stream ? std::unique_ptr<OutputFile>(new OutputFile(stream, target, {})) : nullptr;
    }
    // The old program's check: a file that cannot be opened for writing is refused before
    // anything is converted (a read-only file, a missing folder).
    if (exists && ::access(target.c_str(), W_OK) != 0) {
        return nullptr;
    }

    const size_t slash = target.find_last_of('/');
    const std::string folder =
        slash == std::string::npos ? std::string() : target.substr(0, slash + 1);
    const std::string name = slash == std::string::npos ? target : target.substr(slash + 1);
    std::string pattern = folder + "." + name + ".XXXXXX";
    std::vector<char> buffer(pattern.begin(), pattern.end());
    buffer.push_back('\0');
    const int fd = ::mkstemp(buffer.data());
    if (fd < 0) {
        // A folder that takes no new files may still hold a file that can be rewritten in place.
        std::FILE* stream = openDirectly(target);
        return stream ? std::unique_ptr<OutputFile>(new OutputFile(stream, target, {})) : nullptr;
    }
    const std::string temporary(buffer.data());
    ::fchmod(fd, modeFor(exists ? &existing : nullptr));
    std::FILE* stream = ::fdopen(fd, "wb");
    if (!stream) {
        ::close(fd);
        ::unlink(temporary.c_str());
        return nullptr;
    }
    return std::unique_ptr<OutputFile>(new OutputFile(stream, target, temporary));
}

OutputFile::~OutputFile()
{
    discard();
}

void OutputFile::discard()
{
    if (m_stream) {
        // What is discarded has no errors worth reporting.
        (void)std::fclose(m_stream);
        m_stream = nullptr;
        if (!m_temporary.empty()) {
            ::unlink(m_temporary.c_str());
        }
    }
}

bool OutputFile::commit()
{
    if (!m_stream) {
        return false;
    }
    const bool written = std::fflush(m_stream) == 0 && !std::ferror(m_stream);
    const bool closed = std::fclose(m_stream) == 0;
    m_stream = nullptr;
    if (m_temporary.empty()) {
        return written && closed;
    }
    if (!written || !closed || std::rename(m_temporary.c_str(), m_target.c_str()) != 0) {
        ::unlink(m_temporary.c_str());
        return false;
    }
    return true;
}

} // namespace tarnex
