#include "core/printrun/gatherlabel.h"

namespace hakobee {

LabelRecord gatherLabelRecord(const RunRecord& record,
                              std::shared_ptr<const PrintPicture> barcodePicture,
                              const LabelAdjustments& adjustments, const LabelTitles& titles,
                              const PrintFont& baseFont)
{
    LabelRecord label;
    label.offsetXMm = adjustments.offsetXMm;
    label.offsetYMm = adjustments.offsetYMm;
    label.fontAdjustmentPt = adjustments.fontAdjustmentPt;
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
