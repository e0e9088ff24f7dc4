#pragma once

#include <QByteArray>
#include <QString>

// The texts the labels print for the server's values, from the text form
// the server sends them in (the session asks for DateStyle ISO). Integers,
// texts and every type not listed are printed exactly as the server writes
// them, so a JAN code held as bigint, numeric(13) or text keeps all 13
// digits. The types a label prints in a form that differs from the
// server's take the form Access shows, so a product master moved from an
// Access file to the server prints the same labels (accesstextforms.h):
//
//   boolean                       "True" or "False" (the server: t, f)
//   numeric                       no trailing zeros: 128.00 is "128", 1234.50
//                                 "1234.5" (a price column numeric(10,2))
//   real, double precision        at most 7 and 15 significant digits
//   date                          "2024/03/05"
//   timestamp, timestamptz        "2024/03/05 9:07:05", at midnight the date
//                                 alone, rounded to the second; timestamptz
//                                 in the session's time zone, without offset
//   time                          "9:07:05"
//   bytea                         upper-case hexadecimal digits
//
// A value outside what Access can show (a date before the year 100,
// infinity) stays as the server wrote it.
namespace hakobee::postgrestext {

// The type oids of the built-in types above; oids of built-in types never
// change between server versions.
enum TypeOid : unsigned
{
    Bool = 16,
    Bytea = 17,
    Int8 = 20,
    Int2 = 21,
    Int4 = 23,
    Text = 25,
    Float4 = 700,
    Float8 = 701,
    Date = 1082,
    Time = 1083,
    Timestamp = 1114,
    TimestampTz = 1184,
    Numeric = 1700,
};

QString fieldText(unsigned type, const QByteArray& serverText);

} // namespace hakobee::postgrestext
