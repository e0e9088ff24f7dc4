#pragma once

#include <QByteArray>
#include <QSaveFile>
#include <QString>

namespace hakobee::mdbwriter {

// The file being written, as numbered 4 KiB pages. Pages are handed out in
// order and may be written in any order; the file replaces the one at the
// path only on commit(), so a failed write leaves no half-written database.
class PageFile
{
public:
    explicit PageFile(const QString& path);

    quint32 allocate();
    quint32 pageCount() const { return pageCount_; }
    void write(quint32 page, const QByteArray& bytes);
    void commit();

private:
    [[noreturn]] void fail() const;

    QSaveFile file_;
    quint32 pageCount_ = 0;
};

} // namespace hakobee::mdbwriter
