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
// False when the text could not be written whole (a closed or full output).
bool print(const QString& text, std::FILE* stream)
{
    return std::fputs(qPrintable(text), stream) >= 0 && std::fflush(stream) == 0;
}

int answer(const brellix::CommandLine& line)
{
    if (line.action == brellix::CommandLine::Help) {
        return print(line.message, stdout) ? 0 : 1;
    }
    if (line.action == brellix::CommandLine::Version) {
        bool ok = false;
        const QString report = brellix::versionReport(ok);
        return print(report, ok ? stdout : stderr) && ok ? 0 : 1;
    }
    (void)print(line.message, stderr); // the status says it already
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
