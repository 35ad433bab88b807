#include "shell/Startup.h"

#include "platform/ApplicationState.h"
#include "platform/SettingsStore.h"
#include "shell/frmMain.h"

namespace brellix {

QString commandLineText(const QStringList& arguments)
{
    return arguments.mid(1).join(QLatin1Char(' '));
}

StartupResult startBrellix(SettingsStore& settings, const QString& commandLine)
{
    ApplicationState& state = applicationState();
    state.strCommandLine = commandLine;

    StartupResult result;
    result.mainWindow = std::make_unique<frmMain>(settings);
    result.mainWindow->Form_Load(commandLine);
    result.mainWindow->show();

    const QString options = QStringLiteral("Options");
    state.lPositionFormat =
        settings.getInt(options, QStringLiteral("Position format"), ApplicationState::kDegMinSec);
    state.lDepthFormat =
        settings.getInt(options, QStringLiteral("Depth format"), ApplicationState::kFeet);
    result.showTip = commandLine.isEmpty() &&
                     settings.getInt(options, QStringLiteral("Show Tips at Startup"), 1) != 0;
    return result;
}

} // namespace brellix
