#include "printrun/printonelabel.h"

#include "printer/activeprinter.h"
#include "printrun/progressscreen.h"
#include "render/cancelrequest.h"
#include "render/labelrenderer.h"
#include "shell/appcontext.h"

namespace hakobee {

void printOneLabel(AppContext& context, PrinterCanvas& canvas, const LabelRecord& record)
{
    Q_ASSERT(context.screens && context.cancel);
    ProgressScreen progress(*context.screens);
    LabelRenderer renderer(canvas, progress, *context.cancel);
    renderer.printLabel(record);
}

void printOneLabel(AppContext& context, const LabelRecord& record)
{
    Q_ASSERT(context.printer);
    printOneLabel(context, context.printer->canvas(), record);
}

} // namespace hakobee
