#pragma once

#include "core/error.h"

#include <QString>

// The failures every database-server backend (PostgreSQL, ODBC) describes
// in the same words, whichever way the backend finds out: one Japanese
// sentence with the operator's text or the server and database (`where`,
// named by the backend), then on its own line the message of the client
// library or of the server, when there is one.
namespace hakobee::serverqueryerror {

// The sentence, then the engine's message on its own line.
Error withEngine(const QString& sentence, const QString& engine);

Error severalStatements(const QString& query, const QString& engine);
Error writeRefused(const QString& query, const QString& engine);
Error notASelect(const QString& query, const QString& engine);

Error unreachable(const QString& where, const QString& engine);
Error databaseMissing(const QString& where, const QString& engine);
Error cannotConnect(const QString& where, const QString& engine);
Error connectionLost(const QString& where, const QString& engine);
Error noSuchColumn(const QString& where, const QString& engine);
Error notAllowedToRead(const QString& where, const QString& engine);
Error queryRejected(const QString& where, const QString& query, const QString& engine);
Error queryFailed(const QString& where, const QString& query, const QString& engine);

} // namespace hakobee::serverqueryerror
