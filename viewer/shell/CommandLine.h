// The viewer's command line: --help and --version, and otherwise one log's file name, taken as
// the start-up has always taken it (every argument after the options joined by single blanks,
// double quotes and all).
#pragma once

#include <QString>
#include <QStringList>

namespace brellix {

struct CommandLine
{
    enum Action { Run, Help, Version, Error } action = Run;
    // Run: the file name text for the start-up; empty when none was given.
    QString fileText;
    // Help: the usage; Error: what was wrong, with the usage.
    QString message;
};

// arguments as QCoreApplication::arguments() gives them, the program's name first.
CommandLine parseCommandLine(const QStringList& arguments);

// What --version prints: the viewer's version and the library it binds, or why none binds.
// ok is set to whether the library loaded with every export the viewer uses.
QString versionReport(bool& ok);

} // namespace brellix
