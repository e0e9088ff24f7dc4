#include "platform/access/accesssession.h"

#include "platform/access/accesserrors.h"
#include "platform/access/jetfunctions.h"
#include "platform/access/savedqueryviews.h"
#include "platform/access/tablereader.h"

#include <QSet>

#include <sqlite3.h>

namespace hakobee {

namespace {

int readingOnly(void*, int action, const char*, const char*, const char*, const char*)
{
    switch (action) {
    case SQLITE_SELECT:
    case SQLITE_READ:
    case SQLITE_FUNCTION:
    case SQLITE_RECURSIVE:
        return SQLITE_OK;
    default:
        return SQLITE_DENY;
    }
}

QString quotedName(QString name)
{
    return QLatin1Char('"') + name.replace(QLatin1Char('"'), QLatin1String("\"\"")) +
           QLatin1Char('"');
}

// The file's own tables, then its links under their own names, each as the
// table whose rows it reads. A table whose definition cannot be read, or a
// link that cannot be followed, is left out, so that the other tables stay
// usable; a query naming it says what is wrong. (SQLite keeps a virtual
// table whose creation failed in its schema.)
QList<AccessTableSource> readableTables(AccessSession& session)
{
    QList<AccessTableSource> sources;
    QSet<QString> names;
    for (const AccessTableEntry& table : session.file->tables()) {
        names.insert(table.name.toLower());
        sources.append({table.name, session.file.get(), table});
    }
    for (const AccessLinkEntry& link : session.file->links()) {
        // Access gives a link no name a table has.
        if (names.contains(link.name.toLower()))
            continue;
        names.insert(link.name.toLower());
        try {
            sources.append(session.linkedTables->resolve(link));
        } catch (const Error& error) {
            session.damagedTables.insert(link.name.toLower(), error.description());
        }
    }

    QList<AccessTableSource> readable;
    for (const AccessTableSource& source : sources) {
        try {
            const TableReader check(*source.file, source.entry);
            readable.append(source);
        } catch (const Error& error) {
            session.damagedTables.insert(
                source.name.toLower(),
                source.file == session.file.get()
                    ? error.description()
                    : accesserror::linkedFileUnreadable(source.name, source.file->path(), error)
                          .description());
        }
    }
    return readable;
}

} // namespace

void SqliteCloser::operator()(sqlite3* db) const
{
    sqlite3_close(db);
}

void allowOnlyReading(sqlite3* db)
{
    sqlite3_limit(db, SQLITE_LIMIT_ATTACHED, 0);
    sqlite3_set_authorizer(db, readingOnly, nullptr);
}

std::shared_ptr<AccessSession> AccessSession::open(const QString& path)
{
    auto session = std::make_shared<AccessSession>();
    session->path = path;
    session->file = AccessFile::open(path);
    session->linkedTables = std::make_unique<LinkedTables>(*session->file);
    session->moduleContext.tables = readableTables(*session);

    sqlite3* db = nullptr;
    const int rc =
        sqlite3_open_v2(":memory:", &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
    session->db.reset(db);
    if (rc != SQLITE_OK) {
        throw accesserror::cannotOpen(path, db ? QString::fromUtf8(sqlite3_errmsg(db))
                                               : QString::fromUtf8(sqlite3_errstr(rc)));
    }
    registerAccessModule(db, &session->moduleContext);
    registerJetFunctions(db);

    const QList<AccessTableSource>& tables = session->moduleContext.tables;
    for (int i = 0; i < tables.size(); ++i) {
        const QString create =
            u"CREATE VIRTUAL TABLE main.%1 USING access(%2)"_qs.arg(quotedName(tables.at(i).name))
                .arg(i);
        char* message = nullptr;
        if (sqlite3_exec(db, create.toUtf8().constData(), nullptr, nullptr, &message) !=
            SQLITE_OK) {
            session->damagedTables.insert(
                tables.at(i).name.toLower(),
                accesserror::tableDamaged(tables.at(i).file->path(), tables.at(i).entry.name,
                                          QString::fromUtf8(message ? message : ""))
                    .description());
        }
        sqlite3_free(message);
    }

    // Views are made while the connection may still create them.
    createSavedQueryViews(*session);

    allowOnlyReading(db);
    return session;
}

} // namespace hakobee
