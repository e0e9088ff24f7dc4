#pragma once

#include <QByteArray>
#include <QString>

#include <memory>

typedef struct pg_conn PGconn;
typedef struct pg_result PGresult;

namespace hakobee {

struct PgResultCloser
{
    void operator()(PGresult* result) const;
};
using PgResult = std::unique_ptr<PGresult, PgResultCloser>;

struct PgConnCloser
{
    void operator()(PGconn* connection) const;
};

// One read-only session on a PostgreSQL server, shared by the connection
// object and every record set opened on it; the last of them to go closes
// it, and the server rolls back its transaction.
//
// The session is read-only twice over: it is opened with
// default_transaction_read_only=on, and everything runs inside one
// transaction begun READ ONLY, so the server refuses any write the select
// text attempts. The transaction is REPEATABLE READ: every record set of
// the session, and a record set opened again from its first row, sees the
// rows as they were when the session began, so a count and the run after
// it agree. A read-only transaction takes only the share lock every reader
// takes (ACCESS SHARE on the tables it reads): the server's other users
// go on reading and writing those tables; only a change of a table's
// structure (ALTER, DROP, TRUNCATE) waits until the session ends.
struct PostgresSession
{
    std::unique_ptr<PGconn, PgConnCloser> connection;
    // The server and database the messages name (postgreserrors.h).
    QString where;
    int cursorsDeclared = 0;

    // Opens the session the URI names: TLS, user and the other parameters
    // of the URI as given, the password from where the client library
    // keeps it (~/.pgpass, a service file, PGPASSWORD). Throws
    // hakobee::Error.
    static std::shared_ptr<PostgresSession> open(const QString& uri);

    // Runs one statement of the program's own (a cursor's FETCH, ...) for
    // the operator's query. Throws hakobee::Error: a lost connection as
    // such, any other failure as the query's.
    PgResult run(const QByteArray& statement, const QString& query);

    // Whether the connection to the server is gone.
    bool lost() const;
};

// The server's description of a failed result: its message, detail and
// hint, and the error code in brackets.
QString serverMessage(const PGresult* result);
QString errorCode(const PGresult* result);
bool hasErrorPosition(const PGresult* result);
// Whether a failed result says the connection is gone rather than that the
// statement failed.
bool isConnectionFailure(const PGresult* result);

} // namespace hakobee
