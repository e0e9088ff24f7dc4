#include "jancode.h"

namespace hakobee::testdata {

int janCheckDigit(const QString& digitsWithoutCheck)
{
    int sum = 0;
    const auto count = digitsWithoutCheck.size();
    for (qsizetype i = 0; i < count; ++i) {
        const int digit = digitsWithoutCheck[count - 1 - i].digitValue();
        sum += (i % 2 == 0) ? 3 * digit : digit;
    }
    return (10 - sum % 10) % 10;
}

QString withJanCheckDigit(const QString& digitsWithoutCheck)
{
    return digitsWithoutCheck + QString::number(janCheckDigit(digitsWithoutCheck));
}

bool isValidJan(const QString& code)
{
    if (code.size() != 8 && code.size() != 13)
        return false;
    for (QChar c : code) {
        if (c < u'0' || c > u'9')
            return false;
    }
    return janCheckDigit(code.left(code.size() - 1)) == code.back().digitValue();
}

} // namespace hakobee::testdata
