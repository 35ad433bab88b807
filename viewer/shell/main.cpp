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
    // Holds the main window for the run. The tip of the day (started.showTip) comes with the
    // tip window; until then start-up goes straight on.
    const brellix::StartupResult started =
        brellix::startBrellix(settings, brellix::commandLineText(QApplication::arguments()));
    return QApplication::exec();
}
