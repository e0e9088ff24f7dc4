#pragma once

#include <QByteArray>
#include <QSaveFile>
#include <QString>

namespace hakobee::mdbwriter {

// The file being written, as numbered pages of one size. Pages are handed
// out in order and may be written in any order; the file replaces the one at
// the path only on commit(), so a failed write leaves no half-written
// database. With an encoding key, every page but the first is stored
// RC4-encoded under the key XOR its page number, as Jet encodes databases.
class PageFile
{
public:
    PageFile(const QString& path, int pageSize, quint32 encodingKey = 0);

    quint32 allocate();
    quint32 pageCount() const { return pageCount_; }
    void write(quint32 page, const QByteArray& bytes);
    void commit();

private:
    [[noreturn]] void fail() const;

    QSaveFile file_;
    int pageSize_;
    quint32 encodingKey_;
    quint32 pageCount_ = 0;
};

} // namespace hakobee::mdbwriter
