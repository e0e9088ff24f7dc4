#pragma once

namespace hakobee {

// `hakobee print [--rows FIRST-LAST | --calibration-label] [--pdf DIR |
// --printer NAME] [--settings-root DIR]`: the continuous run without
// windows, with the same settings, allowance of 300 and renderer as the
// screen; with --rows the partial run over those rows of the query (numbered
// from its first row); with --calibration-label one calibration label
// (core/render/calibrationlabel.h) instead of the records. Labels go to the
// current printer, to the installed printer NAME, or as PDF files into DIR.
// Progress goes to standard error, a summary to standard output. Returns 0
// when done, 1 with the failure's description on standard error, 2 for a
// wrong command line. Needs no display: it makes its own application on the
// offscreen platform.
int runPrintCommand(int argc, char** argv);

} // namespace hakobee
