#include "core/printrun/batchrunview.h"

#include "core/printrun/gatherlabel.h"
#include "core/printrun/labelpipeline.h"

namespace hakobee {

void BatchRunView::handOver(const RunRecord& record, const QString&,
                            std::shared_ptr<const BarcodePicture> picture)
{
    record_ = record;
    picture_ = std::move(picture);
}

void BatchRunView::printOneLabel()
{
    const PrinterOffsetMm offset = printerOffset ? printerOffset() : PrinterOffsetMm{};
    labels_.printLabel(
        gatherLabelRecord(record_, picture_, adjustments_, titles_, baseFont_, offset));
    ++printed_;
    if (onLabelPrinted)
        onLabelPrinted(printed_, record_);
}

} // namespace hakobee
