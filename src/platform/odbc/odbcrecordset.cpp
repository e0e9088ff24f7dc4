#include "platform/odbc/odbcrecordset.h"

#include "platform/access/accesserrors.h"
#include "platform/access/querytext.h"
#include "platform/odbc/odbcerrors.h"
#include "platform/serversql/serverqueryerrors.h"
#include "platform/serversql/statementcount.h"

#include <vector>

namespace hakobee {

namespace {

bool isConnectionState(const QString& state)
{
    // 08: the connection failed; 57P: the server shut down (PostgreSQL).
    return state.startsWith(u"08"_qs) || state.startsWith(u"57P"_qs);
}

} // namespace

OdbcRecordset::OdbcRecordset(std::unique_ptr<OdbcSession> session, QString query)
    : session_(std::move(session)), query_(std::move(query)),
      queryText_(toOdbcText(withFullWidthBlanksAsBlanks(query_)))
{
    if (hasSeveralStatements(query_))
        throw serverqueryerror::severalStatements(query_, QString());
    execute();
    SQLSMALLINT columns = 0;
    SQLNumResultCols(statement_.get(), &columns);
    if (columns == 0) {
        // It ran and gave no rows to read: whatever it did is undone.
        session_->rollBack();
        throw serverqueryerror::notASelect(query_, QString());
    }
    for (SQLUSMALLINT column = 1; column <= columns; ++column) {
        SQLWCHAR name[256] = {};
        SQLSMALLINT nameLength = 0;
        SQLSMALLINT type = 0;
        SQLULEN size = 0;
        SQLSMALLINT digits = 0;
        SQLSMALLINT nullable = 0;
        SQLDescribeColW(statement_.get(), column, name, SQLSMALLINT(std::size(name)), &nameLength,
                        &type, &size, &digits, &nullable);
        names_ << fromOdbcText(name, qMin<qsizetype>(nameLength, qsizetype(std::size(name)) - 1));
        kinds_ << odbctext::kindOf(type);
    }
    onRow_ = fetch(true);
    if (!onRow_) {
        endReached_ = true;
        count_ = 0;
    }
}

OdbcRecordset::~OdbcRecordset() = default;

void OdbcRecordset::execute() const
{
    statement_ = OdbcHandle(SQL_HANDLE_STMT, session_->connection().get());
    if (!statement_)
        failed(odbcDiagnostics(session_->connection()));
    SQLSetStmtAttr(statement_.get(), SQL_ATTR_CURSOR_TYPE, SQLPOINTER(SQL_CURSOR_FORWARD_ONLY), 0);
    SQLSetStmtAttr(statement_.get(), SQL_ATTR_CONCURRENCY, SQLPOINTER(SQL_CONCUR_READ_ONLY), 0);
    std::u16string text = queryText_;
    const SQLRETURN ran = SQLExecDirectW(statement_.get(), reinterpret_cast<SQLWCHAR*>(text.data()),
                                         SQLINTEGER(text.size()));
    // SQL_NO_DATA: a statement that touched no rows, which is no SELECT.
    if (!SQL_SUCCEEDED(ran) && ran != SQL_NO_DATA)
        refuse(odbcDiagnostics(statement_));
}

// What the driver or the server said about a select text it would not run.
void OdbcRecordset::refuse(const QList<OdbcDiagnostic>& diagnostics) const
{
    const QString engine = diagnosticText(diagnostics);
    const QString& where = session_->where();
    const bool lost = session_->lost();
    session_->rollBack();
    for (const OdbcDiagnostic& diagnostic : diagnostics) {
        const QString& state = diagnostic.state;
        if (lost || isConnectionState(state))
            throw odbcerror::connectionLost(where, engine);
        if (state == u"25006")
            throw serverqueryerror::writeRefused(query_, engine);
        if (state == u"42P01" || state == u"42S02" || state == u"3F000")
            throw odbcerror::noSuchTable(where, engine);
        if (state == u"42703" || state == u"42S22")
            throw odbcerror::noSuchColumn(where, engine);
        if (state == u"42501")
            throw odbcerror::notAllowedToRead(where, engine);
    }
    throw odbcerror::queryRejected(where, query_, engine);
}

// A failure while reading the rows of a text that ran.
void OdbcRecordset::failed(const QList<OdbcDiagnostic>& diagnostics) const
{
    const QString engine = diagnosticText(diagnostics);
    bool lost = session_->lost();
    for (const OdbcDiagnostic& diagnostic : diagnostics)
        lost = lost || isConnectionState(diagnostic.state);
    if (lost)
        throw odbcerror::connectionLost(session_->where(), engine);
    throw odbcerror::queryFailed(session_->where(), query_, engine);
}

bool OdbcRecordset::fetch(bool readFields) const
{
    const SQLRETURN fetched = SQLFetch(statement_.get());
    if (fetched == SQL_NO_DATA)
        return false;
    if (!SQL_SUCCEEDED(fetched))
        failed(odbcDiagnostics(statement_));
    row_.clear();
    if (readFields) {
        for (int column = 0; column < names_.size(); ++column)
            row_.append(readField(column));
    }
    return true;
}

FieldValue OdbcRecordset::readField(int column) const
{
    const odbctext::ColumnKind kind = kinds_.at(column);
    const auto number = SQLUSMALLINT(column + 1);
    SQLLEN indicator = 0;
    if (kind == odbctext::ColumnKind::Real || kind == odbctext::ColumnKind::Double) {
        double value = 0;
        if (!SQL_SUCCEEDED(
                SQLGetData(statement_.get(), number, SQL_C_DOUBLE, &value, 0, &indicator)))
            failed(odbcDiagnostics(statement_));
        if (indicator == SQL_NULL_DATA)
            return std::nullopt;
        return odbctext::numberText(kind, value);
    }
    // Long texts come in parts, each ending with a terminating null.
    std::vector<SQLWCHAR> buffer(512);
    const auto bufferBytes = SQLLEN(buffer.size() * sizeof(SQLWCHAR));
    QString text;
    for (;;) {
        const SQLRETURN got = SQLGetData(statement_.get(), number, SQL_C_WCHAR, buffer.data(),
                                         bufferBytes, &indicator);
        if (got == SQL_NO_DATA)
            break;
        if (!SQL_SUCCEEDED(got))
            failed(odbcDiagnostics(statement_));
        if (indicator == SQL_NULL_DATA)
            return std::nullopt;
        const bool whole = indicator != SQL_NO_TOTAL && indicator < bufferBytes;
        const qsizetype characters =
            whole ? qsizetype(indicator / SQLLEN(sizeof(SQLWCHAR))) : qsizetype(buffer.size() - 1);
        text += fromOdbcText(buffer.data(), characters);
        if (whole || got == SQL_SUCCESS)
            break;
    }
    return odbctext::fieldText(kind, text);
}

bool OdbcRecordset::eof() const
{
    return !onRow_;
}

void OdbcRecordset::moveNext()
{
    if (!onRow_)
        throw accesserror::noCurrentRecord();
    ++position_;
    if (endReached_ && position_ >= count_) {
        onRow_ = false;
        return;
    }
    onRow_ = fetch(true);
    if (!onRow_) {
        endReached_ = true;
        count_ = position_;
    }
}

void OdbcRecordset::moveFirst()
{
    onRow_ = false;
    lastRowPending_ = false;
    execute();
    position_ = 0;
    onRow_ = fetch(true);
    endReached_ = !onRow_ || endReached_;
    if (!onRow_)
        count_ = 0;
}

void OdbcRecordset::moveLast()
{
    if (!onRow_)
        moveFirst();
    if (!onRow_)
        throw accesserror::emptyResult();
    if (endReached_ && count_ >= 0 && position_ == count_ - 1)
        return;
    if (count_ < 0) {
        // Walks past the rows without reading them.
        while (fetch(false))
            ++position_;
        count_ = position_ + 1;
        endReached_ = true;
    }
    position_ = count_ - 1;
    lastRowPending_ = true;
}

qint64 OdbcRecordset::recordCount() const
{
    return count_;
}

int OdbcRecordset::fieldCount() const
{
    return int(names_.size());
}

QString OdbcRecordset::fieldName(int position) const
{
    if (position < 0 || position >= names_.size())
        throw accesserror::noSuchFieldPosition(position, fieldCount());
    return names_.at(position);
}

FieldValue OdbcRecordset::field(int position) const
{
    if (position < 0 || position >= names_.size())
        throw accesserror::noSuchFieldPosition(position, fieldCount());
    if (!onRow_)
        throw accesserror::noCurrentRecord();
    if (lastRowPending_) {
        // The text again, to the last row.
        execute();
        for (qint64 row = 0; row < count_; ++row) {
            if (!fetch(row == count_ - 1))
                throw odbcerror::queryFailed(session_->where(), query_,
                                             u"the last row is gone from the result"_qs);
        }
        lastRowPending_ = false;
    }
    return row_.at(position);
}

FieldValue OdbcRecordset::field(const QString& name) const
{
    for (int i = 0; i < names_.size(); ++i) {
        if (names_.at(i).compare(name, Qt::CaseInsensitive) == 0)
            return field(i);
    }
    throw accesserror::noSuchField(name);
}

} // namespace hakobee
