#pragma once

#include <QHash>
#include <QList>
#include <QString>

#include <optional>

namespace hakobee {

class AccessFile;

// One row of MSysQueries, the system table in which Access keeps the parts
// of every saved query: which part it is (attribute), its place among the
// parts of that kind (order), and up to four values whose meaning depends
// on the part (querydefinition.h).
struct SavedQueryRow
{
    int attribute = 0;
    quint32 order = 0;
    std::optional<int> flag;
    QString expression; // null when the cell is null
    QString name1;
    QString name2;
};

// The rows of every query, by object id, each query's rows in the order
// Access gives its parts (by attribute, then by order; file order among
// equals). Throws hakobee::Error when MSysQueries cannot be read (missing,
// without one of its columns, or with a damaged row); the file's tables stay
// usable, only its queries are lost.
QHash<qint64, QList<SavedQueryRow>> readSavedQueryRows(const AccessFile& file);

} // namespace hakobee
