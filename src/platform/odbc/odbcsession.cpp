#include "platform/odbc/odbcsession.h"

#include "platform/odbc/odbcconnectionstring.h"
#include "platform/odbc/odbcerrors.h"

#include <QRegularExpression>

namespace hakobee {

namespace {

bool anyState(const QList<OdbcDiagnostic>& diagnostics, const QString& prefix)
{
    for (const OdbcDiagnostic& diagnostic : diagnostics) {
        if (diagnostic.state.startsWith(prefix))
            return true;
    }
    return false;
}

// The library the driver manager could not load: "Can't open lib
// '/usr/lib/x.so' : file not found" (unixODBC).
QString libraryNotLoaded(const QList<OdbcDiagnostic>& diagnostics)
{
    static const QRegularExpression cannotOpen(u"Can't open lib '([^']*)'"_qs);
    for (const OdbcDiagnostic& diagnostic : diagnostics) {
        const QRegularExpressionMatch match = cannotOpen.match(diagnostic.message);
        if (match.hasMatch())
            return match.captured(1);
    }
    return {};
}

Error connectionFailure(const OdbcConnectionString& text, const QList<OdbcDiagnostic>& diagnostics)
{
    const QString engine = diagnosticText(diagnostics);
    const QString dataSource = text.dataSourceName();
    const QString driver = text.driver();
    // IM002: no such data source, and no driver of that name.
    if (anyState(diagnostics, u"IM002"_qs)) {
        if (!dataSource.isEmpty())
            return odbcerror::dataSourceMissing(dataSource, engine);
        return odbcerror::driverNotInstalled(driver, engine);
    }
    if (const QString library = libraryNotLoaded(diagnostics); !library.isEmpty())
        return odbcerror::driverNotInstalled(driver.isEmpty() ? library : driver, engine);

    const QString where = odbcerror::where(dataSource, text.server(), text.database());
    const auto has = [&](const char16_t* words) {
        return engine.contains(QString::fromUtf16(words), Qt::CaseInsensitive);
    };
    if (anyState(diagnostics, u"28"_qs) || has(u"authentication") || has(u"password") ||
        has(u"Login failed") || has(u"Access denied") || has(u"認証") || has(u"パスワード"))
        return odbcerror::authenticationRefused(where, engine);
    if ((has(u"database \"") && has(u"does not exist")) || has(u"Unknown database") ||
        (has(u"データベース") && has(u"存在しません")))
        return odbcerror::databaseMissing(where, engine);
    if (has(u"could not connect") || has(u"Connection refused") ||
        has(u"No such file or directory") || has(u"could not translate host name") ||
        has(u"timeout") || has(u"Can't connect") || has(u"Unable to connect"))
        return odbcerror::unreachable(where, engine);
    return odbcerror::cannotConnect(where, engine);
}

bool isPsqlOdbc(const QString& driverFile)
{
    return driverFile.startsWith(u"psqlodbc"_qs, Qt::CaseInsensitive) ||
           driverFile.startsWith(u"libpsqlodbc"_qs, Qt::CaseInsensitive);
}

} // namespace

std::unique_ptr<OdbcSession> OdbcSession::open(QString& connectionString)
{
    std::unique_ptr<OdbcSession> session(new OdbcSession);
    session->connect(connectionString);
    // psqlODBC reads the whole result into memory unless told to read it
    // through a cursor in blocks, and gives booleans as the texts 1 and 0
    // unless told they are bits.
    const OdbcConnectionString given(connectionString);
    if (isPsqlOdbc(odbcInfo(session->connection_, SQL_DRIVER_NAME)) &&
        !given.has(u"UseDeclareFetch"_qs)) {
        connectionString = given.withDefaults({{u"UseDeclareFetch"_qs, u"1"_qs},
                                               {u"Fetch"_qs, u"500"_qs},
                                               {u"BoolsAsChar"_qs, u"0"_qs}});
        session.reset(new OdbcSession);
        session->connect(connectionString);
    }
    session->beginReadOnly();
    return session;
}

OdbcSession::~OdbcSession()
{
    rollBack();
}

void OdbcSession::connect(const QString& connectionString)
{
    const OdbcConnectionString text(connectionString);
    environment_ = OdbcHandle(SQL_HANDLE_ENV, SQL_NULL_HANDLE);
    if (!environment_)
        throw odbcerror::cannotConnect(u"ODBC"_qs, u"the driver manager has no memory left"_qs);
    SQLSetEnvAttr(environment_.get(), SQL_ATTR_ODBC_VERSION, SQLPOINTER(SQL_OV_ODBC3), 0);
    connection_ = OdbcHandle(SQL_HANDLE_DBC, environment_.get());
    if (!connection_)
        throw odbcerror::cannotConnect(u"ODBC"_qs, diagnosticText(odbcDiagnostics(environment_)));
    // A server that does not answer is reported within seconds.
    SQLSetConnectAttr(connection_.get(), SQL_ATTR_LOGIN_TIMEOUT, SQLPOINTER(10), 0);
    // A driver that does not know the access mode says so and connects all
    // the same; the session's own rules stand in for it (odbcsession.h).
    SQLSetConnectAttr(connection_.get(), SQL_ATTR_ACCESS_MODE, SQLPOINTER(SQL_MODE_READ_ONLY), 0);

    std::u16string in = toOdbcText(connectionString);
    SQLWCHAR out[1024] = {};
    SQLSMALLINT outLength = 0;
    const SQLRETURN connected =
        SQLDriverConnectW(connection_.get(), nullptr, odbcText(in), SQLSMALLINT(in.size()), out,
                          SQLSMALLINT(std::size(out)), &outLength, SQL_DRIVER_NOPROMPT);
    if (!SQL_SUCCEEDED(connected))
        throw connectionFailure(text, odbcDiagnostics(connection_));
    connection_.markConnected();

    QString server = text.server();
    if (server.isEmpty() && text.dataSourceName().isEmpty())
        server = odbcInfo(connection_, SQL_SERVER_NAME);
    QString database = odbcInfo(connection_, SQL_DATABASE_NAME);
    if (database.isEmpty())
        database = text.database();
    where_ = odbcerror::where(text.dataSourceName(), server, database);
}

void OdbcSession::beginReadOnly()
{
    if (odbcInfo(connection_, SQL_DBMS_NAME) == u"PostgreSQL") {
        // Still in autocommit: the setting outlives this statement's
        // transaction and holds for every later one of the session.
        OdbcHandle statement(SQL_HANDLE_STMT, connection_.get());
        std::u16string set = toOdbcText(u"SET SESSION CHARACTERISTICS AS TRANSACTION "
                                        u"ISOLATION LEVEL REPEATABLE READ READ ONLY"_qs);
        if (!statement || !SQL_SUCCEEDED(SQLExecDirectW(statement.get(), odbcText(set), SQL_NTS)))
            throw odbcerror::cannotConnect(where_, diagnosticText(odbcDiagnostics(statement)));
    }
    // A driver without transactions keeps autocommit on: its database has
    // nothing to roll back, and the read-only access mode is all there is.
    SQLSetConnectAttr(connection_.get(), SQL_ATTR_AUTOCOMMIT, SQLPOINTER(SQL_AUTOCOMMIT_OFF), 0);
}

void OdbcSession::rollBack() noexcept
{
    if (connection_)
        SQLEndTran(SQL_HANDLE_DBC, connection_.get(), SQL_ROLLBACK);
}

bool OdbcSession::lost() const
{
    SQLUINTEGER dead = SQL_CD_FALSE;
    if (!SQL_SUCCEEDED(
            SQLGetConnectAttr(connection_.get(), SQL_ATTR_CONNECTION_DEAD, &dead, 0, nullptr)))
        return false;
    return dead == SQL_CD_TRUE;
}

} // namespace hakobee
