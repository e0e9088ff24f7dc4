#include "core/printrun/labelinputs.h"

#include "core/printer/activeprinter.h"
#include "core/printer/rememberedprinter.h"

namespace hakobee {

PrintAdjustments SavedLabelInputs::adjustments()
{
    return readPrintAdjustments(settings_);
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
