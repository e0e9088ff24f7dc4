#include "platform/access/accessdatabase.h"

#include "platform/access/accesserrors.h"
#include "platform/access/accessrecordset.h"
#include "platform/access/accesssession.h"
#include "platform/access/querytext.h"

#include <QRegularExpression>

#include <sqlite3.h>

namespace hakobee {

namespace {

// The name SQLite's message ends with ("no such table: main.Master").
QString nameAfter(const QString& message, const QString& prefix)
{
    QString name = message.mid(message.indexOf(prefix) + prefix.size()).trimmed();
    if (name.startsWith(QLatin1String("main.")))
        name.remove(0, 5);
    return name;
}

// Whether the text after the first statement holds another statement
// (rather than nothing, blanks, semicolons or comments).
bool holdsAnotherStatement(sqlite3* db, const char* rest)
{
    sqlite3_stmt* another = nullptr;
    const int rc = sqlite3_prepare_v2(db, rest, -1, &another, nullptr);
    sqlite3_finalize(another);
    return rc != SQLITE_OK || another != nullptr;
}

class AccessConnection final : public Connection
{
public:
    explicit AccessConnection(std::shared_ptr<AccessSession> session) : session_(std::move(session))
    {}

    std::unique_ptr<Recordset> openRecordset(const QString& query, CursorKind) override
    {
        // Every kind is served the same way: rows are read as the caller
        // moves, which is what the grid needs and costs the others nothing.
        const QByteArray text = jetQueryForSqlite(query, session_->dottedNames).toUtf8();
        sqlite3* db = session_->db.get();
        sqlite3_stmt* statement = nullptr;
        const char* rest = nullptr;
        if (sqlite3_prepare_v2(db, text.constData(), int(text.size()), &statement, &rest) !=
            SQLITE_OK) {
            throw prepareFailure(query, QString::fromUtf8(sqlite3_errmsg(db)));
        }
        if (!statement)
            throw accesserror::queryNotUnderstood(query, u"the query is empty"_qs);
        if (holdsAnotherStatement(db, rest)) {
            sqlite3_finalize(statement);
            throw accesserror::queryNotUnderstood(query, u"only one statement can run"_qs);
        }
        if (!sqlite3_stmt_readonly(statement)) {
            sqlite3_finalize(statement);
            throw accesserror::onlySelect(query, u"the statement would write"_qs);
        }
        return std::make_unique<AccessRecordset>(session_, statement, query);
    }

private:
    Error prepareFailure(const QString& query, const QString& message) const
    {
        const QString path = session_->path;
        const QString noTable = u"no such table:"_qs;
        const QString noColumn = u"no such column:"_qs;
        if (message.startsWith(noTable)) {
            const QString table = nameAfter(message, noTable);
            if (const auto damaged = session_->damagedTables.constFind(table.toLower());
                damaged != session_->damagedTables.constEnd()) {
                return Error(*damaged);
            }
            return accesserror::noSuchTable(path, table, message);
        }
        const QString noFunction = u"no such function:"_qs;
        if (message.startsWith(noFunction))
            return accesserror::unsupportedFunction(query, nameAfter(message, noFunction), message);
        if (message.startsWith(noColumn))
            return accesserror::noSuchColumn(path, nameAfter(message, noColumn), message);
        if (message.startsWith(QLatin1String("not authorized")) ||
            message.endsWith(QLatin1String("may not be modified")))
            return accesserror::onlySelect(query, message);
        return accesserror::queryNotUnderstood(query, message);
    }

    std::shared_ptr<AccessSession> session_;
};

} // namespace

std::unique_ptr<Connection> sessionConnection(std::shared_ptr<AccessSession> session)
{
    return std::make_unique<AccessConnection>(std::move(session));
}

std::unique_ptr<Connection> openAccessDatabase(const QString& path)
{
    return sessionConnection(AccessSession::open(path));
}

QList<AccessSourceName> accessSourceNames(const QString& path)
{
    const auto session = AccessSession::open(path);
    QList<AccessSourceName> names;
    for (const AccessTableEntry& table : session->file->tables())
        names.append({table.name, AccessSourceName::Kind::Table});
    for (const AccessLinkEntry& link : session->file->links())
        names.append({link.name, AccessSourceName::Kind::Linked});
    for (const QString& query : session->queryViews) {
        if (!query.startsWith(QLatin1Char('~')))
            names.append({query, AccessSourceName::Kind::Query});
    }
    return names;
}

QString accessColumnType(const Recordset& records, int position)
{
    const auto* access = dynamic_cast<const AccessRecordset*>(&records);
    return access ? access->accessType(position) : QString();
}

} // namespace hakobee
