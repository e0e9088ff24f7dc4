#pragma once

#include <QString>
#include <QStringList>

namespace hakobee {

// "hakobee " and the version, the answer to --version.
QString programVersionText();

// The answer to hakobee --help: how to start the window, the options, the
// subcommands and the exit codes.
QString programHelpText();

// Whether the command line asks for help or for the version. A value of
// --settings-root is a folder name, never a request.
bool asksForHelp(const QStringList& arguments);
bool asksForVersion(const QStringList& arguments);

} // namespace hakobee
