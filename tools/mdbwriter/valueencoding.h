#pragma once

#include "mdbwriter.h"
#include "valueerror.h"

#include <QByteArray>
#include <QString>

namespace hakobee::mdbwriter {

// Encoders of single values. Each throws ValueError when the value does not
// suit the column.
// Writes a fixed-length value (Byte, Integer, Long, Currency, Single, Double,
// Date/Time, Decimal) at offset.
void putFixedValue(QByteArray& row, int offset, const Column& column, const Value& value);

// Yes/No: the stored bit. Null reads back as No, as Access stores it.
bool yesNoBit(const Value& value);

// Text and Memo: the text, checked against the declared length for Text.
const QString& textValue(const Column& column, const Value& value);

// Binary: the bytes, one per character of the text.
QByteArray binaryValue(const Column& column, const Value& value);

// Days since 1899-12-30, the fractional part the time of day. Before that
// day the whole part counts backwards while the time still counts forwards.
double jetDateTime(const QDateTime& dateTime);

} // namespace hakobee::mdbwriter
