#include "shell/CommandLine.h"

#include "dialogs/ProgramVersion.h"
#include "platform/VantrelLibrary.h"

#include <QCommandLineParser>
#include <QDir>

namespace brellix {

namespace {

void describe(QCommandLineParser& parser)
{
    parser.setApplicationDescription(
        QStringLiteral("Views and replays the SLG and SL2 logs of fish-finder sonar units."));
    parser.addOption(QCommandLineOption({QStringLiteral("h"), QStringLiteral("help")},
                                        QStringLiteral("Shows this help and exits.")));
    parser.addOption(QCommandLineOption(
        {QStringLiteral("v"), QStringLiteral("version")},
        QStringLiteral("Shows the version and the sonar data library, and exits.")));
    parser.addPositionalArgument(QStringLiteral("log"),
                                 QStringLiteral("The log to open, optionally in double quotes."),
                                 QStringLiteral("[log]"));
    // A file name is one argument however the shell split it: "-x" after it is part of it.
    parser.setOptionsAfterPositionalArgumentsMode(QCommandLineParser::ParseAsPositionalArguments);
}

} // namespace

CommandLine parseCommandLine(const QStringList& arguments)
{
    QCommandLineParser parser;
    describe(parser);
    CommandLine line;
    if (!parser.parse(arguments)) {
        line.action = CommandLine::Error;
        line.message = parser.errorText() + QLatin1Char('\n') + parser.helpText();
        return line;
    }
    if (parser.isSet(QStringLiteral("help"))) {
        line.action = CommandLine::Help;
        line.message = parser.helpText();
        return line;
    }
    if (parser.isSet(QStringLiteral("version"))) {
        line.action = CommandLine::Version;
        return line;
    }
    line.fileText = parser.positionalArguments().join(QLatin1Char(' '));
    return line;
}

QString versionReport(bool& ok)
{
    VantrelLibrary& library = VantrelLibrary::instance();
    ok = library.verify();
    QString text = programTitle() + QLatin1Char(' ') + versionText() + QLatin1Char('\n');
    if (ok) {
        text += QStringLiteral("Sonar data library: %1\n")
                    .arg(QDir::toNativeSeparators(library.loadedFile()));
    } else {
        text += library.errorString() + QLatin1Char('\n');
    }
    return text;
}

} // namespace brellix
