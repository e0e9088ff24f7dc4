#pragma once

#include "datapage.h"
#include "rowencoder.h"

#include <QList>

#include <deque>
#include <optional>

namespace hakobee::mdbwriter {

class PageFile;

// Streams the rows of one table onto data pages owned by its definition
// page, writing each page as soon as it is full. Remembers the page numbers
// for the table's usage map. Rows may come with the slots Access leaves
// behind (RowSlots): deleted rows before them, or a move to a later page.
class TableDataWriter
{
public:
    TableDataWriter(PageFile& file, const RowEncoder& encoder, quint32 definitionPage,
                    const jet::Format& format);

    void append(qint64 rowNumber, const QList<Value>& values, const RowSlots& rowSlots = {});
    // Deleted rows after the last one (RowSlots::deletedBefore).
    void appendDeleted(qint64 rowNumber, const QList<QList<Value>>& deletedRows);
    void finish();

    const QList<quint32>& pages() const { return pages_; }
    qint64 rowCount() const { return rowCount_; }

private:
    DataPage& pageWithRoomFor(int rowSize);
    void startNextPage();
    DataPage newPage();

    PageFile& file_;
    const RowEncoder& encoder_;
    quint32 definitionPage_;
    jet::Format format_;
    std::optional<DataPage> page_;
    // Pages after the current one that already hold moved rows; the table's
    // rows continue on them in order.
    std::deque<DataPage> ahead_;
    QList<quint32> pages_;
    qint64 rowCount_ = 0;
};

} // namespace hakobee::mdbwriter
