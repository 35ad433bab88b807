// A log opened for reading only, read at absolute 64-bit addresses, one pread a read. It counts
// the reads and the bytes they delivered, so the cost of opening and seeking can be measured and
// tested.
#pragma once

#include <QFile>
#include <QString>

#include <cstdint>
#include <functional>

namespace brellix {

class LogFile
{
public:
    // Opens path read-only; false when it cannot be opened.
    bool open(const QString& path);
    void close();
    bool isOpen() const { return m_file.isOpen(); }

    // The file length when it was opened.
    int64_t size() const { return m_size; }

    // What tells one state of a file's bytes from another: the file itself, its length and
    // the time its bytes last changed, as the system reports them now.
    struct Stamp
    {
        uint64_t device = 0;
        uint64_t inode = 0;
        int64_t size = -1;
        int64_t modifiedNs = 0;
        bool operator==(const Stamp&) const = default;
    };
    // The open file's stamp; a default one when no file is open or the system cannot say.
    Stamp stamp() const;

    // Reads up to length bytes at address into destination: the count read (short at the end
    // of the file, 0 beyond it), or -1 on a read error or a negative address.
    int64_t readAt(int64_t address, uint8_t* destination, int64_t length);
    // True only when all length bytes were read.
    bool readExactAt(int64_t address, uint8_t* destination, int64_t length);

    // What the system said about the last failed open or read.
    QString errorString() const;
    uint64_t readCount() const { return m_reads; }
    uint64_t bytesRead() const { return m_bytes; }
    void resetCounters();

    // Decides, for read call n (counted from 1 since the fault was set, across opens) of
    // wanted bytes, how many bytes the read delivers: -1 fails it as an I/O error would, a
    // count below wanted makes it short. For tests that break the reads a card or a disk can
    // break; empty (the default) reads everything as asked.
    using ReadFault = std::function<int64_t(uint64_t n, int64_t wanted)>;
    void setReadFault(ReadFault fault)
    {
        m_fault = std::move(fault);
        m_calls = 0;
    }

private:
    QFile m_file;
    int64_t m_size = 0;
    uint64_t m_reads = 0;
    uint64_t m_bytes = 0;
    QString m_readError;
    ReadFault m_fault;
    uint64_t m_calls = 0;
};

} // namespace brellix
