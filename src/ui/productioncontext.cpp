#include "ui/productioncontext.h"

#include "platform/access/accessdatabase.h"
#include "platform/barcode/zintbarcodeencoder.h"
#include "platform/printing/printjoboutput.h"
#include "ui/installedfiles.h"

namespace hakobee {

ProductionContext::ProductionContext(const QString& settingsRoot)
    : settings_(settingsRoot), rememberedPrinter_(settings_),
      databases_(settings_, openAccessDatabase), printerBackend_(PdfFolderOutput::defaultFolder()),
      printer_(printerBackend_, ActivePrinter::Opening::OnFirstUse),
      printerSetup_(printer_, printSetupDialog_, messages_, &rememberedPrinter_),
      screens_(context_), labelProgress_(screens_),
      labels_(std::make_unique<ZintBarcodeEncoder>(), printer_.canvas(), labelProgress_, cancel_)
{
    settings_.setDefaultCopyFolders(defaultCopyFolders());
    rememberedPrinter_.restoreAtFirstUse(printer_);
    context_.messages = &messages_;
    context_.screens = &screens_;
    context_.settings = &settings_;
    context_.databases = &databases_;
    context_.fileDialogs = &fileDialogs_;
    context_.shell = &shell_;
    context_.printer = &printer_;
    context_.printerSetup = &printerSetup_;
    context_.rememberedPrinter = &rememberedPrinter_;
    context_.cancel = &cancel_;
    context_.labels = &labels_;
}

} // namespace hakobee
