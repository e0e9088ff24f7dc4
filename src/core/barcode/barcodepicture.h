#pragma once

#include "core/printer/printercanvas.h"

#include <QImage>
#include <QList>
#include <QString>

namespace hakobee {

// One dark bar of a linear barcode, in modules from the left edge of the
// picture (quiet zone included).
struct BarcodeBar
{
    int startModule = 0;
    int widthModules = 1;
};

// A linear barcode kept as its bars in whole modules, drawn at the
// resolution of the device it lands on. The module width is snapped to whole
// device dots so every bar has the same width on paper, which is what a
// scanner needs, and the bars are drawn as a 1-bit image of exactly those
// dots placed on a whole dot, so that no rasteriser on the way moves an
// edge; the quiet zones are part of the picture's width (white in the image).
class BarcodePicture : public PrintPicture
{
public:
    // Bar height of a label barcode: it starts 14 mm below the label's top
    // and must stay clear of the caption printed at 21 mm.
    static constexpr double labelBarHeightMm = 6.5;
    // The module width aimed at, and the narrowest accepted after snapping
    // to dots: nominal EAN is 0.33 mm, and 80 % of it (0.264 mm) is the
    // smallest the EAN standard allows.
    static constexpr double targetModuleMm = 0.30;
    static constexpr double narrowestModuleMm = 0.264;

    BarcodePicture(QString encodedText, QList<BarcodeBar> bars, int widthModules,
                   double barHeightMm = labelBarHeightMm);

    // The digits the bars encode (check digit included).
    const QString& encodedText() const { return encodedText_; }
    const QList<BarcodeBar>& bars() const { return bars_; }
    int widthModules() const { return widthModules_; }

    // Whole device dots per module on a device of this resolution.
    static int moduleDots(double dotsPerMm);

    // The bars as dots on a device of this resolution: 1 = bar, white quiet zones.
    QImage imageDots(double dotsPerMm) const;

    QSizeF sizeMm(double dotsPerMm) const override;
    void paint(QPainter& painter, QPointF topLeftDots, double dotsPerMm) const override;

private:
    QString encodedText_;
    QList<BarcodeBar> bars_;
    int widthModules_ = 0;
    double barHeightMm_ = labelBarHeightMm;
};

} // namespace hakobee
