#pragma once

#include "mdbwriter.h"

#include <QList>

namespace hakobee::mdbwriter {

// Where each column of a table lives in a row: fixed-length columns at a byte
// offset of the fixed area, variable-length ones by their index in the row's
// offset table. Yes/No columns take no bytes: their value is the null-mask bit.
struct ColumnPlacement
{
    Column column;
    quint8 typeCode = 0;   // the type byte of the table definition
    int number = 0;        // column number, also the bit in the null mask
    bool fixed = false;    // stored in the fixed area
    int fixedOffset = 0;   // fixed columns: bytes after the row's column count
    int variableIndex = 0; // variable columns: index in the offset table
    int storedLength = 0;  // bytes the table definition declares
};

struct TableLayout
{
    QList<ColumnPlacement> columns;
    int fixedAreaSize = 0;
    int variableColumnCount = 0;

    int nullMaskSize() const { return int((columns.size() + 7) / 8); }
    bool hasLongValues() const;
};

// Validates the column list (names, lengths, count) and places the columns.
// Throws hakobee::Error naming the table and column at fault.
TableLayout layoutTable(const QString& tableName, const QList<Column>& columns);

quint8 columnTypeCode(ColumnType type);
int fixedLength(ColumnType type); // 0 for variable-length types

} // namespace hakobee::mdbwriter
