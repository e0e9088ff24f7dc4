#pragma once

namespace hakobee {

class ActivePrinter;
class CancelRequest;
class DatabaseProvider;
class FileDialogs;
class LabelPipeline;
class MessageBoxes;
class PrinterSetup;
class RememberedPrinter;
class ScreenHost;
class SettingsFolder;
class ShellOpener;

// The seams every screen reaches the outside world through. The program
// fills it with the production implementations; tests with their own.
// Members a screen does not use may stay null.
struct AppContext
{
    MessageBoxes* messages = nullptr;
    ScreenHost* screens = nullptr;
    SettingsFolder* settings = nullptr;
    DatabaseProvider* databases = nullptr;
    ActivePrinter* printer = nullptr;
    PrinterSetup* printerSetup = nullptr;
    // The printer chosen at an earlier start and every printer's calibration.
    RememberedPrinter* rememberedPrinter = nullptr;
    // The way from a record to a printed label: barcode encoder, picture
    // slot, barcode calls and renderer on the current printer.
    LabelPipeline* labels = nullptr;
    ShellOpener* shell = nullptr;
    FileDialogs* fileDialogs = nullptr;
    // The request to stop the label being drawn, and with it the run.
    CancelRequest* cancel = nullptr;
};

} // namespace hakobee
