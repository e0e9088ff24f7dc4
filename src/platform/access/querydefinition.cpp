#include "platform/access/querydefinition.h"

#include "core/error.h"

#include <QRegularExpression>

#include <memory>
#include <vector>

namespace hakobee {

namespace {

// The parts of a query definition (MSysQueries' Attribute).
enum Attribute
{
    typePart = 1,
    parameterPart = 2,
    flagPart = 3,
    otherDatabasePart = 4,
    tablePart = 5,
    columnPart = 6,
    joinPart = 7,
    wherePart = 8,
    groupByPart = 9,
    havingPart = 10,
    orderByPart = 11,
};

// The flag part's Flag.
constexpr int selectStar = 0x01;
constexpr int selectDistinct = 0x02;
constexpr int ownerAccess = 0x04;
constexpr int selectDistinctRow = 0x08;
constexpr int selectTop = 0x10;
constexpr int topPercent = 0x20;
// A union query's flag part: UNION (without duplicates) rather than UNION ALL.
constexpr int unionDistinct = 0x02;
// The names of a union query's two stored selects (its table parts' Name2).
const QLatin1String unionFirst("X7YZ_____1");
const QLatin1String unionSecond("X7YZ_____2");

QList<const SavedQueryRow*> partsOf(const QList<SavedQueryRow>& rows, int attribute)
{
    QList<const SavedQueryRow*> parts;
    for (const SavedQueryRow& row : rows) {
        if (row.attribute == attribute)
            parts.append(&row);
    }
    return parts;
}

const SavedQueryRow* onePart(const QList<SavedQueryRow>& rows, int attribute)
{
    const QList<const SavedQueryRow*> parts = partsOf(rows, attribute);
    if (parts.size() > 1)
        throw Error(
            u"%1 rows of attribute %2, where one belongs"_qs.arg(parts.size()).arg(attribute));
    return parts.isEmpty() ? nullptr : parts.front();
}

SavedQueryKind kindOfNumber(int number)
{
    switch (number) {
    case 1:
        return SavedQueryKind::Select;
    case 2:
        return SavedQueryKind::MakeTable;
    case 3:
        return SavedQueryKind::Append;
    case 4:
        return SavedQueryKind::Update;
    case 5:
        return SavedQueryKind::Delete;
    case 6:
        return SavedQueryKind::Crosstab;
    case 7:
        return SavedQueryKind::DataDefinition;
    case 8:
        return SavedQueryKind::PassThrough;
    case 9:
        return SavedQueryKind::Union;
    default:
        return SavedQueryKind::Unknown;
    }
}

// The kind the catalog's flags give (0xF0 of them is the kind times 16).
SavedQueryKind kindOfCatalogFlags(quint32 flags)
{
    const quint32 kind = flags & 0xF0;
    return kind == 0 ? SavedQueryKind::Select : kindOfNumber(int(kind / 16) + 1);
}

// A name as Jet SQL writes it: bracketed unless it is a plain identifier.
QString sqlName(const QString& name)
{
    static const QRegularExpression plain(u"^[A-Za-z_][A-Za-z0-9_]*$"_qs);
    if (plain.match(name).hasMatch() ||
        (name.startsWith(QLatin1Char('[')) && name.endsWith(QLatin1Char(']'))))
        return name;
    return QLatin1Char('[') + name + QLatin1Char(']');
}

// What a FROM clause is built of: a table (or query) under its name or
// alias, or a join of two such.
struct Source
{
    QString key; // a table: its alias, else its name
    QString text;
    std::shared_ptr<Source> left;
    std::shared_ptr<Source> right;
    int joinType = 0;
    QStringList conditions; // AND-ed, in Access's order

    bool isJoin() const { return left != nullptr; }

    bool contains(const QString& table) const
    {
        if (!isJoin())
            return key.compare(table, Qt::CaseInsensitive) == 0;
        return left->contains(table) || right->contains(table);
    }

