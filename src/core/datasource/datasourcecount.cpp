#include "core/datasource/datasourcecount.h"

#include "core/datasource/databaseprovider.h"
#include "core/datasource/datasourcesettings.h"

namespace hakobee {

qint64 countDataSourceRecords(DatabaseProvider& databases, const DataSourceSettings& dataSource)
{
    const std::unique_ptr<Connection> connection =
        databases.open(dataSourceConnectionString(dataSource.databasePath));
    const std::unique_ptr<Recordset> records = connection->openRecordset(
        dataSourceQuery(dataSource.selectText, dataSource.table), CursorKind::StaticRead);
    records->moveLast();
    records->moveFirst();
    return records->recordCount();
}

} // namespace hakobee
