// Every section and key of the settings store, each named once here with its default when it
// is absent. The viewer reads and writes the store only through these.
#pragma once

#include <QString>

#include <cstdint>
#include <limits>

namespace brellix {

// A key of the store: its section and its name there.
struct SettingKey
{
    QString section;
    QString name;
};

// A key whose default when absent is fixed.
template <typename T> struct SettingWithDefault : SettingKey
{
    T fallback;
};

// An integer key with its default when absent and the values it may hold: a stored value
// outside [minimum, maximum] counts as absent, as one that does not read as a number does.
struct IntSetting : SettingKey
{
    int32_t fallback;
    int32_t minimum;
    int32_t maximum;
};

namespace settingskeys {

inline const QString kSettings = QStringLiteral("Settings");
inline const QString kOptions = QStringLiteral("Options");

// The main window's placement in twips, and its state: 0 normal, 1 minimised, 2 maximised.
inline const SettingWithDefault<float> kMainLeft{{kSettings, QStringLiteral("MainLeft")}, 1000.0f};
inline const SettingWithDefault<float> kMainTop{{kSettings, QStringLiteral("MainTop")}, 1000.0f};
inline const SettingWithDefault<float> kMainWidth{{kSettings, QStringLiteral("MainWidth")},
                                                  6500.0f};
inline const SettingWithDefault<float> kMainHeight{{kSettings, QStringLiteral("MainHeight")},
                                                   6500.0f};
inline const IntSetting kMainState{{kSettings, QStringLiteral("State")}, 0, 0, 2};

// The chart settings window's left and top in twips; by default beside the main window.
inline const SettingKey kChartOptionsLeft{kSettings, QStringLiteral("ChartOptionsLeft")};
inline const SettingKey kChartOptionsTop{kSettings, QStringLiteral("ChartOptionsTop")};
// The colour scheme editor's left and top in twips as the text "left,top"; absent for none.
inline const SettingKey kUserColorScheme{kSettings, QStringLiteral("UserColorScheme")};

// The options of the chart closed last; a chart opening a log starts from them, and from its
// own current value where one is absent (the fallback here is the fresh chart's).
inline const IntSetting kSurfaceClarity{{kSettings, QStringLiteral("SurfaceClarity")}, 0, 0, 3};
inline const IntSetting kAdvancedSignalProcessing{{kSettings, QStringLiteral("ASP")}, 1, 0, 2};
inline const SettingKey kAutoSense{kSettings, QStringLiteral("AutoSense")};

inline const SettingWithDefault<bool> kShowChartSettings{
    {kOptions, QStringLiteral("Show Chart Settings")}, true};
// Folders of the last log and the last colour file, with a trailing separator; by default the
// user's documents folder.
inline const SettingKey kMruDir{kOptions, QStringLiteral("MRUDir")};
inline const SettingKey kMruColorDir{kOptions, QStringLiteral("MRUColorDir")};
// Readout formats: position 0 Degrees, 1 Deg Min, 2 Deg Min Sec, 3 Mercator Meter; depth 0
// feet, 1 metres.
inline const IntSetting kPositionFormat{{kOptions, QStringLiteral("Position format")}, 2, 0, 3};
inline const IntSetting kDepthFormat{{kOptions, QStringLiteral("Depth format")}, 0, 0, 1};
// Non-zero shows the tip of the day at start-up.
inline const IntSetting kShowTipsAtStartup{{kOptions, QStringLiteral("Show Tips at Startup")},
                                           1,
                                           std::numeric_limits<int32_t>::min(),
                                           std::numeric_limits<int32_t>::max()};
inline const IntSetting kLptPort{{kOptions, QStringLiteral("LPT Port")}, 1, 1, 2};
// The window state of the chart closed last: 0 normal, 1 minimised, 2 maximised.
inline const IntSetting kDocState{{kOptions, QStringLiteral("DocState")}, 0, 0, 2};

// The colour mode of the chart of a channel closed last ("ColorMode0" for channel 0).
inline IntSetting colorMode(int32_t channel)
{
    return {{kOptions, QStringLiteral("ColorMode") + QString::number(channel)}, 0, 0, 7};
}

} // namespace settingskeys

} // namespace brellix
