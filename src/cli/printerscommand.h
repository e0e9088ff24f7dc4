#pragma once

namespace hakobee {

// `hakobee printers [--printer NAME] [--settings-root DIR]`: lists the
// installed printers (or the one named) with their resolution and paper
// sizes on standard output, the current printer marked: the printer
// remembered in DIR's settings folder, else the system's default (see
// printerlisting.h for the form and a remembered printer that is gone).
// Returns 0 when listed, 1 with the reason on
// standard error (an unknown name lists the installed ones), 2 for a wrong
// command line. Needs no display: it makes its own application on the
// offscreen platform.
int runPrintersCommand(int argc, char** argv);

} // namespace hakobee
