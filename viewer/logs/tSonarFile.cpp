#include "tSonarFile.h"

#include "common/LittleEndian.h"
#include "common/ReplaceableFile.h"
#include "common/Rounding.h"
#include "logs/SoundingScale.h"
#include "platform/ApplicationState.h"
#include "platform/VantrelExports.h"

#include <QFileInfo>
#include <QSaveFile>

#include <algorithm>
#include <array>
#include <limits>

namespace brellix {

namespace {

constexpr int16_t kVeryOldHeaderLength = 6;

// What SReadSubHeader hands the library, and the least any SLG block buffer holds: the
// library parses up to 74 bytes of sub-header whatever the block size.
constexpr int kSlgSubHeaderRead = 201;
// An SLG block whose limits are beyond this is taken as the end of the log.
constexpr float kSlgDeepestLimit = 12000.0f;

constexpr int kLastSonarChannel = 5;

QString headerFaultText(HeaderFault fault, int64_t fileSize)
{
    switch (fault) {
    case HeaderFault::TooShort:
        return QStringLiteral("It is too short to be a sonar log (%1 bytes).").arg(fileSize);
    case HeaderFault::NoBlockSize:
        return QStringLiteral("Its SLG header is damaged: it gives no block size.");
    case HeaderFault::BadSampleCount:
        // Any text file reads as a very old log by its first word.
        return QStringLiteral("It is not a sonar log, or it is a very old SLG log whose header is "
                              "damaged.");
    case HeaderFault::UnknownFormat:
    case HeaderFault::None:
        break;
    }
    return QStringLiteral("It is not a sonar log: its first bytes are those of neither an SLG "
                          "nor an SL2 log.");
}

} // namespace

tSonarFile::~tSonarFile()
{
    CloseFile();
}

void tSonarFile::CloseFile()
{
    m_file.close();
    m_chain.reset(0, m_headerLength);
}

// ---------------------------------------------------------------------------------------
// Opening

bool tSonarFile::SOpen(const QString& strNewFileName, int32_t SonarChannel)
{
    CloseFile();
    m_headerLength = kVeryOldHeaderLength;
    m_format = LogFormat::VeryOld;
    m_blockSize = 0;
    m_samplesPerSounding = 0;
    m_headerFlags = 0;
    m_soundingCount = 0;
    m_currentSounding = 0;
    m_position = 0;
    m_lastError.clear();
    m_openError.clear();
    lFileSize = 0;
    m_channel = SonarChannel;
    m_debugMode = 0;

    const QFileInfo info(strNewFileName);
    FileTimeStamp = info.lastModified();
    m_fileName = strNewFileName;
    // A pipe or a device would block the open or the reads; only a regular file is a log.
    if (!info.exists()) {
        return refuse(QStringLiteral("The file does not exist."));
    }
    if (info.isDir()) {
        return refuse(QStringLiteral("It is a folder, not a log file."));
    }
    if (!info.isFile()) {
        return refuse(QStringLiteral("It is not a regular file."));
    }
    // Read-only: the viewer never writes a log, and a recording on read-only media must open.
    if (!m_file.open(strNewFileName)) {
        return refuse(QStringLiteral("It cannot be read: %1.").arg(m_file.errorString()));
    }
    lFileSize = m_file.size();
    if (lFileSize == 0) {
        return refuse(QStringLiteral("The file is empty."));
    }

    std::array<uint8_t, LogHeader::kLongest> bytes{};
    const int64_t got = m_file.readAt(0, bytes.data(), bytes.size());
    if (got < 0) {
        return refuse(QStringLiteral("It cannot be read: %1.").arg(m_file.errorString()));
    }
    HeaderFault fault = HeaderFault::None;
    const std::optional<LogHeader> header = readLogHeader(bytes.data(), got, &fault);
    if (!header) {
        return refuse(headerFaultText(fault, lFileSize));
    }
    m_headerLength = header->headerLength;
    m_format = header->format;
    m_blockSize = header->blockSize;
    m_samplesPerSounding = header->samplesPerSounding;
    m_headerFlags = header->headerFlags;
    if (m_format == LogFormat::Sl2) {
        return openSl2();
    }

    const double blocks = roundHalfEven(static_cast<double>(lFileSize - m_headerLength) /
                                        static_cast<double>(m_blockSize));
    m_soundingCount = static_cast<int32_t>(
        std::clamp(blocks, 0.0, static_cast<double>(std::numeric_limits<int32_t>::max())));
    m_position = m_headerLength;
    m_currentSounding = 0;
    return true;
}

bool tSonarFile::refuse(const QString& why)
{
    CloseFile();
    m_openError = why;
    return false;
}

bool tSonarFile::openSl2()
{
    if (m_channel > kLastSonarChannel) {
        // Only 10 (digital) and 11 (noise) are columns of channel 0, and only in a log that
        // says it has debug columns; any other code would skip a meaningless number of packets.
        if (m_channel != 10 && m_channel != 11) {
            return refuse(QStringLiteral("An SL2 log has no channel %1.").arg(m_channel));
        }
        if (m_headerFlags == 0) {
            return refuse(QStringLiteral("It records no debug columns."));
        }
        m_debugMode = m_channel - 9;
        m_channel = 0;
    } else if (m_channel < 0) {
        return refuse(QStringLiteral("An SL2 log has no channel %1.").arg(m_channel));
    }
    m_chain.reset(lFileSize, m_headerLength);
    m_chain.CountChannelSoundings();
    m_position = m_headerLength;
    if (!m_chain.foundChain()) {
        return refuse(QStringLiteral("No intact packet of an SL2 log was found in it: it may be "
                                     "damaged."));
    }
    if (NumSoundings() == 0) {
        return refuse(
            QStringLiteral("It holds no soundings of the %1 channel.")
                .arg(Description().isEmpty() ? QString::number(m_channel) : Description()));
    }
    m_currentSounding = 0;
    return true;
}

// ---------------------------------------------------------------------------------------
// Seeking

int32_t tSonarFile::NumSoundings() const
{
    if (isSlgFamily()) {
        return m_soundingCount;
    }
    return m_chain.soundings(m_channel);
}

void tSonarFile::SSeek(int32_t sounding)
{
    const int32_t count = NumSoundings();
    if (count <= 0 || !m_file.isOpen()) {
        return;
    }
    int32_t n = sounding % count;
    if (n < 0) {
        n += count;
    }
    if (isSlgFamily()) {
        m_currentSounding = n;
        m_position = m_headerLength + static_cast<int64_t>(n) * m_blockSize;
        return;
    }
    m_chain.SeekChannelSequence(n, m_channel);
    m_chain.SkipDebugPackets(m_debugMode);
    m_currentSounding = n;
}

void tSonarFile::startChainIndex()
{
    if (!m_file.isOpen() || m_format != LogFormat::Sl2 || m_chain.indexer()) {
        return;
    }
    m_chain.setIndexer(
        std::make_shared<Sl2ChainIndexer>(m_fileName, m_headerLength, m_file.stamp()));
}

void tSonarFile::shareChainIndex(const tSonarFile& other)
{
    const std::shared_ptr<Sl2ChainIndexer>& indexer = other.m_chain.indexer();
    if (&other == this || !indexer || !m_file.isOpen() || m_format != LogFormat::Sl2 ||
        m_headerLength != other.m_headerLength || indexer->stamp() != m_file.stamp()) {
        return;
    }
    m_chain.setIndexer(indexer);
}

bool tSonarFile::waitForChainIndex()
{
    if (m_chain.indexer()) {
        m_chain.indexer()->wait();
    }
    return chainIndexed();
}

void tSonarFile::AdvanceSounding()
{
    ++m_currentSounding;
    if (m_currentSounding >= NumSoundings()) {
        if (NumSoundings() > 0) {
            SSeek(0);
        } else {
            m_currentSounding = 0;
        }
    }
}

void tSonarFile::AddressSeek(int64_t& lFileAddress)
{
    if (!m_file.isOpen() || m_format != LogFormat::Sl2) {
        return;
    }
    lFileAddress = m_chain.FindPacketNear(m_channel, lFileAddress).address;
    const Sl2Chain::ChannelSequence current =
        m_chain.CurrentChannelSequence(m_channel, m_debugMode);
    if (current.kind == Sl2Chain::ChannelSequence::None) {
        // Before the channel's first packet: its first sounding is the one to show.
        SSeek(0);
    } else if (current.kind == Sl2Chain::ChannelSequence::Known) {
        if (current.sequence >= NumSoundings()) {
            SSeek(NumSoundings() - 1); // the newest packet is not offered
        } else {
            m_currentSounding = static_cast<int32_t>(current.sequence);
        }
    }
}

int64_t tSonarFile::AddressTell() const
{
    return m_file.isOpen() ? m_position : 0;
}

// ---------------------------------------------------------------------------------------
// Reading

void tSonarFile::noteLibraryFailure()
{
    m_lastError = VantrelLibrary::instance().errorString();
}

std::optional<int32_t> tSonarFile::readSlgSubHeader(const uint8_t* block, tSubHeader& into)
{
    uint8_t depthValid = 0, waterTempValid = 0, temp2Valid = 0, temp3Valid = 0;
    uint8_t waterSpeedValid = 0, positionValid = 0, surfaceValid = 0, topOfBottomValid = 0;
    uint8_t is50kHz = 0, timeValid = 0, speedTrackValid = 0, altitudeValid = 0;
    std::array<float, tSubHeader::kFishCount> fish{};
    const std::optional<int32_t> length = vantrel::FileReadSubHeader(
        block, &into.sngUpperLimit, &into.sngLowerLimit, &into.sngDepth, &depthValid,
        &waterTempValid, &into.sngWaterTemperature, &temp2Valid, &into.sngTemperature2, &temp3Valid,
        &into.sngTemperature3, &waterSpeedValid, &into.sngWaterSpeed, &positionValid,
        &into.lPositionY, &into.lPositionX, &into.iNumFish, fish.data(), &into.sngSurfaceDepth,
        &surfaceValid, &into.sngTopBottom, &topOfBottomValid, &is50kHz, &timeValid,
        &into.lTimeOffset, &speedTrackValid, &into.sngSpeed, &into.sngTrack, &altitudeValid,
        &into.sngAltitude);
    if (!length) {
        noteLibraryFailure();
        return std::nullopt;
    }
    into.bDepthValid = depthValid != 0;
    into.bWaterTemperatureValid = waterTempValid != 0;
    into.bTemperature2Valid = temp2Valid != 0;
    into.bTemperature3Valid = temp3Valid != 0;
    into.bWaterSpeedValid = waterSpeedValid != 0;
    into.bPositionValid = positionValid != 0;
    into.bSurfaceValid = surfaceValid != 0;
    into.bTopOfBottomValid = topOfBottomValid != 0;
    into.bColumnIs50KHz = is50kHz != 0;
    into.bTimeValid = timeValid != 0;
    into.bSpeedTrackValid = speedTrackValid != 0;
    into.bAltitudeValid = altitudeValid != 0;
    return length;
}

bool tSonarFile::readSlgBlock(int64_t address, std::vector<uint8_t>& block, int64_t length)
{
    // At least what the library may read of a sub-header and a sample count, whatever the
    // block size; a block cut short by the end of the file reads as zeros.
    block.assign(static_cast<size_t>(std::max<int64_t>(length, kSlgSubHeaderRead)), 0);
    return m_file.readAt(address, block.data(), length) > 0;
}

void tSonarFile::SRead(tSubHeader& SubHeader, std::vector<uint8_t>& rcSounding, bool bAutoRange)
{
    const int32_t cells = SubHeader.lNumRangeCells;
    if (cells < 0) {
        rcSounding.clear();
        return;
    }
    rcSounding.assign(static_cast<size_t>(cells) + 1, 0);
    if (m_blockSize <= 0 || !m_file.isOpen()) {
        return;
    }
    if (isSlgFamily()) {
        readSlgSounding(SubHeader, rcSounding, bAutoRange);
    } else {
        readSl2Sounding(SubHeader, rcSounding, bAutoRange);
    }
}

bool tSonarFile::readSlgSounding(tSubHeader& SubHeader, std::vector<uint8_t>& rcSounding,
                                 bool bAutoRange)
{
    for (;;) {
        const int64_t blockAddress = m_position;
        if (!readSlgBlock(blockAddress, m_block, m_blockSize)) {
            return false;
        }
        // Without the library nothing is consumed: the position stays on this block.
        const auto libraryMissing = [this, blockAddress] {
            noteLibraryFailure();
            m_position = blockAddress;
            return false;
        };

        tSubHeader W;
        W.lNumRangeCells = m_samplesPerSounding;
        const std::optional<int32_t> length = readSlgSubHeader(m_block.data(), W);
        if (!length) {
            return libraryMissing();
        }
        m_position = blockAddress + m_blockSize;
        if (*length < 0) {
            // A malformed sub-header gives no sample offset: the sounding is skipped, the
            // caller's column stays empty and its sub-header as it was.
            AdvanceSounding();
            return false;
        }

        if (!(W.sngUpperLimit >= 0) || !(W.sngUpperLimit < W.sngLowerLimit) ||
            W.sngLowerLimit > kSlgDeepestLimit) {
            // The log ends before this block; the one before it is suspect too. Near the start
            // that leaves nothing, and the log is empty.
            const int32_t shortened = m_currentSounding - 1;
            if (shortened <= 0) {
                m_soundingCount = 0;
                m_currentSounding = 0;
                m_position = m_headerLength;
                return false;
            }
            m_soundingCount = shortened;
            SSeek(m_currentSounding - 2);
            continue;
        }

        const int32_t L = *length;
        if (m_samplesPerSounding > 0) {
            const int32_t S = m_samplesPerSounding;
            m_coefficients.assign(static_cast<size_t>(S), 0);
            int32_t remaining = S;
            if (!vantrel::FileDecompress(m_block.data(), L, m_blockSize - L, m_coefficients.data(),
                                         &remaining)) {
                return libraryMissing();
            }
            // One spare zero cell: the scale's rounding may reach one past the last sample.
            m_samples.assign(static_cast<size_t>(S) + 1, 0);
            if (!vantrel::FileDecode(m_coefficients.data(), m_samples.data(), S)) {
                return libraryMissing();
            }
        } else {
            int32_t count = 0;
            if (L + 2 <= m_blockSize) {
                // A stored count beyond the block is cut to the block, in our copy, so the
                // library's copy stays inside both buffers.
                count = std::clamp<int32_t>(readI16(m_block.data() + L), 0, m_blockSize - L - 2);
                writeI16(m_block.data() + L, static_cast<int16_t>(count));
            }
            m_samples.assign(static_cast<size_t>(count) + 1, 0);
            if (L + 2 <= m_blockSize) {
                int32_t remaining = 0;
                if (!vantrel::FileDecompress(m_block.data(), L, m_blockSize - L, m_samples.data(),
                                             &remaining)) {
                    return libraryMissing();
                }
                count = std::clamp(remaining, 0, count);
            }
            W.lNumRangeCells = count;
        }

        if (bAutoRange) {
            SubHeader.sngUpperLimit = static_cast<float>(roundHalfEven(W.sngUpperLimit));
            SubHeader.sngLowerLimit = static_cast<float>(roundHalfEven(W.sngLowerLimit));
        }
        // A floating-point fault abandons the column, but the sounding is consumed all the
        // same, so the current sounding keeps pace with the file position.
        ScaleSlgSounding(rcSounding, SubHeader, m_samples, W);
        AdvanceSounding();
        return true;
    }
}

void tSonarFile::readSl2Sounding(tSubHeader& SubHeader, std::vector<uint8_t>& rcSounding,
                                 bool bAutoRange)
{
    std::array<uint8_t, Sl2ColumnHeader::kSize> raw;
    if (!m_file.readExactAt(m_position, raw.data(), raw.size())) {
        return;
    }
    const Sl2ColumnHeader column = Sl2ColumnHeader::parse(raw.data());
    const int32_t cells = column.head.rangeCells;
    if (cells <= 0) {
        return;
    }
    m_samples.assign(static_cast<size_t>(cells) + 1, 0);
    if (!m_file.readExactAt(m_position + Sl2ColumnHeader::kSize, m_samples.data(), cells)) {
        return;
    }
    m_position = static_cast<int64_t>(column.head.thisAddress) + column.head.packetSize;

    // A damaged packet's limits must not become the chart's window.
    if (bAutoRange && isPlausibleWindow(column.upperLimit, column.lowerLimit)) {
        SubHeader.sngUpperLimit = column.upperLimit;
        SubHeader.sngLowerLimit = column.lowerLimit;
    }
    ScaleSl2Sounding(rcSounding, SubHeader, m_samples, column);
    AdvanceSounding();
}

bool tSonarFile::scaleColumn(const std::vector<uint8_t>& samples, int32_t srcStart, int32_t srcEnd,
                             int32_t dstStart, int32_t dstEnd, std::vector<uint8_t>& rcSounding)
{
    // The library trusts its ranges; damaged limits must not make it write outside ours.
    if (!rangeFits(srcStart, srcEnd, samples.size()) ||
        !rangeFits(dstStart, dstEnd, rcSounding.size())) {
        return false;
    }
    if (!vantrel::ColumnScale(srcStart, srcEnd - srcStart, samples.data(), dstStart,
                              dstEnd - dstStart, rcSounding.data())) {
        noteLibraryFailure();
        return false;
    }
    return true;
}

bool tSonarFile::ScaleSlgSounding(std::vector<uint8_t>& rcSounding, tSubHeader& D,
                                  const std::vector<uint8_t>& samples, const tSubHeader& S)
{
    ScaleRanges ranges;
    if (!scaleRanges(D, S.sngUpperLimit, S.sngLowerLimit, S.lNumRangeCells, ranges)) {
        return false;
    }
    D.Copy(S);
    return scaleColumn(samples, ranges.srcStart, ranges.srcEnd, ranges.dstStart, ranges.dstEnd,
                       rcSounding);
}

bool tSonarFile::ScaleSl2Sounding(std::vector<uint8_t>& rcSounding, tSubHeader& D,
                                  const std::vector<uint8_t>& samples,
                                  const Sl2ColumnHeader& column)
{
    ScaleRanges ranges;
    if (!scaleRanges(D, column.upperLimit, column.lowerLimit, column.head.rangeCells, ranges)) {
        return false;
    }
    D.lNumRangeCells = static_cast<int32_t>(rcSounding.size()) - 1;
    FillSubHeaderFromPacket(D, column);
    if (!scaleColumn(samples, ranges.srcStart, ranges.srcEnd, ranges.dstStart, ranges.dstEnd,
                     rcSounding)) {
        return false;
    }

    if (applicationState().g_RVGEnabled) {
        int32_t attenuation = 0;
        if (!rvgAttenuation(column.rvgDepth, column.lowerLimit, column.rvgMaxAttenuation,
                            attenuation)) {
            return false;
        }
        reduceCells(rcSounding, D.lNumRangeCells, attenuation);
    }
    return true;
}

void tSonarFile::FillSubHeaderFromPacket(tSubHeader& D, const Sl2ColumnHeader& column) const
{
    D.m_AutoSenseRangecell = column.autoSenseRangecell;
    D.m_RVGDepth = column.rvgDepth;
    D.m_RVGMaxAttenuation = column.rvgMaxAttenuation;
    D.m_DigitalRangecell = column.digitalRangecell;
    D.m_NoiseAverage = column.noiseAverage;
    D.m_NoiseCount = column.noiseCount;
    D.m_NoisePeak = column.noisePeak;
    D.sngDepth = column.depth;
    D.bDepthValid = column.depth != 0.0f;
    D.m_BurstLengthUs = column.burstLengthUs;
    D.m_Correlation = column.correlation;
    D.m_Discrimination = column.discrimination;
    D.m_Flags = column.deviceFlags;
    D.m_Frequency = column.frequency;
    D.m_GainDuty = column.gainDuty;
    D.m_Integration = column.integration;
    D.m_RunningTimeMs = static_cast<int32_t>(column.runningTimeMs);
    D.m_PingPeriodMs = column.pingPeriodMs;
    D.m_VideoIntegration = column.videoIntegration;
    D.lPositionX = column.positionX;
    D.lPositionY = column.positionY;
    D.bPositionValid = (column.validFlags & Sl2ColumnHeader::kPositionValid) != 0;
    D.sngSpeed = column.speed;
    D.sngTrack = column.track;
    D.bSpeedTrackValid = (column.validFlags & Sl2ColumnHeader::kSpeedValid) != 0;
    D.m_KeelOffset = column.keelOffset;
    D.m_Heading = column.heading;
    D.m_FishingMode = column.fishingMode;
    D.m_PingSpeed = column.pingSpeed;
    D.m_NoiseRejection = column.noiseRejection;
    D.m_ManualMode = column.manualMode != 0;
    D.CalcCellIndexes();
}

void tSonarFile::SReadSubHeader(int32_t sounding, tSubHeader& ActualSubHeader)
{
    if (!m_file.isOpen()) {
        return;
    }
    SSeek(sounding);
    if (isSlgFamily()) {
        // Whatever the block size, the library gets 201 bytes to parse from.
        if (!readSlgBlock(m_position, m_block, kSlgSubHeaderRead)) {
            return;
        }
        readSlgSubHeader(m_block.data(), ActualSubHeader);
        return;
    }
    std::array<uint8_t, Sl2ColumnHeader::kSize> raw;
    if (!m_file.readExactAt(m_position, raw.data(), raw.size())) {
        return;
    }
    const Sl2ColumnHeader column = Sl2ColumnHeader::parse(raw.data());
    m_position = static_cast<int64_t>(column.head.thisAddress) + column.head.packetSize;
    if (column.head.rangeCells >= 1) {
        ActualSubHeader.lNumRangeCells = column.head.rangeCells;
        ActualSubHeader.sngUpperLimit = column.upperLimit;
        ActualSubHeader.sngLowerLimit = column.lowerLimit;
        FillSubHeaderFromPacket(ActualSubHeader, column);
    }
}

bool tSonarFile::recordedWindow(int32_t sounding, float& upper, float& lower)
{
    tSubHeader header;
    header.sngUpperLimit = std::numeric_limits<float>::quiet_NaN();
    header.sngLowerLimit = std::numeric_limits<float>::quiet_NaN();
    SReadSubHeader(sounding, header);
    float u = header.sngUpperLimit;
    float l = header.sngLowerLimit;
    if (isSlgFamily()) {
        u = static_cast<float>(roundHalfEven(u));
        l = static_cast<float>(roundHalfEven(l));
    }
    if (!isPlausibleWindow(u, l)) {
        return false;
    }
    upper = u;
    lower = l;
    return true;
}

// ---------------------------------------------------------------------------------------
// Names and copies

QString tSonarFile::Description() const
{
    static const char* const kLabels[] = {"Primary",       "Secondary",      "Arvel downscan",
                                          "Sideview left", "Sideview right", "Arvel sidescan"};
    if (m_channel < 0 || m_channel > kLastSonarChannel) {
        return {};
    }
    QString label = QLatin1String(kLabels[m_channel]);
    if (m_debugMode == 1) {
        label += QLatin1String(" - Digital");
    } else if (m_debugMode == 2) {
        label += QLatin1String(" - Noise");
    }
    return label;
}

bool tSonarFile::SaveAs(const QString& strNewFileName)
{
    if (m_fileName.isEmpty()) {
        return false;
    }
    QFile source(m_fileName);
    if (!source.open(QIODevice::ReadOnly)) {
        return false;
    }
    // Written beside the target and renamed into place only when complete, so a failed copy
    // never leaves half a log under the user's name.
    QSaveFile target(strNewFileName);
    if (!isReplaceableFile(strNewFileName) || !target.open(QIODevice::WriteOnly)) {
        return false;
    }
    std::vector<char> buffer(1 << 20);
    for (;;) {
        const qint64 got = source.read(buffer.data(), static_cast<qint64>(buffer.size()));
        if (got < 0) {
            target.cancelWriting();
            return false;
        }
        if (got == 0) {
            break;
        }
        if (target.write(buffer.data(), got) != got) {
            target.cancelWriting();
            return false;
        }
    }
    if (!target.commit()) {
        return false;
    }
    m_fileName = strNewFileName;
    return true;
}

} // namespace brellix
