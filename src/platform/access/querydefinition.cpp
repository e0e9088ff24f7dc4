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
        throw Error(QStringLiteral("%1 rows of attribute %2, where one belongs")
                        .arg(parts.size())
                        .arg(attribute));
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
    static const QRegularExpression plain(QStringLiteral("^[A-Za-z_][A-Za-z0-9_]*$"));
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
        QString on = conditions.join(QStringLiteral(") AND ("));
        if (conditions.size() > 1)
            on = QLatin1Char('(') + on + QLatin1Char(')');
        const QString joined = left->sql(false) + QLatin1String(joins[joinType]) +
                               right->sql(false) + QStringLiteral(" ON ") + on;
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
            text += QStringLiteral(" AS ") + sqlName(row->name2);
        const QString key = row->name2.isNull() ? row->name1 : row->name2;
        from.tableKeys.append(key);
        sources.push_back(table(key, text));
    }
    for (const SavedQueryRow* join : partsOf(rows, joinPart)) {
        const int type = join->flag.value_or(0);
        if (type < 1 || type > 3)
            throw Error(QStringLiteral("unknown join type %1 between %2 and %3")
                            .arg(type)
                            .arg(join->name1, join->name2));
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
                throw Error(QStringLiteral("tables %1 and %2 are joined in two ways")
                                .arg(join->name1, join->name2));
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
        QStringLiteral("^\\s*((\\[[^\\]]*\\]|\\w+)\\s*\\.\\s*)?(\\[[^\\]]*\\]|\\w+|\\*)\\s*$"),
        QRegularExpression::UseUnicodePropertiesOption);
    return reference.match(expression).hasMatch();
}

// Whether a column expression names the table key as its qualifier.
bool mentionsTable(const QString& expression, const QString& key)
{
    const QString pattern =
        QStringLiteral("(^|[^\\w\\]])(%1|\\[%1\\])\\s*\\.").arg(QRegularExpression::escape(key));
    return QRegularExpression(pattern, QRegularExpression::CaseInsensitiveOption |
                                           QRegularExpression::UseUnicodePropertiesOption)
        .match(expression)
        .hasMatch();
}

