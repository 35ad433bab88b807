// The road of one sounding from the log to a chart line, without any window: read and scale it
// to the options' depth window, adopt the recorded range with automatic depth range, remove
// surface clutter, correlate, work out the effective sensitivity, convert to palette indexes
// and write the line.
#pragma once

#include <cstdint>
#include <vector>

namespace brellix {

class tChart;
class tColorScheme;
class tSonarColor;
class tSonarFile;
class tSonarOptions;
class tSonarProcessing;
class tSubHeader;

class SoundingPainter
{
public:
    SoundingPainter(tSonarOptions& options, tSonarColor& colors, tSonarProcessing& processing);

    void setSonarFile(tSonarFile* file) { m_file = file; }
    void setChannel(int32_t channel) { m_channel = channel; }
    void setHorizontal(bool horizontal) { m_horizontal = horizontal; }
    // The scheme whose black line widths the user colour modes use; may be null otherwise.
    void setUserColorScheme(const tColorScheme* scheme) { m_scheme = scheme; }

    // Reads the sounding at the reader's current position and draws it as line x of
    // destination: a column of a vertical chart, a row of a side-looking one. bIdleWorking
    // (a full redraw runs) keeps the recorded range from being adopted. True when automatic
    // depth range changed the options' window (the options then raised OptionsChanged).
    // Nothing without a reader. Reader, processing and conversion errors go to the caller.
    bool DrawSounding(tChart& destination, int32_t x, bool bIdleWorking);

    // With automatic depth range, makes the window recorded with sounding the options' one,
    // as drawing it in playback would. True when the options' window changed (they raised
    // OptionsChanged); false also when the sounding records no plausible window.
    bool adoptRecordedWindow(int32_t sounding);

    // The correlation lowers a line to the minimum of the columns processed just before it,
    // whichever soundings those were. Before sounding is drawn this restarts that history
    // unless the last column in it was the sounding itself or its neighbour on the side it is
    // drawn from: the older one for direction +1 (playing forward), the newer one for -1
    // (stepping back, and the full redraw that runs from the newest line back). So a line is
    // never lowered by soundings far from it, such as the oldest lines a full redraw ends with.
    void keepCorrelationAdjacent(int32_t sounding, int32_t direction);

    // Rebuilds the colour tables from the options: black line and no-echo colours, the colour
    // mode and the colour line, the options taking back the colours the mode sets.
    void applyColorOptions();
    // Sets the colour mode again, for a user scheme that changed. A user scheme that cannot be
    // blended (a region without points while it is being edited) leaves the tables as they
    // were, with a warning.
    void applyColorMode();

    // Fills line x with palette entry 0.
    void ClearColumn(tChart& chart, int32_t x) const;

    // The sensitivity handed to the conversion: the recorder's automatic value offset by the
    // slider on SL2 channels 0 and 1 (0 on 2 to 5) when it recorded one, else half the slider
    // below the noise spike; 0 to 255, and the slider value itself without automatic
    // sensitivity.
    static int16_t effectiveSensitivity(const tSubHeader& subHeader, int16_t version,
                                        int32_t channel, int16_t sensitivity, bool autoSensitivity);
    // The correlation level: the option on SLG; on SL2 the recorded correlation plus what High
    // adds, unless the option is Off.
    static int16_t processingLevel(const tSubHeader& subHeader, int16_t version, int32_t option);

    // The range cells of the last sounding drawn, as the chart got them.
    const std::vector<uint8_t>& lastColumn() const { return m_rangeCells; }

private:
    // Notes that the column of sounding went into the correlation history.
    void noteCorrelated(int32_t sounding);

    tSonarOptions& m_options;
    tSonarColor& m_colors;
    tSonarProcessing& m_processing;
    tSonarFile* m_file = nullptr;
    const tColorScheme* m_scheme = nullptr;
    int32_t m_channel = 0;
    bool m_horizontal = false;
    std::vector<uint8_t> m_rangeCells;

    // The sounding whose column went last into the correlation history (-1: none), and the
    // depth window it was read for (a new window restarts the history).
    int32_t m_lastCorrelated = -1;
    float m_correlatedUpper = 0;
    float m_correlatedLower = 0;
};

} // namespace brellix
