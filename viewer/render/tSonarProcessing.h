// The cleaning steps between reading a sounding and colouring it: surface clutter removal,
// setup and recombination through the library, and the horizontal correlation done here on a
// history of the last four columns.
//
// Column arrays are indexed 0 .. n; an empty one throws std::out_of_range. The library calls
// answer false when the library or the export is missing.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace brellix {

class tSonarProcessing
{
public:
    static constexpr int kHistorySlots = 4;

    // Selects the surface clarity (0 Off, 1 Low, 2 Medium, 3 High) and restarts the library's
    // running state.
    bool Setup(float sngFeetPerPixel, float sngUpperLimit, float sngLowerLimit,
               int16_t iSurfaceClarity);

    // Clutter removal on elements 0 .. n - 1 (the element at the upper bound is left alone);
    // nothing for an array 0 .. 0.
    bool RemoveSurfaceClutter(std::vector<uint8_t>& rcSonarColumn, int32_t lSurfaceCellIndex);

    // Lowers each cell of the column to its minimum over the iASP (0 to 3) columns before it
    // and records the column; any other level changes and records nothing. The history starts
    // again, all 255, when the column length or the depth window (UpperFt, LowerFt) changes.
    // iSensitivity is not used.
    void HorizontalCorrelation(std::vector<uint8_t>& column, int16_t iASP, int16_t iSensitivity,
                               float UpperFt, float LowerFt);

    bool Recombination();

    // The slot that receives the next column, 0 to 3.
    int16_t ringSlot() const { return m_ringSlot; }
    // The history's cell upper bound.
    size_t historyUpperBound() const { return m_cells - 1; }

private:
    uint8_t& history(int slot, size_t cell)
    {
        return m_history[static_cast<size_t>(slot) * m_cells + cell];
    }

    // (0 To 3, 0 To 1) until the first column arrives.
    size_t m_cells = 2;
    std::vector<uint8_t> m_history = std::vector<uint8_t>(size_t{kHistorySlots} * 2, 0);
    int16_t m_ringSlot = 0;
    float m_upperLimit = 0.0f;
    float m_lowerLimit = 0.0f;
};

} // namespace brellix
