// Application-wide state that lives for the whole run: the command line, the last log and
// colour file names, the position and depth formats of the readouts, and the range-variable-gain
// switch that the reader applies to SL2 soundings.
#pragma once

#include <QString>

#include <cstdint>

namespace brellix {

struct ApplicationState
{
    // Position formats.
    static constexpr int32_t kDegrees = 0;
    static constexpr int32_t kDegMin = 1;
    static constexpr int32_t kDegMinSec = 2;
    static constexpr int32_t kMercatorMeter = 3;
    // Depth formats.
    static constexpr int32_t kFeet = 0;
    static constexpr int32_t kMetres = 1;

    QString strCommandLine;
    // Offered again as the file name by the next log and colour file dialogs.
    QString strLastFileName;
    QString strLastColorFileName;
    int32_t lPositionFormat = kDegMinSec;
    int32_t lDepthFormat = kFeet;
    // Range-variable-gain reduction of SL2 soundings; on by default.
    bool g_RVGEnabled = true;
};

// The one instance of the process.
ApplicationState& applicationState();

} // namespace brellix
