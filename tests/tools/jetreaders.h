#pragma once

#include <QJsonArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

// The two independent readers that files written by the project's Access
// writer are checked against: mdbtools' mdb-export and the npm library
// mdb-reader. Each returns the table as it reads it, or fails the test.
namespace hakobee::tests {

// One mdb-export cell: nullopt for what mdb-export prints as null (it prints
// empty text as null too).
using ExportedRow = QList<std::optional<QString>>;

struct ExportedTable
{
    QStringList header;
    QList<ExportedRow> rows;
};

// mdb-export FILE TABLE, with dates as "yyyy-MM-dd HH:mm:ss" and Yes/No as
// 1/0. Returns nullopt (and records the reason) when mdb-export fails.
std::optional<ExportedTable> exportWithMdbTools(const QString& file, const QString& table,
                                                QString* failure = nullptr);

// The user tables mdb-tables lists, or with objectType (mdb-tables -t:
// "linkedtable", "any") the catalog's objects of that type.
QStringList mdbToolsTableNames(const QString& file, const QString& objectType = {});

struct ReaderTable
{
    QStringList tableNames;
    QStringList columnNames;
    QStringList columnTypes; // mdb-reader's type names ("text", "currency", ...)
    qint64 rowCount = -1;    // the count stored in the table definition
    QList<QJsonArray> rows;
};

// mdb-reader's getTable(TABLE).getData(), dates as ISO text in UTC. With
// columns, rows hold only those columns' values.
std::optional<ReaderTable> readWithMdbReader(const QString& file, const QString& table,
                                             QString* failure = nullptr,
                                             const QStringList& columns = {});

} // namespace hakobee::tests
