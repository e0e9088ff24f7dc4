#pragma once

namespace hakobee {

// `hakobee query --db FILE --sql TEXT`: runs the query on the Access
// database through the same backend the screens use and writes the result
// to standard output as CSV (UTF-8, a header row of column names, one line
// per row ending in LF; a null is an empty field, an empty text is ""; a
// field is quoted when it holds a comma, a quote, a line break or blanks at
// either end). With --types it writes instead one line per result column:
// its name and its Access type ("bar,テキスト型 (50)"; "(式)" for a computed
// column). `hakobee query --db FILE --tables` writes instead the file's
// tables and the saved queries a query can name like a table, one per line:
// the name, a tab, "table" or "query". On failure it writes the error description to standard error
// and returns 1; a wrong command line returns 2. `hakobee query --help`
// describes it. Needs no QApplication.
int runQueryCommand(int argc, char** argv);

} // namespace hakobee
