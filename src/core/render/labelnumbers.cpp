#include "core/render/labelnumbers.h"

#include "core/error.h"

#include <cmath>

namespace hakobee {

double parseDecimalText(const QString& text, const QString& whatItIs)
{
    const QString trimmed = text.trimmed();
    bool ok = false;
    double value = QLocale::c().toDouble(trimmed, &ok);
    if (!ok)
        value = QLocale::system().toDouble(trimmed, &ok);
    if (!ok || !std::isfinite(value))
        throw Error(u"%1「%2」が数値ではありません。"_qs.arg(whatItIs, text));
    return value;
}

int roundHalfToEven(double value)
{
    return static_cast<int>(
        std::nearbyint(value)); // the default rounding mode is to nearest, ties to even
}

QString formatPrice(double price, const QLocale& locale)
{
    return locale.toCurrencyString(price);
}

} // namespace hakobee
