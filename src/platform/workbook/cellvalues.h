#pragma once

#include "platform/tablesource/tablesource.h"

#include <QString>

#include <optional>

namespace hakobee {

// A stored number as Excel shows it, in the forms the record set prints: a
// whole number of up to 15 digits as an integer (a JAN code stored as a
// number gives all 13 digits, 120 gives "120"); any other number as a real,
// at the 15 significant digits Excel keeps. Both workbook readers give
// their numbers through it.
TableValue numberValue(double stored);

// A number cell's value written as text in an .xlsx sheet: as numberValue,
// or under a date or time format, the text Access shows for a Date/Time
// value ("2026/12/09", "2026/12/09 9:30:00", "9:30:00"). Nothing when the
// text is not a number.
std::optional<TableValue> numberCellValue(const QString& text, bool dateFormat, bool date1904);

// A date, date and time, or time written as an ISO 8601 text ("2026-12-09",
// "2026-12-09T09:30:00", "09:30:00"; a space in place of the T as FreeXL
// writes an .xls cell's), as Access shows it. Nothing when it is none.
std::optional<TableValue> isoDateCellValue(const QString& text);

} // namespace hakobee
