// Makes the chain map of an open SL2 log on a thread of its own, at a low priority, while
// the log is read as usual; the readers of one log can share one.
#pragma once

#include "logs/LogFile.h"
#include "logs/Sl2ChainIndex.h"

#include <QString>

#include <atomic>
#include <memory>
#include <thread>

namespace brellix {

class Sl2ChainIndexer
{
public:
    // Starts mapping the log at path, which is open with stamp and whose packets start after
    // headerLength bytes.
    Sl2ChainIndexer(const QString& path, int16_t headerLength, const LogFile::Stamp& stamp);
    // Stops the mapping where it is.
    ~Sl2ChainIndexer();
    Sl2ChainIndexer(const Sl2ChainIndexer&) = delete;
    Sl2ChainIndexer& operator=(const Sl2ChainIndexer&) = delete;

    const LogFile::Stamp& stamp() const { return m_stamp; }
    // The map once made; null while it is being made and for a log that gets none.
    const Sl2ChainIndex* index() const
    {
        return m_finished.load(std::memory_order_acquire) ? m_index.get() : nullptr;
    }
    // Waits until the mapping has finished; from the thread that made the indexer.
    void wait();

private:
    LogFile::Stamp m_stamp;
    std::atomic<bool> m_cancel{false};
    std::atomic<bool> m_finished{false};
    std::unique_ptr<const Sl2ChainIndex> m_index;
    std::thread m_thread;
};

} // namespace brellix
