#pragma once

#include <QString>

namespace hakobee {

// What the DB value of the data source names. An Access file and a folder
// of text files are paths; a database server is addressed by a connection
// string that is never a path.
enum class DataSourceKind
{
    AccessFile,    // a path to an .mdb or .accdb file, and anything unrecognised
    TextFolder,    // a folder of CSV and text files
    ExcelWorkbook, // an .xlsx, .xlsm or .xls file
    PostgreSql,    // postgresql://... or postgres://...
    Odbc,          // DSN=..., FILEDSN=... or Driver=...;...
};

// A PostgreSQL connection URI: "postgresql://" or "postgres://", in any
// letter case.
bool isPostgresUri(const QString& database);

// An ODBC connection string: keyword=value pairs separated by semicolons,
// one of them DSN, FILEDSN or DRIVER.
bool isOdbcConnectionString(const QString& database);

DataSourceKind dataSourceKindOf(const QString& database);

// The main menu's note of the kind of source: "DB by Access" for an Access
// file (and whatever is not recognised), "DB by PostgreSQL", "DB by ODBC",
// "DB by CSV", "DB by Excel".
QString dataSourceKindNote(DataSourceKind kind);

} // namespace hakobee
