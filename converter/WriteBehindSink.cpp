#include "WriteBehindSink.h"

namespace tarnex {

WriteBehindSink::WriteBehindSink(std::FILE* file)
    : Sink(kDefaultBufferSize), m_file(file), m_pending(kDefaultBufferSize),
      m_writer([this] { writeLoop(); })
{
}

WriteBehindSink::~WriteBehindSink()
{
    finish();
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_stopping = true;
    }
    m_changed.notify_all();
    m_writer.join();
}

bool WriteBehindSink::finish()
{
    const bool delivered = flush();
    std::unique_lock<std::mutex> lock(m_mutex);
    return waitIdle(lock) && delivered;
}

bool WriteBehindSink::waitIdle(std::unique_lock<std::mutex>& lock)
{
    m_changed.wait(lock, [this] { return !m_busy; });
    return !m_failed;
}

bool WriteBehindSink::deliver(const char* data, size_t size)
{
    // A block larger than the buffer goes straight out, after what is already on its way.
    std::unique_lock<std::mutex> lock(m_mutex);
    if (!waitIdle(lock)) {
        return false;
    }
    if (std::fwrite(data, 1, size, m_file) != size) {
        m_failed = true;
    }
    return !m_failed;
}

bool WriteBehindSink::deliverBuffer(std::vector<char>& buffer, size_t size)
{
    std::unique_lock<std::mutex> lock(m_mutex);
    if (!waitIdle(lock)) {
        return false;
    }
    // The writer's previous buffer, written out, becomes the one to fill next.
    m_pending.swap(buffer);
    m_pendingSize = size;
    m_busy = true;
    lock.unlock();
    m_changed.notify_all();
    return true;
}

void WriteBehindSink::writeLoop()
{
    std::unique_lock<std::mutex> lock(m_mutex);
    for (;;) {
        m_changed.wait(lock, [this] { return m_busy || m_stopping; });
        if (!m_busy) {
            return;
        }
        const size_t size = m_pendingSize;
        lock.unlock();
        const bool written = std::fwrite(m_pending.data(), 1, size, m_file) == size;
        lock.lock();
        m_failed = m_failed || !written;
        m_busy = false;
        m_changed.notify_all();
    }
}

} // namespace tarnex
