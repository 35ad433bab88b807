// The start-up sequence of the viewer, apart from the process's own set-up, so that tests run
// it on a temporary settings store.
#pragma once

#include <QString>
#include <QStringList>

#include <QMessageBox>

#include <functional>
#include <memory>

namespace brellix {

class SettingsStore;
class frmMain;

struct StartupResult
{
    std::unique_ptr<frmMain> mainWindow;
    // The tip of the day is due: no log was named and "Show Tips at Startup" is non-zero.
    bool showTip = false;
    // The splash stood while the main window loaded.
    bool splashShown = false;
};

// Keeps the command line, shows the splash while it creates and loads the main window (which
// opens the named log), shows the main window, says when the settings file cannot be written,
// and reads the position and depth formats into the application state. The main window's
// message boxes go to messages when one is given (tests), else on the screen.
StartupResult startBrellix(SettingsStore& settings, const QString& commandLine,
                           const std::function<void(const QString& title, const QString& text,
                                                    QMessageBox::Icon icon)>& messages = {});

} // namespace brellix
