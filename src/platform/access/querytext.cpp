#include "platform/access/querytext.h"

namespace hakobee {

namespace {

constexpr QChar fullWidthBlank(0x3000);

// The character that ends a quoted part opened by `open`, or a null QChar.
QChar closingQuote(QChar open)
{
    switch (open.unicode()) {
    case '\'':
    case '"':
    case '`':
        return open;
    case '[':
        return QLatin1Char(']');
    default:
        return QChar();
    }
}

} // namespace

QString withFullWidthBlanksAsBlanks(const QString& query)
{
    QString result = query;
    qsizetype i = 0;
    const qsizetype n = result.size();
    while (i < n) {
        const QChar c = result.at(i);
        if (const QChar close = closingQuote(c); !close.isNull()) {
            // Skip to the closing quote; a doubled quote inside is part of the text.
            ++i;
            while (i < n) {
                if (result.at(i) == close) {
                    if (close != QLatin1Char(']') && i + 1 < n && result.at(i + 1) == close) {
                        i += 2;
                        continue;
                    }
                    break;
                }
                ++i;
            }
            ++i;
        } else if (c == QLatin1Char('-') && i + 1 < n && result.at(i + 1) == QLatin1Char('-')) {
            while (i < n && result.at(i) != QLatin1Char('\n'))
                ++i;
        } else if (c == QLatin1Char('/') && i + 1 < n && result.at(i + 1) == QLatin1Char('*')) {
            const qsizetype end = result.indexOf(QLatin1String("*/"), i + 2);
            i = end < 0 ? n : end + 2;
        } else {
            if (c == fullWidthBlank)
                result[i] = QLatin1Char(' ');
            ++i;
        }
    }
    return result;
}

} // namespace hakobee
