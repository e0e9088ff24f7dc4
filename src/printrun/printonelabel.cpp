#include "printrun/printonelabel.h"

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

} // namespace hakobee
