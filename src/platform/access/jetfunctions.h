#pragma once

struct sqlite3;

namespace hakobee {

// The Jet (Access) functions an operator's query may use, as SQLite
// functions of the same names (names are matched in any letter case):
//
//   Nz(x[, y])             y (or "") when x is null, else x
//   Left(s, n), Right(s, n), Mid(s, start[, n]), Len(s)
//                          on characters (UTF-16 units, as Access counts)
//   UCase(s), LCase(s)     also full-width letters (ａ -> Ａ)
//   CStr(x)                the text Access shows for x
//   CLng(x)                a whole number, halves to the even one (2.5 -> 2)
//   CDbl(x)                a number; a text must hold one
//   Val(s)                 the number at the start of s, blanks ignored
//                          ("1 2 3abc" -> 123; "abc" -> 0)
//   Format(x[, f])         without f as CStr; f one of "0", "#,##0", "0.00", "#,##0.00" (any
//                          number of decimals), halves away from zero; any
//                          other format is an error naming it
//   x Like p               p with * or % (any characters), ? or _ (one), #
//                          (a digit), [abc], [a-z], [!a-z]; letter case
//                          ignored (Access's Like, with the wildcards of both
//                          of its modes)
//   jetconcat(a, b, ...)   Access's a & b & ...: a null counts as "", all
//                          null give null (the query text's & becomes this)
//
// IIf and Trim are SQLite's own iif and trim, which behave as Access's do.
// Functions given a null give null, except Nz and jetconcat; a value they
// cannot use ends the query with an error that names the function.
void registerJetFunctions(sqlite3* db);

} // namespace hakobee
