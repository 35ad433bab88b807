// The viewer's reader of one sonar log, bound to one channel: opens SLG, very old SLG and SL2
// logs read-only, counts their soundings, seeks by sounding or by file address, and reads a
// sounding rescaled to the caller's depth window together with its sub-header.
//
// Sizes and addresses are 64-bit, so SL2 logs up to their 4 GB address limit work. SL2 logs
// are never scanned in full: opening reads the last 5004 bytes, the chain after them and six
// heads; seeking reads 40-byte heads, walking for small steps and bisecting for jumps, with a
// bound on every search.
#pragma once

#include "logs/LogFile.h"
#include "logs/LogFormat.h"
#include "logs/Sl2Chain.h"
#include "logs/Sl2ColumnHeader.h"
#include "logs/tSubHeader.h"

#include <QDateTime>
#include <QString>

#include <cstdint>
#include <optional>
#include <vector>

namespace brellix {

class tSonarFile
{
public:
    tSonarFile() = default;
    ~tSonarFile();
    tSonarFile(const tSonarFile&) = delete;
    tSonarFile& operator=(const tSonarFile&) = delete;

    int64_t lFileSize = 0;
    QDateTime FileTimeStamp;

    // Closes any open log and opens strNewFileName for SonarChannel: 0 to 5, or for SL2 logs
    // with debug channels 10 (digital) and 11 (noise) of channel 0. False for an unreadable
    // file, an unknown format word (0, 3 to 100, negative), a damaged very old header, an SL2
    // log without the requested channel's soundings, or an SL2 channel outside those.
    bool SOpen(const QString& strNewFileName, int32_t SonarChannel);
    // Why the last SOpen returned false, in a sentence for the user; empty after one that
    // opened. Anything but a regular file (a folder, a pipe, a device) is refused unopened.
    QString openError() const { return m_openError; }

    // Reads the current sounding into rcSounding (SubHeader.lNumRangeCells + 1 bytes, index 0
    // above the first cell), fills SubHeader and advances. With bAutoRange the caller's window
    // becomes the sounding's. Stops silently on read errors; lastError() tells when it was for
    // want of the library.
    void SRead(tSubHeader& SubHeader, std::vector<uint8_t>& rcSounding, bool bAutoRange);
    // Seeks to the sounding and fills only its sub-header; the caller seeks before the next
    // SRead.
    void SReadSubHeader(int32_t sounding, tSubHeader& ActualSubHeader);

    // The depth window recorded with a sounding, as SRead adopts it with bAutoRange (in whole
    // feet for SLG logs); false, leaving upper and lower alone, when it has none a sonar
    // could record. Leaves the position anywhere, as SReadSubHeader does.
    bool recordedWindow(int32_t sounding, float& upper, float& lower);

    // Makes the sounding current; negative indexes count from the end, larger ones wrap.
    void SSeek(int32_t sounding);
    int32_t STell() const { return m_currentSounding; }

    // SL2 only: positions at the bound channel's packet current at lFileAddress and returns
    // that packet's address in it (0 when the channel has none there).
    void AddressSeek(int64_t& lFileAddress);
    // The current file address; 0 when no log is open.
    int64_t AddressTell() const;

    int32_t NumSoundings() const;
    int32_t lSamplesPerSounding() const { return m_samplesPerSounding; }
    int16_t iBytesPerSounding() const { return m_blockSize; }
    // The format: 0 very old, 1 SLG, 2 SL2.
    int16_t Version() const { return static_cast<int16_t>(m_format); }
    QString Description() const;
    // The channel as SOpen was given it: 0 to 5, or 10 and 11 for the debug columns.
    int32_t channel() const { return m_debugMode > 0 ? 9 + m_debugMode : m_channel; }
    // Whether the channel looks sideways (3 to 5), its soundings then drawn as rows.
    bool isSideLooking() const { return m_channel >= 3 && m_channel <= 5; }

