#pragma once

#include "mdbwriter.h"
#include "tablelayout.h"

#include <QByteArray>
#include <QList>

namespace hakobee::mdbwriter {

class LongValueStore;

// Turns the values of one row into the bytes of a Jet 4 row: the column
// count, the fixed area, the variable data, the end-of-data offset, the
// variable offsets in reverse order, their count, and the null mask.
class RowEncoder
{
public:
    RowEncoder(QString tableName, TableLayout layout, LongValueStore& longValues);

    // Throws hakobee::Error naming the table, row and column of a value that
    // does not fit its column.
    QByteArray encode(qint64 rowNumber, const QList<Value>& values) const;

    const TableLayout& layout() const { return layout_; }

private:
    QString tableName_;
    TableLayout layout_;
    LongValueStore& longValues_;
};

} // namespace hakobee::mdbwriter
