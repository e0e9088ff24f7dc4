#include "tabledatawriter.h"

#include "pagefile.h"

namespace hakobee::mdbwriter {

TableDataWriter::TableDataWriter(PageFile& file, const RowEncoder& encoder, quint32 definitionPage)
    : file_(file), encoder_(encoder), definitionPage_(definitionPage)
{}

void TableDataWriter::append(qint64 rowNumber, const QList<Value>& values)
{
    const QByteArray row = encoder_.encode(rowNumber, values);
    if (page_ && !page_->fits(int(row.size()))) {
        file_.write(page_->number(), page_->bytes());
        page_.reset();
    }
    if (!page_) {
        page_.emplace(file_.allocate(), definitionPage_);
        pages_.append(page_->number());
    }
    page_->add(row);
    ++rowCount_;
}

void TableDataWriter::finish()
{
    if (page_)
        file_.write(page_->number(), page_->bytes());
    page_.reset();
}

} // namespace hakobee::mdbwriter
