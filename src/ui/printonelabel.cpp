#include "ui/printonelabel.h"

#include "core/printrun/labelpipeline.h"
#include "core/render/labelrenderer.h"
#include "ui/appcontext.h"
#include "ui/screenlabelprogress.h"

namespace hakobee {

void printOneLabel(AppContext& context, PrinterCanvas& canvas, const LabelRecord& record)
{
    Q_ASSERT(context.screens && context.cancel);
    ScreenLabelProgress progress(*context.screens);
    LabelRenderer renderer(canvas, progress, *context.cancel);
    renderer.printLabel(record);
}

void printOneLabel(AppContext& context, const LabelRecord& record)
{
    Q_ASSERT(context.labels);
    context.labels->printLabel(record);
}

} // namespace hakobee
