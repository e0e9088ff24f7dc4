#pragma once

#include "core/datasource/database.h"
#include "platform/postgres/postgressession.h"

#include <QList>
#include <QStringList>

#include <memory>

namespace hakobee {

// The rows of one select text, streamed from a server-side cursor (DECLARE
// ... NO SCROLL CURSOR) in blocks, so that only one block is held however
// many rows the query gives: opening fetches the first block (a screenful
// of the grid), later blocks are larger. moveLast() moves the cursor to its
// end without sending the rows (the server's MOVE FORWARD ALL says how many
// it passed) and reads the last row only when a field of it is asked for;
// moveFirst() declares the cursor anew. recordCount() is -1 until the end
// of the rows has been reached once.
//
// The select text runs as the operator wrote it, in the server's SQL, sent
// through the extended protocol, which takes exactly one statement; only a
// full-width blank outside quotes is a blank, as for Access files.
class PostgresRecordset final : public Recordset
{
public:
    // Rows fetched when the cursor opens, and at every later fetch.
    static constexpr int firstBlockRows = 100;
    static constexpr int blockRows = 500;

    // Declares the cursor and fetches the first block. Throws hakobee::Error.
    PostgresRecordset(std::shared_ptr<PostgresSession> session, QString query);
    ~PostgresRecordset() override;

    bool eof() const override;
    void moveNext() override;
    void moveFirst() override;
    void moveLast() override;
    qint64 recordCount() const override;

    int fieldCount() const override;
    QString fieldName(int position) const override;
    FieldValue field(int position) const override;
    FieldValue field(const QString& name) const override;

    // A result column's type as the server names it ("integer",
    // "numeric(10,2)", "character varying(20)"); the names are asked of the
    // server once, at the first call. Throws hakobee::Error.
    QString serverType(int position) const;

private:
    void declareCursor();
    void closeCursor() noexcept;
    // Fetches the next rows from the current position on.
    void fetch(int rows);
    // The last row, after moveLast() passed it on the server.
    void fetchLastRow() const;
    [[noreturn]] void refuse(const PGresult* failed) const;

    std::shared_ptr<PostgresSession> session_;
    QString query_;
    QByteArray queryText_;
    mutable QByteArray cursor_;
    QStringList names_;
    QList<unsigned> types_;
    QList<int> typeModifiers_;
    mutable QStringList serverTypes_;
    mutable PgResult block_;
    mutable qint64 blockStart_ = 0; // the row number (from 0) of the block's first row
    qint64 position_ = 0;           // the current row number, from 0
    bool onRow_ = false;
    bool endFetched_ = false; // the cursor has given its last row
    mutable bool lastRowPending_ = false;
    qint64 count_ = -1;
};

} // namespace hakobee
