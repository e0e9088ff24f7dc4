#pragma once

#include "mdbwriter.h"

namespace hakobee::mdbwriter {

// A table this file links from another database, as Access keeps it: a row
// of the catalog only (no definition, no data pages); its rows live in the
// other database.
struct TableLink
{
    enum class Kind
    {
        AccessFile, // catalog type 6: another .mdb or .accdb
        Odbc,       // catalog type 4: an ODBC data source
    };

    QString name;        // the name the table is known by in this file
    QString database;    // the linked file's path as Access stores it (C:\...\back.mdb)
    QString foreignName; // the table's name in the linked database
    // Empty for most Access links; "ODBC;DSN=...;" for an ODBC link; an ISAM
    // driver's ("Excel 8.0;DATABASE=...") for links to other sources.
    QString connect;
    Kind kind = Kind::AccessFile;
};

// writeDatabase with the catalog also listing the links. A link's name may
// be no table's.
void writeDatabase(const QString& path, const QList<Table>& tables, const QList<TableLink>& links,
                   const FileOptions& options = {});

} // namespace hakobee::mdbwriter
