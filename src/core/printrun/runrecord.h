#pragma once

#include "core/datasource/database.h"

#include <QList>
#include <QString>

#include <optional>

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

// The most labels one record may ask for.
inline constexpr int mostLabelsOfRecord = 999;

// The number of labels a row asks for in its fifth field, when it has one:
// a whole number from 0 to mostLabelsOfRecord, written as the database
// gives numbers ("3", "3.0"). A null, or any other text (a fraction, a
// negative, more than the most, not a number), cannot be printed: throws
// hakobee::Error naming the value. No fifth field: nullopt.
std::optional<int> labelCountOfFields(const QList<FieldValue>& fields);

// The first field of a row as text, for naming the row in a message; empty
// when there is none.
QString barcodeValueOf(const QList<FieldValue>& fields);

} // namespace hakobee
