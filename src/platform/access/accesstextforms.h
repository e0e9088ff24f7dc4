#pragma once

#include <QString>
#include <QtGlobal>

// The texts that Access on a Japanese Windows shows for field values, which
// the labels print. Every form is fixed here, independent of the machine's
// locale:
//
//   Byte, Integer, Long    decimal digits, "-" for negatives: "-42"
//   Currency               exact decimal, no grouping, no currency sign, no
//                          trailing zeros: "1234.5", "0.0001", "1234"
//   Single                 at most 7 significant digits, Double and Decimal
//                          at most 15; plain notation from 1E-05 up to below
//                          1E+15 (Single: 1E+07), otherwise "1.5E+20", "2E-06"
//   Date/Time              "2024/03/05 9:07:05" (hour without leading zero);
//                          a date at midnight "2024/03/05"; a time on the
//                          base day 1899/12/30 alone "9:07:05"
//   Yes/No                 "True" or "False"
//   Replication ID         "{XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}"
//   Binary                 upper-case hexadecimal digits
//   OLE Object             "Long binary data"
//   Text, Memo             the text itself; a null is a null, "" stays ""
namespace hakobee::accesstext {

// Currency is stored as the amount times 10,000.
QString currency(qint64 amountTimes10000);

QString number(double value, int significantDigits);
inline QString single(double value)
{
    return number(value, 7);
}
inline QString doubleValue(double value)
{
    return number(value, 15);
}

// Date/Time is stored as days since 1899/12/30; the fraction is the time of
// day, also for dates before that day (-1.25 is 1899/12/29 6:00:00).
QString dateTime(double days);

inline QString yesNo(bool value)
{
    return value ? u"True"_qs : u"False"_qs;
}

QString oleObject();

} // namespace hakobee::accesstext
