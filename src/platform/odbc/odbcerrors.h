#pragma once

#include "core/error.h"
#include "platform/serversql/serverqueryerrors.h"

#include <QString>

// The descriptions of every failure of the ODBC backend: one Japanese
// sentence that says what is wrong and names the data source, or the
// server and database (`where`), then on its own lines the driver
// manager's and the driver's diagnostics ("message (SQLSTATE)"). A
// password is never part of one: the connection string itself is never
// shown.
namespace hakobee::odbcerror {

// "ODBC データソース「shop」", "ODBC データソース「shop」のデータベース
// 「master」", "サーバー「db.example:5432」のデータベース「shop」".
QString where(const QString& dataSourceName, const QString& server, const QString& database);

Error driverNotInstalled(const QString& driver, const QString& engine);
Error dataSourceMissing(const QString& dataSourceName, const QString& engine);
Error authenticationRefused(const QString& where, const QString& engine);
Error noSuchTable(const QString& where, const QString& engine);

// The failures every server backend names in the same words
// (serverqueryerrors.h).
using serverqueryerror::cannotConnect;
using serverqueryerror::connectionLost;
using serverqueryerror::databaseMissing;
using serverqueryerror::noSuchColumn;
using serverqueryerror::notAllowedToRead;
using serverqueryerror::queryFailed;
using serverqueryerror::queryRejected;
using serverqueryerror::unreachable;

} // namespace hakobee::odbcerror
