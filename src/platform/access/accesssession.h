#pragma once

#include "platform/access/accessfile.h"
#include "platform/access/accessvirtualtable.h"

#include <QHash>
#include <QString>
#include <QStringList>

#include <memory>

struct sqlite3;

namespace hakobee {

struct SqliteCloser
{
    void operator()(sqlite3* db) const;
};

// One open Access file with its SQLite connection, shared by the connection
// object and every record set opened on it. Members are destroyed in reverse
// order: SQLite (and its scans) before the file they read.
struct AccessSession
{
    std::unique_ptr<AccessFile> file;
    AccessModuleContext moduleContext;
    std::unique_ptr<sqlite3, SqliteCloser> db;
    // Tables whose definitions could not be read, and saved queries that
    // cannot be read or run or are of a kind that gives no labels, by
    // lower-case name, with the description of what is wrong; a query
    // naming one reports it.
    QHash<QString, QString> damagedTables;
    // The saved queries that run, each a view of the same name
    // (savedqueryviews.h).
    QStringList queryViews;

    // Throws hakobee::Error.
    static std::shared_ptr<AccessSession> open(const QString& path);
};

} // namespace hakobee
