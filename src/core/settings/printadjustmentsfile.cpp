#include "core/settings/printadjustmentsfile.h"

#include "core/error.h"
#include "core/settings/settingscolumns.h"
#include "core/settings/settingsfiles.h"
#include "core/settings/settingsfolder.h"
#include "core/settings/settingsrecord.h"

namespace hakobee {

namespace {

// Where each value stands among the 99 columns (from 0); the other carried
// values follow the adjustments.
constexpr int slipDataFolderPosition = 0; // DB1
constexpr int slipDataFilePosition = 1;   // DB2
constexpr int firstOtherPosition = 5;     // D1

struct AdjustmentPosition
{
    PrintAdjustmentField field;
    int position;
};
constexpr AdjustmentPosition adjustmentPositions[] = {
    {&PrintAdjustments::horizontalOffsetMm, 2}, // SIZE1
    {&PrintAdjustments::verticalOffsetMm, 3},   // SIZE2
    {&PrintAdjustments::fontSizeChangePt, 4},   // SIZE3
};

qsizetype columnCount()
{
    return SettingsColumns::printAdjustments().size();
}

PrintAdjustmentsRecord recordOf(const QStringList& row)
{
    PrintAdjustmentsRecord record;
    for (const AdjustmentPosition& adjustment : adjustmentPositions)
        record.adjustments.*adjustment.field = row[adjustment.position];
    record.carried.slipDataFolder = row[slipDataFolderPosition];
    record.carried.slipDataFile = row[slipDataFilePosition];
    record.carried.others = row.mid(firstOtherPosition);
    return record;
}

QStringList rowOf(const PrintAdjustmentsRecord& record)
{
    QStringList row(firstOtherPosition);
    for (const AdjustmentPosition& adjustment : adjustmentPositions)
        row[adjustment.position] = record.adjustments.*adjustment.field;
    row[slipDataFolderPosition] = record.carried.slipDataFolder;
    row[slipDataFilePosition] = record.carried.slipDataFile;
    row += record.carried.others;
    return row;
}

} // namespace

QString columnOf(PrintAdjustmentField adjustment)
{
    for (const AdjustmentPosition& known : adjustmentPositions) {
        if (known.field == adjustment)
            return SettingsColumns::printAdjustments()[known.position];
    }
    return {};
}

PrintAdjustmentsRecord readPrintAdjustmentsRecord(DatabaseProvider& databases)
{
    const SettingsRecord sizes = readSettingsRecord(
        databases, u"Select SIZE1,SIZE2,SIZE3 From "_qs + SettingsFiles::printAdjustments);
    PrintAdjustments adjustments;
    for (const AdjustmentPosition& adjustment : adjustmentPositions)
        adjustments.*adjustment.field = sizes.value(columnOf(adjustment.field)).value_or(QString());

    const SettingsRecord all =
        readSettingsRecord(databases, u"Select * From "_qs + SettingsFiles::printAdjustments);
    QStringList row;
    for (const QString& column : SettingsColumns::printAdjustments()) {
        if (!all.contains(column))
            throw Error(
                u"%1 に列 %2 がありません。"_qs.arg(SettingsFiles::printAdjustments, column));
        row.append(all.value(column).value_or(QString()));
    }
    PrintAdjustmentsRecord record = recordOf(row);
    // The adjustments are those of the first query; the second gives the
    // carried columns only.
    record.adjustments = adjustments;
    return record;
}

PrintAdjustmentsRecord readPrintAdjustmentsRecord(const SettingsFolder& folder)
{
    return recordOf(
        readSettingsRows(folder.filePath(SettingsFiles::printAdjustments), int(columnCount()))
            .data);
}

PrintAdjustments readPrintAdjustments(const SettingsFolder& folder)
{
    return readPrintAdjustmentsRecord(folder).adjustments;
}

void writePrintAdjustmentsRecord(const SettingsFolder& folder, const PrintAdjustmentsRecord& record)
{
    const QStringList row = rowOf(record);
    if (row.size() != columnCount())
        throw Error(
            u"%1 に書く値が %2 個ではなく %3 個です。"_qs.arg(SettingsFiles::printAdjustments)
                .arg(columnCount())
                .arg(row.size()));
    replaceSettingsFile(folder.filePath(SettingsFiles::printAdjustments),
                        SettingsColumns::printAdjustments(), row);
}

} // namespace hakobee
