#include "querycatalog.h"

#include "core/error.h"

#include <QHash>
#include <QSet>

namespace hakobee::mdbwriter {

namespace {

constexpr int startAttribute = 0;
constexpr int typeAttribute = 1;
constexpr int parameterAttribute = 2;
constexpr int flagAttribute = 3;
constexpr int tableAttribute = 5;
constexpr int columnAttribute = 6;
constexpr int joinAttribute = 7;
constexpr int whereAttribute = 8;
constexpr int groupByAttribute = 9;
constexpr int havingAttribute = 10;
constexpr int orderByAttribute = 11;
constexpr int endAttribute = 255;

constexpr int queryObjectType = 5;
// Access numbers its queries from 0x80000008 up.
constexpr quint32 firstQueryId = 0x80000008u;

Value text(const QString& value)
{
    return value.isNull() ? Value{} : Value{value};
}

// Order: the place as four big-endian bytes, one character per byte.
QString orderBytes(quint32 place)
{
    QString bytes;
    for (int shift = 24; shift >= 0; shift -= 8)
        bytes.append(QChar(char16_t((place >> shift) & 0xFF)));
    return bytes;
}

QList<Value> row(qint64 id, int attribute, quint32 place, const QueryPart& part)
{
    return {id,
            qint64(attribute),
            orderBytes(place),
            text(part.name1),
            text(part.name2),
            text(part.expression),
            part.flag ? Value{qint64(*part.flag)} : Value{},
            Value{}};
}

bool hasFlagPart(QueryKind kind)
{
    return kind != QueryKind::DataDefinition && kind != QueryKind::PassThrough;
}

int columnIndex(const TableLayout& layout, const char* name)
{
    for (const ColumnPlacement& placement : layout.columns) {
        if (placement.column.name == QLatin1String(name))
            return placement.number;
    }
    return -1;
}

QueryPart part(int attribute, const QString& expression, std::optional<int> flag,
               const QString& name1, const QString& name2)
{
    return {attribute, expression, flag, name1, name2};
}

} // namespace

namespace querypart {

QueryPart parameter(const QString& name, int jetType)
{
    return part(parameterAttribute, {}, jetType, name, {});
}

QueryPart table(const QString& name, const QString& alias)
{
    return part(tableAttribute, {}, {}, name, alias);
}

QueryPart column(const QString& expression, const QString& alias)
{
    return part(columnAttribute, expression, 0, alias, {});
}

QueryPart assignment(const QString& column, const QString& expression)
{
    return part(columnAttribute, expression, 0, {}, column);
}

QueryPart join(int joinType, const QString& left, const QString& right, const QString& on)
{
    return part(joinAttribute, on, joinType, left, right);
}

QueryPart where(const QString& expression)
{
    return part(whereAttribute, expression, {}, {}, {});
}

QueryPart groupBy(const QString& expression)
{
    return part(groupByAttribute, expression, 0, {}, {});
}

QueryPart having(const QString& expression)
{
    return part(havingAttribute, expression, {}, {}, {});
}

QueryPart orderBy(const QString& expression, bool descending)
{
    return part(orderByAttribute, expression, {}, descending ? u"D"_qs : QString(), {});
}

QueryPart unionSelect(int which, const QString& text)
{
    return part(tableAttribute, text, {}, {}, u"X7YZ_____%1"_qs.arg(which));
}

} // namespace querypart

QString queryTableName()
{
    return u"MSysQueries"_qs;
}

QList<Column> queryTableColumns()
{
    return {
        {u"ObjectId"_qs, ColumnType::Long},     {u"Attribute"_qs, ColumnType::Byte},
        {u"Order"_qs, ColumnType::Binary, 255}, {u"Name1"_qs, ColumnType::Text, 255},
        {u"Name2"_qs, ColumnType::Text, 255},   {u"Expression"_qs, ColumnType::Memo},
        {u"Flag"_qs, ColumnType::Integer},      {u"LvExtra"_qs, ColumnType::Long},
    };
}

qint64 queryObjectId(int index)
{
    return qint64(qint32(firstQueryId + quint32(index)));
}

QList<QList<Value>> queryTableRows(const QList<SavedQuery>& queries)
{
    QList<QList<Value>> rows;
    for (int i = 0; i < queries.size(); ++i) {
        const SavedQuery& query = queries.at(i);
        const qint64 id = queryObjectId(i);
        rows.append(row(id, startAttribute, 1, part(startAttribute, {}, 0, {}, {})));
        rows.append(row(id, endAttribute, 1, part(endAttribute, {}, {}, {}, {})));
        rows.append(row(id, typeAttribute, 1,
                        part(typeAttribute, query.text, int(query.kind), query.target, {})));
        if (hasFlagPart(query.kind)) {
            rows.append(
                row(id, flagAttribute, 1, part(flagAttribute, {}, query.flags, query.top, {})));
        }
        QHash<int, quint32> places;
        for (const QueryPart& queryPart : query.parts)
            rows.append(row(id, queryPart.attribute, ++places[queryPart.attribute], queryPart));
    }
    return rows;
}

QList<Value> queryCatalogRow(QList<Value> tableRow, const TableLayout& catalog, int index,
                             const SavedQuery& query)
{
    tableRow[columnIndex(catalog, "Id")] = queryObjectId(index);
    tableRow[columnIndex(catalog, "Type")] = qint64(queryObjectType);
    // The kind again, in 0xF0 of the flags: 0 for a select query.
    tableRow[columnIndex(catalog, "Flags")] = qint64((int(query.kind) - 1) * 16);
    return tableRow;
}

void checkQueryNames(const QList<SavedQuery>& queries, const QStringList& tableNames)
{
    QSet<QString> seen;
    for (const QString& name : tableNames)
        seen.insert(name.toCaseFolded());
    seen.insert(queryTableName().toCaseFolded());
    for (const SavedQuery& query : queries) {
        if (query.name.trimmed().isEmpty() || seen.contains(query.name.toCaseFolded()))
            throw Error(
                u"クエリ名「%1」は使えません（空か、テーブルかクエリと同じ名前です）。"_qs.arg(
                    query.name));
        seen.insert(query.name.toCaseFolded());
    }
}

} // namespace hakobee::mdbwriter
