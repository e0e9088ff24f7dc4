#pragma once

#include "platform/access/savedqueries.h"

#include <QList>
#include <QString>

namespace hakobee {

// What kind of query a saved query is, as Access numbers them in the type
// part of its definition (and in 0xF0 of its catalog flags).
enum class SavedQueryKind
{
    Select,
    MakeTable,
    Append,
    Update,
    Delete,
    Crosstab,
    DataDefinition,
    PassThrough,
    Union,
    Unknown
};

// The name Japanese Access gives the kind ("更新クエリ", ...).
QString savedQueryKindName(SavedQueryKind kind);

// A saved query read from its MSysQueries rows.
struct QueryDefinition
{
    SavedQueryKind kind = SavedQueryKind::Unknown;
    // The query asks for values when it runs (PARAMETERS).
    bool hasParameters = false;
    // The query reads tables of another database (IN 'file').
    bool readsOtherDatabase = false;
    // Select and union queries: the query's Jet SQL as Access shows it in
    // its SQL view (without PARAMETERS and the final semicolon).
    QString jetSql;
    // The same query as Jet SQL that the backend's rewrite (querytext.h)
    // turns into SQLite that gives the rows Access gives: TOP n includes
    // the rows tied with the n-th in the ordering (TOP n PERCENT the same
    // share of the rows, rounded up; with DISTINCT, the first n distinct
    // rows alone), DISTINCTROW gives each combination of
    // the records of the tables it shows once (no change when it shows
    // columns of every table), and a computed column without a name is
    // named Expr1000, Expr1001, ... as Access names it.
    QString runnableJetSql;
};

// Reads a query from its rows and the flags of its catalog row. Throws
// hakobee::Error, the technical detail alone, when the rows contradict each
// other (a join of two tables joined otherwise already, an unknown join
// type, a union query without its two parts).
QueryDefinition readQueryDefinition(quint32 catalogFlags, const QList<SavedQueryRow>& rows);

} // namespace hakobee
