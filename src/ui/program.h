#pragma once

#include <QString>
#include <QStringList>

class QApplication;

namespace hakobee {

// The settings root the command line names with --settings-root DIR, or the
// platform's default root. Exits with a usage message on unknown options.
QString settingsRootFromArguments(const QStringList& arguments);

// Runs the program's window: reads the command line (--settings-root DIR),
// puts the production seams together, shows the main window and runs the
// event loop until the last window closes. Returns the exit code.
int runProgram(QApplication& app);

} // namespace hakobee
