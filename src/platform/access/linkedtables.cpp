#include "platform/access/linkedtables.h"

#include "platform/access/accesserrors.h"

#include <QDir>
#include <QFileInfo>

namespace hakobee {

namespace {

// The file name a stored link path ends in, whichever system wrote it.
QString lastComponent(const QString& stored)
{
    return stored.mid(
        qMax(stored.lastIndexOf(QLatin1Char('\\')), stored.lastIndexOf(QLatin1Char('/'))) + 1);
}

// "C:\..." or "\\server\share\...": a Windows path no file here can have.
bool isWindowsAbsolute(const QString& stored)
{
    return (stored.size() >= 2 && stored.at(1) == QLatin1Char(':') && stored.at(0).isLetter()) ||
           stored.startsWith(QLatin1String("\\\\"));
}

// The file called name in folder; Windows, where the links were made, does
// not tell BACK.MDB from back.mdb, so neither does this when the exact name
// is not there.
QString fileInFolder(const QString& folder, const QString& name)
{
    const QDir dir(folder);
    if (QFileInfo(dir.filePath(name)).isFile())
        return dir.filePath(name);
    for (const QString& entry : dir.entryList(QDir::Files | QDir::Hidden)) {
        if (entry.compare(name, Qt::CaseInsensitive) == 0)
            return dir.filePath(entry);
    }
    return {};
}

QString canonicalKey(const QString& path)
{
    const QString canonical = QFileInfo(path).canonicalFilePath();
    return canonical.isEmpty() ? QFileInfo(path).absoluteFilePath() : canonical;
}

QString folderOf(const AccessFile& file)
{
    return QFileInfo(file.path()).absolutePath();
}

} // namespace

LinkedTables::LinkedTables(const AccessFile& frontEnd)
    : frontEnd_(frontEnd), frontEndKey_(canonicalKey(frontEnd.path()))
{}

AccessTableSource LinkedTables::resolve(const AccessLinkEntry& link)
{
    QStringList chain{frontEndKey_ + u": "_qs + link.name};
    return follow(frontEnd_, link, link.name, chain);
}

AccessTableSource LinkedTables::follow(const AccessFile& holder, const AccessLinkEntry& link,
                                       const QString& shownName, QStringList& chain)
{
    switch (link.kind) {
    case AccessLinkEntry::Kind::Odbc:
        throw accesserror::odbcLink(shownName, link.connect);
    case AccessLinkEntry::Kind::OtherSource:
        throw accesserror::otherSourceLink(shownName, link.connect);
    case AccessLinkEntry::Kind::AccessFile:
        break;
    }
    if (link.database.trimmed().isEmpty())
        throw accesserror::linkedFileMissing(shownName, {});
    const AccessFile& target = open(holder, link, shownName);
    const QString foreignName = link.foreignName.isEmpty() ? link.name : link.foreignName;

    const QString step = canonicalKey(target.path()) + u": "_qs + foreignName;
    const bool passedBefore = chain.contains(step, Qt::CaseInsensitive);
    chain.append(step);
    if (passedBefore)
        throw accesserror::linkCycle(shownName, chain);

    for (const AccessTableEntry& table : target.tables()) {
        if (table.name.compare(foreignName, Qt::CaseInsensitive) == 0)
            return {shownName, &target, table};
    }
    for (const AccessLinkEntry& next : target.links()) {
        if (next.name.compare(foreignName, Qt::CaseInsensitive) == 0) {
            return follow(target, next, shownName, chain);
        }
    }
    throw accesserror::linkedTableMissing(shownName, target.path(), foreignName);
}

const AccessFile& LinkedTables::open(const AccessFile& holder, const AccessLinkEntry& link,
                                     const QString& shownName)
{
    const QString path = locate(holder, link, shownName);
    const QString key = canonicalKey(path);
    if (key == frontEndKey_)
        return frontEnd_;
    if (const auto opened = files_.find(key); opened != files_.end())
        return *opened->second;
    if (const auto failed = unreadable_.constFind(key); failed != unreadable_.constEnd())
        throw accesserror::linkedFileUnreadable(shownName, path, Error(*failed));
    try {
        std::unique_ptr<AccessFile> file = AccessFile::open(path);
        return *files_.emplace(key, std::move(file)).first->second;
    } catch (const Error& error) {
        unreadable_.insert(key, error.description());
        throw accesserror::linkedFileUnreadable(shownName, path, error);
    }
}

QString LinkedTables::locate(const AccessFile& holder, const AccessLinkEntry& link,
                             const QString& shownName) const
{
    const QString& stored = link.database;
    QStringList tried;
    if (QDir::isAbsolutePath(stored)) {
        if (QFileInfo(stored).isFile())
            return stored;
        tried.append(stored);
    } else if (isWindowsAbsolute(stored)) {
        tried.append(stored);
    } else {
        // A relative link is taken from the file holding it, never from
        // wherever the program was started.
        const QString relative =
            QDir(folderOf(holder))
                .filePath(QString(stored).replace(QLatin1Char('\\'), QLatin1Char('/')));
        if (QFileInfo(relative).isFile())
            return relative;
        tried.append(QDir::toNativeSeparators(relative));
    }

    const QString name = lastComponent(stored);
    QStringList folders{folderOf(holder)};
    if (folderOf(frontEnd_) != folders.first())
        folders.append(folderOf(frontEnd_));
    for (const QString& folder : folders) {
        if (const QString found = fileInFolder(folder, name); !found.isEmpty())
            return found;
        const QString beside = QDir::toNativeSeparators(QDir(folder).filePath(name));
        if (!tried.contains(beside))
            tried.append(beside);
    }
    throw accesserror::linkedFileMissing(shownName, tried);
}

} // namespace hakobee
