#pragma once

#include <QString>

namespace hakobee {

// Reads a decimal number the operator or the database gave as text
// ("12", " -1.5", and in the system's own form such as "1,280").
// Throws hakobee::Error naming what the value is and the text itself when
// it is not a number, the empty text included. For the numbers screens
// show; what a label is drawn from goes through parseLabelNumber.
double parseDecimalText(const QString& text, const QString& whatItIs);

// Reads a number a label is drawn from (the offsets, the size adjustment,
// the price) in one form whatever the machine's locale: a point for the
// decimals, commas between thousands allowed ("1280", "1280.0000", "-1.5",
// "1,280"). Throws like parseDecimalText.
double parseLabelNumber(const QString& text, const QString& whatItIs);

// The three print adjustments read as labels are drawn from them; a text
// that is no number is refused naming the adjustment
// ("横方向の印刷位置「abc」が数値ではありません。").
double parseHorizontalOffsetMm(const QString& text);
double parseVerticalOffsetMm(const QString& text);
double parseFontAdjustmentPt(const QString& text);

// Rounds to the nearest whole number, halves to the even neighbour
// (2.5 -> 2, 3.5 -> 4), as the printer layout figures are rounded.
int roundHalfToEven(double value);

// The price as the label prints it: Japanese yen whatever the machine's
// locale, as a Japanese system's currency format gives it: the yen sign
// U+00A5, thousands grouped with commas, no decimals, a minus sign in front
// of a negative price ("¥1,280", "¥0", "-¥98"). A fraction of a yen is
// rounded to whole yen, halves away from zero (0.5 -> ¥1, -0.5 -> -¥1).
QString formatPrice(double price);

} // namespace hakobee
