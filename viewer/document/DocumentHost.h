// What a chart window needs of the main window, as a small interface so that the chart windows
// build and test without the main frame. frmMain implements it; tests use a fake.
#pragma once

#include <QString>

#include <cstdint>

namespace brellix {

class frmDocument;
class tColorScheme;
class tSonarFile;

class DocumentHost
{
public:
    virtual ~DocumentHost() = default;

    // Makes menus, toolbar and the chart settings window show the active chart's state.
    virtual void SynchronizeMenu() = 0;
    // Moves every other chart on the same log file (another reader object, same file name) to
    // the file address of sounding SoundingNumber of SonarFile, through their GotoFilePosition.
    virtual void SyncFilePosition(tSonarFile& SonarFile, int32_t SoundingNumber) = 0;
    // True while any open chart window has bIdleWorking set, the asking one included.
    virtual bool AnyIdleWorking() = 0;

    // The application's single user colour scheme (the colour scheme editor's); it outlives
    // every chart window.
    virtual tColorScheme& UserColorScheme() = 0;
    // The colour scheme editor's ShowUserColorScheme(ColorMode).
    virtual void ShowUserColorScheme(int32_t ColorMode) = 0;
    // The chart settings window's LoadSettings: it re-reads the active chart's options.
    virtual void LoadChartSettings() = 0;

    // Shows a chart window that a chart created and opened itself (the further channels of an
    // SL2 log): the host takes ownership, puts it into a sub-window and shows it.
    virtual void ShowDocument(frmDocument* document) = 0;
    // The chart is being unloaded (it is still whole): the last moment to read its state. The
    // host must not call it after this.
    virtual void DocumentUnloading(frmDocument& document) = 0;

    // The settings store: a stored text or defaultValue when the key is absent; and writing.
    virtual QString GetSetting(const QString& section, const QString& key,
                               const QString& defaultValue) = 0;
    virtual void SaveSetting(const QString& section, const QString& key, const QString& value) = 0;

    // Application-wide formats of the readouts: position 0 Degrees, 1 Deg Min, 2 Deg Min Sec,
    // 3 Mercator Meter; depth 0 feet, 1 metres.
    virtual int32_t PositionFormat() const = 0;
    virtual int32_t DepthFormat() const = 0;
};

} // namespace brellix
