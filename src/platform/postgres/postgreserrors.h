#pragma once

#include "core/error.h"
#include "platform/serversql/serverqueryerrors.h"

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
Error authenticationRefused(const QString& where, const QString& engine);
Error noSuchTable(const QString& where, const QString& engine);

// The failures every server backend names in the same words
// (serverqueryerrors.h).
using serverqueryerror::cannotConnect;
using serverqueryerror::connectionLost;
using serverqueryerror::databaseMissing;
using serverqueryerror::noSuchColumn;
using serverqueryerror::notAllowedToRead;
using serverqueryerror::notASelect;
using serverqueryerror::queryFailed;
using serverqueryerror::queryRejected;
using serverqueryerror::severalStatements;
using serverqueryerror::unreachable;
using serverqueryerror::writeRefused;

} // namespace hakobee::postgreserror
