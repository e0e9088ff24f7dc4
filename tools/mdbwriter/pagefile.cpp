#include "pagefile.h"

#include "core/error.h"
#include "littleendian.h"
#include "rc4.h"

#include <QDir>

namespace hakobee::mdbwriter {

namespace {

// Page numbers are stored in three bytes of row pointers.
constexpr quint32 MaxPages = 0xFFFFFF;

} // namespace

PageFile::PageFile(const QString& path, int pageSize, quint32 encodingKey)
    : file_(path), pageSize_(pageSize), encodingKey_(encodingKey)
{
    if (!file_.open(QIODevice::WriteOnly))
        fail();
}

quint32 PageFile::allocate()
{
    if (pageCount_ >= MaxPages)
        throw Error(u"データベース「%1」が大きすぎます（%2 ページ）。"_qs
                        .arg(QDir::toNativeSeparators(file_.fileName()))
                        .arg(pageCount_));
    return pageCount_++;
}

void PageFile::write(quint32 page, const QByteArray& bytes)
{
    Q_ASSERT(page < pageCount_ && bytes.size() == pageSize_);
    QByteArray stored = bytes;
    if (encodingKey_ != 0 && page != 0) {
        QByteArray key(4, '\0');
        putU32(key, 0, encodingKey_ ^ page);
        applyRc4(stored, 0, int(stored.size()), key);
    }
    if (!file_.seek(qint64(page) * pageSize_) || file_.write(stored) != stored.size())
        fail();
}

void PageFile::commit()
{
    if (!file_.resize(qint64(pageCount_) * pageSize_) || !file_.commit())
        fail();
}

void PageFile::fail() const
{
    throw Error(u"データベース「%1」を書き込めません: %2"_qs.arg(
        QDir::toNativeSeparators(file_.fileName()), file_.errorString()));
}

} // namespace hakobee::mdbwriter
