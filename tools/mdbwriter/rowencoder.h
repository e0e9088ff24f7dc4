#pragma once

#include "jetformat.h"
#include "mdbwriter.h"
#include "tablelayout.h"

#include <QByteArray>
#include <QList>

namespace hakobee::mdbwriter {

class LongValueStore;

// Turns the values of one row into the bytes of a row: the column count, the
// fixed area, the variable data, the end-of-data offset, the variable offsets
// in reverse order, their count, and the null mask. Jet 4 stores counts and
// offsets in two bytes; Jet 3 in one, the offsets' high bytes in a jump table.
class RowEncoder
{
public:
    RowEncoder(QString tableName, TableLayout layout, LongValueStore& longValues,
               const jet::Format& format);

    // Throws hakobee::Error naming the table, row and column of a value that
    // does not fit its column.
    QByteArray encode(qint64 rowNumber, const QList<Value>& values) const;

    const TableLayout& layout() const { return layout_; }

private:
    QString tableName_;
    TableLayout layout_;
    LongValueStore& longValues_;
    jet::Format format_;
};

} // namespace hakobee::mdbwriter
