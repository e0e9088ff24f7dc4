#pragma once

#include "core/datasource/databaseprovider.h"
#include "core/printer/activeprinter.h"
#include "core/printer/printersetup.h"
#include "core/printer/rememberedprinter.h"
#include "core/printrun/labelpipeline.h"
#include "core/render/cancelrequest.h"
#include "core/settings/settingsfolder.h"
#include "platform/desktop/desktopshellopener.h"
#include "platform/desktop/qtfiledialogs.h"
#include "platform/desktop/qtmessageboxes.h"
#include "platform/printing/qtprinterbackend.h"
#include "platform/printing/qtprintsetupdialog.h"
#include "ui/appcontext.h"
#include "ui/screenhost.h"
#include "ui/screenlabelprogress.h"

#include <QString>

namespace hakobee {

// The production implementations of the seams, owned in one place and handed
// to the screens as an AppContext. The program and the start-up benchmark
// both put the program together through it.
//
// Labels go to the current printer (the printer remembered from the last
// start, else the system's default printer, or the PDF folder printer when
// none is installed) through one label pipeline with zint's barcodes, the
// progress screen and the process-wide cancel. The remembered printer is
// opened when first needed, not at start.
class ProductionContext
{
public:
    explicit ProductionContext(const QString& settingsRoot);

    ProductionContext(const ProductionContext&) = delete;
    ProductionContext& operator=(const ProductionContext&) = delete;

    AppContext& context() { return context_; }
    ScreenHost& screens() { return screens_; }

private:
    SettingsFolder settings_;
    RememberedPrinter rememberedPrinter_;
    StandardDatabaseProvider databases_;
    QtMessageBoxes messages_;
    QtFileDialogs fileDialogs_;
    DesktopShellOpener shell_;
    QtPrinterBackend printerBackend_;
    ActivePrinter printer_;
    QtPrintSetupDialog printSetupDialog_;
    PrinterSetup printerSetup_;
    CancelRequest cancel_;
    AppContext context_;
    ScreenHost screens_;
    ScreenLabelProgress labelProgress_;
    LabelPipeline labels_;
};

} // namespace hakobee
