#pragma once

#include "jetformat.h"
#include "tablelayout.h"

#include <QByteArray>

namespace hakobee::mdbwriter {

struct TableDefinition
{
    TableLayout layout;
    bool systemTable = false;
    qint64 rowCount = 0;
    quint32 usedPagesMap = 0; // row pointers to the usage map rows
    quint32 freePagesMap = 0;
};

// The table definition page: header, column entries, column names, and the
// usage maps of each Memo column. Tables here have no indexes. Throws
// hakobee::Error when the definition does not fit one page.
QByteArray tableDefinitionPage(const QString& tableName, const TableDefinition& definition,
                               const jet::Format& format);

} // namespace hakobee::mdbwriter
