#include "platform/postgres/postgrestextforms.h"

#include "platform/access/accesstextforms.h"

#include <QDate>
#include <QRegularExpression>

#include <cmath>

namespace hakobee::postgrestext {

namespace {

QString withoutTrailingZeros(const QByteArray& numeric)
{
    QString text = QString::fromLatin1(numeric);
    if (!text.contains(u'.'))
        return text;
    while (text.endsWith(u'0'))
        text.chop(1);
    if (text.endsWith(u'.'))
        text.chop(1);
    return text == u"-0" ? u"0"_qs : text;
}

// "2024-03-05", "2024-03-05 09:07:05.5", "2024-03-05 09:07:05+09",
// "09:07:05": the days since Access's base day 1899/12/30 and the seconds
// of the day, rounded. False for anything else (BC dates, infinity).
bool accessDays(const QByteArray& text, bool hasDate, bool hasTime, double& days)
{
    static const QRegularExpression form(
        u"^(?:(\\d{4})-(\\d{2})-(\\d{2}))? ?(?:(\\d{2}):(\\d{2}):(\\d{2}(?:\\.\\d+)?))?"
        u"(?:[+-]\\d{2}(?::\\d{2}){0,2})?$"_qs);
    const QRegularExpressionMatch match = form.match(QString::fromLatin1(text));
    if (!match.hasMatch() || match.hasCaptured(1) != hasDate || match.hasCaptured(4) != hasTime)
        return false;
    qint64 wholeDays = 0;
    if (hasDate) {
        const QDate date(match.captured(1).toInt(), match.captured(2).toInt(),
                         match.captured(3).toInt());
        if (!date.isValid() || date.year() < 100 || date.year() > 9999)
            return false;
        wholeDays = QDate(1899, 12, 30).daysTo(date);
    }
    qint64 seconds = 0;
    if (hasTime)
        seconds = match.captured(4).toInt() * 3600 + match.captured(5).toInt() * 60 +
                  std::llround(match.captured(6).toDouble());
    // Access keeps a date before its base day as a negative whole day with
    // a positive fraction (accesstextforms.h).
    const double fraction = double(seconds) / 86400.0;
    days = wholeDays < 0 ? double(wholeDays) - fraction : double(wholeDays) + fraction;
    return true;
}

QString dateTimeText(const QByteArray& text, bool hasDate, bool hasTime)
{
    double days = 0;
    if (!accessDays(text, hasDate, hasTime, days))
        return QString::fromUtf8(text);
    return accesstext::dateTime(days);
}

} // namespace

QString fieldText(unsigned type, const QByteArray& serverText)
{
    switch (type) {
    case Bool:
        return accesstext::yesNo(serverText == "t");
    case Numeric:
        return withoutTrailingZeros(serverText);
    case Float4:
    case Float8: {
        bool ok = false;
        const double value = serverText.toDouble(&ok);
        if (!ok)
            return QString::fromLatin1(serverText); // NaN, Infinity, -Infinity
        return type == Float4 ? accesstext::single(value) : accesstext::doubleValue(value);
    }
    case Date:
        return dateTimeText(serverText, true, false);
    case Timestamp:
    case TimestampTz:
        return dateTimeText(serverText, true, true);
    case Time:
        return dateTimeText(serverText, false, true);
    case Bytea:
        if (serverText.startsWith("\\x"))
            return QString::fromLatin1(serverText.mid(2).toUpper());
        return QString::fromUtf8(serverText);
    default:
        return QString::fromUtf8(serverText);
    }
}

} // namespace hakobee::postgrestext
