#pragma once

#include "core/error.h"

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
Error unreachable(const QString& where, const QString& engine);
Error databaseMissing(const QString& where, const QString& engine);
Error cannotConnect(const QString& where, const QString& engine);
Error connectionLost(const QString& where, const QString& engine);
Error noSuchTable(const QString& where, const QString& engine);
Error noSuchColumn(const QString& where, const QString& engine);
Error notAllowedToRead(const QString& where, const QString& engine);
Error queryRejected(const QString& where, const QString& query, const QString& engine);
Error queryFailed(const QString& where, const QString& query, const QString& engine);

} // namespace hakobee::odbcerror
