#include "platform/postgres/postgresrecordset.h"

#include "platform/access/accesserrors.h"
#include "platform/access/querytext.h"
#include "platform/postgres/postgreserrors.h"
#include "platform/postgres/postgrestextforms.h"

#include <libpq-fe.h>

namespace hakobee {

namespace {

int rowsIn(const PgResult& block)
{
    return block ? PQntuples(block.get()) : 0;
}

} // namespace

PostgresRecordset::PostgresRecordset(std::shared_ptr<PostgresSession> session, QString query)
    : session_(std::move(session)), query_(std::move(query)),
      queryText_(withFullWidthBlanksAsBlanks(query_).toUtf8())
{
    declareCursor();
    const PGresult* first = block_.get();
    for (int i = 0; i < PQnfields(first); ++i) {
        names_ << QString::fromUtf8(PQfname(first, i));
        types_ << unsigned(PQftype(first, i));
        typeModifiers_ << PQfmod(first, i);
    }
}

PostgresRecordset::~PostgresRecordset()
{
    closeCursor();
}

// What the server said about a select text it would not take.
void PostgresRecordset::refuse(const PGresult* failed) const
{
    const QString message = serverMessage(failed);
    const QString& where = session_->where;
    if (session_->lost() || isConnectionFailure(failed))
        throw postgreserror::connectionLost(where, message);
    const QString code = errorCode(failed);
    if (code == u"25006")
        throw postgreserror::writeRefused(query_, message);
    if (code == u"42P01" || code == u"3F000")
        throw postgreserror::noSuchTable(where, message);
    if (code == u"42703")
        throw postgreserror::noSuchColumn(where, message);
    if (code == u"42501")
        throw postgreserror::notAllowedToRead(where, message);
    throw postgreserror::queryRejected(where, query_, message);
}

void PostgresRecordset::declareCursor()
{
    closeCursor();
    PGconn* connection = session_->connection.get();
    cursor_ = "hakobee_rows_" + QByteArray::number(++session_->cursorsDeclared);
    // A select text the server refuses leaves the session's transaction,
    // and the other record sets on it, as they were.
    session_->run("SAVEPOINT hakobee_open", query_);
    const auto rollBack = [&] {
        session_->run("ROLLBACK TO SAVEPOINT hakobee_open; RELEASE SAVEPOINT hakobee_open", query_);
    };
    const QByteArray declare = "DECLARE " + cursor_ + " NO SCROLL CURSOR FOR " + queryText_;
    const PgResult declared(
        PQexecParams(connection, declare.constData(), 0, nullptr, nullptr, nullptr, nullptr, 0));
    if (PQresultStatus(declared.get()) != PGRES_COMMAND_OK) {
        cursor_.clear();
        if (session_->lost() || isConnectionFailure(declared.get()))
            refuse(declared.get());
        rollBack();
        const QString code = errorCode(declared.get());
        // The extended protocol takes one statement; the server says so
        // without pointing at a place in the text, as it does for every
        // syntax error.
        if (code == u"42601" && !hasErrorPosition(declared.get()))
            throw postgreserror::severalStatements(query_, serverMessage(declared.get()));
        // A cursor is declared only for a SELECT, VALUES or TABLE without
        // data-modifying WITH parts. Anything else runs as it is inside the
        // read-only transaction, which refuses a write, and is rolled back
        // at once: the operator learns what the server says of the text
        // itself.
        if (code == u"42601" || code == u"0A000") {
            session_->run("SAVEPOINT hakobee_open", query_);
            const PgResult ran(PQexecParams(connection, queryText_.constData(), 0, nullptr, nullptr,
                                            nullptr, nullptr, 0));
            const ExecStatusType status = PQresultStatus(ran.get());
            if (session_->lost() || (status != PGRES_COMMAND_OK && status != PGRES_TUPLES_OK &&
                                     isConnectionFailure(ran.get())))
                refuse(ran.get());
            rollBack();
            if (status != PGRES_COMMAND_OK && status != PGRES_TUPLES_OK)
                refuse(ran.get());
            throw postgreserror::notASelect(query_, serverMessage(declared.get()));
        }
        refuse(declared.get());
    }
    session_->run("RELEASE SAVEPOINT hakobee_open", query_);
    position_ = 0;
    blockStart_ = 0;
    endFetched_ = false;
    lastRowPending_ = false;
    block_.reset();
    fetch(firstBlockRows);
    onRow_ = rowsIn(block_) > 0;
}

void PostgresRecordset::closeCursor() noexcept
{
    if (cursor_.isEmpty())
        return;
    PGconn* connection = session_->connection.get();
    // A failed fetch has ended the transaction's use; the cursor went with it.
    if (!session_->lost() && PQtransactionStatus(connection) == PQTRANS_INTRANS)
        PQclear(PQexec(connection, ("CLOSE " + cursor_).constData()));
    cursor_.clear();
}

void PostgresRecordset::fetch(int rows)
{
    PgResult fetched =
        session_->run("FETCH FORWARD " + QByteArray::number(rows) + " FROM " + cursor_, query_);
    const int got = PQntuples(fetched.get());
    if (got < rows) {
        endFetched_ = true;
        count_ = position_ + got;
    }
    // An empty block keeps the one before, which holds the last row.
    if (got > 0 || !block_) {
        block_ = std::move(fetched);
        blockStart_ = position_;
    }
}

void PostgresRecordset::fetchLastRow() const
{
    const QByteArray declare = "DECLARE " + cursor_ + "_last NO SCROLL CURSOR FOR " + queryText_;
    PgResult declared(PQexecParams(session_->connection.get(), declare.constData(), 0, nullptr,
                                   nullptr, nullptr, nullptr, 0));
    if (PQresultStatus(declared.get()) != PGRES_COMMAND_OK)
        refuse(declared.get());
    const QByteArray last = cursor_ + "_last";
    session_->run("MOVE FORWARD " + QByteArray::number(count_ - 1) + " FROM " + last, query_);
    block_ = session_->run("FETCH FORWARD 1 FROM " + last, query_);
    session_->run("CLOSE " + last, query_);
    blockStart_ = count_ - 1;
    lastRowPending_ = false;
    if (PQntuples(block_.get()) != 1)
        throw postgreserror::queryFailed(session_->where, query_,
                                         u"the last row is gone from the result"_qs);
}

bool PostgresRecordset::eof() const
{
    return !onRow_;
}

void PostgresRecordset::moveNext()
{
    if (!onRow_)
        throw accesserror::noCurrentRecord();
    ++position_;
    if (lastRowPending_ || (count_ >= 0 && position_ >= count_)) {
        onRow_ = false;
        return;
    }
    if (position_ - blockStart_ < rowsIn(block_))
        return;
    if (endFetched_) {
        onRow_ = false;
        return;
    }
    fetch(blockRows);
    onRow_ = position_ - blockStart_ < rowsIn(block_);
}

void PostgresRecordset::moveFirst()
{
    onRow_ = false;
    // Within the session's snapshot the rows, and their count, are those
    // of the first opening.
    const qint64 known = count_;
    declareCursor();
    if (count_ < 0)
        count_ = known;
}

void PostgresRecordset::moveLast()
{
    if (!onRow_)
        moveFirst();
    if (!onRow_)
        throw accesserror::emptyResult();
    if (!endFetched_) {
        const PgResult moved = session_->run("MOVE FORWARD ALL FROM " + cursor_, query_);
        const qint64 passed = QByteArray(PQcmdTuples(moved.get())).toLongLong();
        count_ = blockStart_ + rowsIn(block_) + passed;
        endFetched_ = true;
        lastRowPending_ = passed > 0;
    }
    position_ = count_ - 1;
    onRow_ = true;
}

qint64 PostgresRecordset::recordCount() const
{
    return count_;
}

int PostgresRecordset::fieldCount() const
{
    return int(names_.size());
}

QString PostgresRecordset::fieldName(int position) const
{
    if (position < 0 || position >= names_.size())
        throw accesserror::noSuchFieldPosition(position, fieldCount());
    return names_.at(position);
}

FieldValue PostgresRecordset::field(int position) const
{
    if (position < 0 || position >= names_.size())
        throw accesserror::noSuchFieldPosition(position, fieldCount());
    if (!onRow_)
        throw accesserror::noCurrentRecord();
    if (lastRowPending_)
        fetchLastRow();
    const PGresult* block = block_.get();
    const int row = int(position_ - blockStart_);
    if (PQgetisnull(block, row, position))
        return std::nullopt;
    return postgrestext::fieldText(types_.at(position),
                                   QByteArray::fromRawData(PQgetvalue(block, row, position),
                                                           PQgetlength(block, row, position)));
}

FieldValue PostgresRecordset::field(const QString& name) const
{
    for (int i = 0; i < names_.size(); ++i) {
        if (names_.at(i).compare(name, Qt::CaseInsensitive) == 0)
            return field(i);
    }
    throw accesserror::noSuchField(name);
}

QString PostgresRecordset::serverType(int position) const
{
    if (position < 0 || position >= names_.size())
        throw accesserror::noSuchFieldPosition(position, fieldCount());
    if (serverTypes_.isEmpty()) {
        // One statement for all columns: the type numbers and modifiers are
        // the result's own, numbers only.
        QStringList oids;
        QStringList modifiers;
        for (int i = 0; i < names_.size(); ++i) {
            oids << QString::number(types_.at(i));
            modifiers << QString::number(typeModifiers_.at(i));
        }
        const QString statement =
            u"SELECT format_type(t.oid, t.modifier) FROM unnest('{%1}'::oid[], '{%2}'::int[]) "
            u"WITH ORDINALITY AS t(oid, modifier, position) ORDER BY t.position"_qs.arg(
                oids.join(QLatin1Char(',')), modifiers.join(QLatin1Char(',')));
        const PgResult types = session_->run(statement.toUtf8(), query_);
        for (int i = 0; i < PQntuples(types.get()); ++i)
            serverTypes_ << QString::fromUtf8(PQgetvalue(types.get(), i, 0));
    }
    return serverTypes_.value(position);
}

} // namespace hakobee
