#pragma once

#include "core/printer/printerbackend.h"
#include "platform/printing/cairopdfcanvas.h"
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
class QtPrinterDevice : public PrinterDevice
{
public:
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
    CairoPdfCanvas& pdfCanvas() { return canvas_; }
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

    QString deviceName_;
    QString driverName_;
    QString port_;
    PrinterCapabilities capabilities_;
    // Windows numbers some sizes of their own, but Qt snaps a custom size to
    // a named one of the same dimensions: remember that it was user-defined.
    bool userDefinedSize_ = false;
    std::unique_ptr<PrintJobOutput> output_;
    QPrinter printer_{QPrinter::HighResolution};
    // Each job as its own PDF, for the folder and for the CUPS spooler alike.
    CairoPdfCanvas canvas_{printer_, *output_};
};

} // namespace hakobee
