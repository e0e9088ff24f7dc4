#pragma once

#include "core/error.h"

#include <QString>

// The descriptions of every failure of the PostgreSQL backend: one Japanese
// sentence that says what is wrong and names the server and the database
// (`where`, from serverAndDatabase()), then on its own line the message of
// the client library or of the server. A password is never part of one.
namespace hakobee::postgreserror {

// "サーバー「db.example:5432」のデータベース「shop」"; a socket folder stands
// for the host when the connection goes through a Unix socket.
QString serverAndDatabase(const QString& host, const QString& port, const QString& database);

Error invalidUri(const QString& engine);
Error unreachable(const QString& where, const QString& engine);
Error authenticationRefused(const QString& where, const QString& engine);
Error databaseMissing(const QString& where, const QString& engine);
Error cannotConnect(const QString& where, const QString& engine);
Error connectionLost(const QString& where, const QString& engine);
Error noSuchTable(const QString& where, const QString& engine);
Error noSuchColumn(const QString& where, const QString& engine);
Error notAllowedToRead(const QString& where, const QString& engine);
// The select text refusals, in the words every server backend uses
// (serverqueryerrors.h).
Error twoStatements(const QString& query, const QString& engine);
Error writeRefused(const QString& query, const QString& engine);
Error notASelect(const QString& query, const QString& engine);
Error queryRejected(const QString& where, const QString& query, const QString& engine);
Error queryFailed(const QString& where, const QString& query, const QString& engine);

} // namespace hakobee::postgreserror
