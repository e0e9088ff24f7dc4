#pragma once

#include <QString>

namespace hakobee::mdbwriter {

// A value that does not suit its column, with a short reason. The row
// encoder turns it into a hakobee::Error naming table, row and column.
struct ValueError
{
    QString reason;
};

} // namespace hakobee::mdbwriter
