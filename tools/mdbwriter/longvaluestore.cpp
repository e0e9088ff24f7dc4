#include "longvaluestore.h"

#include "jetformat.h"
#include "littleendian.h"
#include "pagefile.h"
#include "valueerror.h"

#include <QList>

namespace hakobee::mdbwriter {

namespace {

// Values up to this size stay in the row, as Access keeps short memos.
constexpr int InlineLimit = 256;
// A chained row holds a 4-byte pointer to the next one, then its part.
constexpr int ChainPointerSize = 4;
// Readers take the length from the header's lower three bytes.
constexpr qsizetype MaxValueSize = 0xFFFFFF;

constexpr quint32 InlineFlag = 0x80000000;
constexpr quint32 SingleRowFlag = 0x40000000;

QByteArray header(quint32 lengthAndFlags, quint32 pointer)
{
    QByteArray bytes(12, '\0');
    putU32(bytes, 0, lengthAndFlags);
    putU32(bytes, 4, pointer);
    return bytes;
}

} // namespace

LongValueStore::LongValueStore(PageFile& file, const jet::Format& format)
    : file_(file), format_(format)
{}

QByteArray LongValueStore::store(const QByteArray& value)
{
    const auto length = quint32(value.size());
    if (value.size() > MaxValueSize)
        throw ValueError{u"メモの値が大きすぎます（%1 バイト、上限 %2 バイト）"_qs.arg(value.size())
                             .arg(MaxValueSize)};
    if (value.size() <= InlineLimit)
        return header(length | InlineFlag, 0) + value;
    if (value.size() <= format_.maxRowSize())
        return header(length | SingleRowFlag, place(value));

    // Place the parts last to first, so each knows where its successor is.
    const int partSize = format_.maxRowSize() - ChainPointerSize;
    QList<QByteArray> parts;
    for (qsizetype at = 0; at < value.size(); at += partSize)
        parts.append(value.mid(at, partSize));
    quint32 next = 0;
    for (qsizetype i = parts.size() - 1; i >= 0; --i) {
        QByteArray row(4, '\0');
        putU32(row, 0, next);
        next = place(row + parts[i]);
    }
    return header(length, next);
}

quint32 LongValueStore::place(const QByteArray& row)
{
    if (page_ && !page_->fits(int(row.size()))) {
        file_.write(page_->number(), page_->bytes());
        page_.reset();
    }
    if (!page_)
        page_.emplace(file_.allocate(), jet::LongValueOwner, format_);
    const int index = page_->add(row);
    return jet::rowPointer(page_->number(), index);
}

void LongValueStore::finish()
{
    if (page_)
        file_.write(page_->number(), page_->bytes());
    page_.reset();
}

} // namespace hakobee::mdbwriter
