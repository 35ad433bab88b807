// Buffered byte output for the converter: the console messages and the text file both go
// through a Sink, so tests and the fuzzer can catch or drop what the program would print.
#pragma once

#include <cstddef>
#include <cstdio>
#include <string>
#include <vector>

namespace tarnex {

class Sink
{
public:
    // bufferSize is raised to at least kMaxReserve.
    explicit Sink(size_t bufferSize = kDefaultBufferSize);
    virtual ~Sink() = default;
    Sink(const Sink&) = delete;
    Sink& operator=(const Sink&) = delete;

    void write(const char* data, size_t size);
    void write(const std::string& text) { write(text.data(), text.size()); }
    // C printf formatting; the result is appended like write().
    void print(const char* format, ...) __attribute__((format(printf, 2, 3)));

    // A pointer to at least size free bytes at the end of the buffer (size <= kMaxReserve);
    // commit(end) then keeps the bytes written up to end. For rows built in place.
    char* reserve(size_t size);
    void commit(const char* end) { m_used = static_cast<size_t>(end - m_buffer.data()); }

    // Hands everything buffered on; false once any delivery failed.
    bool flush();
    bool ok() const { return m_ok; }

    static constexpr size_t kMaxReserve = 4096;
    // Large enough that a 1 GB conversion makes few write calls, small enough for the cache.
    static constexpr size_t kDefaultBufferSize = size_t{256} * 1024;
    static constexpr size_t kSmallBufferSize = size_t{16} * 1024;

protected:
    // Receives buffered bytes in order; returns false when they could not be delivered.
    virtual bool deliver(const char* data, size_t size) = 0;
    // Receives the whole buffer holding size bytes to deliver. A sink that delivers later may
    // swap it for an empty buffer of the same length; by default the bytes are delivered now.
    virtual bool deliverBuffer(std::vector<char>& buffer, size_t size)
    {
        return deliver(buffer.data(), size);
    }

private:
    std::vector<char> m_buffer;
    size_t m_used = 0;
    bool m_ok = true;
};

// Writes to a C stream it does not own (stdout, or an output file the caller closes).
class FileSink final : public Sink
{
public:
    explicit FileSink(std::FILE* file) : m_file(file) {}
    ~FileSink() override { flush(); }

protected:
    bool deliver(const char* data, size_t size) override;

private:
    std::FILE* m_file;
};

// Collects everything in a string (tests).
class StringSink final : public Sink
{
public:
    StringSink() : Sink(kSmallBufferSize) {}
    ~StringSink() override = default;
    // Everything written so far, buffered bytes included.
    const std::string& text();

protected:
    bool deliver(const char* data, size_t size) override;

private:
    std::string m_text;
};

// Formats and forgets (the fuzzer, and timing the formatting alone).
class NullSink final : public Sink
{
public:
    NullSink() : Sink(kSmallBufferSize) {}
    ~NullSink() override = default;
    size_t bytesDelivered() const { return m_count; }

protected:
    bool deliver(const char*, size_t size) override
    {
        m_count += size;
        return true;
    }

private:
    size_t m_count = 0;
};

} // namespace tarnex
