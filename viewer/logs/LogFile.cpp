#include "LogFile.h"

#include <algorithm>

namespace brellix {

bool LogFile::open(const QString& path)
{
    close();
    m_file.setFileName(path);
    // Unbuffered: the reader reads small heads at scattered addresses, and a read-ahead buffer
    // would only multiply the bytes fetched.
    if (!m_file.open(QIODevice::ReadOnly | QIODevice::Unbuffered)) {
        return false;
    }
    m_size = m_file.size();
    return true;
}

void LogFile::close()
{
    if (m_file.isOpen()) {
        m_file.close();
    }
    m_size = 0;
}

int64_t LogFile::readAt(int64_t address, uint8_t* destination, int64_t length)
{
    if (!m_file.isOpen() || address < 0 || length < 0) {
        return -1;
    }
    if (length == 0 || address >= m_size) {
        return 0;
    }
    if (m_fault) {
        const int64_t allowed = m_fault(++m_calls, length);
        if (allowed < 0) {
            return -1;
        }
        length = std::min(length, allowed);
    }
    if (!m_file.seek(address)) {
        return -1;
    }
    const qint64 got = m_file.read(reinterpret_cast<char*>(destination), length);
    if (got < 0) {
        return -1;
    }
    ++m_reads;
    m_bytes += static_cast<uint64_t>(got);
    return got;
}

bool LogFile::readExactAt(int64_t address, uint8_t* destination, int64_t length)
{
    return readAt(address, destination, length) == length;
}

void LogFile::resetCounters()
{
    m_reads = 0;
    m_bytes = 0;
}

} // namespace brellix
