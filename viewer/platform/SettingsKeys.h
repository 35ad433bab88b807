// Every section and key of the settings store, each named once here with its default when it
// is absent. The viewer reads and writes the store only through these.
#pragma once

#include <QString>

#include <cstdint>

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
inline const SettingWithDefault<int32_t> kMainState{{kSettings, QStringLiteral("State")}, 0};

// The chart settings window's left and top in twips; by default beside the main window.
inline const SettingKey kChartOptionsLeft{kSettings, QStringLiteral("ChartOptionsLeft")};
inline const SettingKey kChartOptionsTop{kSettings, QStringLiteral("ChartOptionsTop")};
// The colour scheme editor's left and top in twips as the text "left,top"; absent for none.
inline const SettingKey kUserColorScheme{kSettings, QStringLiteral("UserColorScheme")};

// The options of the chart closed last; a chart opening a log starts from them, and from its
// own current value where one is absent.
inline const SettingKey kSurfaceClarity{kSettings, QStringLiteral("SurfaceClarity")};
inline const SettingKey kAdvancedSignalProcessing{kSettings, QStringLiteral("ASP")};
inline const SettingKey kAutoSense{kSettings, QStringLiteral("AutoSense")};

inline const SettingWithDefault<bool> kShowChartSettings{
    {kOptions, QStringLiteral("Show Chart Settings")}, true};
// Folders of the last log and the last colour file, with a trailing separator; by default the
// user's documents folder.
inline const SettingKey kMruDir{kOptions, QStringLiteral("MRUDir")};
inline const SettingKey kMruColorDir{kOptions, QStringLiteral("MRUColorDir")};
inline const SettingWithDefault<int32_t> kPositionFormat{
    {kOptions, QStringLiteral("Position format")}, 2};
inline const SettingWithDefault<int32_t> kDepthFormat{{kOptions, QStringLiteral("Depth format")},
                                                      0};
inline const SettingWithDefault<int32_t> kShowTipsAtStartup{
    {kOptions, QStringLiteral("Show Tips at Startup")}, 1};
inline const SettingWithDefault<int32_t> kLptPort{{kOptions, QStringLiteral("LPT Port")}, 1};
// The window state of the chart closed last: 0 normal, 1 minimised, 2 maximised.
inline const SettingWithDefault<int32_t> kDocState{{kOptions, QStringLiteral("DocState")}, 0};

// The colour mode of the chart of a channel closed last ("ColorMode0" for channel 0).
inline SettingWithDefault<int32_t> colorMode(int32_t channel)
{
    return {{kOptions, QStringLiteral("ColorMode") + QString::number(channel)}, 0};
}

} // namespace settingskeys

} // namespace brellix
