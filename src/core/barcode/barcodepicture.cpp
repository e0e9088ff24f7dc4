#include "core/barcode/barcodepicture.h"

#include <QPainter>

#include <cmath>
#include <cstring>

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

QImage BarcodePicture::imageDots(double dotsPerMm) const
{
    const int module = moduleDots(dotsPerMm);
    const int height = std::max(1, static_cast<int>(std::lround(barHeightMm_ * dotsPerMm)));
    QImage image(widthModules_ * module, height, QImage::Format_Mono);
    image.setColorTable({qRgb(255, 255, 255), qRgb(0, 0, 0)});
    image.fill(0);
    for (const BarcodeBar& bar : bars_) {
        for (int x = bar.startModule * module; x < (bar.startModule + bar.widthModules) * module;
             ++x)
            image.setPixel(x, 0, 1);
    }
    for (int y = 1; y < height; ++y)
        std::memcpy(image.scanLine(y), image.constScanLine(0),
                    static_cast<size_t>(image.bytesPerLine()));
    return image;
}

void BarcodePicture::paint(QPainter& painter, QPointF topLeftDots, double dotsPerMm) const
{
    // One image dot to one device dot, from a whole dot: what rasterises the
    // page (the program for a raster driver, Ghostscript or Poppler for a
    // PDF) maps every image dot onto one printer dot, where filled shapes
    // would be widened or narrowed by the rasteriser's fill rule.
    const QImage image = imageDots(dotsPerMm);
    const QPointF corner(std::round(topLeftDots.x()), std::round(topLeftDots.y()));
    painter.save();
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    painter.drawImage(QRectF(corner, QSizeF(image.size())), image);
    painter.restore();
}

} // namespace hakobee
