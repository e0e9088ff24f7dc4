#include "core/printrun/labelinputs.h"

#include "core/printer/activeprinter.h"
#include "core/printer/rememberedprinter.h"

namespace hakobee {

AdjustmentNumbers SavedLabelInputs::adjustments()
{
    return readAdjustmentNumbers(settings_);
}

LabelTitles SavedLabelInputs::titles()
{
    return readLabelTitles(databases_);
}

PrinterOffsetMm SavedLabelInputs::printerOffset()
{
    if (!remembered_ || !printer_)
        return {};
    return remembered_->offsetMm(printer_->deviceName());
}

} // namespace hakobee
