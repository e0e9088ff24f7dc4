#include "core/settings/datasourcefile.h"

#include "core/error.h"
#include "core/settings/settingscolumns.h"
#include "core/settings/settingsfiles.h"
#include "core/settings/settingsfolder.h"
#include "core/settings/settingsformat.h"
#include "core/settings/settingsrecord.h"

namespace hakobee {

namespace {

// DB, TABLE, KENSAKU: the values in the order of SettingsColumns::dataSource().
DataSourceSettings fromColumnOrder(const QStringList& values)
{
    return {values[0], values[1], values[2]};
}

} // namespace

DataSourceSettings readDataSourceRecord(DatabaseProvider& databases)
{
    return fromColumnOrder(
        readSettingsRecord(databases, u"Select * From "_qs + SettingsFiles::dataSource)
            .texts(SettingsColumns::dataSource()));
}

DataSourceSettings readDataSourceRows(const SettingsFolder& folder)
{
    const SettingsRows rows = readSettingsRows(folder.filePath(SettingsFiles::dataSource),
                                               int(SettingsColumns::dataSource().size()));
    return fromColumnOrder(rows.data);
}

void writeDataSource(const SettingsFolder& folder, const DataSourceSettings& typed)
{
    replaceSettingsFile(folder.filePath(SettingsFiles::dataSource), SettingsColumns::dataSource(),
                        {typed.databasePath, typed.table, storedSelectText(typed.selectText)});
}

} // namespace hakobee
