#include "LogFile.h"

#include <algorithm>
#include <cerrno>
#include <cstring>

#include <sys/stat.h>
#include <unistd.h>

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
    m_readError.clear();
}

QString LogFile::errorString() const
{
    return m_readError.isEmpty() ? m_file.errorString() : m_readError;
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
    // pread rather than a seek and a read: system calls cost more here than the bytes, and a
    // seek costs as much as a head read for nothing.
    int64_t done = 0;
    while (done < length) {
        const ssize_t got = ::pread(m_file.handle(), destination + done,
                                    static_cast<size_t>(length - done), address + done);
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got < 0) {
            m_readError = QString::fromLocal8Bit(std::strerror(errno));
            return -1;
        }
        if (got == 0) {
            break; // the end of the file
        }
        done += got;
    }
    ++m_reads;
    m_bytes += static_cast<uint64_t>(done);
    return done;
}

bool LogFile::readExactAt(int64_t address, uint8_t* destination, int64_t length)
{
    return readAt(address, destination, length) == length;
}

LogFile::Stamp LogFile::stamp() const
{
    struct stat status = {};
    if (!m_file.isOpen() || ::fstat(m_file.handle(), &status) != 0) {
        return {};
    }
    constexpr int64_t kNsPerSecond = 1000000000;
    return {static_cast<uint64_t>(status.st_dev), static_cast<uint64_t>(status.st_ino),
            static_cast<int64_t>(status.st_size),
            static_cast<int64_t>(status.st_mtim.tv_sec) * kNsPerSecond + status.st_mtim.tv_nsec};
}

void LogFile::resetCounters()
{
    m_reads = 0;
    m_bytes = 0;
}

} // namespace brellix
