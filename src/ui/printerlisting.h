#pragma once

#include <QString>

namespace hakobee {

class PrinterBackend;

// What `hakobee printers` writes and returns.
struct PrinterListing
{
    QString out;      // the listing, UTF-8 text for standard output
    QString err;      // why it failed, for standard error; empty when it did not
    int exitCode = 0; // 0 listed, 1 failed
};

// The printer the listing marks: the one labels print on when no printer is
// named, the printer the process's ActivePrinter starts on. Throws
// hakobee::Error when no printer is installed.
QString currentPrinterName(PrinterBackend& backend);

// Lists the installed printers in the system's order, or only the one named
// (letter case aside, as a print run matches it). Each printer takes one line,
// "* NAME" for the current printer and "  NAME" for the others, followed by
// its details indented:
//
//   * hakobee-pdf
//       解像度: 300 dpi
//       用紙:
//           9, 210 x 297 mm, A4
//           300, 57 x 32 mm, w162h91
//
// the resolution ("不明" when the printer does not give one) and every paper
// size it offers, one a line as "code, width x height mm, name" in the paper
// list's whole millimetres (", name" left out where the printer names none;
// "用紙: なし" when it offers none). An unknown name, a printer that cannot be
// opened or no printer at all fails with the reason (and the installed
// printers' names) in err; the printers that could be read are still listed.
PrinterListing listPrinters(PrinterBackend& backend, const QString& onlyPrinterName = {});

} // namespace hakobee
