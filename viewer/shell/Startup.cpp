#include "shell/Startup.h"

#include "dialogs/frmSplash.h"
#include "platform/ApplicationState.h"
#include "platform/SettingsStore.h"
#include "shell/frmMain.h"

#include <QCoreApplication>
#include <QDir>

namespace brellix {

StartupResult startBrellix(SettingsStore& settings, const QString& commandLine,
                           const std::function<void(const QString& title, const QString& text,
                                                    QMessageBox::Icon icon)>& messages)
{
    ApplicationState& state = applicationState();
    state.strCommandLine = commandLine;

    // The splash stands while the main window loads, painted before the work begins.
    auto splash = std::make_unique<frmSplash>();
    splash->show();
    splash->repaint();
    QCoreApplication::processEvents();

    StartupResult result;
    result.mainWindow = std::make_unique<frmMain>(settings);
    if (messages) {
        result.mainWindow->setMessageHandler(messages);
    }
    result.mainWindow->load(commandLine);
    result.splashShown = splash->isVisible();
    splash.reset();
    result.mainWindow->show();
    // Once a run: the viewer works on, forgetting what it would have kept.
    if (!settings.isWritable()) {
        result.mainWindow->showMessage(
            QStringLiteral("The settings file %1 cannot be written. Brellix runs on, but the "
                           "settings you change will not be kept.")
                .arg(QDir::toNativeSeparators(settings.filePath())),
            QMessageBox::Warning);
    }

    state.lPositionFormat = settings.get(settingskeys::kPositionFormat);
    state.lDepthFormat = settings.get(settingskeys::kDepthFormat);
    result.showTip = commandLine.isEmpty() && settings.get(settingskeys::kShowTipsAtStartup) != 0;
    return result;
}

} // namespace brellix
