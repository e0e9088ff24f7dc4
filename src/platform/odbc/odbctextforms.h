#pragma once

#include <QString>

#include <sql.h>

// The texts the labels print for a driver's values, as the PostgreSQL
// source prints the same column types (postgrestextforms.h), so a product
// master prints the same labels through psqlODBC as through libpq and as
// from the Access file it came from. Values are read as UTF-16 text
// (SQL_C_WCHAR) except floating-point numbers, read as doubles: a
// driver's text for them may have more digits than the value holds.
//
//   integers, texts, anything unlisted   the driver's text: a JAN code in a
//                                        bigint, numeric(13) or varchar keeps
//                                        all 13 digits
//   bit (boolean)                        "True" or "False"
//   numeric, decimal                     no trailing zeros: "128", "1234.5"
//   real, float, double                  at most 7 and 15 significant digits
//   date, time, timestamp                "2024/03/05", "9:07:05",
//                                        "2024/03/05 9:07:05" (ODBC writes
//                                        them in the ISO forms)
//   binary                               upper-case hexadecimal digits
namespace hakobee::odbctext {

enum class ColumnKind
{
    Text,
    Bit,
    Numeric,
    Real,
    Double,
    Date,
    Time,
    Timestamp,
    Binary,
};

// The kind of a column of the SQL type SQLDescribeCol gives.
ColumnKind kindOf(SQLSMALLINT sqlType);

// The label text of a value the driver gave as text.
QString fieldText(ColumnKind kind, const QString& driverText);
// The label text of a floating-point value.
QString numberText(ColumnKind kind, double value);

} // namespace hakobee::odbctext
