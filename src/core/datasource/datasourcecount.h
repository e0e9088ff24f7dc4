#pragma once

#include <QtGlobal>

namespace hakobee {

class DatabaseProvider;
struct DataSourceSettings;

// The number of records the data source's query gives, counted as the
// connection test and the record count screen count them: the whole result
// walked to its last record and back. Negative when the database gives no
// count for the query. Throws hakobee::Error when the database cannot be
// opened or the query fails.
qint64 countDataSourceRecords(DatabaseProvider& databases, const DataSourceSettings& dataSource);

} // namespace hakobee
