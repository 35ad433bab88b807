#include "ReaderTestSupport.h"

namespace readertest {

void LogFolder::SetUp()
{
    ASSERT_TRUE(m_folder.isValid());
    viewertest::bindBuildLibrary();
}

void LogFolder::TearDown()
{
    viewertest::bindBuildLibrary();
}

QString LogFolder::save(const std::vector<uint8_t>& bytes, const QString& name)
{
    const QString file = path(name);
    EXPECT_TRUE(testlog::saveFile(file.toStdString(), bytes));
    return file;
}

uint32_t RecordingSl2Writer::add(const testlog::Sl2Column& column, const testlog::Sl2Faults& faults)
{
    PacketRecord record;
    record.channel = column.channel;
    // Debug and invalid codes carry channel 0's current sequence number.
    const uint32_t channel0 = m_writer.nextSequence(0);
    record.sequence = column.channel <= 5 ? m_writer.nextSequence(column.channel)
                                          : (channel0 == 0 ? 0 : channel0 - 1);
    if (faults.sequence) {
        record.sequence = *faults.sequence;
    }
    record.firstSample = column.samples.empty() ? 0 : column.samples.front();
    record.address = m_writer.add(column, faults);
    m_packets.push_back(record);
    return record.address;
}

const PacketRecord* RecordingSl2Writer::find(int channel, uint32_t sequence) const
{
    for (const PacketRecord& packet : m_packets) {
        if (packet.channel == channel && packet.sequence == sequence) {
            return &packet;
        }
    }
    return nullptr;
}

const PacketRecord* RecordingSl2Writer::following(const PacketRecord* packet, int steps) const
{
    const auto index = static_cast<size_t>(packet - m_packets.data()) + static_cast<size_t>(steps);
    return index < m_packets.size() ? &m_packets[index] : nullptr;
}

const PacketRecord* RecordingSl2Writer::newestAtOrBefore(int channel, uint32_t address) const
{
    const PacketRecord* newest = nullptr;
    for (const PacketRecord& packet : m_packets) {
        if (packet.address <= address && packet.channel == channel) {
            newest = &packet;
        }
    }
    return newest;
}

brellix::tSubHeader callerWindow(float upper, float lower, int32_t cells)
{
    brellix::tSubHeader header;
    header.sngUpperLimit = upper;
    header.sngLowerLimit = lower;
    header.lNumRangeCells = cells;
    return header;
}

} // namespace readertest
