#pragma once

#include "core/datasource/datasourcesettings.h"

namespace hakobee {

class DatabaseProvider;
class SettingsFolder;

// Reading and writing nimbeconfig2.txt. Every failure throws hakobee::Error
// with a description for the operator.

// The named read through the settings connection (the data source screen's
// loading); a value that is empty in the file comes back as empty text.
DataSourceSettings readDataSourceRecord(DatabaseProvider& databases);

// The sequential read of the first two rows (the read-back after saving, the
// record count check, the print runs; the start-up reads the file this way).
DataSourceSettings readDataSourceRows(const SettingsFolder& folder);

// Rewrites the file with the values as typed; the select text is stored
// with its one appended blank. Refuses a value the file cannot hold (a '"',
// a line end) before anything is written; on any failure the old file
// stays as it was.
void writeDataSource(const SettingsFolder& folder, const DataSourceSettings& typed);

} // namespace hakobee
