#pragma once

#include "core/printrun/labelpreviewimage.h"

#include <QWidget>

namespace hakobee {

class ActivePrinter;
class BarcodeEncoder;

// Beside the run screens' grid: the label of the selected row as it will
// print, or why it cannot. The picture is drawn at the printer's resolution
// and shown scaled to the box.
class LabelPreview : public QWidget
{
    Q_OBJECT

public:
    // Finer than this gains nothing on a screen and costs memory.
    static constexpr double finestDotsPerMm = 600 / 25.4;

    explicit LabelPreview(QWidget* parent = nullptr);

    const LabelPreviewImage& preview() const { return preview_; }
    void setPreview(LabelPreviewImage preview);

    // Draws the label of a query row on the current printer's geometry.
    void showRow(const QList<FieldValue>& row, const BarcodeEncoder& encoder,
                 const PrintAdjustments& adjustments, const LabelTitles& titles,
                 const PrintFont& baseFont, ActivePrinter* printer);
    // Shows why there is no label to show.
    void showProblem(const QString& problem);

    // The printable area and resolution of the current printer; a default
    // label printer's when there is none to ask.
    static PreviewGeometry geometryOf(ActivePrinter* printer);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint() / 2; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    LabelPreviewImage preview_;
};

} // namespace hakobee
