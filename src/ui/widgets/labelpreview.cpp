#include "ui/widgets/labelpreview.h"

#include "core/error.h"
#include "core/printer/activeprinter.h"

#include <QPainter>

#include <algorithm>

namespace hakobee {

namespace {

constexpr double millimetresPerInch = 25.4;
constexpr double marginMm = 1.5; // white paper shown around the label
constexpr int framePixels = 6;

} // namespace

LabelPreview::LabelPreview(QWidget* parent) : QWidget(parent)
{
    setObjectName(u"LabelPreview"_qs);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
}

void LabelPreview::setPreview(LabelPreviewImage preview)
{
    preview_ = std::move(preview);
    update();
}

void LabelPreview::showRow(const QList<FieldValue>& row, const BarcodeEncoder& encoder,
                           const PrintAdjustments& adjustments, const LabelTitles& titles,
                           const PrintFont& baseFont, ActivePrinter* printer)
{
    setPreview(drawLabelPreview(row, encoder, adjustments, titles, baseFont, geometryOf(printer)));
}

void LabelPreview::showProblem(const QString& problem)
{
    LabelPreviewImage preview;
    preview.problem = problem;
    setPreview(std::move(preview));
}

PreviewGeometry LabelPreview::geometryOf(ActivePrinter* printer)
{
    PreviewGeometry geometry;
    if (!printer)
        return geometry;
    try {
        geometry.printableMm = printer->canvas().printableSizeMm();
        const int dotsPerInch = printer->setting(PrinterSetting::PrintQuality);
        if (dotsPerInch > 0)
            geometry.dotsPerMm = std::min(dotsPerInch / millimetresPerInch, finestDotsPerMm);
    } catch (const Error&) {
        // A printer that cannot say keeps the default label printer's figures.
    }
    return geometry;
}

QSize LabelPreview::sizeHint() const
{
    // A 60 x 30 mm label at about 1.5 times its size on a screen.
    const double pixelsPerMm = 1.5 * logicalDpiX() / millimetresPerInch;
    return QSize(int(60 * pixelsPerMm), int(30 * pixelsPerMm)) +
           QSize(2 * framePixels, 2 * framePixels);
}

void LabelPreview::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), palette().color(QPalette::Mid));
    const QRectF area =
        QRectF(rect()).adjusted(framePixels, framePixels, -framePixels, -framePixels);
    if (!preview_.problem.isEmpty() || preview_.image.isNull()) {
        painter.fillRect(area, Qt::white);
        painter.setPen(Qt::red);
        painter.drawText(area.adjusted(4, 4, -4, -4), Qt::TextWordWrap | Qt::AlignLeft,
                         preview_.problem);
        return;
    }
    // The paper from its top-left corner to just past the label.
    const double dotsPerMm = preview_.dotsPerMm;
    const QRectF imageDots(QPointF(0, 0), QSizeF(preview_.image.size()));
    const QRectF shownDots =
        QRectF(QPointF(0, 0),
               (preview_.drawnMm.bottomRight() + QPointF(marginMm, marginMm)) * dotsPerMm)
            .intersected(imageDots);
    const double scale =
        std::min(area.width() / shownDots.width(), area.height() / shownDots.height());
    const QRectF target(area.topLeft(), shownDots.size() * scale);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(target, preview_.image, shownDots);
}

} // namespace hakobee
