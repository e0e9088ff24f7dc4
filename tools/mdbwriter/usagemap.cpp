#include "usagemap.h"

#include "core/error.h"
#include "jetformat.h"
#include "littleendian.h"
#include "pagefile.h"

namespace hakobee::mdbwriter {

namespace {

constexpr int InlineBitmapBytes = 64;
constexpr quint32 InlinePages = InlineBitmapBytes * 8;
constexpr int BitmapPagePointers = 17;
constexpr int BitmapPageHeaderSize = 4;

void setBit(QByteArray& bytes, int offset, quint32 bit)
{
    const int at = offset + int(bit / 8);
    bytes[at] = char(quint8(bytes[at]) | (1u << (bit % 8)));
}

QByteArray inlineMap(const QList<quint32>& pages)
{
    QByteArray row(1 + 4 + InlineBitmapBytes, '\0');
    const quint32 start = pages.isEmpty() ? 0 : pages.front();
    putU8(row, 0, 0x00);
    putU32(row, 1, start);
    for (quint32 page : pages)
        setBit(row, 5, page - start);
    return row;
}

QByteArray bitmapPageMap(const QList<quint32>& pages, PageFile& file, const jet::Format& format)
{
    const quint32 PagesPerBitmapPage = quint32(format.pageSize - BitmapPageHeaderSize) * 8;
    QByteArray row(1 + 4 * BitmapPagePointers, '\0');
    putU8(row, 0, 0x01);
    qsizetype next = 0;
    for (int slot = 0; slot < BitmapPagePointers && next < pages.size(); ++slot) {
        const quint32 first = quint32(slot) * PagesPerBitmapPage;
        const quint32 end = first + PagesPerBitmapPage;
        if (pages[next] >= end)
            continue;
        QByteArray bitmap(format.pageSize, '\0');
        putU8(bitmap, 0, jet::UsageBitmapPage);
        putU8(bitmap, 1, 0x01);
        for (; next < pages.size() && pages[next] < end; ++next)
            setBit(bitmap, BitmapPageHeaderSize, pages[next] - first);
        const quint32 bitmapPage = file.allocate();
        file.write(bitmapPage, bitmap);
        putU32(row, 1 + 4 * slot, bitmapPage);
    }
    if (next < pages.size())
        throw Error(u"データベースが Access の上限（%1 ページ）を超えます。"_qs.arg(
            quint64(BitmapPagePointers) * PagesPerBitmapPage));
    return row;
}

} // namespace

QByteArray usageMapRow(const QList<quint32>& pages, PageFile& file, const jet::Format& format)
{
    if (pages.isEmpty() || pages.back() - pages.front() < InlinePages)
        return inlineMap(pages);
    return bitmapPageMap(pages, file, format);
}

QByteArray emptyUsageMapRow()
{
    return inlineMap({});
}

} // namespace hakobee::mdbwriter
