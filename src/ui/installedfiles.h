#pragma once

#include <QString>
#include <QUrl>

namespace hakobee {

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
