#include "platform/postgres/postgressession.h"

#include "platform/postgres/postgreserrors.h"

#include <libpq-fe.h>

#include <vector>

namespace hakobee {

void PgResultCloser::operator()(PGresult* result) const
{
    PQclear(result);
}

void PgConnCloser::operator()(PGconn* connection) const
{
    PQfinish(connection);
}

namespace {

// The parameters the session is opened with: the URI's own, and the
// program's on top.
class ConnectionParameters
{
public:
    void add(const QByteArray& key, const QByteArray& value)
    {
        keys_.push_back(key);
        values_.push_back(value);
    }
    bool has(const QByteArray& key) const
    {
        for (const QByteArray& given : keys_) {
            if (given == key)
                return true;
        }
        return false;
    }
    PGconn* connect() const
    {
        std::vector<const char*> keys;
        std::vector<const char*> values;
        for (size_t i = 0; i < keys_.size(); ++i) {
            keys.push_back(keys_[i].constData());
            values.push_back(values_[i].constData());
        }
        keys.push_back(nullptr);
        values.push_back(nullptr);
        return PQconnectdbParams(keys.data(), values.data(), 0);
    }

private:
    std::vector<QByteArray> keys_;
    std::vector<QByteArray> values_;
};

ConnectionParameters parametersOf(const QString& uri)
{
    char* parseError = nullptr;
    PQconninfoOption* parsed = PQconninfoParse(uri.trimmed().toUtf8().constData(), &parseError);
    if (!parsed) {
        const QString why = parseError ? QString::fromUtf8(parseError).trimmed() : QString();
        PQfreemem(parseError);
        throw postgreserror::invalidUri(why);
    }
    ConnectionParameters parameters;
    QByteArray options;
    for (const PQconninfoOption* option = parsed; option->keyword; ++option) {
        if (!option->val)
            continue;
        if (qstrcmp(option->keyword, "options") == 0)
            options = option->val;
        else if (qstrcmp(option->keyword, "client_encoding") != 0)
            parameters.add(option->keyword, option->val);
    }
    PQconninfoFree(parsed);
    // Read-only from the first statement on; dates in the one form the
    // field texts read (postgrestextforms.h).
    parameters.add(
        "options",
        (options + " -c default_transaction_read_only=on -c DateStyle=ISO,YMD").trimmed());
    parameters.add("client_encoding", "UTF8");
    // The server's activity list names the program, unless the URI names it otherwise.
    if (!parameters.has("application_name"))
        parameters.add("application_name", "hakobee");
    // A host that does not answer is reported within seconds, not after
    // the system's TCP time-out of minutes.
    if (!parameters.has("connect_timeout"))
        parameters.add("connect_timeout", "10");
    return parameters;
}

// The client library's messages are English unless the machine's locale
// has them translated; the server's may be Japanese.
Error connectionFailure(const QString& where, const QString& message)
{
    const auto has = [&](const char16_t* text) {
        return message.contains(QString::fromUtf16(text), Qt::CaseInsensitive);
    };
    if (has(u"authentication") || has(u"password") || has(u"パスワード") || has(u"認証") ||
        (has(u"role \"") && has(u"does not exist")))
        return postgreserror::authenticationRefused(where, message);
    if ((has(u"database \"") && has(u"does not exist")) ||
        (has(u"データベース") && has(u"存在しません")))
        return postgreserror::databaseMissing(where, message);
    // Without a FATAL line the server never answered.
    if (!has(u"FATAL"))
        return postgreserror::unreachable(where, message);
    return postgreserror::cannotConnect(where, message);
}

} // namespace

std::shared_ptr<PostgresSession> PostgresSession::open(const QString& uri)
{
    const ConnectionParameters parameters = parametersOf(uri);
    auto session = std::make_shared<PostgresSession>();
    session->connection.reset(parameters.connect());
    PGconn* connection = session->connection.get();
    if (!connection)
        throw postgreserror::cannotConnect(u"PostgreSQL"_qs, u"out of memory"_qs);
    session->where = postgreserror::serverAndDatabase(QString::fromUtf8(PQhost(connection)),
                                                      QString::fromUtf8(PQport(connection)),
                                                      QString::fromUtf8(PQdb(connection)));
    if (PQstatus(connection) != CONNECTION_OK)
        throw connectionFailure(session->where,
                                QString::fromUtf8(PQerrorMessage(connection)).trimmed());
    // The server's notices (a warning as it shuts down) are not the
    // operator's: what goes wrong reaches them as the failure it causes.
    PQsetNoticeProcessor(
        connection, [](void*, const char*) {}, nullptr);
    session->run("BEGIN ISOLATION LEVEL REPEATABLE READ READ ONLY", QString());
    return session;
}

PgResult PostgresSession::run(const QByteArray& statement, const QString& query)
{
    PgResult result(PQexec(connection.get(), statement.constData()));
    const ExecStatusType status = PQresultStatus(result.get());
    if (result && (status == PGRES_COMMAND_OK || status == PGRES_TUPLES_OK))
        return result;
    const QString message = result ? serverMessage(result.get())
                                   : QString::fromUtf8(PQerrorMessage(connection.get())).trimmed();
    if (lost() || !result || isConnectionFailure(result.get()))
        throw postgreserror::connectionLost(where, message);
    throw postgreserror::queryFailed(where, query, message);
}

bool isConnectionFailure(const PGresult* result)
{
    // Every error the server reports has its code; a failure without one is
    // the client library's own: the connection is gone (the status may say
    // so only at the next call). 57P: the server shut down; 08: the
    // connection failed.
    const QString code = errorCode(result);
    return code.isEmpty() || code.startsWith(u"57P"_qs) || code.startsWith(u"08"_qs);
}

bool PostgresSession::lost() const
{
    return PQstatus(connection.get()) == CONNECTION_BAD;
}

QString serverMessage(const PGresult* result)
{
    const char* primary = PQresultErrorField(result, PG_DIAG_MESSAGE_PRIMARY);
    // Failures the client library found itself (a lost connection) have
    // only the whole message.
    if (!primary)
        return QString::fromUtf8(PQresultErrorMessage(result)).trimmed();
    QString message = QString::fromUtf8(primary);
    if (const char* detail = PQresultErrorField(result, PG_DIAG_MESSAGE_DETAIL))
        message += u'\n' + QString::fromUtf8(detail);
    if (const char* hint = PQresultErrorField(result, PG_DIAG_MESSAGE_HINT))
        message += u'\n' + QString::fromUtf8(hint);
    if (const QString code = errorCode(result); !code.isEmpty())
        message += u" ("_qs + code + u')';
    return message;
}

QString errorCode(const PGresult* result)
{
    return QString::fromLatin1(PQresultErrorField(result, PG_DIAG_SQLSTATE));
}

bool hasErrorPosition(const PGresult* result)
{
    return PQresultErrorField(result, PG_DIAG_STATEMENT_POSITION) ||
           PQresultErrorField(result, PG_DIAG_INTERNAL_POSITION);
}

} // namespace hakobee
