#include "core/settings/settingsfolder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace hakobee {

namespace {

const QString folderName = u"qvx_ini"_qs;

// The entry of `directory` named `name` in any letter case; the exact
// spelling wins when both exist.
QString findEntry(const QString& directory, const QString& name)
{
    const QDir dir(directory);
    if (QFileInfo::exists(dir.filePath(name)))
        return dir.filePath(name);
    const QStringList entries =
        dir.entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    for (const QString& entry : entries) {
        if (entry.compare(name, Qt::CaseInsensitive) == 0)
            return dir.filePath(entry);
    }
    return dir.filePath(name);
}

} // namespace

QString SettingsFolder::defaultRoot()
{
#ifdef Q_OS_WIN
    return u"C:/"_qs;
#else
    return QDir::homePath();
#endif
}

SettingsFolder::SettingsFolder(QString root) : root_(std::move(root)) {}

QString SettingsFolder::folderPath() const
{
    return findEntry(root_, folderName);
}

bool SettingsFolder::exists() const
{
    return QFileInfo(folderPath()).isDir();
}

QString SettingsFolder::filePath(const QString& fileName) const
{
    return findEntry(folderPath(), fileName);
}

QStringList SettingsFolder::defaultCopyFolders() const
{
    if (!defaultCopyFolders_.isEmpty())
        return defaultCopyFolders_;
    QStringList folders{QDir::currentPath()};
    if (QCoreApplication::instance())
        folders.append(QCoreApplication::applicationDirPath());
    return folders;
}

} // namespace hakobee
