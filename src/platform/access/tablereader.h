#pragma once

#include "core/error.h"
#include "platform/access/mdbhandle.h"

#include <QList>
#include <QString>

#include <vector>

namespace hakobee {

class AccessFile;
struct AccessTableEntry;

// A column of an Access table; type is libmdb's type code (MDB_TEXT, ...).
struct AccessColumn
{
    QString name;
    int type = 0;
    int sizeBytes = 0;
    int scale = 0;
    int precision = 0;
    int maxChars = 0; // Text: the declared length in characters
};

// Reads the rows of one Access table in file order through libmdb, one
// row at a time; nothing but the current page is held in memory.
//
// libmdb trusts the file. Every location it derives from the file (row
// bounds, field bounds, field sizes, long-value chains) is checked here
// before it is followed, and a row that fails a check stops the scan with
// an error naming the table, rather than being skipped or read past. The
// row slots Access leaves after deletes and updates (deleted rows, moved
// rows) are read as Access means them; see next().
class TableReader
{
public:
    // The error for a damaged table definition or row; detail is the
    // technical part alone (page, row, column), for callers that word the
    // sentence themselves.
    class Damaged : public Error
    {
    public:
        Damaged(const Error& error, QString detail) : Error(error), detail_(std::move(detail)) {}
        const QString& detail() const { return detail_; }

    private:
        QString detail_;
    };

    // Throws hakobee::Error when the table definition is damaged.
    TableReader(const AccessFile& file, const AccessTableEntry& table);
    ~TableReader();
    TableReader(const TableReader&) = delete;
    TableReader& operator=(const TableReader&) = delete;

    const QList<AccessColumn>& columns() const { return columns_; }
    int columnIndex(const QString& name) const;
    // The number of rows the table definition claims; only an estimate.
    qint64 rowCountHint() const;

    // Starts again before the first row.
    void rewind();
    // Moves to the next row; false after the last. Throws hakobee::Error.
    bool next();

    // Values of the current row. The accessor must match the column type.
    bool isNull(int column) const;
    // Yes/No (1 or 0), Byte, Integer, Long, and the key of a complex column.
    qint64 integer(int column) const;
    // Currency as the amount times 10,000.
    qint64 currency(int column) const;
    // Single, Double, and Date/Time as days since 1899/12/30.
    double real(int column) const;
    // Text and Memo; the reference stays valid until the next call.
    const QString& text(int column);
    // Decimal, Replication ID, Binary and OLE Object in their text forms.
    QString otherAsText(int column);

private:
    [[noreturn]] void fail(const QString& what) const;
    void checkDefinition();
    void checkUsageMap();
    bool readNextDataPage();
    void checkMovedRow(int row, int rowStart, size_t length);
    QByteArray longValue(int column);
    const unsigned char* fieldBytes(int column) const;

    const AccessFile& file_;
    QString path_;
    QString tableName_;
    quint32 pageCount_ = 0;
    MdbHandlePtr handle_;
    MdbCatalogEntry entry_{};
    MdbTableDefPtr table_;
    QList<AccessColumn> columns_;
    std::vector<MdbField> fields_;
    int rowsOnPage_ = 0;
    int nextRowOnPage_ = 0;
    bool pageLoaded_ = false;
    bool atEnd_ = false;
    QString textBuffer_;
};

} // namespace hakobee
