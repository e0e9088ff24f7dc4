#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include <memory>

namespace hakobee {

class PrinterCanvas;

// The device settings of a printer, with the platform's numeric codes: paper
// sizes are the Windows numbers (9 = A4, 256 = user-defined by page width and
// height), orientation 1 portrait / 2 landscape, paper source the DMBIN bin
// numbers, print quality the resolution in dots per inch, colour mode
// 1 monochrome / 2 colour, duplex 1 simplex / 2 long edge / 3 short edge,
// scale in percent. Page width and height are those of the paper as it is
// named (portrait), in twips, whatever the orientation.
enum class PrinterSetting
{
    PaperSize,
    PageWidthTwips,
    PageHeightTwips,
    Orientation,
    PaperSource,
    PrintQuality,
    ColourMode,
    Duplex,
    Scale
};

// The operator-facing name of a setting, for error messages.
QString printerSettingName(PrinterSetting setting);

// A paper size a printer accepts: its code and the size of the page it
// gives, as named (portrait), in twips, with the name the printer gives it
// (empty where it gives none). Two entries are the same size when code and
// dimensions agree, whatever they are called.
struct SupportedPaperSize
{
    int code = 0;
    int widthTwips = 0;
    int heightTwips = 0;
    QString name = {};

    friend bool operator==(const SupportedPaperSize& a, const SupportedPaperSize& b)
    {
        return a.code == b.code && a.widthTwips == b.widthTwips && a.heightTwips == b.heightTwips;
    }
};

// One installed printer with its settings for this process. Changing a
// setting never touches the printer's stored defaults or the system's
// default printer.
class PrinterDevice
{
public:
    virtual ~PrinterDevice() = default;

    virtual QString deviceName() const = 0;
    virtual QString driverName() const = 0;
    virtual QString port() const = 0;

    // Throws hakobee::Error when the printer lacks the setting.
    virtual int setting(PrinterSetting which) const = 0;
    // Throws hakobee::Error when the printer lacks the setting or rejects the
    // value; the setting then keeps its previous value.
    virtual void setSetting(PrinterSetting which, int value) = 0;

    // Every paper size code (1 to highestPaperSizeCode, core/printer/papercodes.h)
    // that setSetting(PrinterSetting::PaperSize, code) accepts, once each, in
    // ascending order, with the page size it gives and the printer's name for it;
    // the user-defined code (256) carries the current page size. Asked of
    // the printer as a whole rather than code by code, it changes no setting.
    virtual QList<SupportedPaperSize> supportedPaperSizes() const = 0;

    // Drawing on this printer with its current settings. Lives as long as the
    // device; destroying the device discards a job left open.
    virtual PrinterCanvas& canvas() = 0;
};

// The printers of the system.
class PrinterBackend
{
public:
    virtual ~PrinterBackend() = default;

    // Device names of the installed printers, in the system's order.
    virtual QStringList printerNames() const = 0;
    // The system's default printer; empty when there is none.
    virtual QString defaultPrinterName() const = 0;
    // Opens one of printerNames() with its default settings; throws
    // hakobee::Error when it cannot.
    virtual std::unique_ptr<PrinterDevice> openPrinter(const QString& deviceName) = 0;
};

} // namespace hakobee
