#pragma once

#include <QString>

namespace hakobee {

// Writes text to standard output or standard error as UTF-8, whatever the
// locale, so Japanese reaches a terminal or a pipe intact; flushed at once,
// so the two streams keep their order on a terminal. The window's start-up
// and every subcommand write through these. False when the stream did not
// take it all (a closed pipe, a full disk).
bool writeToStandardOutput(const QString& text);
bool writeToStandardError(const QString& text);

} // namespace hakobee
