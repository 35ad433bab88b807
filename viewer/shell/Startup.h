// The start-up sequence of the viewer, apart from the process's own set-up, so that tests run
// it on a temporary settings store.
#pragma once

#include <QString>
#include <QStringList>

#include <memory>

namespace brellix {

class SettingsStore;
class frmMain;

struct StartupResult
{
    std::unique_ptr<frmMain> mainWindow;
    // The tip of the day is due: no log was named and "Show Tips at Startup" is non-zero.
    bool showTip = false;
};

// The argument text after the program name, as one file name: the arguments joined by single
// blanks, so a name with blanks that the shell split comes back whole.
QString commandLineText(const QStringList& arguments);

// Keeps the command line, creates and loads the main window (which opens the named log),
// shows it, and reads the position and depth formats into the application state.
StartupResult startBrellix(SettingsStore& settings, const QString& commandLine);

} // namespace brellix
