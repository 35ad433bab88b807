// The text file's sink: while one buffer is written by a thread of its own, the next is
// filled, so the copy into the system's file cache overlaps reading and formatting the log.
#pragma once

#include "Sink.h"

#include <condition_variable>
#include <cstdio>
#include <mutex>
#include <thread>
#include <vector>

namespace tarnex {

class WriteBehindSink final : public Sink
{
public:
    // Writes to a C stream it does not own; the stream is touched by the writer thread only
    // until finish() or destruction.
    explicit WriteBehindSink(std::FILE* file);
    ~WriteBehindSink() override;

    // Delivers everything buffered and waits until it is written: true when every byte was.
    bool finish();

protected:
    bool deliver(const char* data, size_t size) override;
    bool deliverBuffer(std::vector<char>& buffer, size_t size) override;

private:
    // Waits until the writer holds nothing; false once any write failed. Needs the lock.
    bool waitIdle(std::unique_lock<std::mutex>& lock);
    void writeLoop();

    std::FILE* m_file;
    std::vector<char> m_pending; // the buffer being written, swapped with the sink's own
    size_t m_pendingSize = 0;
    bool m_busy = false;
    bool m_stopping = false;
    bool m_failed = false;
    std::mutex m_mutex;
    std::condition_variable m_changed;
    std::thread m_writer;
};

} // namespace tarnex
