#pragma once

#include <QString>
#include <QStringList>

namespace hakobee {

// Access treats a full-width blank (U+3000) between words as a blank, and
// operators type their queries with a Japanese input method switched on.
// Returns the query with every full-width blank outside quoted text
// ('text', "name", [name], `name`) and outside comments replaced by an
// ordinary blank; everything else is left exactly as it was.
QString withFullWidthBlanksAsBlanks(const QString& query);

// The operator's query text (Jet SQL as Access takes it) in the SQLite
// dialect the backend runs, changed only where the two differ:
//   - full-width blanks outside quotes and names are blanks (as above);
//   - "text" is a string, as in Access: it becomes 'text';
//   - #2024/03/05#, #2024-03-05 9:30#, #3/5/2024# (dates, optionally with a
//     time) become the number Access stores for them (days since
//     1899/12/30), which is what Date/Time columns hold here;
//   - SELECT [DISTINCT] TOP n ... becomes SELECT [DISTINCT] ... LIMIT n, the
//     LIMIT closing the same SELECT (before its closing parenthesis, or at
//     the end of the statement);
//   - a & b & c (Access's concatenation, weaker than + - * / and stronger
//     than comparisons, Not, And, Or) becomes jetconcat(a, b, c), which
//     treats a null as an empty text as Access does.
//   - a name with a dot in it that is one of dottedNames, written without
//     brackets (Master.csv, a text file's table), is one name: [Master.csv].
// Quoted texts, [bracketed] and `quoted` names and comments are never
// changed; a * in "select *" or count(*) stays as it is. Everything else (the
// Jet functions IIf, Nz, Left, ..., and Like with * and ?) is served by
// SQLite functions of the same names (jetfunctions.h).
QString jetQueryForSqlite(const QString& query, const QStringList& dottedNames = {});

// The name of a result column as the operator wrote it: SQLite names an
// expression without alias by its text, which is the rewritten one
// (jetconcat(a, b) is shown as a & b again).
QString jetColumnName(const QString& sqliteName);

} // namespace hakobee
