#pragma once

#include "core/datasource/database.h"

#include <QString>

namespace hakobee {

class SettingsFolder;

// The connection string under which the settings folder is read as a
// database: each settings file is a table, its header row the column names.
QString settingsConnectionString();

// True for the settings connection string (compared without regard to case
// or blanks around it).
bool isSettingsConnectionString(const QString& connectionString);

// A connection to the settings folder. Queries have the form
// "Select * From <file>" or "Select A,B From <file>"; the record is the
// first data row, an empty value is null, column names match without regard
// to letter case. Whatever follows the first data row's line end is
// ignored, unread: a third row, or bytes that are no settings text.
class SettingsTextConnection : public Connection
{
public:
    explicit SettingsTextConnection(const SettingsFolder& folder) : folder_(folder) {}
    std::unique_ptr<Recordset> openRecordset(const QString& query, CursorKind cursor) override;

private:
    const SettingsFolder& folder_;
};

} // namespace hakobee
