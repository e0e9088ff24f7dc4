#pragma once

#include <QDateTime>
#include <QList>
#include <QString>

#include "savedquery.h"

#include <functional>
#include <variant>

// Writes Microsoft Access files (Jet 4 .mdb, and for tests Jet 3 .mdb and ACE
// .accdb) for tests, benchmarks and the bundled sample database. Nothing in
// the program itself writes Access files.
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
    Decimal,
    Binary // variable length, up to maxChars bytes
};

struct Column
{
    QString name;
    ColumnType type = ColumnType::Text;
    int maxChars = 255; // Text: the declared length in characters; Binary: in bytes
    int precision = 18; // Decimal columns only: digits in all (1 to 28) and
    int scale = 0;      // digits after the decimal point (0 to precision)
};

// A cell: std::monostate is null. bool for Yes/No; qint64 for Byte, Integer
// and Long, for Currency as the amount times 10,000 (exact), and for Decimal
// as the amount times 10 to the column's scale (exact); double for
// Single and Double; QDateTime for Date/Time (its date and wall-clock time as
// given, without time zone); QString for Text and Memo, and for Binary one
// character U+0000 to U+00FF per byte. Yes/No has no null:
// null is stored as No, as Access does.
using Value = std::variant<std::monostate, bool, qint64, double, QDateTime, QString>;

// What Access leaves on a table's data pages after deletes and updates,
// for tests of readers (jet4-notes.md, "Row slots as Access leaves them").
// Asked for before each row is placed.
struct RowSlots
{
    // Start a new data page here, before the deleted rows below.
    bool newPage = false;
    // Deleted rows left just before this row's slot (flags 0xC000): the
    // values of one whose bytes stay on the page, or an empty list for one
    // whose space was reclaimed (no bytes; its offset that of the slot
    // before it, the page end for a page's first slot). They are not rows of
    // the table, and no reader may return them.
    QList<QList<Value>> deletedBefore;
    // The deleted rows end their page: this row starts a new one (with
    // newPage, a page of deleted rows alone).
    bool deletedEndPage = false;
    // The row was moved by an update that made it longer: its slot (0x4000)
    // holds only a pointer to its new place (0x8000) on a later page of the
    // table, where the table's next rows then continue.
    bool moved = false;
};

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
    // How the rows sit on their pages; without it every row is live and the
    // rows are packed in order.
    std::function<RowSlots(qint64 row)> slotsAt;
    // Deleted rows after the last row, as RowSlots::deletedBefore.
    QList<QList<Value>> deletedAfterLastRow;
};

enum class FileFormat
{
    Jet4, // Access 2000-2003 .mdb
    Jet3, // Access 97 .mdb: 2 KiB pages, text in a Windows code page, no Decimal
    Ace,  // Access 2010 and later .accdb (Jet 4's layout, ACE's signature)
};

struct FileOptions
{
    FileFormat format = FileFormat::Jet4;
    // Jet 3: the Windows code page text and names are stored in (932 for
    // Japanese; 1252 Western), also written into the file's header. A text
    // the code page cannot hold is refused like any unsuitable value.
    int codePage = 1252;
    // The database password Access asks for (Jet 3 and Jet 4; at most 20
    // characters), stored as Access stores it. Readers that ask for no
    // password read the file all the same.
    QString password;
    // Jet 3 and Jet 4: pages stored RC4-encoded under this key, as Access's
    // "encrypt database" leaves them (readable without a password). ACE: a
    // file encrypted with a password, as far as its header shows: the pages
    // are written as they are, so no reader can read it.
    quint32 encodingKey = 0;
};

// Writes a new file (replacing any file at the path only once it is complete).
// Throws hakobee::Error naming the table, row and column of a value that does
// not suit its column, or the file that cannot be written.
void writeDatabase(const QString& path, const QList<Table>& tables,
                   const FileOptions& options = {});
// The same, with saved queries (savedquery.h) after the tables.
void writeDatabase(const QString& path, const QList<Table>& tables,
                   const QList<SavedQuery>& queries, const FileOptions& options = {});

} // namespace hakobee::mdbwriter
