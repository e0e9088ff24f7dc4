#pragma once

#include "core/datasource/database.h"

#include <QList>
#include <QString>

#include <memory>

namespace hakobee {

// Opens an Access database file (.mdb, .accdb) read-only. Queries run
// through an embedded SQLite in which every table of the file is a table of
// the same name, read from the file while the query steps. The query text is
// Jet SQL as Access takes it: it is changed only where SQLite's dialect
// differs (querytext.h), and Access's functions are SQLite functions of the
// same names (jetfunctions.h). Record sets keep what they need of the
// connection alive, so they may outlive it. Throws hakobee::Error when the
// file cannot be read.
std::unique_ptr<Connection> openAccessDatabase(const QString& path);

// The Access type of a result column of a record set opened on such a
// connection, as Japanese Access names it ("テキスト型 (50)", "通貨型", ...;
// "(式)" for a computed column); an empty text for other record sets.
QString accessColumnType(const Recordset& records, int position);

// A name a query can read rows from, as the file holds it.
struct AccessSourceName
{
    enum class Kind
    {
        Table,
        Query,  // a saved query that runs (a select query, a union query)
        Linked, // a table linked from another database
    };
    QString name;
    Kind kind = Kind::Table;
};

// The tables of an Access file in the catalog's order, its linked tables
// (listed whether or not their database can be reached), then its saved
// queries that can be named like a table (queries Access hides, whose names
// start with "~", left out). Throws hakobee::Error when the file cannot be
// read.
QList<AccessSourceName> accessSourceNames(const QString& path);

} // namespace hakobee
