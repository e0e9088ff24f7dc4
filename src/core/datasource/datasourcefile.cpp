#include "core/datasource/datasourcefile.h"

#include "core/error.h"
#include "core/settings/settingscolumns.h"
#include "core/settings/settingsfiles.h"
#include "core/settings/settingsfolder.h"
#include "core/settings/settingsformat.h"
#include "core/settings/settingsrecord.h"

namespace hakobee {

namespace {

constexpr int dataSourceValuesPerRow = 3;

} // namespace

DataSourceSettings readDataSourceRecord(DatabaseProvider& databases)
{
    const SettingsRecord record =
        readSettingsRecord(databases, u"Select * From "_qs + SettingsFiles::dataSource);
    const QStringList columns = SettingsColumns::dataSource();
    return {record.value(columns[0]).value_or(QString()),
            record.value(columns[1]).value_or(QString()),
            record.value(columns[2]).value_or(QString())};
}

DataSourceSettings readDataSourceRows(const SettingsFolder& folder)
{
    const SettingsRows rows =
        readSettingsRows(folder.filePath(SettingsFiles::dataSource), dataSourceValuesPerRow);
    return {rows.data[0], rows.data[1], rows.data[2]};
}

void writeDataSource(const SettingsFolder& folder, const DataSourceSettings& typed)
{
    replaceSettingsFile(folder.filePath(SettingsFiles::dataSource), SettingsColumns::dataSource(),
                        {typed.databasePath, typed.table, storedSelectText(typed.selectText)});
}

} // namespace hakobee
