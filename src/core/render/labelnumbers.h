#pragma once

#include <QLocale>
#include <QString>

namespace hakobee {

// Reads a decimal number the operator or the database gave as text
// ("12", " -1.5", and in the system's own form such as "1,280").
// Throws hakobee::Error naming what the value is and the text itself when
// it is not a number, the empty text included.
double parseDecimalText(const QString& text, const QString& whatItIs);

// Rounds to the nearest whole number, halves to the even neighbour
// (2.5 -> 2, 3.5 -> 4), as the printer layout figures are rounded.
int roundHalfToEven(double value);

// The price in the currency format of the locale (by default the system's).
// In a Japanese locale Qt gives "￥1,280" (full-width yen sign, no
// decimals) and "(￥1,280)" for a negative price.
QString formatPrice(double price, const QLocale& locale = QLocale::system());

} // namespace hakobee