    QString sql(bool topLevel) const
    {
        if (!isJoin())
            return text;
        static const char* const joins[] = {"", " INNER JOIN ", " LEFT JOIN ", " RIGHT JOIN "};
        QString on = conditions.join(u") AND ("_qs);
        if (conditions.size() > 1)
            on = QLatin1Char('(') + on + QLatin1Char(')');
        const QString joined =
            left->sql(false) + QLatin1String(joins[joinType]) + right->sql(false) + u" ON "_qs + on;
        return topLevel ? joined : QLatin1Char('(') + joined + QLatin1Char(')');
    }
};

std::shared_ptr<Source> table(const QString& key, const QString& text)
{
    auto source = std::make_shared<Source>();
    source->key = key;
    source->text = text;
    return source;
}

struct FromClause
{
    QStringList items;
    QStringList tableKeys; // every table's name or alias
};

// The tables, then each join folded into the sources holding its two
// tables, as the query designer nests them.
FromClause fromClause(const QList<SavedQueryRow>& rows)
{
    FromClause from;
    std::vector<std::shared_ptr<Source>> sources;
    for (const SavedQueryRow* row : partsOf(rows, tablePart)) {
        QString text;
        if (!row->expression.isNull())
            text = sqlName(row->expression) + QLatin1Char('.');
        text += sqlName(row->name1);
        if (!row->name2.isNull())
            text += u" AS "_qs + sqlName(row->name2);
        const QString key = row->name2.isNull() ? row->name1 : row->name2;
        from.tableKeys.append(key);
        sources.push_back(table(key, text));
    }
    for (const SavedQueryRow* join : partsOf(rows, joinPart)) {
        const int type = join->flag.value_or(0);
        if (type < 1 || type > 3)
            throw Error(u"unknown join type %1 between %2 and %3"_qs.arg(type).arg(join->name1,
                                                                                   join->name2));
        std::shared_ptr<Source> left;
        std::shared_ptr<Source> right;
        for (auto at = sources.begin(); at != sources.end() && (!left || !right);) {
            if (!left && (*at)->contains(join->name1)) {
                left = *at;
                if (!right && (*at)->contains(join->name2)) {
                    right = left;
                    break;
                }
                at = sources.erase(at);
            } else if (!right && (*at)->contains(join->name2)) {
                right = *at;
                at = sources.erase(at);
            } else {
                ++at;
            }
        }
        if (!left)
            left = table(join->name1, sqlName(join->name1));
        if (!right)
            right = table(join->name2, sqlName(join->name2));
        if (left == right) {
            // Another condition of a join already made.
            if (!left->isJoin() || left->joinType != type)
                throw Error(
                    u"tables %1 and %2 are joined in two ways"_qs.arg(join->name1, join->name2));
            left->conditions.prepend(join->expression);
            continue;
        }
        auto joined = std::make_shared<Source>();
        joined->left = left;
        joined->right = right;
        joined->joinType = type;
        joined->conditions = {join->expression};
        sources.push_back(joined);
    }
    for (const auto& source : sources)
        from.items.append(source->sql(true));
    return from;
}

// Whether a column expression is a plain column, which keeps its own name.
bool isColumnReference(const QString& expression)
{
    static const QRegularExpression reference(
        u"^\\s*((\\[[^\\]]*\\]|\\w+)\\s*\\.\\s*)?(\\[[^\\]]*\\]|\\w+|\\*)\\s*$"_qs,
        QRegularExpression::UseUnicodePropertiesOption);
    return reference.match(expression).hasMatch();
}

// Whether a column expression names the table key as its qualifier.
bool mentionsTable(const QString& expression, const QString& key)
{
    const QString pattern =
        u"(^|[^\\w\\]])(%1|\\[%1\\])\\s*\\."_qs.arg(QRegularExpression::escape(key));
    return QRegularExpression(pattern, QRegularExpression::CaseInsensitiveOption |
                                           QRegularExpression::UseUnicodePropertiesOption)
        .match(expression)
        .hasMatch();
}

QString joinedClause(const char* keyword, const QStringList& items)
{
    return items.isEmpty() ? QString()
                           : QLatin1Char('\n') + QLatin1String(keyword) + items.join(u", "_qs);
}

QString optionalClause(const char* keyword, const SavedQueryRow* part)
{
    return part && !part->expression.isNull()
               ? QLatin1Char('\n') + QLatin1String(keyword) + part->expression
               : QString();
}

// The smallest whole number not below the Jet expression's value.
QString ceiling(const QString& value)
{
    return u"(CAST(%1 AS INTEGER) + ((%1) > CAST(%1 AS INTEGER)))"_qs.arg(value);
}

void readSelect(const QList<SavedQueryRow>& rows, QueryDefinition& query)
{
    const SavedQueryRow* flags = onePart(rows, flagPart);
    const int flag = flags ? flags->flag.value_or(0) : 0;
    const bool distinct = flag & selectDistinct;
    const bool distinctRow = !distinct && (flag & selectDistinctRow);
    const bool top = flag & selectTop;
    const bool percent = top && (flag & topPercent);
    const QString topCount = flags ? flags->name1.trimmed() : QString();
    if (top && !QRegularExpression(u"^\\d+(\\.\\d+)?$"_qs).match(topCount).hasMatch())
        throw Error(u"TOP without a number (\"%1\")"_qs.arg(topCount));

    QStringList columns;
    QStringList runnableColumns;
    int unnamed = 0;
    for (const SavedQueryRow* column : partsOf(rows, columnPart)) {
        QString text = column->expression;
        QString runnable = text;
        if (!column->name1.isNull()) {
            text += u" AS "_qs + sqlName(column->name1);
            runnable = text;
        } else if (!isColumnReference(column->expression)) {
            runnable += u" AS [Expr%1]"_qs.arg(1000 + unnamed++);
        }
        columns.append(text);
        runnableColumns.append(runnable);
    }
    if (flag & selectStar) {
        columns.append(u"*"_qs);
        runnableColumns.append(u"*"_qs);
    }
    if (columns.isEmpty())
        throw Error(u"the query selects no columns"_qs);

    const FromClause from = fromClause(rows);
    const QString fromText = joinedClause("FROM ", from.items);
    const QString where = optionalClause("WHERE ", onePart(rows, wherePart));
    QStringList groupings;
    for (const SavedQueryRow* grouping : partsOf(rows, groupByPart))
        groupings.append(grouping->expression);
    const QString having = optionalClause("HAVING ", onePart(rows, havingPart));
    QStringList orderings;
    for (const SavedQueryRow* ordering : partsOf(rows, orderByPart)) {
        orderings.append(ordering->expression +
                         (ordering->name1.compare(QLatin1String("D"), Qt::CaseInsensitive) == 0
                              ? u" DESC"_qs
                              : QString()));
    }

    QString predicate;
    if (distinct)
        predicate += u"DISTINCT "_qs;
    else if (distinctRow)
        predicate += u"DISTINCTROW "_qs;
    if (top)
        predicate += u"TOP "_qs + topCount + (percent ? u" PERCENT "_qs : u" "_qs);
    query.jetSql = u"SELECT "_qs + predicate + columns.join(u", "_qs) + fromText + where +
                   joinedClause("GROUP BY ", groupings) + having +
                   joinedClause("ORDER BY ", orderings) +
                   (flag & ownerAccess ? u"\nWITH OWNERACCESS OPTION"_qs : QString());

    // DISTINCTROW: each combination of the shown tables' records once; with
    // every table shown (or one table) that is every row already.
    QStringList runnableGroupings = groupings;
    if (distinctRow && groupings.isEmpty() && !(flag & selectStar)) {
        QStringList shown;
        for (const QString& key : from.tableKeys) {
            for (const SavedQueryRow* column : partsOf(rows, columnPart)) {
                if (mentionsTable(column->expression, key)) {
                    shown.append(sqlName(key) + u".rowid"_qs);
                    break;
                }
            }
        }
        if (!shown.isEmpty() && shown.size() < from.tableKeys.size())
            runnableGroupings = shown;
    }
    const QString body = fromText + where + joinedClause("GROUP BY ", runnableGroupings) + having;
    QString limit;
    if (top && !orderings.isEmpty() && !distinct) {
        // The rows ranked within the first n (or n percent) by the ordering:
        // those tied with the last one come too.
        const QString ranked =
            u"SELECT rank() OVER (ORDER BY %1) AS r, count(*) OVER () AS c%2"_qs.arg(
                orderings.join(u", "_qs), body);
        const QString within =
            percent ? u"(r - 1) * 100 < c * %1"_qs.arg(topCount) : u"r <= %1"_qs.arg(topCount);
        limit = u"\nLIMIT (SELECT count(*) FROM (%1) WHERE %2)"_qs.arg(ranked, within);
    } else if (top && percent) {
        limit = u"\nLIMIT (SELECT %1 FROM (SELECT count(*) AS c FROM (SELECT 1%2)))"_qs.arg(
            ceiling(u"c * %1 / 100.0"_qs.arg(topCount)), body);
    } else if (top) {
        limit = u"\nLIMIT "_qs + topCount;
    }
    query.runnableJetSql = u"SELECT "_qs + (distinct ? u"DISTINCT "_qs : QString()) +
                           runnableColumns.join(u", "_qs) + body +
                           joinedClause("ORDER BY ", orderings) + limit;
}

// A stored select of a union query, without the blanks and the semicolon
// Access may leave at its end.
QString unionSelect(const QList<SavedQueryRow>& rows, const QLatin1String& name)
{
    for (const SavedQueryRow* part : partsOf(rows, tablePart)) {
        if (part->name2 == name) {
            QString text = part->expression.trimmed();
            while (text.endsWith(QLatin1Char(';')))
                text = text.chopped(1).trimmed();
            return text;
        }
    }
    throw Error(u"the union query lacks its select %1"_qs.arg(name));
}

void readUnion(const QList<SavedQueryRow>& rows, QueryDefinition& query)
{
    const SavedQueryRow* flags = onePart(rows, flagPart);
    const bool all = !(flags && (flags->flag.value_or(0) & unionDistinct));
    QStringList orderings;
    for (const SavedQueryRow* ordering : partsOf(rows, orderByPart)) {
        orderings.append(ordering->expression +
                         (ordering->name1.compare(QLatin1String("D"), Qt::CaseInsensitive) == 0
                              ? u" DESC"_qs
                              : QString()));
    }
    query.jetSql = unionSelect(rows, unionFirst) + u"\nUNION "_qs + (all ? u"ALL "_qs : QString()) +
                   unionSelect(rows, unionSecond) + joinedClause("ORDER BY ", orderings);
    query.runnableJetSql = query.jetSql;
}

} // namespace

QString savedQueryKindName(SavedQueryKind kind)
{
    switch (kind) {
    case SavedQueryKind::Select:
        return u"選択クエリ"_qs;
    case SavedQueryKind::MakeTable:
        return u"テーブル作成クエリ"_qs;
    case SavedQueryKind::Append:
        return u"追加クエリ"_qs;
    case SavedQueryKind::Update:
        return u"更新クエリ"_qs;
    case SavedQueryKind::Delete:
        return u"削除クエリ"_qs;
    case SavedQueryKind::Crosstab:
        return u"クロス集計クエリ"_qs;
    case SavedQueryKind::DataDefinition:
        return u"データ定義クエリ"_qs;
    case SavedQueryKind::PassThrough:
        return u"パススルークエリ"_qs;
    case SavedQueryKind::Union:
        return u"ユニオンクエリ"_qs;
    case SavedQueryKind::Unknown:
        break;
    }
    return u"種類の分からないクエリ"_qs;
}

QueryDefinition readQueryDefinition(quint32 catalogFlags, const QList<SavedQueryRow>& rows)
{
    QueryDefinition query;
    // The type part is the definition's own word; the catalog's flags say
    // the same in files Access wrote, and stand in where the part is missing.
    const SavedQueryRow* type = onePart(rows, typePart);
    query.kind = type && type->flag ? kindOfNumber(*type->flag) : kindOfCatalogFlags(catalogFlags);
    query.hasParameters = !partsOf(rows, parameterPart).isEmpty();
    query.readsOtherDatabase = !partsOf(rows, otherDatabasePart).isEmpty();
    if (query.kind == SavedQueryKind::Select)
        readSelect(rows, query);
    else if (query.kind == SavedQueryKind::Union)
        readUnion(rows, query);
    return query;
}

} // namespace hakobee
