#include "core/printrun/gatherlabel.h"

namespace hakobee {

namespace {

// The renderer reads its numbers from text; 17 significant digits give it
// back exactly the number the run holds.
QString labelNumberText(double value)
{
    return QString::number(value, 'g', 17);
}

} // namespace

LabelRecord gatherLabelRecord(const RunRecord& record,
                              std::shared_ptr<const PrintPicture> barcodePicture,
                              const AdjustmentNumbers& adjustments, const LabelTitles& titles,
                              const PrintFont& baseFont, const PrinterOffsetMm& printerOffset)
{
    LabelRecord label;
    label.offsetXMm = labelNumberText(adjustments.offsetXMm + printerOffset.horizontalMm);
    label.offsetYMm = labelNumberText(adjustments.offsetYMm + printerOffset.verticalMm);
    label.fontAdjustmentPt = labelNumberText(adjustments.fontAdjustmentPt);
    label.barcodeValue = record.barcodeValue;
    label.itemName = record.itemName;
    label.name = record.name;
    label.price = record.price;
    label.barcodeCaption = record.barcodeValue;
    label.barcodePicture = std::move(barcodePicture);
    label.title1 = titles.title1;
    label.title2 = titles.title2;
    label.baseFont = baseFont;
    return label;
}

} // namespace hakobee
