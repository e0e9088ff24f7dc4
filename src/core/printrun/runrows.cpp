#include "core/printrun/runrows.h"

#include "core/error.h"

namespace hakobee {

QList<FieldValue> currentRowFields(const Recordset& records)
{
    QList<FieldValue> fields;
    const int count = records.fieldCount();
    fields.reserve(count);
    for (int position = 0; position < count; ++position)
        fields.append(records.field(position));
    return fields;
}

QString releasedRowsDescription()
{
    return u"一覧のレコードセットは閉じられています。画面を閉じて開きなおしてください。"_qs;
}

RecordsetRows::RecordsetRows(std::unique_ptr<Connection> connection,
                             std::unique_ptr<Recordset> records)
    : connection_(std::move(connection)), records_(std::move(records))
{}

// The record set goes before the connection it was opened on.
RecordsetRows::~RecordsetRows()
{
    records_.reset();
    connection_.reset();
}

Recordset& RecordsetRows::records()
{
    if (!records_)
        throw Error(releasedRowsDescription());
    return *records_;
}

void RecordsetRows::skipTo(qint64 rowNumber)
{
    while (rowNumber_ < rowNumber && !atEnd())
        moveNext();
}

bool RecordsetRows::atEnd()
{
    return records().eof();
}

QList<FieldValue> RecordsetRows::currentFields()
{
    return currentRowFields(records());
}

void RecordsetRows::moveNext()
{
    records().moveNext();
    ++rowNumber_;
}

void RecordsetRows::release()
{
    records_.reset();
    connection_.reset();
}

} // namespace hakobee
