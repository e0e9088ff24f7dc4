#include "ui/installedfiles.h"

#include "core/makersite.h"
#include "production/installeddata.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace hakobee {

namespace {
const QString pagesFolderName = u"pages"_qs;
} // namespace

QString programPagesFolder()
{
    // Never the working folder: a page opened from wherever the program was
    // started could be anyone's.
    const QString installed = QDir(installedDataFolder()).filePath(pagesFolderName);
    for (const QString& folder :
         {QDir(QCoreApplication::applicationDirPath()).filePath(pagesFolderName), installed}) {
        if (QFileInfo(pageUrl({}, folder, MakerPages::onlineHelp).toLocalFile()).isFile())
            return folder;
    }
    return installed;
}

QUrl programPageUrl(const QString& pagePath)
{
    const QString site = configuredMakerSite();
    return pageUrl(site, site.isEmpty() ? programPagesFolder() : QString(), pagePath);
}

} // namespace hakobee
