#include "platform/access/savedqueryviews.h"

#include "platform/access/accesserrors.h"
#include "platform/access/accesssession.h"
#include "platform/access/querydefinition.h"
#include "platform/access/querytext.h"
#include "platform/access/savedqueries.h"

#include <QSet>

#include <sqlite3.h>

namespace hakobee {

namespace {

QString quotedName(QString name)
{
    return QLatin1Char('"') + name.replace(QLatin1Char('"'), QLatin1String("\"\"")) +
           QLatin1Char('"');
}

QString sqliteMessage(sqlite3* db)
{
    return QString::fromUtf8(sqlite3_errmsg(db));
}

// Whether the statement compiles; the message why not otherwise.
bool compiles(sqlite3* db, const QString& sql, QString& why)
{
    sqlite3_stmt* statement = nullptr;
    const QByteArray text = sql.toUtf8();
    const int rc = sqlite3_prepare_v2(db, text.constData(), int(text.size()), &statement, nullptr);
    sqlite3_finalize(statement);
    if (rc != SQLITE_OK)
        why = sqliteMessage(db);
    return rc == SQLITE_OK;
}

bool execute(sqlite3* db, const QString& sql, QString& why)
{
    char* message = nullptr;
    const int rc = sqlite3_exec(db, sql.toUtf8().constData(), nullptr, nullptr, &message);
    if (rc != SQLITE_OK)
        why = QString::fromUtf8(message ? message : sqlite3_errstr(rc));
    sqlite3_free(message);
    return rc == SQLITE_OK;
}

// Why a query cannot be a view, or an empty text; the definition it has.
QString refusal(const AccessSession& session, const AccessQueryEntry& entry,
                const QHash<qint64, QList<SavedQueryRow>>& rows, QueryDefinition& definition)
{
    const QString& path = session.file->path();
    const auto found = rows.constFind(entry.objectId);
    if (found == rows.constEnd()) {
        return accesserror::queryUnreadable(
                   path, entry.name,
                   u"MSysQueries holds no rows for object id %1"_qs.arg(entry.objectId))
            .description();
    }
    try {
        definition = readQueryDefinition(entry.flags, *found);
    } catch (const Error& error) {
        return accesserror::queryUnreadable(path, entry.name, error.description()).description();
    }
    if (definition.kind != SavedQueryKind::Select && definition.kind != SavedQueryKind::Union) {
        return accesserror::queryNotLabelSource(entry.name, savedQueryKindName(definition.kind),
                                                QString())
            .description();
    }
    if (definition.hasParameters) {
        return accesserror::queryNotLabelSource(entry.name, u"パラメータークエリ"_qs,
                                                u"the query asks for parameters"_qs)
            .description();
    }
    if (definition.readsOtherDatabase) {
        return accesserror::queryCannotRun(path, entry.name, u"the query reads another database"_qs)
            .description();
    }
    return {};
}

// Why a view that does not compile cannot run, naming what it is built on
// when that is what fails.
QString failure(const AccessSession& session, const QString& name, SavedQueryKind kind,
                const QString& message)
{
    const QString noTable = u"no such table: "_qs;
    if (message.startsWith(noTable)) {
        QString used = message.mid(noTable.size()).trimmed();
        if (used.startsWith(QLatin1String("main.")))
            used.remove(0, 5);
        if (const auto refused = session.damagedTables.constFind(used.toLower());
            refused != session.damagedTables.constEnd()) {
            return accesserror::queryUsesUnusable(name, used, *refused).description();
        }
    }
    if (kind == SavedQueryKind::Union)
        return accesserror::unionCannotRun(name, message).description();
    return accesserror::queryCannotRun(session.file->path(), name, message).description();
}

} // namespace

void createSavedQueryViews(AccessSession& session)
{
    const QList<AccessQueryEntry>& queries = session.file->queries();
    if (queries.isEmpty())
        return;
    sqlite3* db = session.db.get();
    QHash<qint64, QList<SavedQueryRow>> rows;
    try {
        rows = readSavedQueryRows(*session.file);
    } catch (const Error& error) {
        for (const AccessQueryEntry& entry : queries) {
            session.damagedTables.insert(
                entry.name.toLower(),
                accesserror::queryUnreadable(session.file->path(), entry.name, error.description())
                    .description());
        }
        return;
    }

    QSet<QString> tableNames;
    for (const AccessTableEntry& table : session.file->tables())
        tableNames.insert(table.name.toLower());
    struct View
    {
        QString name;
        SavedQueryKind kind;
    };
    QList<View> views;
    for (const AccessQueryEntry& entry : queries) {
        if (tableNames.contains(entry.name.toLower()))
            continue; // Access keeps one name for one object; a table wins
        QueryDefinition definition;
        QString why = refusal(session, entry, rows, definition);
        // Views are made in any order: SQLite resolves the tables and views
        // a view names only when it is used.
        if (why.isEmpty() &&
            !execute(db,
                     u"CREATE VIEW main.%1 AS %2"_qs.arg(
                         quotedName(entry.name), jetQueryForSqlite(definition.runnableJetSql)),
                     why)) {
            why = failure(session, entry.name, definition.kind, why);
        }
        if (!why.isEmpty())
            session.damagedTables.insert(entry.name.toLower(), why);
        else
            views.append({entry.name, definition.kind});
    }

    // A view that does not compile (a missing column, a query it is built on
    // that is refused, a cycle) is removed, with its reason; one that
    // compiles uses only views that compile too.
    QList<std::pair<View, QString>> failed;
    for (const View& view : views) {
        QString why;
        if (!compiles(db, u"SELECT * FROM main.%1"_qs.arg(quotedName(view.name)), why))
            failed.append({view, why});
        else
            session.queryViews.append(view.name);
    }
    for (const auto& [view, message] : failed) {
        QString ignored;
        execute(db, u"DROP VIEW main.%1"_qs.arg(quotedName(view.name)), ignored);
        session.damagedTables.insert(view.name.toLower(),
                                     failure(session, view.name, view.kind, message));
    }
}

} // namespace hakobee
