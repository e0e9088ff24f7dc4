#pragma once

#include "savedquery.h"
#include "tablelayout.h"

#include <QDateTime>
#include <QList>

namespace hakobee::mdbwriter {

// MSysQueries, the system table of the queries' parts, with the columns
// Access gives it (ObjectId, Attribute, Order, Name1, Name2, Expression,
// Flag, LvExtra).
QString queryTableName();
QList<Column> queryTableColumns();

// The object id of the index-th query (negative, as Access numbers them).
qint64 queryObjectId(int index);

// Every query's rows, in file order: the start and end parts (attributes 0
// and 255), the type part, the flag part (select-like kinds), then its
// parts; Order is each part's place among the parts of its attribute, from
// 1, as four big-endian bytes.
QList<QList<Value>> queryTableRows(const QList<SavedQuery>& queries);

// The catalog row of the index-th query, made from a table's row of the
// same catalog (its layout's columns Id, Type and Flags set for a query).
QList<Value> queryCatalogRow(QList<Value> tableRow, const TableLayout& catalog, int index,
                             const SavedQuery& query);

// Throws hakobee::Error for a query name that is empty, repeated or the
// name of a table.
void checkQueryNames(const QList<SavedQuery>& queries, const QStringList& tableNames);

} // namespace hakobee::mdbwriter
