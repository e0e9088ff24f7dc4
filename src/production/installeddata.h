#pragma once

#include <QString>
#include <QStringList>

namespace hakobee {

// The folder an installation keeps the program's own files in (the default
// settings copies, the sample database, the pages): share/hakobee beside
// the bin folder that holds the program, wherever the installation lies.
QString installedDataFolder();

// Where the program looks for the default copies of the settings files: the
// working folder, the program's own folder (a build folder), then the
// installed data folder. Needs the application object.
QStringList defaultCopyFolders();

} // namespace hakobee
