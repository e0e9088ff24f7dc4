#pragma once

#include "core/printer/devmode.h"

#include <QString>
#include <QtGlobal>

class QWidget;

namespace hakobee {

class ActivePrinter;
class MessageBoxes;
class PrintSetupDialog;
class RememberedPrinter;

// Which printer the print runs draw on, with which paper and settings: the
// print-setup dialog, choosing a printer by name, and one remembered printer
// state to go back to. Every change applies to the ActivePrinter of this
// process only, never to the system's default printer; with a
// RememberedPrinter, what the operator confirms in the dialog is also kept
// for the next start.
class PrinterSetup
{
public:
    static constexpr quint32 printSetupFlag = 0x40; // PD_PRINTSETUP

    PrinterSetup(ActivePrinter& printer, PrintSetupDialog& dialog, MessageBoxes& messages,
                 RememberedPrinter* remembered = nullptr);

    // Shows the print-setup dialog pre-filled with the current printer; when
    // the operator confirms, makes the chosen printer and settings current,
    // remembers them (when there is a RememberedPrinter) and returns true.
    // A cancel returns false and changes nothing. A paper size the printer
    // rejects, or a choice that cannot be written to the settings folder, is
    // reported to the operator; the other settings are still applied and the
    // result is still true.
    bool ShowPrinterSetup(quint32 flags, QWidget* owner);

    // Makes the installed printer of that name current (letter case aside),
    // then sets paper size, orientation and paper source on the current
    // printer, ignoring settings it rejects. Returns whether the current
    // printer now has that name.
    bool SelectPrinter(const QString& deviceName, int paperSizeCode, int orientation,
                       int paperSource);

    // Remembers the current printer's name, paper size, orientation and paper
    // source. Throws hakobee::Error when one of them cannot be read.
    void SavePrinterState();
    // SelectPrinter with what was remembered (an empty name and zeros before
    // the first save).
    bool RestorePrinterState();

    // The records the dialog starts from, as the current printer fills them.
    DevMode devModeForCurrentPrinter() const;
    DevNames devNamesForCurrentPrinter() const;
    // Makes what the dialog returned current.
    void applyDialogChoice(const DevMode& devMode, const DevNames& devNames, QWidget* owner);

private:
    ActivePrinter& printer_;
    PrintSetupDialog& dialog_;
    MessageBoxes& messages_;
    RememberedPrinter* remembered_;

    QString savedDeviceName_;
    int savedPaperSize_ = 0;
    int savedOrientation_ = 0;
    int savedPaperSource_ = 0;
};

} // namespace hakobee
