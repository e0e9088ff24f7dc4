#pragma once

#include <QString>
#include <QUrl>

namespace hakobee {

// The maker's web site. Every page the program links to is this address
// followed by a fixed path. The host is a placeholder until the maker names
// the real one; changing it here changes every link and every address shown.
inline const QString makerSite = QStringLiteral("https://hakobee.example.jp");

namespace MakerPages {
inline const QString onlineHelp = QStringLiteral("/ora.htm");
inline const QString onlineSupport = QStringLiteral("/qqq.htm");
inline const QString layoutOrderForm = QStringLiteral("/tolform2/form.html");
} // namespace MakerPages

// The full address of a page of the maker's site, as shown to the operator.
inline QString makerPageAddress(const QString& path)
{
    return makerSite + path;
}

inline QUrl makerPageUrl(const QString& path)
{
    return QUrl(makerPageAddress(path));
}

} // namespace hakobee
