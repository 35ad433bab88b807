// brellix [log]: the sonar log viewer.
#include "platform/SettingsStore.h"
#include "shell/Startup.h"
#include "shell/frmMain.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Brellix"));
    QApplication::setOrganizationName(QStringLiteral("Brellix"));

    brellix::SettingsStore settings;
    // Holds the main window for the run.
    const brellix::StartupResult started =
        brellix::startBrellix(settings, brellix::commandLineText(QApplication::arguments()));
    if (started.showTip) {
        started.mainWindow->showTipOfTheDay();
    }
    return QApplication::exec();
}
