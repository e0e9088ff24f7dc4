#include "ui/windowlabelinputs.h"

#include "core/error.h"
#include "core/printer/activeprinter.h"
#include "core/printer/rememberedprinter.h"
#include "ui/appcontext.h"
#include "ui/screenhost.h"
#include "ui/screens/layoutselectionscreen.h"

#include <QApplication>

namespace hakobee {

WindowLabelInputs::WindowLabelInputs(AppContext& context)
    : SavedLabelInputs(*context.settings, *context.databases, QApplication::font().family()),
      context_(context)
{}

LabelTitles WindowLabelInputs::titles()
{
    if (const LayoutSelectionScreen* layout = context_.screens->find<LayoutSelectionScreen>())
        return layout->titles();
    try {
        return SavedLabelInputs::titles();
    } catch (const Error&) {
        return {};
    }
}

PrinterOffsetMm WindowLabelInputs::printerOffset()
{
    if (!context_.rememberedPrinter || !context_.printer)
        return {};
    return context_.rememberedPrinter->offsetMm(context_.printer->deviceName());
}

} // namespace hakobee
