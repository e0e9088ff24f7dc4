#include "core/settings/furnitureslipfile.h"

#include "core/error.h"
#include "core/settings/settingscolumns.h"
#include "core/settings/settingsfiles.h"
#include "core/settings/settingsfolder.h"
#include "core/settings/settingsrecord.h"

namespace hakobee {

QList<FieldValue> readPrintAdjustmentRecord(DatabaseProvider& databases)
{
    const SettingsRecord record = readSettingsRecord(
        databases, u"Select SIZE1,SIZE2,SIZE3 From "_qs + SettingsFiles::furnitureSlip);
    const QStringList columns = SettingsColumns::furnitureSlip();
    return {record.value(columns[FurnitureSlipColumns::horizontalOffset]),
            record.value(columns[FurnitureSlipColumns::verticalOffset]),
            record.value(columns[FurnitureSlipColumns::fontSizeChange])};
}

QStringList readFurnitureSlipRecord(DatabaseProvider& databases)
{
    const SettingsRecord record =
        readSettingsRecord(databases, u"Select * From "_qs + SettingsFiles::furnitureSlip);
    QStringList values;
    for (const QString& column : SettingsColumns::furnitureSlip()) {
        if (!record.contains(column))
            throw Error(u"%1 に列 %2 がありません。"_qs.arg(SettingsFiles::furnitureSlip, column));
        values.append(record.value(column).value_or(QString()));
    }
    return values;
}

void writeFurnitureSlipValues(const SettingsFolder& folder, const QStringList& values)
{
    const QStringList columns = SettingsColumns::furnitureSlip();
    if (values.size() != columns.size())
        throw Error(u"%1 に書く値が %2 個ではなく %3 個です。"_qs.arg(SettingsFiles::furnitureSlip)
                        .arg(columns.size())
                        .arg(values.size()));
    replaceSettingsFile(folder.filePath(SettingsFiles::furnitureSlip), columns, values);
}

} // namespace hakobee
