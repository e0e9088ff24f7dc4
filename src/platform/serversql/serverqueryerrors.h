#pragma once

#include "core/error.h"

#include <QString>

// The refusals every database-server backend (PostgreSQL, ODBC) gives for
// a select text in the same words, whichever way the backend finds out:
// one Japanese sentence with the operator's text, then on its own line the
// message of the client library or of the server, when there is one.
namespace hakobee::serverqueryerror {

Error severalStatements(const QString& query, const QString& engine);
Error writeRefused(const QString& query, const QString& engine);
Error notASelect(const QString& query, const QString& engine);

} // namespace hakobee::serverqueryerror
