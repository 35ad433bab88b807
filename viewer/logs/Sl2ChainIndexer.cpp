#include "Sl2ChainIndexer.h"

#include <malloc.h>
#include <sys/resource.h>
#include <unistd.h>

namespace brellix {

namespace {

// The map is worth having soon, but never at the cost of a chart that is playing.
constexpr int kBackgroundNice = 10;

} // namespace

Sl2ChainIndexer::Sl2ChainIndexer(const QString& path, int16_t headerLength,
                                 const LogFile::Stamp& stamp)
    : m_stamp(stamp)
{
    m_thread = std::thread([this, path, headerLength] {
        // On Linux a thread's nice value is its own.
        ::setpriority(PRIO_PROCESS, static_cast<id_t>(::gettid()), kBackgroundNice);
        m_index = Sl2ChainIndex::build(path, headerLength, m_stamp, m_cancel);
        // The map's lists grew by doubling: give back the pages their earlier copies held.
        ::malloc_trim(0);
        m_finished.store(true, std::memory_order_release);
    });
}

Sl2ChainIndexer::~Sl2ChainIndexer()
{
    m_cancel.store(true, std::memory_order_relaxed);
    wait();
}

void Sl2ChainIndexer::wait()
{
    if (m_thread.joinable()) {
        m_thread.join();
    }
}

} // namespace brellix
