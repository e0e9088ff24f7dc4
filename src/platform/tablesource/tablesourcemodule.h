#pragma once

#include "platform/tablesource/tablesource.h"

#include <QString>

#include <memory>
#include <optional>
#include <vector>

struct sqlite3;

namespace hakobee {

// What the SQLite module "rows" works on: the tables, and where the
// description of a read failure inside a scan goes (the session's, which
// the record set reports: SQLite itself can only pass on a bare message).
struct TableSourceContext
{
    std::vector<std::unique_ptr<TableSource>> tables;
    std::optional<QString>* readFailure = nullptr;
};

// Registers the module on the connection; the context must outlive it. A
// table is then declared with
//   CREATE VIRTUAL TABLE "<name>" USING rows(<position in context.tables>)
// and its rows are read from its file only while a query steps over it:
// the first rows of a large file arrive before the rest is read, and a scan
// holds one row at a time.
void registerTableSourceModule(sqlite3* db, TableSourceContext* context);

// Declares the table at `position` of the context under `name`. Throws
// hakobee::Error with SQLite's or the source's message.
void createTableSourceTable(sqlite3* db, const QString& name, int position);

} // namespace hakobee
