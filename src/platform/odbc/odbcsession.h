#pragma once

#include "platform/odbc/odbchandles.h"

#include <QString>

#include <memory>

namespace hakobee {

// One session with a database through an ODBC driver, owned by one record
// set (or, until the first record set takes it, by the connection that
// proved the data source can be reached), so that whatever one record set
// does to its transaction touches no other.
//
// Read-only as far as the driver and the server allow: the session asks
// for SQL_MODE_READ_ONLY, which a driver may only note (psqlODBC ignores
// it), so it also
//   - never commits: autocommit is off, and everything the session did is
//     rolled back when it ends and after every select text that failed or
//     gave no rows to read (a statement that is not a SELECT);
//   - on a PostgreSQL server (through psqlODBC or any other driver) makes
//     every transaction READ ONLY, so the server refuses a write, and
//     REPEATABLE READ, so a count and the run after it see the same rows.
// A read-only transaction holds only the share locks every reader takes.
class OdbcSession
{
public:
    // Connects with SQLDriverConnect, without a dialogue: the password
    // comes from where the driver keeps it (the DSN in odbc.ini, ...).
    // `connectionString` becomes the text the session was opened with: for
    // psqlODBC the operator's text with UseDeclareFetch=1 and Fetch=500
    // added unless it sets UseDeclareFetch, so that rows come in blocks
    // from a server cursor instead of the whole result at once, and
    // BoolsAsChar=0 unless it sets that, so that booleans print as booleans.
    // Throws hakobee::Error.
    static std::unique_ptr<OdbcSession> open(QString& connectionString);
    ~OdbcSession();
    OdbcSession(const OdbcSession&) = delete;
    OdbcSession& operator=(const OdbcSession&) = delete;

    const OdbcHandle& connection() const { return connection_; }
    // The data source, or server and database, the messages name.
    const QString& where() const { return where_; }

    // Undoes whatever the session did since it began or last rolled back.
    void rollBack() noexcept;
    // Whether the driver says the connection to the server is gone.
    bool lost() const;

private:
    OdbcSession() = default;
    void connect(const QString& connectionString);
    void beginReadOnly();

    OdbcHandle environment_;
    OdbcHandle connection_;
    QString where_;
};

} // namespace hakobee
