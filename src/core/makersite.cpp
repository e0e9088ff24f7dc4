#include "core/makersite.h"

#include <QDir>

namespace hakobee {

QString configuredMakerSite()
{
    return QStringLiteral(HAKOBEE_MAKER_SITE);
}

QUrl pageUrl(const QString& makerSite, const QString& localPagesFolder, const QString& pagePath)
{
    if (!makerSite.isEmpty()) {
        // "https://host/" and "https://host" both lead to https://host/ora.htm.
        QString site = makerSite;
        while (site.endsWith(u'/'))
            site.chop(1);
        return QUrl(site + pagePath);
    }
    const QString relative = pagePath.startsWith(u'/') ? pagePath.mid(1) : pagePath;
    return QUrl::fromLocalFile(QDir::cleanPath(QDir(localPagesFolder).filePath(relative)));
}

QString shownPageAddress(const QUrl& address)
{
    return address.toString();
}

} // namespace hakobee
