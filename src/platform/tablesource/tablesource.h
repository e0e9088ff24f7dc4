#pragma once

#include <QString>
#include <QStringList>
#include <QtGlobal>

#include <memory>
#include <variant>

namespace hakobee {

// One value of a row: null, a text, a whole number or a real. A query
// compares and orders them as SQLite does (numbers before texts).
using TableValue = std::variant<std::monostate, QString, qint64, double>;

// The rows of one table, read forward from its file. A reader holds only
// the current row and what it needs to find the next one, so that a scan
// over a large file keeps its memory flat.
class TableRows
{
public:
    virtual ~TableRows() = default;
    // Back to before the first row; the next next() reads it again.
    virtual void rewind() = 0;
    // Moves to the next row; false at the end. Throws hakobee::Error naming
    // the file and the place (line, row) of a row that cannot be read.
    virtual bool next() = 0;
    // A value of the current row, by column position from 0.
    virtual const TableValue& value(int column) const = 0;
};

// A table whose rows stay in its file until a query steps over them: a text
// file, a workbook's sheet.
class TableSource
{
public:
    virtual ~TableSource() = default;
    virtual QStringList columnNames() const = 0;
    // The declared type of every column, as the record set reads it: "TEXT"
    // for a text file's texts, empty where each value keeps its own type.
    virtual QString columnType() const = 0;
    // About how many rows there are, for SQLite's planner; 0 when unknown.
    virtual qint64 rowCountHint() const { return 0; }
    // A reader at the start of the rows; each scan has its own. Throws
    // hakobee::Error.
    virtual std::unique_ptr<TableRows> openRows() const = 0;
};

} // namespace hakobee
