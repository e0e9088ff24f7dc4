#include "production/installeddata.h"

#include <QCoreApplication>
#include <QDir>

namespace hakobee {

QString installedDataFolder()
{
    return QDir::cleanPath(QDir(QCoreApplication::applicationDirPath())
                               .filePath(QStringLiteral(HAKOBEE_DATA_FROM_PROGRAM)));
}

QStringList defaultCopyFolders()
{
    return {QDir::currentPath(), QCoreApplication::applicationDirPath(), installedDataFolder()};
}

} // namespace hakobee
