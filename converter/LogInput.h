// Read access to a log by absolute address, for the converter's sequential walks. A file is
// read through one large read-ahead window (few system calls, 64-bit addresses, logs up to
// and beyond 4 GB); a memory block (the fuzzer, tests) is used in place.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace tarnex {

class LogInput
{
public:
    // Opens a file for reading; nullptr when it cannot be opened, or is a directory or a
    // character device. Pipes are read whole at once.
    static std::unique_ptr<LogInput> openFile(const std::string& path);
    // Reads from bytes the caller keeps alive and unchanged while the input is used.
    static std::unique_ptr<LogInput> fromMemory(const uint8_t* data, size_t size);

    ~LogInput();
    LogInput(const LogInput&) = delete;
    LogInput& operator=(const LogInput&) = delete;

    uint64_t size() const { return m_size; }

    // The bytes [address, address + wanted) or as many of them as the input holds; available
    // says how many (0 at or past the end). wanted must not exceed kMaxView. The pointer
    // stays valid until the next call.
    const uint8_t* view(uint64_t address, size_t wanted, size_t& available)
    {
        if (address >= m_windowStart && address + wanted <= m_windowStart + m_windowSize) {
            available = wanted;
            return m_window + (address - m_windowStart);
        }
        return refill(address, wanted, available);
    }

    // Copies up to size bytes at address into out, zero-filling what the input lacks.
    // Returns the number of bytes that came from the input.
    size_t readPadded(uint64_t address, uint8_t* out, size_t size);

    static constexpr size_t kMaxView = size_t{64} * 1024;

private:
    LogInput() = default;
    const uint8_t* refill(uint64_t address, size_t wanted, size_t& available);

    int m_fd = -1;
    uint64_t m_size = 0;
    std::vector<uint8_t> m_buffer; // the read-ahead window of a file
    const uint8_t* m_window = nullptr;
    uint64_t m_windowStart = 0;
    uint64_t m_windowSize = 0;
};

} // namespace tarnex
