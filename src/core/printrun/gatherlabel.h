#pragma once

#include "core/printer/printercanvas.h"
#include "core/printrun/labeltitles.h"
#include "core/printrun/runrecord.h"
#include "core/printrun/runsettings.h"
#include "core/render/labelrecord.h"

#include <memory>

namespace hakobee {

// What PrintOneLabel draws: the record handed over, its barcode picture,
// the print adjustments, the titles and the base font. The caption under
// the barcode is the barcode value.
LabelRecord gatherLabelRecord(const RunRecord& record,
                              std::shared_ptr<const PrintPicture> barcodePicture,
                              const LabelAdjustments& adjustments, const LabelTitles& titles,
                              const PrintFont& baseFont);

} // namespace hakobee