    // Copies the log to strNewFileName through a temporary file beside it that is renamed
    // into place, then takes that name. On failure nothing appears under the new name and the
    // old name stays.
    bool SaveAs(const QString& strNewFileName);
    QString GetFilename() const { return m_fileName; }

    // Why the last read stopped for want of the library or one of its exports; empty when
    // none did since the log was opened.
    QString lastError() const { return m_lastError; }
    // What the file reads cost since the log was opened or the counters were reset.
    uint64_t readCount() const { return m_file.readCount(); }
    uint64_t bytesRead() const { return m_file.bytesRead(); }
    void resetReadCounters() { m_file.resetCounters(); }
    // SL2 only: starts mapping the log's packet chain beside the reading, so that once the map
    // is made far seeks cost a read or two instead of some thirty; the seeks' results stay the
    // same. Nothing for a log the map cannot stand for (a damaged one, say).
    void startChainIndex();
    // Takes the chain map another reader of the same file has started, instead of a second.
    void shareChainIndex(const tSonarFile& other);
    // Waits until the map is made; true when seeks now use it.
    bool waitForChainIndex();
    bool chainIndexed() const { return m_chain.usableIndex() != nullptr; }

    // Breaks reads of the log as a test chooses (see LogFile); kept across opens.
    void setReadFault(LogFile::ReadFault fault) { m_file.setReadFault(std::move(fault)); }

private:
    void CloseFile();
    // Closes and keeps why; returns false for SOpen to return.
    bool refuse(const QString& why);
    void AdvanceSounding();
    bool ScaleSlgSounding(std::vector<uint8_t>& rcSounding, tSubHeader& D,
                          const std::vector<uint8_t>& samples, const tSubHeader& S);
    bool ScaleSl2Sounding(std::vector<uint8_t>& rcSounding, tSubHeader& D,
                          const std::vector<uint8_t>& samples, const Sl2ColumnHeader& column);
    void FillSubHeaderFromPacket(tSubHeader& D, const Sl2ColumnHeader& column) const;

    bool openSl2();
    bool readSlgSounding(tSubHeader& SubHeader, std::vector<uint8_t>& rcSounding, bool bAutoRange);
    void readSl2Sounding(tSubHeader& SubHeader, std::vector<uint8_t>& rcSounding, bool bAutoRange);
    bool isSlgFamily() const { return m_format != LogFormat::Sl2; }
    bool readSlgBlock(int64_t address, std::vector<uint8_t>& block, int64_t length);
    // Parses an SLG sub-header into the given fields through the library; empty when the
    // library is missing, else the library's result.
    std::optional<int32_t> readSlgSubHeader(const uint8_t* block, tSubHeader& into);
    void noteLibraryFailure();
    // Resamples samples[srcStart, srcEnd) onto rcSounding[dstStart, dstEnd) through the library,
    // after checking both ranges lie inside their arrays.
    bool scaleColumn(const std::vector<uint8_t>& samples, int32_t srcStart, int32_t srcEnd,
                     int32_t dstStart, int32_t dstEnd, std::vector<uint8_t>& rcSounding);

    LogFile m_file;
    QString m_fileName;
    int16_t m_headerLength = 6;
    LogFormat m_format = LogFormat::VeryOld;
    int16_t m_blockSize = 0;
    int32_t m_samplesPerSounding = 0;
    uint16_t m_headerFlags = 0;
    int32_t m_soundingCount = 0;
    int32_t m_channel = 0;
    int32_t m_debugMode = 0;
    int32_t m_currentSounding = 0;
    int64_t m_position = 0;
    QString m_lastError;
    QString m_openError;
    // The SL2 chain over the same file and position.
    Sl2Chain m_chain{m_file, m_position};

    // Work buffers reused from sounding to sounding.
    std::vector<uint8_t> m_block;
    std::vector<uint8_t> m_samples;
    std::vector<int32_t> m_coefficients;
};

} // namespace brellix
