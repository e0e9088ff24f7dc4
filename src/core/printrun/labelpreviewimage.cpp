#include "core/printrun/labelpreviewimage.h"

#include "core/barcode/barcodeencoder.h"
#include "core/barcode/recordbarcode.h"
#include "core/error.h"
#include "core/printrun/gatherlabel.h"
#include "core/printrun/runrecord.h"
#include "core/render/cancelrequest.h"
#include "core/render/imagecanvas.h"
#include "core/render/labelprogress.h"
#include "core/render/labelrenderer.h"

#include <QPainter>

#include <algorithm>

namespace hakobee {

namespace {

const QSizeF largestPreviewMm{90, 45};

// Where the barcode would be: the reason it cannot be drawn, in red.
class BarcodeProblemPicture : public PrintPicture
{
public:
    explicit BarcodeProblemPicture(QString problem) : problem_(std::move(problem)) {}

    QSizeF sizeMm(double) const override { return {38, BarcodePicture::labelBarHeightMm}; }
    void paint(QPainter& painter, QPointF topLeftDots, double dotsPerMm) const override
    {
        QFont font = painter.font();
        font.setPixelSize(std::max(1, int(2.2 * dotsPerMm)));
        painter.setFont(font);
        painter.setPen(Qt::red);
        painter.drawText(QRectF(topLeftDots, sizeMm(dotsPerMm) * dotsPerMm),
                         Qt::TextWordWrap | Qt::AlignLeft | Qt::AlignTop, problem_);
    }

private:
    QString problem_;
};

} // namespace

LabelPreviewImage drawLabelPreview(const QList<FieldValue>& row, const BarcodeEncoder& encoder,
                                   const PrintAdjustments& adjustments, const LabelTitles& titles,
                                   const PrintFont& baseFont, const PreviewGeometry& geometry)
{
    LabelPreviewImage preview;
    preview.dotsPerMm = geometry.dotsPerMm;
    try {
        const RunRecord record = runRecordFromFields(row);
        std::shared_ptr<const PrintPicture> picture;
        try {
            picture = encoder.encode(parseJanBarcodeValue(record.barcodeValue));
        } catch (const Error& error) {
            picture = std::make_shared<BarcodeProblemPicture>(error.description());
        }
        const QSizeF imageMm = geometry.printableMm.boundedTo(largestPreviewMm);
        ImageCanvas canvas(geometry.printableMm, imageMm, geometry.dotsPerMm);
        NoLabelProgress progress;
        CancelRequest cancel;
        // No events run while a preview is drawn: it is drawn from an event
        // handler.
        LabelRenderer renderer(canvas, progress, cancel);
        // Without the printer's calibration offset: that makes good where the
        // printer puts the label on paper, and the preview shows the label as
        // the operator laid it out.
        renderer.printLabel(gatherLabelRecord(record, picture, adjustmentNumbersOf(adjustments),
                                              titles, baseFont, {}));
        preview.image = canvas.image();
        preview.drawnMm = canvas.drawnMm();
    } catch (const Error& error) {
        preview.problem = error.description();
    }
    return preview;
}

} // namespace hakobee
