#include "core/printrun/batchrunview.h"

#include "core/printrun/labelpipeline.h"
#include "core/render/labelrecord.h"

namespace hakobee {

void BatchRunView::handOver(const RunRecord& record, const QString&,
                            std::shared_ptr<const BarcodePicture> picture)
{
    record_ = record;
    picture_ = std::move(picture);
}

void BatchRunView::printOneLabel()
{
    LabelRecord label;
    label.offsetXMm = adjustments_.offsetXMm;
    label.offsetYMm = adjustments_.offsetYMm;
    label.fontAdjustmentPt = adjustments_.fontAdjustmentPt;
    label.barcodeValue = record_.barcodeValue;
    label.itemName = record_.itemName;
    label.name = record_.name;
    label.price = record_.price;
    label.barcodeCaption = record_.barcodeValue;
    label.barcodePicture = picture_;
    label.title1 = titles_.title1;
    label.title2 = titles_.title2;
    label.baseFont = baseFont_;
    labels_.printLabel(label);
    ++printed_;
    if (onLabelPrinted)
        onLabelPrinted(printed_, record_);
}

} // namespace hakobee
