#pragma once

#include "core/datasource/database.h"

#include <QList>
#include <QStringList>

namespace hakobee::test {

// Every row of the query through the given cursor, each field as text and a
// null as "(null)".
inline QList<QStringList> queryRows(Connection& connection, const QString& query,
                                    CursorKind cursor = CursorKind::StaticRead)
{
    const auto records = connection.openRecordset(query, cursor);
    QList<QStringList> rows;
    for (; !records->eof(); records->moveNext()) {
        QStringList row;
        for (int i = 0; i < records->fieldCount(); ++i)
            row << records->field(i).value_or(u"(null)"_qs);
        rows << row;
    }
    return rows;
}

// The same rows, the fields of each joined by "|".
inline QStringList joinedQueryRows(Connection& connection, const QString& query,
                                   CursorKind cursor = CursorKind::StaticRead)
{
    QStringList rows;
    for (const QStringList& row : queryRows(connection, query, cursor))
        rows << row.join(QLatin1Char('|'));
    return rows;
}

} // namespace hakobee::test
