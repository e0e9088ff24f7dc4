#include "ui/productioncontext.h"

namespace hakobee {

ProductionContext::ProductionContext(const ProductionOptions& options)
    : parts_(options, labelProgress_), screens_(context_), labelProgress_(screens_)
{
    context_.messages = &parts_.messages();
    context_.screens = &screens_;
    context_.settings = &parts_.settings();
    context_.databases = &parts_.databases();
    context_.fileDialogs = &parts_.fileDialogs();
    context_.shell = &shell_;
    context_.printer = &parts_.printer();
    context_.printerSetup = &parts_.printerSetup();
    context_.rememberedPrinter = &parts_.rememberedPrinter();
    context_.cancel = &parts_.cancel();
    context_.labels = &parts_.labels();
}

} // namespace hakobee
