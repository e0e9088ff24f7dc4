#pragma once

#include "core/printer/printerbackend.h"
#include "platform/printing/cairolabelcanvas.h"
#include "platform/printing/cupsqueueppd.h"
#include "platform/printing/printjoboutput.h"

#include <QList>
#include <QPageSize>
#include <QPrinter>

#include <memory>
#include <optional>

namespace hakobee {

// What a printer accepts, as Qt reports it for a CUPS queue, or as the PDF
// folder printer defines it. An empty list of page sizes accepts every size
// that has a Windows paper number.
struct PrinterCapabilities
{
    QList<QPageSize> pageSizes;
    bool customPageSizes = false;
    QList<int> resolutionsDpi; // empty: any resolution
    QList<QPrinter::ColorMode> colourModes;
    QList<QPrinter::DuplexMode> duplexModes;
    // Qt names the bins of a printer only on Windows; elsewhere the printer
    // picks its bin itself.
    QList<QPrinter::PaperSource> paperSources{QPrinter::Auto};
};

// A printer driven through QPrinter: a CUPS queue, or the PDF folder printer.
//
// A CUPS queue with a driver (a PPD) is described by its driver: it offers
// the sizes the PPD lists, each under its Windows number or a code above 256
// (core/printer/papercodes.h), opens on the queue's default size and
// resolution, and its jobs are laid out on that page at that resolution.
// When the driver takes CUPS raster (label printers' drivers do), each job
// is sent as that raster, drawn here, so every edge is on the printer's dot
// grid as drawn; otherwise as a PDF. QPrinter then only holds the page
// layout and the resolution the text is set at.
class QtPrinterDevice : public PrinterDevice
{
public:
    // What jobs to a raster driver are sent as.
    enum class JobFormat
    {
        DriversOwn, // CUPS raster where the driver takes it, PDF otherwise
        Pdf         // PDF always, rasterised by the spooler's filters
    };

    // A CUPS queue as Qt lists it.
    static std::unique_ptr<QtPrinterDevice> openQueue(const QString& queue);
    // The printer that writes each job as a numbered PDF file into a folder.
    static std::unique_ptr<QtPrinterDevice> openPdfFolder(const QString& deviceName,
                                                          const QString& folder);

    QString deviceName() const override { return deviceName_; }
    QString driverName() const override { return driverName_; }
    QString port() const override { return port_; }

    int setting(PrinterSetting which) const override;
    void setSetting(PrinterSetting which, int value) override;
    QList<SupportedPaperSize> supportedPaperSizes() const override;

    PrinterCanvas& canvas() override { return canvas_; }
    void setJobFormat(JobFormat format);
    // The printer's own name of the current paper ("w162h90"); empty for a
    // size it does not name.
    QString paperKey() const;
    CairoLabelCanvas& labelCanvas() { return canvas_; }
    const QPrinter& printer() const { return printer_; }

private:
    QtPrinterDevice(QString deviceName, QString driverName, QString port,
                    std::unique_ptr<PrintJobOutput> output);

    [[noreturn]] void unsupported(PrinterSetting which) const;
    [[noreturn]] void rejected(PrinterSetting which, int value) const;

    void setPaperSize(int code);
    // The page size a paper size code gives on this printer: the printer's
    // own size of that name, or Qt's. Empty when the printer rejects the code.
    std::optional<QPageSize> pageSizeForCode(int code) const;
    void setPageSizeTwips(int widthTwips, int heightTwips);
    void setPaperSource(int code);

    // Describes the queue from its driver; false when it has none.
    bool describeFromDriver(const QString& queue);
    void useMedia(int index);
    // The page a media of the driver gives.
    QPageSize mediaPageSize(int index) const;
    // The media of the driver's sizes that is this size in points, -1 for none.
    int mediaOfSize(QSizeF sizePt) const;
    // Tells the canvas what the current settings make of a job.
    void updateCanvas();

    QString deviceName_;
    QString driverName_;
    QString port_;
    PrinterCapabilities capabilities_;
    // Windows numbers some sizes of their own, but Qt snaps a custom size to
    // a named one of the same dimensions: remember that it was user-defined.
    bool userDefinedSize_ = false;
    // The driver's description and its sizes with their codes; no driver: null.
    std::unique_ptr<CupsQueuePpd> driver_;
    QList<int> mediaCodes_;
    int currentMedia_ = -1; // into driver_->media(); -1 for a size it does not name
    JobFormat jobFormat_ = JobFormat::DriversOwn;
    std::unique_ptr<PrintJobOutput> output_;
    QPrinter printer_{QPrinter::HighResolution};
    // Each job as its own PDF, for the folder and for the CUPS spooler alike.
    CairoLabelCanvas canvas_{printer_, *output_};
};

} // namespace hakobee
