#pragma once

class QApplication;

namespace hakobee {

// Runs the program's window: reads the command line (--settings-root DIR),
// puts the production seams together, shows the main window and runs the
// event loop until the last window closes. Returns the exit code.
int runProgram(QApplication& app);

} // namespace hakobee
