#pragma once

#include "core/printer/printercanvas.h"
#include "core/printer/printeroffset.h"
#include "core/printrun/labeltitles.h"
#include "core/printrun/runrecord.h"
#include "core/printrun/runsettings.h"
#include "core/render/labelrecord.h"

#include <memory>

namespace hakobee {

// What PrintOneLabel draws: the record, its barcode picture, the print
// adjustments, the titles and the base font. The caption under the barcode
// is the barcode value.
//
// The printer's calibration offset is added to the print adjustments' X and
// Y (SIZE1, SIZE2), so the renderer moves the whole label by it.
LabelRecord gatherLabelRecord(const RunRecord& record,
                              std::shared_ptr<const PrintPicture> barcodePicture,
                              const AdjustmentNumbers& adjustments, const LabelTitles& titles,
                              const PrintFont& baseFont, const PrinterOffsetMm& printerOffset);

} // namespace hakobee
