#pragma once

#include "platform/access/accessfile.h"
#include "platform/access/accessvirtualtable.h"
#include "platform/access/linkedtables.h"
#include "platform/tablesource/tablesourcemodule.h"

#include <QHash>
#include <QString>
#include <QStringList>

#include <memory>

struct sqlite3;

namespace hakobee {

class Connection;

struct SqliteCloser
{
    void operator()(sqlite3* db) const;
};

// One open Access file, the files it links tables from, and the SQLite
// connection, shared by the connection object and every record set opened on
// it. Members are destroyed in reverse order: SQLite (and its scans) before
// the files they read. A folder of text files and a workbook are served by
// the same session without an Access file: their tables are table sources
// (textfolder/textfolder.h, workbook/workbook.h).
struct AccessSession
{
    // The database the messages name: the Access file, the folder, or the
    // workbook.
    QString path;
    std::unique_ptr<AccessFile> file;
    std::unique_ptr<LinkedTables> linkedTables;
    AccessModuleContext moduleContext;
    // The text files' or sheets' tables; their read failures go to the
    // module context's.
    TableSourceContext tableSources;
    std::unique_ptr<sqlite3, SqliteCloser> db;
    // Tables that cannot be read (a damaged definition, a link that cannot
    // be followed) and saved queries that cannot be read or run or are of a
    // kind that gives no labels, by lower-case name, with the description of
    // what is wrong; a query naming one reports it.
    QHash<QString, QString> damagedTables;
    // The saved queries that run, each a view of the same name
    // (savedqueryviews.h).
    QStringList queryViews;
    // Table names with a dot in them (Master.csv), which a query may write
    // without brackets.
    QStringList dottedNames;

    // Throws hakobee::Error.
    static std::shared_ptr<AccessSession> open(const QString& path);
};

// From here on the connection runs only reading statements: the operator's
// query text may not write, attach or create anything, even in the
// in-memory database.
void allowOnlyReading(sqlite3* db);

// The connection that runs Jet SQL on the session's SQLite database.
std::unique_ptr<Connection> sessionConnection(std::shared_ptr<AccessSession> session);

} // namespace hakobee
