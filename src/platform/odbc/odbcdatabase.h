#pragma once

#include "core/datasource/database.h"

#include <QList>
#include <QString>

#include <memory>

namespace hakobee {

// Opens the database an ODBC connection string names ("DSN=shop",
// "Driver={PostgreSQL Unicode};Server=db.example;Database=shop;UID=labeler")
// through the unixODBC driver manager, for reading only (odbcsession.h).
// Each record set reads on a session of its own (odbcrecordset.h); the
// session that proved the data source reachable serves the first. Throws
// hakobee::Error when the driver is not installed, the data source is not
// configured, or the server cannot be reached or refuses the user.
std::unique_ptr<Connection> openOdbcDatabase(const QString& connectionString);

// A table or view of the database, as the driver lists them (SQLTables):
// what `hakobee query --tables` shows.
struct OdbcSourceName
{
    QString name;
    bool view = false;
};

// By name. Throws hakobee::Error.
QList<OdbcSourceName> odbcSourceNames(const QString& connectionString);

} // namespace hakobee
