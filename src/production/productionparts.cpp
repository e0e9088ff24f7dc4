#include "production/productionparts.h"

#include "platform/barcode/zintbarcodeencoder.h"
#include "platform/desktop/qtfiledialogs.h"
#include "platform/desktop/qtmessageboxes.h"
#include "platform/printing/printjoboutput.h"
#include "platform/printing/qtprintsetupdialog.h"
#include "platform/textfolder/textfolder.h"
#include "production/installeddata.h"
#include "production/unattendeddialogs.h"

#include <QDir>

namespace hakobee {

namespace {

using Dialogs = ProductionOptions::Dialogs;

QtPrinterBackend printerBackendFor(const ProductionOptions& options)
{
    if (options.pdfFolder.isEmpty())
        return QtPrinterBackend(PdfFolderOutput::defaultFolder());
    return QtPrinterBackend(QDir(options.pdfFolder).absolutePath(),
                            QtPrinterBackend::SystemPrinters::Ignore);
}

std::unique_ptr<MessageBoxes> messagesFor(Dialogs dialogs)
{
    if (dialogs == Dialogs::Shown)
        return std::make_unique<QtMessageBoxes>();
    return std::make_unique<StandardErrorMessages>();
}

std::unique_ptr<PrintSetupDialog> printSetupDialogFor(Dialogs dialogs)
{
    if (dialogs == Dialogs::Shown)
        return std::make_unique<QtPrintSetupDialog>();
    return std::make_unique<NoPrintSetupDialog>();
}

std::unique_ptr<FileDialogs> fileDialogsFor(Dialogs dialogs)
{
    if (dialogs == Dialogs::Shown)
        return std::make_unique<QtFileDialogs>();
    return std::make_unique<NoFileDialogs>();
}

} // namespace

ProductionOptions ProductionOptions::installedProgram(const QString& settingsRoot)
{
    ProductionOptions options;
    options.settingsRoot = settingsRoot;
    // An installed program keeps the default copies in its data folder, not
    // beside itself: restoring needs to be told where they are.
    options.defaultCopyFolders = hakobee::defaultCopyFolders();
    return options;
}

ProductionParts::ProductionParts(const ProductionOptions& options, LabelProgress& progress)
    : settings_(options.settingsRoot), databases_(settings_, openDataSourcePath),
      rememberedPrinter_(settings_), printerBackend_(printerBackendFor(options)),
      printer_(printerBackend_, ActivePrinter::Opening::OnFirstUse),
      messages_(messagesFor(options.dialogs)),
      printSetupDialog_(printSetupDialogFor(options.dialogs)),
      fileDialogs_(fileDialogsFor(options.dialogs)),
      printerSetup_(printer_, *printSetupDialog_, *messages_, &rememberedPrinter_),
      labels_(std::make_unique<ZintBarcodeEncoder>(), printer_.canvas(), progress, cancel_)
{
    if (!options.defaultCopyFolders.isEmpty())
        settings_.setDefaultCopyFolders(options.defaultCopyFolders);
    if (options.restoreRememberedPrinter)
        rememberedPrinter_.restoreAtFirstUse(printer_);
}

ProductionParts::~ProductionParts() = default;

} // namespace hakobee
