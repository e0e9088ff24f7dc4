#pragma once

namespace hakobee::ExitCode {

// What the program and each of its subcommands return, as the manual page
// and --help list them.
inline constexpr int success = 0;
// The work could not be done: a database or printing error, or no display
// to show the window on. The reason is on standard error.
inline constexpr int failure = 1;
// The command line is wrong: an unknown option or subcommand, a missing value.
inline constexpr int usage = 2;

} // namespace hakobee::ExitCode
