#pragma once

#include <QString>
#include <QUrl>

namespace hakobee {

// The pages the help, support and layout-order buttons lead to, by the
// paths the maker's web site keeps them under. The program ships its own
// copy of each under the same path (the folder `pages`).
namespace MakerPages {
inline const QString onlineHelp = u"/ora.htm"_qs;
inline const QString onlineSupport = u"/qqq.htm"_qs;
inline const QString layoutOrderForm = u"/tolform2/form.html"_qs;
} // namespace MakerPages

// The maker's web site the build was configured with (the CMake variable
// HAKOBEE_MAKER_SITE, e.g. "https://www.example.co.jp"), or empty when it
// names none: then every button opens the program's own copy of its page.
QString configuredMakerSite();

// The address a button opens for a page: the maker's site followed by the
// page's path when a site is given, else the file of that path in the
// folder of the program's own pages.
QUrl pageUrl(const QString& makerSite, const QString& localPagesFolder, const QString& pagePath);

// The address as the screens show it, for the operator to type or paste
// into a browser; it reads back as the same URL.
QString shownPageAddress(const QUrl& address);

} // namespace hakobee
