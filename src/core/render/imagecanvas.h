#pragma once

#include "core/printer/printercanvas.h"

#include <QFont>
#include <QImage>
#include <QRectF>

namespace hakobee {

// Draws a label onto an image instead of a printer: the same millimetres,
// fonts measured at the image's resolution as a printer of that resolution
// measures them. Only the first page is kept; nothing is sent anywhere.
class ImageCanvas : public PrinterCanvas
{
public:
    // The image covers the given area from the top-left of the printable
    // area; drawing outside it is cut off, as the paper cuts it off.
    ImageCanvas(QSizeF printableMm, QSizeF imageMm, double dotsPerMm);

    const QImage& image() const { return image_; }
    double dotsPerMm() const { return dotsPerMm_; }
    // What was drawn, in millimetres, cut to the image.
    QRectF drawnMm() const;

    void setFont(const PrintFont& font) override;
    PrintFont font() const override { return font_; }
    QSizeF printableSizeMm() const override { return printableMm_; }
    QSizeF textSizeMm(const QString& text) const override;
    void drawText(QPointF topLeftMm, const QString& text) override;
    void drawLine(QPointF fromMm, QPointF toMm, int widthDots, const QColor& colour) override;
    void drawPicture(QPointF topLeftMm, const PrintPicture& picture) override;
    void newPage() override { ++page_; }
    void endDocument() override {}
    void abortDocument() override {}

private:
    bool onFirstPage() const { return page_ == 0; }
    void noteDrawn(const QRectF& areaMm);

    QSizeF printableMm_;
    double dotsPerMm_;
    QImage image_;
    PrintFont font_;
    QFont qfont_;
    QRectF drawnMm_;
    int page_ = 0;
};

} // namespace hakobee
