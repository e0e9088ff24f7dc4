#include "pagefile.h"

#include "core/error.h"
#include "jetformat.h"

#include <QDir>

namespace hakobee::mdbwriter {

namespace {

// Page numbers are stored in three bytes of row pointers.
constexpr quint32 MaxPages = 0xFFFFFF;

} // namespace

PageFile::PageFile(const QString& path) : file_(path)
{
    if (!file_.open(QIODevice::WriteOnly))
        fail();
}

quint32 PageFile::allocate()
{
    if (pageCount_ >= MaxPages)
        throw Error(QStringLiteral("データベース「%1」が大きすぎます（%2 ページ）。")
                        .arg(QDir::toNativeSeparators(file_.fileName()))
                        .arg(pageCount_));
    return pageCount_++;
}

void PageFile::write(quint32 page, const QByteArray& bytes)
{
    Q_ASSERT(page < pageCount_ && bytes.size() == jet::PageSize);
    if (!file_.seek(qint64(page) * jet::PageSize) || file_.write(bytes) != bytes.size())
        fail();
}

void PageFile::commit()
{
    if (!file_.resize(qint64(pageCount_) * jet::PageSize) || !file_.commit())
        fail();
}

void PageFile::fail() const
{
    throw Error(QStringLiteral("データベース「%1」を書き込めません: %2")
                    .arg(QDir::toNativeSeparators(file_.fileName()), file_.errorString()));
}

} // namespace hakobee::mdbwriter
