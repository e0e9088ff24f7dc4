#pragma once

#include "core/printer/activeprinter.h"
#include "core/printer/printersetup.h"
#include "core/printer/rememberedprinter.h"
#include "support/fakeprinterbackend.h"
#include "support/scriptedprintsetupdialog.h"
#include "ui/appcontext.h"

#include <memory>

namespace hakobee::test {

// Installed fake printers, the first of them the default and current one,
// with the print-setup dialog answered by script, handed to the screens
// through their AppContext.
class PrinterFixture
{
public:
    PrinterFixture(AppContext& context, MessageBoxes& messages, QList<FakePrinter> installed)
        : context_(context), messages_(messages)
    {
        backend.printers = std::move(installed);
        backend.defaultPrinter = backend.printers.first().deviceName;
        printer = std::make_unique<ActivePrinter>(backend, ActivePrinter::Opening::OnFirstUse);
        setup = std::make_unique<PrinterSetup>(*printer, dialog, messages);
        context.printer = printer.get();
        context.printerSetup = setup.get();
    }

    // The printer remembered in that settings folder, restored on first use
    // and kept by the print setup, as the program wires them.
    void rememberIn(const SettingsFolder& folder)
    {
        remembered = std::make_unique<RememberedPrinter>(folder);
        remembered->restoreAtFirstUse(*printer);
        setup = std::make_unique<PrinterSetup>(*printer, dialog, messages_, remembered.get());
        context_.printerSetup = setup.get();
        context_.rememberedPrinter = remembered.get();
    }

    // A label printer that accepts Letter (1), A4 (9) and user-defined
    // sizes (256), set to a 60 x 40 mm label.
    static FakePrinter labelPrinter(const QString& name)
    {
        FakePrinter printer = FakePrinter::withAllSettings(name);
        printer.settings[PrinterSetting::PaperSize] = 256;
        printer.settings[PrinterSetting::PageWidthTwips] = 3402;
        printer.settings[PrinterSetting::PageHeightTwips] = 2268;
        printer.paperSizes = {{1, 12240, 15840}, {9, 11906, 16838}, {256, 3402, 2268}};
        return printer;
    }

    FakePrinterBackend backend;
    ScriptedPrintSetupDialog dialog;
    std::unique_ptr<RememberedPrinter> remembered;
    std::unique_ptr<ActivePrinter> printer;
    std::unique_ptr<PrinterSetup> setup;

private:
    AppContext& context_;
    MessageBoxes& messages_;
};

} // namespace hakobee::test
