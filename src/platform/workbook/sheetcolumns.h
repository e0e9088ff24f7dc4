#pragma once

#include "core/error.h"
#include "platform/tablesource/tablesource.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <vector>

namespace hakobee {

// A cell that holds a value, by its column from 0 (A).
struct SheetCell
{
    int column = 0;
    TableValue value;
};

// A column's letters as Excel names it (0 is "A", 27 is "AB").
QString columnLetters(int column);

// A sheet's columns, as both workbook readers take them from the first row
// that holds a value: from its first to its last cell with a value, each
// named by its cell's text (or number).
struct SheetColumns
{
    QStringList names;
    int firstColumn = 0;
};

// The columns named by the cells (not empty) of the names' row, the sheet's
// row `rowNumber` (from 1). Throws what `failure` makes of the description
// of an empty or repeated name, naming its cell.
SheetColumns sheetColumns(std::vector<SheetCell> cells, qint64 rowNumber,
                          const std::function<Error(const QString&)>& failure);

} // namespace hakobee
