#pragma once

#include "jetformat.h"

#include <QByteArray>

namespace hakobee::mdbwriter {

// A data page being filled: rows are packed downward from the end of the
// page without gaps, their offsets listed after the header. The owner
// is the table definition page, or "LVAL" for long-value pages, or 0 for the
// page that holds usage maps.
//
// Besides live rows, a page can hold the slots Access leaves behind after
// deletes and updates (jet4-notes.md, "Row slots as Access leaves them"):
// the top two bits of a slot's offset say what it is.
class DataPage
{
public:
    enum SlotFlags : quint16
    {
        LiveRow = 0x0000,
        DeletedRow = 0xC000,
        MovedAway = 0x4000, // the row's bytes are a pointer to its new place
        MovedHere = 0x8000, // the new place of a moved row
    };

    DataPage(quint32 number, quint32 owner, const jet::Format& format);

    quint32 number() const { return number_; }
    int rowCount() const { return rowCount_; }
    bool fits(int rowSize) const;
    // Adds a row and returns its index on the page.
    int add(const QByteArray& row, SlotFlags flags = LiveRow);
    // Adds the slot of a deleted row whose space was reclaimed: no bytes,
    // its offset that of the slot before it, or the page end for the first.
    int addReclaimed();
    const QByteArray& bytes() const { return page_; }

private:
    int freeSpace() const;

    quint32 number_;
    int headerSize_;
    int rowCountOffset_;
    QByteArray page_;
    int rowCount_ = 0;
    int lowestRowOffset_;
};

} // namespace hakobee::mdbwriter
