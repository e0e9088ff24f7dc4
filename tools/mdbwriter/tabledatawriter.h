#pragma once

#include "datapage.h"
#include "rowencoder.h"

#include <QList>

#include <optional>

namespace hakobee::mdbwriter {

class PageFile;

// Streams the rows of one table onto data pages owned by its definition
// page, writing each page as soon as it is full. Remembers the page numbers
// for the table's usage map.
class TableDataWriter
{
public:
    TableDataWriter(PageFile& file, const RowEncoder& encoder, quint32 definitionPage);

    void append(qint64 rowNumber, const QList<Value>& values);
    void finish();

    const QList<quint32>& pages() const { return pages_; }
    qint64 rowCount() const { return rowCount_; }

private:
    PageFile& file_;
    const RowEncoder& encoder_;
    quint32 definitionPage_;
    std::optional<DataPage> page_;
    QList<quint32> pages_;
    qint64 rowCount_ = 0;
};

} // namespace hakobee::mdbwriter
