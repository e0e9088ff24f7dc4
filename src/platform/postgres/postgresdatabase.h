#pragma once

#include "core/datasource/database.h"

#include <QList>
#include <QString>

#include <memory>

namespace hakobee {

// Opens the PostgreSQL database a connection URI names
// ("postgresql://host:port/dbname?sslmode=require",
// "postgresql:///dbname?host=/socket/folder") for reading only
// (postgressession.h). Record sets stream their rows from the server
// (postgresrecordset.h) and may outlive the connection. Throws
// hakobee::Error when the server cannot be reached, refuses the user, or
// has no such database.
std::unique_ptr<Connection> openPostgresDatabase(const QString& uri);

// The server's name for the type of a result column of a record set opened
// on such a connection ("integer", "numeric(10,2)", "text"); an empty text
// for other record sets. Throws hakobee::Error.
QString postgresColumnType(const Recordset& records, int position);

// A table or view a query can name without its schema: one in the
// session's search_path that the user may read.
struct PostgresSourceName
{
    QString name;
    bool view = false; // a view or materialised view
};

// By name. Throws hakobee::Error.
QList<PostgresSourceName> postgresSourceNames(const QString& uri);

} // namespace hakobee
