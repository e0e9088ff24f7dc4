#include "core/render/labelnumbers.h"

#include "core/error.h"

#include <QLocale>

#include <cmath>

namespace hakobee {

namespace {

[[noreturn]] void throwNotANumber(const QString& text, const QString& whatItIs)
{
    throw Error(u"%1「%2」が数値ではありません。"_qs.arg(whatItIs, text));
}

} // namespace

double parseDecimalText(const QString& text, const QString& whatItIs)
{
    const QString trimmed = text.trimmed();
    bool ok = false;
    double value = QLocale::c().toDouble(trimmed, &ok);
    if (!ok)
        value = QLocale::system().toDouble(trimmed, &ok);
    if (!ok || !std::isfinite(value))
        throwNotANumber(text, whatItIs);
    return value;
}

double parseLabelNumber(const QString& text, const QString& whatItIs)
{
    bool ok = false;
    // Qt's C locale takes a point for the decimals and commas between
    // thousands, and nothing of the machine's settings.
    const double value = QLocale::c().toDouble(text.trimmed(), &ok);
    if (!ok || !std::isfinite(value))
        throwNotANumber(text, whatItIs);
    return value;
}

double parseHorizontalOffsetMm(const QString& text)
{
    return parseLabelNumber(text, u"横方向の印刷位置"_qs);
}

double parseVerticalOffsetMm(const QString& text)
{
    return parseLabelNumber(text, u"縦方向の印刷位置"_qs);
}

double parseFontAdjustmentPt(const QString& text)
{
    return parseLabelNumber(text, u"文字サイズの調整"_qs);
}

int roundHalfToEven(double value)
{
    return static_cast<int>(
        std::nearbyint(value)); // the default rounding mode is to nearest, ties to even
}

QString formatPrice(double price)
{
    // std::round takes halves away from zero; a price that rounds to no yen
    // at all has no sign.
    const double yen = std::round(price);
    QString digits = QString::number(std::fabs(yen), 'f', 0);
    for (qsizetype comma = digits.size() - 3; comma > 0; comma -= 3)
        digits.insert(comma, u',');
    const QString yenSign(QChar(0x00A5));
    return (yen < 0 ? u"-"_qs : QString()) + yenSign + digits;
}

} // namespace hakobee
