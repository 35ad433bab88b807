// A chart's colouring: the 256-entry palette of its colour mode, announced entry by entry
// through SetColorTableValue, and the colour table (three depth sections of 257 bytes) that
// turns range-cell intensities into palette indexes for a sensitivity and a colour line.
//
// Sections are 0 surface, 1 water column, 2 bottom; a section or index outside its range
// throws std::out_of_range and changes nothing. Colours are red + 256 x green + 65536 x blue.
#pragma once

#include <QObject>

#include <array>
#include <cstdint>
#include <vector>

namespace brellix {

class tColorScheme;

class tSonarColor : public QObject
{
    Q_OBJECT

public:
    static constexpr int kTableEntries = 257;

    // Starts reset: the first SetColorMode builds, the first conversion builds the table.
    explicit tSonarColor(QObject* parent = nullptr);

    // The scheme the user modes (6 and 7) sample; it must outlive this object. Without one,
    // SetColorMode in a user mode throws std::logic_error after storing the mode.
    void setUserColorScheme(const tColorScheme* scheme) { m_userScheme = scheme; }
    const tColorScheme* userColorScheme() const { return m_userScheme; }

    int32_t lBlacklineColor(int ColorRegion) const;
    void setlBlacklineColor(int ColorRegion, int32_t value);

    int32_t lNoEchoColor(int ColorRegion) const;
    void setlNoEchoColor(int ColorRegion, int32_t value);

    // Table entry (iColorSection 0 to 2, iRangeCell 0 to 256).
    uint8_t ConvertRangeCellToPixel(int16_t iColorSection, int16_t iRangeCell) const;

    // Makes the next SetColorMode rebuild the palette and the next conversion the table.
    void Reset();

    // A changed colour line invalidates the table.
    void SetGrayLine(int16_t iNewGrayLine);

    // Announces the current mode's palette again (after the user scheme changed).
    void ReloadUserColors();

    // Builds and announces the palette of NewColorMode (0 to 7) unless it is already the
    // current mode; the user modes 6 and 7 are always rebuilt. Any other value is stored and
    // announces nothing. A failure of the user scheme (std::out_of_range for a region without
    // points, std::domain_error for two points at one position) stops the announcement at that
    // entry and goes to the caller.
    void SetColorMode(int32_t NewColorMode);

    // Converts rcData in place from intensities to palette indexes through the library's
    // ColumnConvert, rebuilding the table first when iSensitivity is more than 1 away from the
    // one it was built for. std::out_of_range for an empty array; false, leaving rcData as it
    // was, when the library or the export is missing.
    bool ConvertRangeCellsToPixels(std::vector<uint8_t>& rcData, int16_t iSensitivity,
                                   int16_t iSurfaceBlackLine, int16_t iFishBlackLine,
                                   int16_t iBottomBlackLine, int32_t lSurfaceCellIndex,
                                   int32_t lBottomCellIndex, bool bClearToBottom);

signals:
    void SetColorTableValue(int16_t iIndex, int32_t lRGB);

private:
    static size_t sectionSlot(int section);

    void BuildColorTable(int16_t sensitivity);
    void FillTableSection(int section, int16_t sensitivity, int lo, int hi);
    void SetColorGradient(int r1, int g1, int b1, int r2, int g2, int b2, int first, int last);
    void announceColorRamp();
    void announceFinalPair(int32_t blackline, int32_t noEcho);
    void announceUserPalette();
    void announceUserRegionsPalette();
    const tColorScheme& requireUserScheme() const;

    int32_t m_colorMode = 0;
    int16_t m_tableSensitivity = 0;
    int16_t m_grayLine = 0;
    std::array<int32_t, 3> m_blacklineColor{};
    std::array<int32_t, 3> m_noEchoColor{};
    std::array<int16_t, 3> m_regionSize{40, 170, 40};
    std::array<uint8_t, size_t{3} * kTableEntries> m_colorTable{};
    const tColorScheme* m_userScheme = nullptr;
};

} // namespace brellix
