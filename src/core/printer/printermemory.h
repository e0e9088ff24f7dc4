#pragma once

#include "core/printer/printeroffset.h"

#include <QList>
#include <QString>

#include <optional>

namespace hakobee {

class SettingsFolder;

// What the settings folder remembers about printers across starts of the
// program, in a file of its own beside the four settings files that
// existing installations share (those keep their format and are never
// touched here): the printer the operator chose last with the settings it
// was chosen with, and every printer's calibration offset.
//
// The file, hakobeeprinter.txt, is written like the other settings files
// (Shift-JIS, every value quoted, CR LF, rewritten through a temporary
// file): the column names, then one row per printer, each device name at
// most once whatever its letter case. The columns, in this order:
//
//   PRINTER CURRENT PAPERSIZE WIDTHTWIPS HEIGHTTWIPS ORIENTATION PAPERSOURCE
//   DPI OFFSETXMM OFFSETYMM
//
// and two rows as they stand in the file:
//
//   "hakobee-zebra","1","256","3402","2268","1","7","203","0","0"
//   "Office","0","","","","","","","2","-1.5"
//
// CURRENT is "1" on the row of the printer chosen last (one row at most),
// "0" on the others. The settings are the printer's codes (printerbackend.h):
// paper size, page width and height as named (portrait) in twips, orientation,
// paper source and resolution in dots per inch (PrintQuality); empty where
// the printer lacked the setting, or for a printer that was only
// calibrated. OFFSETXMM and OFFSETYMM are the printer's offset in
// millimetres, with a point for the decimals.

inline const QString printerMemoryFileName = u"hakobeeprinter.txt"_qs;

// One printer's row.
struct PrinterMemoryEntry
{
    QString deviceName;
    std::optional<int> paperSizeCode;
    std::optional<int> pageWidthTwips;
    std::optional<int> pageHeightTwips;
    std::optional<int> orientation;
    std::optional<int> paperSource;
    std::optional<int> printQualityDpi;
    PrinterOffsetMm offsetMm;

    friend bool operator==(const PrinterMemoryEntry&, const PrinterMemoryEntry&) = default;
};

struct PrinterMemory
{
    // The printer chosen last, one of `printers`; empty when none is (the
    // system's default printer is used, as before anything was remembered).
    QString currentDeviceName;
    QList<PrinterMemoryEntry> printers;

    // The entry of that device name, letter case aside; null when none.
    const PrinterMemoryEntry* find(const QString& deviceName) const;
    // The same, added (with no settings and no offset) when there is none.
    PrinterMemoryEntry& entry(const QString& deviceName);

    friend bool operator==(const PrinterMemory&, const PrinterMemory&) = default;
};

// The file's path in the folder.
QString printerMemoryPath(const SettingsFolder& folder);

// Reads the folder's file. A missing file is an empty memory, not an
// error. Throws hakobee::Error, naming the file (and the row), when it
// cannot be read or holds anything writePrinterMemory does not write:
// other column names, a row of another length, a value that is no number,
// an empty or repeated device name, more than one current row.
PrinterMemory readPrinterMemory(const SettingsFolder& folder);

// Writes the whole memory anew (creating the settings folder when it is
// missing). A failure leaves the old file as it was. Throws hakobee::Error
// when the file cannot be written or a device name cannot be stored in it.
void writePrinterMemory(const SettingsFolder& folder, const PrinterMemory& memory);

} // namespace hakobee