QString joinedClause(const char* keyword, const QStringList& items)
{
    return items.isEmpty()
               ? QString()
               : QLatin1Char('\n') + QLatin1String(keyword) + items.join(QStringLiteral(", "));
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
    return QStringLiteral("(CAST(%1 AS INTEGER) + ((%1) > CAST(%1 AS INTEGER)))").arg(value);
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
    if (top && !QRegularExpression(QStringLiteral("^\\d+(\\.\\d+)?$")).match(topCount).hasMatch())
        throw Error(QStringLiteral("TOP without a number (\"%1\")").arg(topCount));

    QStringList columns;
    QStringList runnableColumns;
    int unnamed = 0;
    for (const SavedQueryRow* column : partsOf(rows, columnPart)) {
        QString text = column->expression;
        QString runnable = text;
        if (!column->name1.isNull()) {
            text += QStringLiteral(" AS ") + sqlName(column->name1);
            runnable = text;
        } else if (!isColumnReference(column->expression)) {
            runnable += QStringLiteral(" AS [Expr%1]").arg(1000 + unnamed++);
        }
        columns.append(text);
        runnableColumns.append(runnable);
    }
    if (flag & selectStar) {
        columns.append(QStringLiteral("*"));
        runnableColumns.append(QStringLiteral("*"));
    }
    if (columns.isEmpty())
        throw Error(QStringLiteral("the query selects no columns"));

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
                              ? QStringLiteral(" DESC")
                              : QString()));
    }

    QString predicate;
    if (distinct)
        predicate += QStringLiteral("DISTINCT ");
    else if (distinctRow)
        predicate += QStringLiteral("DISTINCTROW ");
    if (top)
        predicate += QStringLiteral("TOP ") + topCount +
                     (percent ? QStringLiteral(" PERCENT ") : QStringLiteral(" "));
    query.jetSql = QStringLiteral("SELECT ") + predicate + columns.join(QStringLiteral(", ")) +
                   fromText + where + joinedClause("GROUP BY ", groupings) + having +
                   joinedClause("ORDER BY ", orderings) +
                   (flag & ownerAccess ? QStringLiteral("\nWITH OWNERACCESS OPTION") : QString());

    // DISTINCTROW: each combination of the shown tables' records once; with
    // every table shown (or one table) that is every row already.
    QStringList runnableGroupings = groupings;
    if (distinctRow && groupings.isEmpty() && !(flag & selectStar)) {
        QStringList shown;
        for (const QString& key : from.tableKeys) {
            for (const SavedQueryRow* column : partsOf(rows, columnPart)) {
                if (mentionsTable(column->expression, key)) {
                    shown.append(sqlName(key) + QStringLiteral(".rowid"));
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
            QStringLiteral("SELECT rank() OVER (ORDER BY %1) AS r, count(*) OVER () AS c%2")
                .arg(orderings.join(QStringLiteral(", ")), body);
        const QString within = percent ? QStringLiteral("(r - 1) * 100 < c * %1").arg(topCount)
                                       : QStringLiteral("r <= %1").arg(topCount);
        limit = QStringLiteral("\nLIMIT (SELECT count(*) FROM (%1) WHERE %2)").arg(ranked, within);
    } else if (top && percent) {
        limit = QStringLiteral("\nLIMIT (SELECT %1 FROM (SELECT count(*) AS c FROM (SELECT 1%2)))")
                    .arg(ceiling(QStringLiteral("c * %1 / 100.0").arg(topCount)), body);
    } else if (top) {
        limit = QStringLiteral("\nLIMIT ") + topCount;
    }
    query.runnableJetSql = QStringLiteral("SELECT ") +
                           (distinct ? QStringLiteral("DISTINCT ") : QString()) +
                           runnableColumns.join(QStringLiteral(", ")) + body +
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
    throw Error(QStringLiteral("the union query lacks its select %1").arg(name));
}

void readUnion(const QList<SavedQueryRow>& rows, QueryDefinition& query)
{
    const SavedQueryRow* flags = onePart(rows, flagPart);
    const bool all = !(flags && (flags->flag.value_or(0) & unionDistinct));
    QStringList orderings;
    for (const SavedQueryRow* ordering : partsOf(rows, orderByPart)) {
        orderings.append(ordering->expression +
                         (ordering->name1.compare(QLatin1String("D"), Qt::CaseInsensitive) == 0
                              ? QStringLiteral(" DESC")
                              : QString()));
    }
    query.jetSql = unionSelect(rows, unionFirst) + QStringLiteral("\nUNION ") +
                   (all ? QStringLiteral("ALL ") : QString()) + unionSelect(rows, unionSecond) +
                   joinedClause("ORDER BY ", orderings);
    query.runnableJetSql = query.jetSql;
}

} // namespace

QString savedQueryKindName(SavedQueryKind kind)
{
    switch (kind) {
    case SavedQueryKind::Select:
        return QStringLiteral("選択クエリ");
    case SavedQueryKind::MakeTable:
        return QStringLiteral("テーブル作成クエリ");
    case SavedQueryKind::Append:
        return QStringLiteral("追加クエリ");
    case SavedQueryKind::Update:
        return QStringLiteral("更新クエリ");
    case SavedQueryKind::Delete:
        return QStringLiteral("削除クエリ");
    case SavedQueryKind::Crosstab:
        return QStringLiteral("クロス集計クエリ");
    case SavedQueryKind::DataDefinition:
        return QStringLiteral("データ定義クエリ");
    case SavedQueryKind::PassThrough:
        return QStringLiteral("パススルークエリ");
    case SavedQueryKind::Union:
        return QStringLiteral("ユニオンクエリ");
    case SavedQueryKind::Unknown:
        break;
    }
    return QStringLiteral("種類の分からないクエリ");
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
