#include "tabledatawriter.h"

#include "jetformat.h"
#include "littleendian.h"
#include "pagefile.h"

#include <algorithm>

namespace hakobee::mdbwriter {

namespace {

// A moved row's old slot: the row pointer of its new place.
constexpr int MovedRowPointerSize = 4;
// A row pointer has one byte for the row's index on its page.
constexpr int MaxPointedRow = 255;

} // namespace

TableDataWriter::TableDataWriter(PageFile& file, const RowEncoder& encoder, quint32 definitionPage,
                                 const jet::Format& format)
    : file_(file), encoder_(encoder), definitionPage_(definitionPage), format_(format)
{}

DataPage TableDataWriter::newPage()
{
    DataPage page(file_.allocate(), definitionPage_, format_);
    pages_.append(page.number());
    return page;
}

void TableDataWriter::startNextPage()
{
    if (page_)
        file_.write(page_->number(), page_->bytes());
    page_.reset();
    if (!ahead_.empty()) {
        page_.emplace(std::move(ahead_.front()));
        ahead_.pop_front();
    } else {
        page_.emplace(newPage());
    }
}

DataPage& TableDataWriter::pageWithRoomFor(int rowSize)
{
    if (!page_ || !page_->fits(rowSize))
        startNextPage();
    return *page_;
}

void TableDataWriter::appendDeleted(qint64 rowNumber, const QList<QList<Value>>& deletedRows)
{
    for (const QList<Value>& deleted : deletedRows) {
        if (deleted.isEmpty()) {
            pageWithRoomFor(0).addReclaimed();
        } else {
            const QByteArray row = encoder_.encode(rowNumber, deleted);
            pageWithRoomFor(int(row.size())).add(row, DataPage::DeletedRow);
        }
    }
}

void TableDataWriter::append(qint64 rowNumber, const QList<Value>& values, const RowSlots& rowSlots)
{
    if (rowSlots.newPage && page_ && page_->rowCount() > 0)
        startNextPage();
    appendDeleted(rowNumber, rowSlots.deletedBefore);
    if (rowSlots.deletedEndPage && page_)
        startNextPage();
    const QByteArray row = encoder_.encode(rowNumber, values);
    if (!rowSlots.moved) {
        pageWithRoomFor(int(row.size())).add(row);
        ++rowCount_;
        return;
    }
    // The old slot first, so that the new place is on a page after it.
    DataPage& here = pageWithRoomFor(MovedRowPointerSize);
    if (ahead_.empty() || !ahead_.back().fits(int(row.size())) ||
        ahead_.back().rowCount() >= MaxPointedRow)
        ahead_.push_back(newPage());
    DataPage& there = ahead_.back();
    const int index = there.add(row, DataPage::MovedHere);
    QByteArray pointer(MovedRowPointerSize, '\0');
    putU32(pointer, 0, jet::rowPointer(there.number(), index));
    here.add(pointer, DataPage::MovedAway);
    ++rowCount_;
}

void TableDataWriter::finish()
{
    if (page_)
        file_.write(page_->number(), page_->bytes());
    page_.reset();
    for (const DataPage& page : ahead_)
        file_.write(page.number(), page.bytes());
    ahead_.clear();
    std::sort(pages_.begin(), pages_.end());
}

} // namespace hakobee::mdbwriter
