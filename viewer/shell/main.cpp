// brellix [--help | --version | log]: the sonar log viewer.
#include "platform/SettingsStore.h"
#include "shell/CommandLine.h"
#include "shell/Startup.h"
#include "shell/frmMain.h"

#include <QApplication>

#include <cstdio>

namespace {

// --help and --version answer on the console: no display needed, so no window system is
// asked for. Qt's own options (-platform and the like) are known only to QApplication.
int answer(const brellix::CommandLine& line)
{
    if (line.action == brellix::CommandLine::Help) {
        std::fputs(qPrintable(line.message), stdout);
        return 0;
    }
    if (line.action == brellix::CommandLine::Version) {
        bool ok = false;
        const QString report = brellix::versionReport(ok);
        std::fputs(qPrintable(report), ok ? stdout : stderr);
        return ok ? 0 : 1;
    }
    std::fputs(qPrintable(line.message), stderr);
    return 1;
}

} // namespace

int main(int argc, char* argv[])
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i) {
        arguments.append(QString::fromLocal8Bit(argv[i]));
    }
    const brellix::CommandLine asked = brellix::parseCommandLine(arguments);
    if (asked.action == brellix::CommandLine::Help ||
        asked.action == brellix::CommandLine::Version) {
        QCoreApplication console(argc, argv);
        return answer(brellix::parseCommandLine(QCoreApplication::arguments()));
    }

    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Brellix"));
    QApplication::setOrganizationName(QStringLiteral("Brellix"));

    const brellix::CommandLine line = brellix::parseCommandLine(QApplication::arguments());
    if (line.action != brellix::CommandLine::Run) {
        return answer(line);
    }

    brellix::SettingsStore settings;
    // Holds the main window for the run.
    const brellix::StartupResult started = brellix::startBrellix(settings, line.fileText);
    if (started.showTip) {
        started.mainWindow->showTipOfTheDay();
    }
    return QApplication::exec();
}
