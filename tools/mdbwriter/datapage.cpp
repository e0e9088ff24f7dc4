#include "datapage.h"

#include "jetformat.h"
#include "littleendian.h"

namespace hakobee::mdbwriter {

DataPage::DataPage(quint32 number, quint32 owner, const jet::Format& format)
    : number_(number), headerSize_(format.dataPageHeaderSize),
      rowCountOffset_(format.dataPageRowCountOffset), page_(format.pageSize, '\0'),
      lowestRowOffset_(format.pageSize)
{
    putU8(page_, 0, jet::DataPage);
    putU8(page_, 1, 0x01);
    putU32(page_, 4, owner);
    putU16(page_, 2, quint16(freeSpace()));
}

int DataPage::freeSpace() const
{
    return lowestRowOffset_ - headerSize_ - 2 * rowCount_;
}

bool DataPage::fits(int rowSize) const
{
    return rowCount_ < jet::MaxRowsPerPage && rowSize + 2 <= freeSpace();
}

int DataPage::add(const QByteArray& row, SlotFlags flags)
{
    Q_ASSERT(fits(int(row.size())));
    lowestRowOffset_ -= int(row.size());
    page_.replace(lowestRowOffset_, row.size(), row);
    const int index = rowCount_++;
    putU16(page_, headerSize_ + 2 * index, quint16(lowestRowOffset_ | flags));
    putU16(page_, rowCountOffset_, quint16(rowCount_));
    putU16(page_, 2, quint16(freeSpace()));
    return index;
}

int DataPage::addReclaimed()
{
    return add(QByteArray(), DeletedRow);
}

} // namespace hakobee::mdbwriter
