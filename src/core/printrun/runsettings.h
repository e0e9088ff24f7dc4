#pragma once

#include "core/settings/printadjustmentsfile.h"

#include <QString>

#include <optional>

namespace hakobee {

class ActivePrinter;
class DatabaseProvider;
class SettingsFolder;

// What a run reads from nimbeconfig4.txt when it starts: the paper (YOSHI)
// and the printer connection type (PRINTER). A value that is empty in the
// file is empty text.
struct RunPrinterSettings
{
    QString paper;
    QString connectionType;
};

// The named read "Select * From nimbeconfig4.txt". Throws hakobee::Error.
RunPrinterSettings readRunPrinterSettings(DatabaseProvider& databases);

// Connection type "1" exactly: the operator chooses the printer at every
// run. Any other text ("01", " 1") is not.
bool asksForPrinterAtEachRun(const QString& connectionType);

// Connection type "0": the runs print on the current printer with the paper
// chosen on the paper screen.
bool usesFixedPrinter(const QString& connectionType);

// The paper size code a stored paper value names: none for "_" (nothing
// chosen), "999" (chosen at each run), an empty text or any other text that
// is not a whole number.
std::optional<int> storedPaperSizeCode(const QString& paper);

// With the fixed connection type, makes the stored paper the current
// printer's paper, so the paper chosen on the paper screen is the paper the
// labels print on. Does nothing for another type or for a paper value that
// names no code. Throws hakobee::Error when the printer refuses the code.
void applyStoredPaper(ActivePrinter& printer, const RunPrinterSettings& settings);

// The print adjustments as the numbers a run moves and scales its labels by.
struct AdjustmentNumbers
{
    double offsetXMm = 0;        // SIZE1
    double offsetYMm = 0;        // SIZE2
    double fontAdjustmentPt = 0; // SIZE3
};

// The stored texts read as numbers. Throws hakobee::Error naming the
// adjustment that is no number, in the renderer's words.
AdjustmentNumbers adjustmentNumbersOf(const PrintAdjustments& adjustments);

} // namespace hakobee
