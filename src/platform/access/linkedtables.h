#pragma once

#include "platform/access/accessfile.h"
#include "platform/access/accessvirtualtable.h"

#include <QHash>
#include <QString>

#include <map>
#include <memory>

namespace hakobee {

// The Access files a front-end database links its tables from (a split
// database), each opened read-only with the same checks as the front end,
// once however many links point into it, and kept open as long as this is.
//
// A link is followed to the path stored in it when that file exists, else
// to the file of the same name beside the file holding the link, else beside
// the front end: databases copied from Windows keep the links' C:\... paths.
// A link in a back end to a third file is followed the same way.
class LinkedTables
{
public:
    explicit LinkedTables(const AccessFile& frontEnd);
    LinkedTables(const LinkedTables&) = delete;
    LinkedTables& operator=(const LinkedTables&) = delete;

    // The table a link of the front end reads, known under the link's name.
    // Throws hakobee::Error naming the link: an ODBC or other non-Access
    // link, a linked file that is not found (naming the paths tried), that
    // cannot be read or that lacks the table (naming its path), or links
    // that run in a circle.
    AccessTableSource resolve(const AccessLinkEntry& link);

    // The back-end files opened so far.
    int openFileCount() const { return int(files_.size()); }

private:
    // Failures name shownName, the front end's link the operator knows,
    // however deep in the chain of links they happen.
    AccessTableSource follow(const AccessFile& holder, const AccessLinkEntry& link,
                             const QString& shownName, QStringList& chain);
    const AccessFile& open(const AccessFile& holder, const AccessLinkEntry& link,
                           const QString& shownName);
    QString locate(const AccessFile& holder, const AccessLinkEntry& link,
                   const QString& shownName) const;

    const AccessFile& frontEnd_;
    QString frontEndKey_;
    // By canonical path.
    std::map<QString, std::unique_ptr<AccessFile>> files_;
    // Files that were found but could not be opened, by canonical path, with
    // the description of why, so that each is tried once.
    QHash<QString, QString> unreadable_;
};

} // namespace hakobee
