#pragma once

namespace hakobee {

struct AccessSession;

// Makes every saved query of the session's file that gives rows a view of
// the same name in the session's SQLite, so that a query can name it as it
// names a table (views on views included): select queries, and union
// queries whose stored text runs. Every other query is recorded in the
// session's damagedTables with the reason it cannot be used (its kind, a
// definition that cannot be read, a query it is built on, a cycle). Call
// before the read-only authorizer is set. Never throws.
void createSavedQueryViews(AccessSession& session);

} // namespace hakobee
