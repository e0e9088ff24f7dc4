#include "core/printrun/gatherlabel.h"

#include "core/error.h"
#include "core/render/labelnumbers.h"

namespace hakobee {

namespace {

QString shiftedOffset(const QString& offsetMm, double byMm)
{
    if (byMm == 0)
        return offsetMm;
    try {
        return QString::number(parseLabelNumber(offsetMm, QString()) + byMm, 'g', 12);
    } catch (const Error&) {
        return offsetMm;
    }
}

} // namespace

LabelRecord gatherLabelRecord(const RunRecord& record,
                              std::shared_ptr<const PrintPicture> barcodePicture,
                              const LabelAdjustments& adjustments, const LabelTitles& titles,
                              const PrintFont& baseFont, const PrinterOffsetMm& printerOffset)
{
    LabelRecord label;
    label.offsetXMm = shiftedOffset(adjustments.offsetXMm, printerOffset.horizontalMm);
    label.offsetYMm = shiftedOffset(adjustments.offsetYMm, printerOffset.verticalMm);
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
