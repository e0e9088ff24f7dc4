#pragma once

#include "platform/tablesource/tablesource.h"

#include <QString>

#include <optional>

namespace hakobee {

// A number cell's value as Excel shows it, in the forms the record set
// prints: a whole number of up to 15 digits as an integer (a JAN code
// stored as a number gives all 13 digits, 120 gives "120"); any other number
// as a real, at the 15 significant digits Excel keeps; under a date or time
// format, the text Access shows for a Date/Time value ("2026/12/09",
// "2026/12/09 9:30:00", "9:30:00"). Nothing when the text is not a number.
std::optional<TableValue> numberCellValue(const QString& text, bool dateFormat, bool date1904);

// A date cell written as an ISO 8601 text (t="d"), as Access shows it.
std::optional<TableValue> isoDateCellValue(const QString& text);

} // namespace hakobee
