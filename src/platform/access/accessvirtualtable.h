#pragma once

#include "platform/access/accessfile.h"

#include <QList>
#include <QString>

#include <optional>

struct sqlite3;

namespace hakobee {

// A table the query can name: the name it is known by (a linked table's is
// its link's name), the open file that holds its rows and its entry in that
// file's catalog.
struct AccessTableSource
{
    QString name;
    const AccessFile* file = nullptr;
    AccessTableEntry entry;
};

// What the SQLite module "access" works on: the tables, which may lie in
// several open files (a front end's own and those it links from), and the
// description of the last read failure inside a scan, which SQLite itself
// can only pass on as a bare message.
struct AccessModuleContext
{
    QList<AccessTableSource> tables;
    std::optional<QString> readFailure;
};

// Registers the module on the connection; the context and its files must
// outlive it. A table is then declared with
//   CREATE VIRTUAL TABLE "<name>" USING access(<position in context.tables>)
// and its rows are read from the file only while a query steps over it, so
// that the first rows of a large table arrive before the rest is read.
//
// Column values reach SQLite so that comparisons and ORDER BY work on
// numbers: integers for Yes/No (1/0), Byte, Integer and Long; reals for
// Single, Double, Date/Time (days since 1899/12/30), and for Currency and
// Decimal when they have at most 15 significant digits (which a double
// holds exactly); text for larger ones and for Text, Memo and the rest.
// Each column's declared type (YESNO, CURRENCY, SINGLE, DOUBLE, DECIMAL,
// DATETIME, ...) tells the record set which text form to give a value.
void registerAccessModule(sqlite3* db, AccessModuleContext* context);

} // namespace hakobee
