#pragma once

#include <QString>

namespace hakobee {

class PrinterBackend;

// What `hakobee printers` writes and returns.
struct PrinterListing
{
    QString out; // the listing, UTF-8 text for standard output
    // For standard error: why it failed, or that the remembered printer is
    // gone (the listing itself is complete then); empty otherwise.
    QString err;
    int exitCode = 0; // 0 listed, 1 failed
};

// The printer the listing marks: the one labels print on when no printer is
// named. That is the remembered printer (the device name the window's choice
// left in the settings folder; empty when none is remembered) when it is
// installed, letter case aside, as the window and `hakobee print` make it
// current; with nothing remembered the system's default, else the first
// installed printer, where an ActivePrinter starts. Empty when the
// remembered printer is no longer installed: labels then go to no printer
// until another is chosen. Throws hakobee::Error when no printer is
// installed or that printer cannot be opened.
QString currentPrinterName(PrinterBackend& backend, const QString& rememberedDeviceName = {});

// Lists the installed printers in the system's order, or only the one named
// (letter case aside, as a print run matches it). Each printer takes one line,
// "* NAME" for the current printer (currentPrinterName, with the remembered
// printer's device name) and "  NAME" for the others, followed by its
// details indented:
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
// A remembered printer that is no longer installed marks no printer and is
// said in err, the listing succeeding all the same.
PrinterListing listPrinters(PrinterBackend& backend, const QString& onlyPrinterName = {},
                            const QString& rememberedDeviceName = {});

} // namespace hakobee
