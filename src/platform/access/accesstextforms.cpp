#include "platform/access/accesstextforms.h"

#include <QDate>

#include <cmath>
#include <cstdlib>

namespace hakobee::accesstext {

QString currency(qint64 amountTimes10000)
{
    const bool negative = amountTimes10000 < 0;
    // Work on the magnitude as unsigned so that the smallest amount has one.
    quint64 magnitude =
        negative ? quint64(0) - quint64(amountTimes10000) : quint64(amountTimes10000);
    const quint64 whole = magnitude / 10000;
    quint64 fraction = magnitude % 10000;

    QString text = negative ? u"-"_qs : QString();
    text += QString::number(whole);
    if (fraction != 0) {
        QString digits = u"%1"_qs.arg(fraction, 4, 10, QLatin1Char('0'));
        while (digits.endsWith(QLatin1Char('0')))
            digits.chop(1);
        text += QLatin1Char('.') + digits;
    }
    return text;
}

QString number(double value, int significantDigits)
{
    if (std::isnan(value))
        return u"NaN"_qs;
    if (std::isinf(value))
        return value < 0 ? u"-Infinity"_qs : u"Infinity"_qs;
    if (value == 0)
        return u"0"_qs;

    // Round to the significant digits first; the exponent is that of the
    // rounded value (9.9999999 with 7 digits is 10).
    // Qt's formatting, not printf's: printf takes its decimal point from the
    // process locale (a comma on a German machine).
    const QString scientific = QString::number(value, 'e', significantDigits - 1);
    const qsizetype e = scientific.indexOf(QLatin1Char('e'));
    const int exponent = scientific.mid(e + 1).toInt();
    QString mantissa = scientific.left(e);
    const bool negative = mantissa.startsWith(QLatin1Char('-'));
    if (negative)
        mantissa.remove(0, 1);
    QString digits = mantissa.remove(QLatin1Char('.'));
    while (digits.size() > 1 && digits.endsWith(QLatin1Char('0')))
        digits.chop(1);

    QString text;
    const int plainUpTo = significantDigits == 7 ? 7 : 15;
    if (exponent >= -5 && exponent < plainUpTo) {
        if (exponent < 0) {
            text = u"0."_qs + QString(-exponent - 1, QLatin1Char('0')) + digits;
        } else if (digits.size() <= exponent + 1) {
            text = digits + QString(exponent + 1 - digits.size(), QLatin1Char('0'));
        } else {
            text = digits.left(exponent + 1) + QLatin1Char('.') + digits.mid(exponent + 1);
        }
    } else {
        text = digits.left(1);
        if (digits.size() > 1)
            text += QLatin1Char('.') + digits.mid(1);
        text += exponent < 0 ? u"E-"_qs : u"E+"_qs;
        text += u"%1"_qs.arg(std::abs(exponent), 2, 10, QLatin1Char('0'));
    }
    return negative ? QLatin1Char('-') + text : text;
}

QString dateTime(double days)
{
    // Access keeps dates from the year 100 to 9999; anything else is not a
    // date it could show, so show the stored number.
    if (!std::isfinite(days) || days < -657434.0 || days >= 2958466.0)
        return doubleValue(days);

    double wholeDays = std::trunc(days);
    qint64 seconds = std::llround(std::fabs(days - wholeDays) * 86400.0);
    if (seconds >= 86400) {
        seconds -= 86400;
        wholeDays += 1;
    }
    const QDate date = QDate(1899, 12, 30).addDays(qint64(wholeDays));
    const QString dateText = date.toString(u"yyyy/MM/dd"_qs);
    const QString timeText = u"%1:%2:%3"_qs.arg(seconds / 3600)
                                 .arg((seconds / 60) % 60, 2, 10, QLatin1Char('0'))
                                 .arg(seconds % 60, 2, 10, QLatin1Char('0'));
    if (wholeDays == 0)
        return timeText;
    if (seconds == 0)
        return dateText;
    return dateText + QLatin1Char(' ') + timeText;
}

QString oleObject()
{
    return u"Long binary data"_qs;
}

} // namespace hakobee::accesstext
