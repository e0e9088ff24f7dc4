#pragma once

#include "core/datasource/databaseprovider.h"
#include "core/printer/activeprinter.h"
#include "core/printer/printersetup.h"
#include "core/printer/rememberedprinter.h"
#include "core/printrun/labelpipeline.h"
#include "core/render/cancelrequest.h"
#include "core/settings/settingsfolder.h"
#include "platform/printing/qtprinterbackend.h"

#include <QString>
#include <QStringList>

#include <memory>

namespace hakobee {

class FileDialogs;
class LabelProgress;
class MessageBoxes;
class PrintSetupDialog;

// What the program is put together for.
struct ProductionOptions
{
    // Whether the work may stop to ask the operator in a dialog.
    enum class Dialogs
    {
        // Qt's message boxes, print-setup dialog and file dialogs: the window.
        Shown,
        // Nobody to ask: messages go to standard error, no printer and no
        // file is chosen in a dialog (unattendeddialogs.h).
        Unattended
    };

    // The folder that holds the settings folder qvx_ini.
    QString settingsRoot = SettingsFolder::defaultRoot();
    // Where the settings files' default copies are looked for when the
    // settings are restored; empty: the settings folder's own choice.
    QStringList defaultCopyFolders;
    // Not empty: labels go as PDF files into this folder through the PDF
    // folder printer alone, whatever printers are installed. Empty: to the
    // installed printers, or to the PDF folder printer in its default folder
    // when none is installed.
    QString pdfFolder;
    // Whether the printer remembered in the settings folder becomes current
    // when the printer is first used (else the system's default stays).
    bool restoreRememberedPrinter = true;
    Dialogs dialogs = Dialogs::Shown;

    // The installed program over the settings under settingsRoot, restored
    // from the installed default copies (installeddata.h); the window and
    // `hakobee print` run so. Needs the application object.
    static ProductionOptions installedProgram(const QString& settingsRoot);
};

// The program's parts, put together the one way the window, the subcommands
// and the screenshot tool share: the settings folder, the databases (the
// settings folder and Access files), the printer backend with the one
// ActivePrinter and the remembered printer, the printer setup, the dialogs
// the options allow, the process-wide cancel, and one label pipeline with
// zint's barcodes on the current printer. The printer is opened when first
// needed, not here.
//
// The progress shown while a label is drawn belongs to the caller (the
// window's progress screen, or none) and must outlive the parts.
class ProductionParts
{
public:
    ProductionParts(const ProductionOptions& options, LabelProgress& progress);
    ~ProductionParts();

    ProductionParts(const ProductionParts&) = delete;
    ProductionParts& operator=(const ProductionParts&) = delete;

    SettingsFolder& settings() { return settings_; }
    StandardDatabaseProvider& databases() { return databases_; }
    RememberedPrinter& rememberedPrinter() { return rememberedPrinter_; }
    QtPrinterBackend& printerBackend() { return printerBackend_; }
    ActivePrinter& printer() { return printer_; }
    PrinterSetup& printerSetup() { return printerSetup_; }
    MessageBoxes& messages() { return *messages_; }
    FileDialogs& fileDialogs() { return *fileDialogs_; }
    CancelRequest& cancel() { return cancel_; }
    LabelPipeline& labels() { return labels_; }

private:
    SettingsFolder settings_;
    StandardDatabaseProvider databases_;
    RememberedPrinter rememberedPrinter_;
    QtPrinterBackend printerBackend_;
    ActivePrinter printer_;
    std::unique_ptr<MessageBoxes> messages_;
    std::unique_ptr<PrintSetupDialog> printSetupDialog_;
    std::unique_ptr<FileDialogs> fileDialogs_;
    PrinterSetup printerSetup_;
    CancelRequest cancel_;
    LabelPipeline labels_;
};

} // namespace hakobee
