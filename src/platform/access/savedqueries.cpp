#include "platform/access/savedqueries.h"

#include "platform/access/accessfile.h"
#include "platform/access/tablereader.h"

#include <algorithm>

namespace hakobee {

namespace {

bool isInteger(int type)
{
    return type == MDB_BYTE || type == MDB_INT || type == MDB_LONGINT;
}

bool isText(int type)
{
    return type == MDB_TEXT || type == MDB_MEMO;
}

// The Order cell: a 4-byte big-endian position among the parts of one kind.
quint32 orderValue(TableReader& reader, int column)
{
    if (column < 0 || reader.isNull(column) || reader.columns().at(column).type != MDB_BINARY)
        return 0;
    const QByteArray bytes = QByteArray::fromHex(reader.otherAsText(column).toLatin1());
    quint32 order = 0;
    for (qsizetype i = 0; i < bytes.size() && i < 4; ++i)
        order = order << 8 | quint8(bytes.at(i));
    return order;
}

} // namespace

QHash<qint64, QList<SavedQueryRow>> readSavedQueryRows(const AccessFile& file)
{
    const AccessTableEntry& table = file.queryDefinitions();
    if (table.definitionPage == 0)
        throw Error(u"the catalog lists no MSysQueries table"_qs);
    TableReader reader(file, table);
    const int objectId = reader.columnIndex(u"ObjectId"_qs);
    const int attribute = reader.columnIndex(u"Attribute"_qs);
    const int order = reader.columnIndex(u"Order"_qs);
    const int flag = reader.columnIndex(u"Flag"_qs);
    const int expression = reader.columnIndex(u"Expression"_qs);
    const int name1 = reader.columnIndex(u"Name1"_qs);
    const int name2 = reader.columnIndex(u"Name2"_qs);
    const auto typeOf = [&](int column) {
        return reader.columns().at(column).type;
    };
    if (objectId < 0 || attribute < 0 || flag < 0 || expression < 0 || name1 < 0 || name2 < 0 ||
        typeOf(objectId) != MDB_LONGINT || !isInteger(typeOf(attribute)) ||
        !isInteger(typeOf(flag)) || !isText(typeOf(expression)) || !isText(typeOf(name1)) ||
        !isText(typeOf(name2))) {
        throw Error(u"MSysQueries lacks one of its columns ObjectId, Attribute, "
                    u"Flag, Expression, Name1, Name2, or one has another type"_qs);
    }
    const auto textOf = [&](int column) {
        return reader.isNull(column) ? QString() : QString(reader.text(column));
    };

    QHash<qint64, QList<SavedQueryRow>> rows;
    while (reader.next()) {
        if (reader.isNull(objectId) || reader.isNull(attribute))
            continue;
        SavedQueryRow row;
        row.attribute = int(reader.integer(attribute));
        row.order = orderValue(reader, order);
        if (!reader.isNull(flag))
            row.flag = int(qint16(reader.integer(flag)));
        row.expression = textOf(expression);
        row.name1 = textOf(name1);
        row.name2 = textOf(name2);
        rows[reader.integer(objectId)].append(row);
    }
    for (QList<SavedQueryRow>& parts : rows) {
        std::stable_sort(
            parts.begin(), parts.end(), [](const SavedQueryRow& a, const SavedQueryRow& b) {
                return a.attribute != b.attribute ? a.attribute < b.attribute : a.order < b.order;
            });
    }
    return rows;
}

} // namespace hakobee
