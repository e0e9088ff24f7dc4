#pragma once

#include "core/datasource/database.h"

#include <QStringList>

namespace hakobee {

class SettingsFolder;

// nimbeconfig5.txt: the three print adjustments SIZE1, SIZE2, SIZE3 and the
// 96 columns kept beside them (DB1, DB2, D1, "2" ... "90", NA, YU, JYU, TEL),
// 99 columns in all, in the order of SettingsColumns::furnitureSlip().

// Positions (from 0) of the adjustments among the 99 columns.
namespace FurnitureSlipColumns {
inline constexpr int horizontalOffset = 2; // SIZE1, millimetres
inline constexpr int verticalOffset = 3;   // SIZE2, millimetres
inline constexpr int fontSizeChange = 4;   // SIZE3, points
} // namespace FurnitureSlipColumns

// SIZE1, SIZE2 and SIZE3 as stored, read with
// "Select SIZE1,SIZE2,SIZE3 From nimbeconfig5.txt"; null where the file
// holds an empty value. Throws hakobee::Error.
QList<FieldValue> readPrintAdjustmentRecord(DatabaseProvider& databases);

// All 99 values, read with "Select * From nimbeconfig5.txt" and taken by
// column name, in file order whatever order the file holds them in; an
// empty value is empty text. Throws hakobee::Error, naming the column, when
// the file lacks one.
QStringList readFurnitureSlipRecord(DatabaseProvider& databases);

// Rewrites the file: the 99 column names, then the 99 values as given. On
// any failure the old file stays as it was. Throws hakobee::Error.
void writeFurnitureSlipValues(const SettingsFolder& folder, const QStringList& values);

} // namespace hakobee
