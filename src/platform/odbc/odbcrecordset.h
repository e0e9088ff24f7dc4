#pragma once

#include "core/datasource/database.h"
#include "platform/odbc/odbchandles.h"
#include "platform/odbc/odbcsession.h"
#include "platform/odbc/odbctextforms.h"

#include <QList>
#include <QStringList>

#include <memory>

namespace hakobee {

// The rows of one select text through an ODBC driver, on a session of its
// own (odbcsession.h), read forward one row at a time with SQLFetch: the
// driver fetches them from the server in blocks (psqlODBC 500 rows a FETCH
// from a server cursor), so memory stays flat however many rows the query
// gives. Only the current row is held. moveLast() walks to the end without
// reading the fields, and the last row is read (by executing the text
// again) only when a field of it is asked for; moveFirst() executes the
// text again. recordCount() is -1 until the end has been reached once.
//
// The select text goes to the driver as the operator wrote it, in the
// database's own SQL; only a full-width blank outside quotes is a blank, as
// for Access files. A text of several statements is refused before any of
// it runs.
class OdbcRecordset final : public Recordset
{
public:
    // Executes the text and reads its first row. Throws hakobee::Error.
    OdbcRecordset(std::unique_ptr<OdbcSession> session, QString query);
    ~OdbcRecordset() override;

    bool eof() const override;
    void moveNext() override;
    void moveFirst() override;
    void moveLast() override;
    qint64 recordCount() const override;

    int fieldCount() const override;
    QString fieldName(int position) const override;
    FieldValue field(int position) const override;
    FieldValue field(const QString& name) const override;

private:
    void execute() const;
    // The next row, its fields read when asked; false at the end.
    bool fetch(bool readFields) const;
    FieldValue readField(int column) const;
    [[noreturn]] void refuse(const QList<OdbcDiagnostic>& diagnostics) const;
    [[noreturn]] void failed(const QList<OdbcDiagnostic>& diagnostics) const;

    std::unique_ptr<OdbcSession> session_;
    QString query_;
    std::u16string queryText_;
    mutable OdbcHandle statement_;
    QStringList names_;
    QList<odbctext::ColumnKind> kinds_;
    mutable QList<FieldValue> row_;
    qint64 position_ = 0; // the current row number, from 0
    bool onRow_ = false;
    bool endReached_ = false;
    mutable bool lastRowPending_ = false;
    qint64 count_ = -1;
};

} // namespace hakobee
