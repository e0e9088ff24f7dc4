#pragma once

#include <QString>

namespace hakobee {

// Whether a select text holds more than one statement: a semicolon outside
// quoted texts ('text', with '' inside), quoted names ("name", [name],
// `name`), PostgreSQL's dollar quotes ($$text$$, $tag$text$tag$) and
// comments (-- to the end of the line, /* ... */), followed by anything but
// blanks, semicolons and comments. "select 1;" is one statement. For the
// backends whose driver would run several statements one after another
// (ODBC drivers split the text themselves), so that none of them runs.
bool hasSeveralStatements(const QString& query);

} // namespace hakobee
