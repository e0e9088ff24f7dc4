#pragma once

#include "jetreaders.h"
#include "mdbwriter/mdbwriter.h"

#include <QJsonValue>

#include <functional>

// What each reader shows for a value the writer was given: the oracle the
// read-back tests compare with. It follows the readers' own conventions
// (mdb-export prints empty text as null and money with four decimals;
// mdb-reader gives money as decimal text and dates in UTC), never the
// writer's code.
namespace hakobee::tests {

std::optional<QString> expectedExportCell(const mdbwriter::Column& column,
                                          const mdbwriter::Value& value);
QJsonValue expectedReaderCell(const mdbwriter::Column& column, const mdbwriter::Value& value);

using RowSource = std::function<QList<mdbwriter::Value>(qint64 row)>;

// Reads table back through both readers and compares every cell with the
// expected rows. Returns a description of the first difference, or an empty
// string when both readers read exactly what was written. mdb-reader decodes
// Currency slowly (about 0.1 ms a value); large tables may leave the columns
// in skipInMdbReader to mdb-export.
QString compareWithBothReaders(const QString& file, const QString& table,
                               const QList<mdbwriter::Column>& columns, qint64 rowCount,
                               const RowSource& expectedRow,
                               const QStringList& skipInMdbReader = {});

} // namespace hakobee::tests
