#pragma once

#include <QString>
#include <QStringList>

namespace hakobee {

// The settings root the command line names with --settings-root DIR, or the
// platform's default root. A wrong command line (an unknown option, a stray
// word) ends the process with a one-line message and exit code 2.
QString settingsRootFromArguments(const QStringList& arguments);

// Runs the program's window. --help and --version are answered without a
// display; without a display the program says so in one line. Otherwise it
// reads the command line (--settings-root DIR), puts the production seams
// together, shows the main window and runs the event loop until the last
// window closes. Returns the exit code (see production/exitcodes.h).
int runProgram(int argc, char* argv[]);

} // namespace hakobee
