#pragma once

#include "core/datasource/database.h"

#include <QList>

#include <memory>

namespace hakobee {

// The rows a run walks, from a current row on, in the order the query
// returns them. Every failure throws hakobee::Error.
class RunRows
{
public:
    virtual ~RunRows() = default;

    // Fails once the rows were released.
    virtual bool atEnd() = 0;
    // The current row's position in the query result, from 1.
    virtual qint64 currentRowNumber() const = 0;
    virtual QList<FieldValue> currentFields() = 0;
    virtual void moveNext() = 0;
    // Closes the record set and its connection; every later call fails.
    virtual void release() = 0;
};

// The rows of a record set that the run opened itself, owning its
// connection. Rows are read as the run moves; none is kept.
class RecordsetRows : public RunRows
{
public:
    RecordsetRows(std::unique_ptr<Connection> connection, std::unique_ptr<Recordset> records);
    ~RecordsetRows() override;

    // Moves forward to the row with this number (from 1); stays at the end
    // when the result has fewer rows.
    void skipTo(qint64 rowNumber);

    bool atEnd() override;
    qint64 currentRowNumber() const override { return rowNumber_; }
    QList<FieldValue> currentFields() override;
    void moveNext() override;
    void release() override;

private:
    Recordset& records();

    std::unique_ptr<Connection> connection_;
    std::unique_ptr<Recordset> records_;
    qint64 rowNumber_ = 1;
};

// The current row's fields of a record set.
QList<FieldValue> currentRowFields(const Recordset& records);

// The failure every use of released rows gives.
QString releasedRowsDescription();

} // namespace hakobee
