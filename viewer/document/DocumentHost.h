// What a chart window needs of the main window, as a small interface so that the chart windows
// build and test without the main frame. frmMain implements it; tests use a fake.
#pragma once

#include <cstdint>
#include <memory>

namespace brellix {

class SettingsStore;
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
    virtual void loadChartSettings() = 0;

    // Takes over a chart window that a chart created and opened itself (the further channels
    // of an SL2 log), puts it into a sub-window and shows it.
    virtual void showDocument(std::unique_ptr<frmDocument> document) = 0;
    // The chart is being unloaded (it is still whole): the last moment to read its state. The
    // host must not call it after this.
    virtual void documentUnloading(frmDocument& document) = 0;

    // The per-user settings store; it outlives every chart window.
    virtual SettingsStore& settings() = 0;

    // Application-wide formats of the readouts: position 0 Degrees, 1 Deg Min, 2 Deg Min Sec,
    // 3 Mercator Meter; depth 0 feet, 1 metres.
    virtual int32_t positionFormat() const = 0;
    virtual int32_t depthFormat() const = 0;
};

} // namespace brellix
