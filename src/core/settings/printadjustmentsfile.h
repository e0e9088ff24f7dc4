#pragma once

#include <QString>
#include <QStringList>

namespace hakobee {

class DatabaseProvider;
class SettingsFolder;

// nimbeconfig5.txt: the three print adjustments and the 96 columns kept
// beside them, 99 columns in the order of SettingsColumns::printAdjustments().
// Every value is text as stored; a value empty in the file is empty text.

// The print adjustments, whole numbers from -20 to 20 as decimal text; the
// renderer reads them as numbers (readPrintAdjustment gives the number a
// screen shows).
struct PrintAdjustments
{
    QString horizontalOffsetMm; // SIZE1: added to every horizontal position
    QString verticalOffsetMm;   // SIZE2: added to every vertical position
    QString fontSizeChangePt;   // SIZE3: added to every font size

    friend bool operator==(const PrintAdjustments&, const PrintAdjustments&) = default;
};

// One of the three, for code that treats them alike.
using PrintAdjustmentField = QString PrintAdjustments::*;

// The column that holds the adjustment ("SIZE1", "SIZE2" or "SIZE3"), for
// what the operator is told.
QString columnOf(PrintAdjustmentField adjustment);

// The columns no screen edits; the position adjustment screen writes them
// back as it loaded them.
struct CarriedColumns
{
    QString slipDataFolder; // DB1: folder of the furniture-slip layout's data file
    QString slipDataFile;   // DB2: name of that file within the folder
    // D1, "2" ... "90", NA, YU, JYU and TEL in file order; no part of the
    // program gives them a meaning.
    QStringList others;

    friend bool operator==(const CarriedColumns&, const CarriedColumns&) = default;
};

// The data row of the file.
struct PrintAdjustmentsRecord
{
    PrintAdjustments adjustments;
    CarriedColumns carried;

    friend bool operator==(const PrintAdjustmentsRecord&, const PrintAdjustmentsRecord&) = default;
};

// The named read through the settings connection (the position adjustment
// screen's loading): "Select SIZE1,SIZE2,SIZE3 From nimbeconfig5.txt" for
// the adjustments, then "Select * From nimbeconfig5.txt" for the carried
// columns, each value taken by column name whatever order the file holds
// them in. Throws hakobee::Error, naming the column, when the file lacks one.
PrintAdjustmentsRecord readPrintAdjustmentsRecord(DatabaseProvider& databases);

// The sequential read of the header and data rows, 99 values each (the main
// menu's loading). Throws hakobee::Error when the file is missing,
// unreadable, damaged or short.
PrintAdjustmentsRecord readPrintAdjustmentsRecord(const SettingsFolder& folder);

// The adjustments alone, by the same sequential read (what the print runs
// apply). Throws as above.
PrintAdjustments readPrintAdjustments(const SettingsFolder& folder);

// Rewrites the file: the 99 column names in file order, then the record's
// values in the same order. On any failure the old file stays as it was.
// Throws hakobee::Error, also when the record does not hold 94 other
// carried values.
void writePrintAdjustmentsRecord(const SettingsFolder& folder,
                                 const PrintAdjustmentsRecord& record);

} // namespace hakobee
