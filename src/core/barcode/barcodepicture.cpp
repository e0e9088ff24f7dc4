#include "core/barcode/barcodepicture.h"

#include <QPainter>

#include <cmath>

namespace hakobee {

BarcodePicture::BarcodePicture(QString encodedText, QList<BarcodeBar> bars, int widthModules,
                               double barHeightMm)
    : encodedText_(std::move(encodedText)), bars_(std::move(bars)), widthModules_(widthModules),
      barHeightMm_(barHeightMm)
{}

int BarcodePicture::moduleDots(double dotsPerMm)
{
    int dots = std::max(1, static_cast<int>(std::lround(targetModuleMm * dotsPerMm)));
    // Rounding down can leave bars too thin for a scanner (2 dots on a
    // 203 dpi label printer are 0.25 mm): take one dot more then.
    if (dots / dotsPerMm < narrowestModuleMm)
        ++dots;
    return dots;
}

QSizeF BarcodePicture::sizeMm(double dotsPerMm) const
{
    return {widthModules_ * moduleDots(dotsPerMm) / dotsPerMm, barHeightMm_};
}

void BarcodePicture::paint(QPainter& painter, QPointF topLeftDots, double dotsPerMm) const
{
    const int module = moduleDots(dotsPerMm);
    // Bars start on a whole dot, so each edge falls between two dots.
    const double left = std::round(topLeftDots.x());
    const double top = std::round(topLeftDots.y());
    const double height = std::round(barHeightMm_ * dotsPerMm);
    painter.save();
    painter.setPen(Qt::NoPen);
    painter.setBrush(Qt::black);
    painter.setRenderHint(QPainter::Antialiasing, false);
    for (const BarcodeBar& bar : bars_) {
        const double start = left + bar.startModule * module;
        const double width = bar.widthModules * module;
        painter.drawRect(QRectF(start + barInsetDots, top, width - 2 * barInsetDots, height));
    }
    painter.restore();
}

} // namespace hakobee
