#pragma once

#include <QDateTime>
#include <QList>
#include <QString>

#include <functional>
#include <variant>

// Writes Microsoft Access (Jet 4, .mdb) files for tests, benchmarks and the
// bundled sample database. Nothing in the program itself writes Access files.
namespace hakobee::mdbwriter {

enum class ColumnType
{
    Byte,
    Integer,
    Long,
    Currency,
    Single,
    Double,
    DateTime,
    YesNo,
    Text,
    Memo,
    Decimal
};

struct Column
{
    QString name;
    ColumnType type = ColumnType::Text;
    int maxChars = 255; // Text columns only: the declared length in characters
    int precision = 18; // Decimal columns only: digits in all (1 to 28) and
    int scale = 0;      // digits after the decimal point (0 to precision)
};

// A cell: std::monostate is null. bool for Yes/No; qint64 for Byte, Integer
// and Long, for Currency as the amount times 10,000 (exact), and for Decimal
// as the amount times 10 to the column's scale (exact); double for
// Single and Double; QDateTime for Date/Time (its date and wall-clock time as
// given, without time zone); QString for Text and Memo. Yes/No has no null:
// null is stored as No, as Access does.
using Value = std::variant<std::monostate, bool, qint64, double, QDateTime, QString>;

struct Table
{
    QString name;
    QList<Column> columns;
    qint64 rowCount = 0;
    // Fills the values of one row (one per column, in column order). values
    // arrives holding one null per column: set the ones that are not null.
    // Rows are asked for in order, so a million-row table never has to be in
    // memory.
    std::function<void(qint64 row, QList<Value>& values)> rowAt;
};

// Writes a new file (replacing any file at the path only once it is complete).
// Throws hakobee::Error naming the table, row and column of a value that does
// not suit its column, or the file that cannot be written.
void writeDatabase(const QString& path, const QList<Table>& tables);

} // namespace hakobee::mdbwriter
