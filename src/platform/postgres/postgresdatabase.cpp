#include "platform/postgres/postgresdatabase.h"

#include "platform/postgres/postgresrecordset.h"
#include "platform/postgres/postgressession.h"

#include <libpq-fe.h>

namespace hakobee {

namespace {

class PostgresConnection final : public Connection
{
public:
    explicit PostgresConnection(std::shared_ptr<PostgresSession> session)
        : session_(std::move(session))
    {}

    // Every kind of record set streams from a cursor.
    std::unique_ptr<Recordset> openRecordset(const QString& query, CursorKind) override
    {
        return std::make_unique<PostgresRecordset>(session_, query);
    }

private:
    std::shared_ptr<PostgresSession> session_;
};

} // namespace

std::unique_ptr<Connection> openPostgresDatabase(const QString& uri)
{
    return std::make_unique<PostgresConnection>(PostgresSession::open(uri));
}

QList<PostgresSourceName> postgresSourceNames(const QString& uri)
{
    const std::shared_ptr<PostgresSession> session = PostgresSession::open(uri);
    // pg_catalog is searched without being named in search_path; its tables
    // and information_schema's are the server's own, not product masters.
    const PgResult names =
        session->run("SELECT c.relname, c.relkind IN ('v', 'm') FROM pg_catalog.pg_class c "
                     "JOIN pg_catalog.pg_namespace n ON n.oid = c.relnamespace "
                     "WHERE c.relkind IN ('r', 'p', 'f', 'v', 'm') "
                     "AND n.nspname NOT IN ('pg_catalog', 'information_schema') "
                     "AND pg_catalog.pg_table_is_visible(c.oid) "
                     "AND pg_catalog.has_table_privilege(c.oid, 'SELECT') "
                     "ORDER BY c.relname",
                     u"(テーブルの一覧)"_qs);
    QList<PostgresSourceName> sources;
    for (int row = 0; row < PQntuples(names.get()); ++row)
        sources.append({QString::fromUtf8(PQgetvalue(names.get(), row, 0)),
                        qstrcmp(PQgetvalue(names.get(), row, 1), "t") == 0});
    return sources;
}

QString postgresColumnType(const Recordset& records, int position)
{
    const auto* postgres = dynamic_cast<const PostgresRecordset*>(&records);
    return postgres ? postgres->serverType(position) : QString();
}

} // namespace hakobee
