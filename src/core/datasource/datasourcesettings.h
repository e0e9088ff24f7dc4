#pragma once

#include <QString>

namespace hakobee {

// The data source every print run reads: the one record of nimbeconfig2.txt.
struct DataSourceSettings
{
    // DB: full path of the Access database file or of a folder of text
    // files, or a database server's connection URI (datasourcekind.h)
    QString databasePath;
    QString table;      // TABLE: table or query holding the records
    QString selectText; // KENSAKU: select text up to and including "from"

    bool operator==(const DataSourceSettings&) const = default;
};

// The select text as the file stores it: the writer appends one blank, so a
// text ending in "from" and the table name meet as "from Master".
QString storedSelectText(const QString& typedSelectText);

// The record query: the stored select text immediately followed by the table
// name, with nothing inserted between them.
QString dataSourceQuery(const QString& storedSelectText, const QString& table);

// The connection string of the Access database, as stored installations
// build it: the provider prefix followed directly by the path.
QString dataSourceConnectionString(const QString& databasePath);

} // namespace hakobee
