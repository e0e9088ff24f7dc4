#pragma once

#include <QString>

namespace hakobee::testdata {

// The check digit of a JAN/EAN code: digits (without the check digit, 7 for
// EAN-8 or 12 for EAN-13) weighted 3 and 1 from the right.
int janCheckDigit(const QString& digitsWithoutCheck);

// The digits followed by their check digit.
QString withJanCheckDigit(const QString& digitsWithoutCheck);

// Whether code is 8 or 13 digits with a correct check digit.
bool isValidJan(const QString& code);

} // namespace hakobee::testdata
