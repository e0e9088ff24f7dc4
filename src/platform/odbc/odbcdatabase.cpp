#include "platform/odbc/odbcdatabase.h"

#include "platform/odbc/odbcerrors.h"
#include "platform/odbc/odbcrecordset.h"
#include "platform/odbc/odbcsession.h"

#include <algorithm>

namespace hakobee {

namespace {

class OdbcConnection final : public Connection
{
public:
    explicit OdbcConnection(QString connectionString)
        : connectionString_(std::move(connectionString)),
          idle_(OdbcSession::open(connectionString_))
    {}

    // Every kind of record set reads forward from the driver.
    std::unique_ptr<Recordset> openRecordset(const QString& query, CursorKind) override
    {
        std::unique_ptr<OdbcSession> session =
            idle_ ? std::move(idle_) : OdbcSession::open(connectionString_);
        return std::make_unique<OdbcRecordset>(std::move(session), query);
    }

private:
    QString connectionString_; // as the sessions are opened with it
    std::unique_ptr<OdbcSession> idle_;
};

} // namespace

std::unique_ptr<Connection> openOdbcDatabase(const QString& connectionString)
{
    return std::make_unique<OdbcConnection>(connectionString.trimmed());
}

QList<OdbcSourceName> odbcSourceNames(const QString& connectionString)
{
    QString text = connectionString.trimmed();
    const std::unique_ptr<OdbcSession> session = OdbcSession::open(text);
    OdbcHandle statement(SQL_HANDLE_STMT, session->connection().get());
    std::u16string types = toOdbcText(u"TABLE,VIEW"_qs);
    if (!statement || !SQL_SUCCEEDED(SQLTablesW(statement.get(), nullptr, 0, nullptr, 0, nullptr, 0,
                                                odbcText(types), SQL_NTS)))
        throw odbcerror::queryFailed(session->where(), u"(テーブルの一覧)"_qs,
                                     diagnosticText(odbcDiagnostics(statement)));
    const auto column = [&](SQLUSMALLINT number) {
        SQLWCHAR value[512] = {};
        SQLLEN indicator = 0;
        SQLGetData(statement.get(), number, SQL_C_WCHAR, value, sizeof value, &indicator);
        if (indicator <= 0)
            return QString();
        return fromOdbcText(value, qMin<qsizetype>(indicator / 2, qsizetype(std::size(value)) - 1));
    };
    QList<OdbcSourceName> names;
    while (SQL_SUCCEEDED(SQLFetch(statement.get())))
        names.append({column(3), column(4) == u"VIEW"});
    std::sort(names.begin(), names.end(),
              [](const OdbcSourceName& a, const OdbcSourceName& b) { return a.name < b.name; });
    return names;
}

} // namespace hakobee
