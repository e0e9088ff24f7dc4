#include "platform/printing/printertext.h"

#include <QFontMetricsF>
#include <QPrinter>

namespace hakobee {

namespace {

constexpr double millimetresPerInch = 25.4;

} // namespace

QFont printerFont(const PrintFont& font)
{
    QFont qfont(font.family);
    qfont.setPointSizeF(font.pointSize > 0 ? font.pointSize : 1.0);
    qfont.setBold(font.bold);
    qfont.setItalic(font.italic);
    return qfont;
}

QSizeF printedTextSizeMm(const QFont& font, const QPrinter& printer, const QString& text)
{
    const QFontMetricsF metrics(font, &printer);
    return QSizeF(metrics.horizontalAdvance(text), metrics.height()) / printerDotsPerMm(printer);
}

double printedAscentDots(const QFont& font, const QPrinter& printer)
{
    return QFontMetricsF(font, &printer).ascent();
}

double printerDotsPerMm(const QPrinter& printer)
{
    return printer.resolution() / millimetresPerInch;
}

} // namespace hakobee
