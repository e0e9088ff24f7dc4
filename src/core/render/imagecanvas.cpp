#include "core/render/imagecanvas.h"

#include <QFontMetricsF>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace hakobee {

namespace {

constexpr double millimetresPerMetre = 1000;

QFont toQFont(const PrintFont& font)
{
    QFont qfont(font.family);
    qfont.setPointSizeF(font.pointSize > 0 ? font.pointSize : 1.0);
    qfont.setBold(font.bold);
    qfont.setItalic(font.italic);
    return qfont;
}

} // namespace

ImageCanvas::ImageCanvas(QSizeF printableMm, QSizeF imageMm, double dotsPerMm)
    : printableMm_(printableMm), dotsPerMm_(dotsPerMm),
      image_(std::max(1, int(std::ceil(imageMm.width() * dotsPerMm))),
             std::max(1, int(std::ceil(imageMm.height() * dotsPerMm))), QImage::Format_RGB32),
      qfont_(toQFont(font_))
{
    image_.setDotsPerMeterX(int(std::lround(dotsPerMm * millimetresPerMetre)));
    image_.setDotsPerMeterY(int(std::lround(dotsPerMm * millimetresPerMetre)));
    image_.fill(Qt::white);
}

QRectF ImageCanvas::drawnMm() const
{
    return drawnMm_.intersected(QRectF(QPointF(0, 0), QSizeF(image_.size()) / dotsPerMm_));
}

void ImageCanvas::noteDrawn(const QRectF& areaMm)
{
    drawnMm_ = drawnMm_.isNull() ? areaMm : drawnMm_.united(areaMm);
}

void ImageCanvas::setFont(const PrintFont& font)
{
    font_ = font;
    qfont_ = toQFont(font);
}

QSizeF ImageCanvas::textSizeMm(const QString& text) const
{
    const QFontMetricsF metrics(qfont_, &image_);
    return QSizeF(metrics.horizontalAdvance(text), metrics.height()) / dotsPerMm_;
}

void ImageCanvas::drawText(QPointF topLeftMm, const QString& text)
{
    if (!onFirstPage())
        return;
    QPainter painter(&image_);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.setFont(qfont_);
    const QFontMetricsF metrics(qfont_, &image_);
    painter.setPen(Qt::black);
    painter.drawText(topLeftMm * dotsPerMm_ + QPointF(0, metrics.ascent()), text);
    noteDrawn(QRectF(topLeftMm, textSizeMm(text)));
}

void ImageCanvas::drawLine(QPointF fromMm, QPointF toMm, int widthDots, const QColor& colour)
{
    if (!onFirstPage())
        return;
    QPainter painter(&image_);
    painter.setPen(QPen(colour, std::max(widthDots, 1), Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(fromMm * dotsPerMm_, toMm * dotsPerMm_);
    noteDrawn(QRectF(fromMm, toMm).normalized());
}

void ImageCanvas::drawPicture(QPointF topLeftMm, const PrintPicture& picture)
{
    if (!onFirstPage())
        return;
    QPainter painter(&image_);
    picture.paint(painter, topLeftMm * dotsPerMm_, dotsPerMm_);
    noteDrawn(QRectF(topLeftMm, picture.sizeMm(dotsPerMm_)));
}

} // namespace hakobee
