#pragma once

#include "datapage.h"

#include <QByteArray>

#include <optional>

namespace hakobee::mdbwriter {

class PageFile;

// Stores Memo values. A short value goes inline into its row; a longer one
// into one row of a long-value ("LVAL") page; one too long for a page into a
// chain of such rows, each pointing to the next. Returns the bytes the row
// itself holds: the 12-byte memo header, followed by the value when inline.
// Throws ValueError for a value beyond 16 MiB.
class LongValueStore
{
public:
    LongValueStore(PageFile& file, const jet::Format& format);

    QByteArray store(const QByteArray& value);
    void finish(); // writes the page being filled

private:
    quint32 place(const QByteArray& row); // returns the row pointer

    PageFile& file_;
    jet::Format format_;
    std::optional<DataPage> page_;
};

} // namespace hakobee::mdbwriter
