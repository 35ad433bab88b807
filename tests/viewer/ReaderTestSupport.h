// Shared pieces of the viewer's log-access tests: temporary logs and the reader's fixture
// layers.
#pragma once

#include "LogWriter.h"
#include "ViewerTestSupport.h"

#include "logs/tSonarFile.h"

#include <gtest/gtest.h>

#include <QString>
#include <QTemporaryDir>

#include <cstdint>
#include <vector>

namespace readertest {

// A fixture that binds the build's library and writes logs into a fresh folder.
class LogFolder : public ::testing::Test
{
protected:
    void SetUp() override;
    void TearDown() override;

    QString save(const std::vector<uint8_t>& bytes, const QString& name = QStringLiteral("log"));
    QString path(const QString& name) const { return m_folder.filePath(name); }

    QTemporaryDir m_folder;
};

// One SL2 packet's identity as the writer laid it down.
struct PacketRecord
{
    uint32_t address = 0;
    uint16_t channel = 0;
    uint32_t sequence = 0;
    uint8_t firstSample = 0;
};

// Records every packet added, so tests know where each one is without reading the log.
class RecordingSl2Writer
{
public:
    explicit RecordingSl2Writer(const testlog::Sl2Header& header = {}) : m_writer(header) {}
    uint32_t add(const testlog::Sl2Column& column, const testlog::Sl2Faults& faults = {});
    testlog::Sl2Writer& writer() { return m_writer; }
    const std::vector<uint8_t>& bytes() const { return m_writer.bytes(); }
    const std::vector<PacketRecord>& packets() const { return m_packets; }

    // The packet of a channel (0 to 5) with a sequence number; nullptr when there is none.
    const PacketRecord* find(int channel, uint32_t sequence) const;
    // The packet at an index of packets(), and the one after it.
    const PacketRecord* following(const PacketRecord* packet, int steps) const;
    // The newest packet of a channel that starts at or before address; nullptr when none.
    const PacketRecord* newestAtOrBefore(int channel, uint32_t address) const;

private:
    testlog::Sl2Writer m_writer;
    std::vector<PacketRecord> m_packets;
};

// The reader's output window of a read: the caller's depth span and cell count.
brellix::tSubHeader callerWindow(float upper, float lower, int32_t cells);

} // namespace readertest
