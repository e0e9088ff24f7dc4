#pragma once

#include <QByteArray>

namespace hakobee::mdbwriter {

// A data page being filled: rows are packed downward from the end of the
// page without gaps, their offsets listed after the 14-byte header. The owner
// is the table definition page, or "LVAL" for long-value pages, or 0 for the
// page that holds usage maps.
class DataPage
{
public:
    DataPage(quint32 number, quint32 owner);

    quint32 number() const { return number_; }
    int rowCount() const { return rowCount_; }
    bool fits(int rowSize) const;
    int add(const QByteArray& row); // returns the row's index on the page
    const QByteArray& bytes() const { return page_; }

private:
    int freeSpace() const;

    quint32 number_;
    QByteArray page_;
    int rowCount_ = 0;
    int lowestRowOffset_;
};

} // namespace hakobee::mdbwriter
