#pragma once

#include "core/datasource/database.h"

#include <QList>
#include <QString>

namespace hakobee {

// The first four fields of a query row, as a run hands them to
// PrintOneLabel: barcode value, item name, name, tax-included price.
struct RunRecord
{
    QString barcodeValue;
    QString itemName;
    QString name;
    QString price;
};

// The four fields of a row. A row with fewer than four fields, or with a
// null among the four, cannot be printed: throws hakobee::Error naming the
// column.
RunRecord runRecordFromFields(const QList<FieldValue>& fields);

// The first field of a row as text, for naming the row in a message; empty
// when there is none.
QString barcodeValueOf(const QList<FieldValue>& fields);

} // namespace hakobee
