#pragma once

#include "core/printer/printercanvas.h"

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
// scanner needs; the quiet zones are part of the picture's width.
//
// Each bar is drawn from a whole dot, a third of a dot narrower on either
// side (barInsetDots), so that it covers exactly its dots under every
// rasteriser a job may meet: those that fill the dots whose centres a shape
// covers (Poppler, cairo, Qt, and this program's own raster jobs) and those
// that fill every dot a shape touches or widen fills by up to half a dot
// (Ghostscript, PostScript printers). A whole-dot rectangle is widened by a
// dot by the latter; a 1-bit image is resampled by a dot by Poppler.
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
    // How much narrower than its dots a bar is drawn on each side.
    static constexpr double barInsetDots = 0.35;

    BarcodePicture(QString encodedText, QList<BarcodeBar> bars, int widthModules,
                   double barHeightMm = labelBarHeightMm);

    // The digits the bars encode (check digit included).
    const QString& encodedText() const { return encodedText_; }
    const QList<BarcodeBar>& bars() const { return bars_; }
    int widthModules() const { return widthModules_; }

    // Whole device dots per module on a device of this resolution.
    static int moduleDots(double dotsPerMm);

    QSizeF sizeMm(double dotsPerMm) const override;
    void paint(QPainter& painter, QPointF topLeftDots, double dotsPerMm) const override;

private:
    QString encodedText_;
    QList<BarcodeBar> bars_;
    int widthModules_ = 0;
    double barHeightMm_ = labelBarHeightMm;
};

} // namespace hakobee
