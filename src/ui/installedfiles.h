#pragma once

#include <QString>
#include <QStringList>
#include <QUrl>

namespace hakobee {

// The folder an installation keeps the program's own files in (the default
// settings copies, the sample database, the pages): share/hakobee beside
// the bin folder that holds the program, wherever the installation lies.
QString installedDataFolder();

// Where the program looks for the default copies of the settings files: the
// working folder, the program's own folder (a build folder), then the
// installed data folder. Needs the application object.
QStringList defaultCopyFolders();

// The folder of the program's own pages (online help, online support, the
// layout order form): `pages` beside the program in a build folder, else
// `pages` in the installed data folder. When neither holds the help page,
// the installed one, so the address shown says where the pages belong.
// Needs the application object.
QString programPagesFolder();

// The address a link button opens for one of the maker's pages: the
// maker's site when the build names one, else the program's own copy.
QUrl programPageUrl(const QString& pagePath);

} // namespace hakobee
