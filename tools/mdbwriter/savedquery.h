#pragma once

#include <QList>
#include <QString>

#include <optional>

// Saved queries for the files the writer writes: each is stored as Access
// stores it, a catalog row (MSysObjects, type 5) and the rows of its parts
// in the system table MSysQueries.
namespace hakobee::mdbwriter {

// Access's numbers for the kinds of query (the type part's Flag).
enum class QueryKind
{
    Select = 1,
    MakeTable = 2,
    Append = 3,
    Update = 4,
    Delete = 5,
    Crosstab = 6,
    DataDefinition = 7,
    PassThrough = 8,
    Union = 9,
};

// One part of a query: a row of MSysQueries without its object id and
// place (the writer numbers the parts of one attribute in the order given).
struct QueryPart
{
    int attribute = 0;
    QString expression; // a null QString is stored as null
    std::optional<int> flag;
    QString name1;
    QString name2;
};

struct SavedQuery
{
    QString name;
    QueryKind kind = QueryKind::Select;
    // Append and make-table queries: the table they write (the type part's
    // Name1); data-definition and pass-through queries: their text (its
    // Expression).
    QString target;
    QString text;
    // The flag part: DISTINCT 0x02, DISTINCTROW 0x08, TOP 0x10 (with the
    // count in top), PERCENT 0x20, SELECT * 0x01; for a union query 0x02
    // for UNION rather than UNION ALL.
    int flags = 0;
    QString top;
    QList<QueryPart> parts;
};

// The parts Access writes, by what they hold.
namespace querypart {
QueryPart parameter(const QString& name, int jetType); // jetType: 10 Text, 4 Long, ...
QueryPart table(const QString& name, const QString& alias = {});
QueryPart column(const QString& expression, const QString& alias = {});
// An update query's assignment: the column set, the value's expression.
QueryPart assignment(const QString& column, const QString& expression);
// joinType 1 INNER, 2 LEFT, 3 RIGHT; the tables by name or alias.
QueryPart join(int joinType, const QString& left, const QString& right, const QString& on);
QueryPart where(const QString& expression);
QueryPart groupBy(const QString& expression);
QueryPart having(const QString& expression);
QueryPart orderBy(const QString& expression, bool descending = false);
// A union query's two stored selects, which = 1 or 2.
QueryPart unionSelect(int which, const QString& text);
} // namespace querypart

} // namespace hakobee::mdbwriter
