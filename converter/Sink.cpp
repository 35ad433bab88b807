#include "Sink.h"

#include <cstdarg>
#include <cstring>

namespace tarnex {

Sink::Sink(size_t bufferSize) : m_buffer(bufferSize < kMaxReserve ? kMaxReserve : bufferSize) {}

void Sink::write(const char* data, size_t size)
{
    if (size > m_buffer.size() - m_used) {
        flush();
        if (size > m_buffer.size()) {
            if (!deliver(data, size)) {
                m_ok = false;
            }
            return;
        }
    }
    std::memcpy(m_buffer.data() + m_used, data, size);
    m_used += size;
}

void Sink::print(const char* format, ...)
{
    char text[1024];
    va_list args;
    va_start(args, format);
    const int length = std::vsnprintf(text, sizeof text, format, args);
    va_end(args);
    if (length <= 0) {
        return;
    }
    if (static_cast<size_t>(length) < sizeof text) {
        write(text, static_cast<size_t>(length));
        return;
    }
    std::vector<char> big(static_cast<size_t>(length) + 1);
    va_start(args, format);
    const int again = std::vsnprintf(big.data(), big.size(), format, args);
    va_end(args);
    if (again == length) {
        write(big.data(), static_cast<size_t>(length));
    }
}

char* Sink::reserve(size_t size)
{
    if (size > m_buffer.size() - m_used) {
        flush();
    }
    return m_buffer.data() + m_used;
}

bool Sink::flush()
{
    if (m_used > 0) {
        if (!deliverBuffer(m_buffer, m_used)) {
            m_ok = false;
        }
        m_used = 0;
    }
    return m_ok;
}

bool FileSink::deliver(const char* data, size_t size)
{
    return std::fwrite(data, 1, size, m_file) == size;
}

const std::string& StringSink::text()
{
    flush();
    return m_text;
}

bool StringSink::deliver(const char* data, size_t size)
{
    m_text.append(data, size);
    return true;
}

} // namespace tarnex
