// 64-bit file offsets on 32-bit systems too.
#define _FILE_OFFSET_BITS 64 // NOLINT(bugprone-reserved-identifier,cert-dcl37-c,cert-dcl51-cpp)

#include "LogInput.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

static_assert(sizeof(off_t) == 8, "the converter needs 64-bit file offsets");

namespace tarnex {

namespace {
// One read call per window: big enough to make the system-call count vanish, small enough
// that the copy out of the page cache stays in the processor's cache.
constexpr size_t kWindowSize = size_t{1024} * 1024;
} // namespace

std::unique_ptr<LogInput> LogInput::openFile(const std::string& path)
{
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        return nullptr;
    }
    struct stat info;
    // A terminal or a device such as /dev/zero never ends: it cannot hold a log.
    if (::fstat(fd, &info) != 0 || S_ISDIR(info.st_mode) || S_ISCHR(info.st_mode)) {
        ::close(fd);
        return nullptr;
    }
    std::unique_ptr<LogInput> input(new LogInput);
    // A block device (a card read raw) has a length too, though stat does not give it.
    const off_t length = S_ISBLK(info.st_mode) ? ::lseek(fd, 0, SEEK_END) : info.st_size;
    if (S_ISREG(info.st_mode) || (S_ISBLK(info.st_mode) && length >= 0)) {
        input->m_fd = fd;
        input->m_size = static_cast<uint64_t>(length);
        input->m_buffer.resize(kWindowSize);
        ::posix_fadvise(fd, 0, 0, POSIX_FADV_SEQUENTIAL);
        return input;
    }
    // A pipe or device has no length to walk against: take it all in first.
    std::vector<uint8_t> all;
    uint8_t chunk[65536];
    for (;;) {
        const ssize_t got = ::read(fd, chunk, sizeof chunk);
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got <= 0) {
            break;
        }
        all.insert(all.end(), chunk, chunk + got);
    }
    ::close(fd);
    input->m_buffer = std::move(all);
    input->m_size = input->m_buffer.size();
    input->m_window = input->m_buffer.data();
    input->m_windowSize = input->m_size;
    return input;
}

std::unique_ptr<LogInput> LogInput::fromMemory(const uint8_t* data, size_t size)
{
    std::unique_ptr<LogInput> input(new LogInput);
    input->m_size = size;
    input->m_window = data;
    input->m_windowSize = size;
    return input;
}

LogInput::~LogInput()
{
    if (m_fd >= 0) {
        ::close(m_fd);
    }
}

const uint8_t* LogInput::refill(uint64_t address, size_t wanted, size_t& available)
{
    if (address >= m_size) {
        available = 0;
        return m_window;
    }
    const uint64_t left = m_size - address;
    if (m_fd < 0) {
        // Memory input: the window is the whole input, so only the end can cut a view short.
        available = static_cast<size_t>(left < wanted ? left : wanted);
        return m_window + address;
    }
    size_t filled = 0;
    const size_t target = static_cast<size_t>(left < m_buffer.size() ? left : m_buffer.size());
    while (filled < target) {
        const ssize_t got = ::pread(m_fd, m_buffer.data() + filled, target - filled,
                                    static_cast<off_t>(address + filled));
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got <= 0) {
            break; // the file shrank or a read failed: what was read is all there is
        }
        filled += static_cast<size_t>(got);
    }
    m_window = m_buffer.data();
    m_windowStart = address;
    m_windowSize = filled;
    available = filled < wanted ? filled : wanted;
    return m_window;
}

size_t LogInput::readPadded(uint64_t address, uint8_t* out, size_t size)
{
    size_t copied = 0;
    while (copied < size) {
        const size_t part = size - copied < kMaxView ? size - copied : kMaxView;
        size_t available = 0;
        const uint8_t* bytes = view(address + copied, part, available);
        if (available > 0) {
            std::memcpy(out + copied, bytes, available);
            copied += available;
        }
        if (available < part) {
            break;
        }
    }
    if (copied < size) {
        std::memset(out + copied, 0, size - copied);
    }
    return copied;
}

} // namespace tarnex
