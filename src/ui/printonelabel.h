#pragma once

#include "core/render/labelrecord.h"

namespace hakobee {

struct AppContext;
class PrinterCanvas;

// PrintOneLabel: draws the gathered record as one print job on the canvas
// while the progress screen shows and offers its cancel. Throws
// hakobee::Error when the label cannot be printed.
void printOneLabel(AppContext& context, PrinterCanvas& canvas, const LabelRecord& record);

// The same through the program's label pipeline (context.labels), on the
// current printer.
void printOneLabel(AppContext& context, const LabelRecord& record);

} // namespace hakobee
