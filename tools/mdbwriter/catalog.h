#pragma once

#include "tablelayout.h"
#include "tablelink.h"

#include <QDateTime>
#include <QList>

namespace hakobee::mdbwriter {

// MSysObjects, the table of the database's objects. Readers find it by its
// definition on page 2 and bind its columns Id, Name, Type, Flags and LvProp
// by name; Database, Connect and ForeignName describe linked tables.
QString catalogTableName();
TableLayout catalogLayout();

struct CatalogEntry
{
    QString name;
    quint32 definitionPage = 0;
    bool systemTable = false;
};

QList<Value> catalogRow(const CatalogEntry& entry, const QDateTime& created);
// The row of the link'th link of the file.
QList<Value> catalogLinkRow(const TableLink& link, int position, const QDateTime& created);

} // namespace hakobee::mdbwriter
