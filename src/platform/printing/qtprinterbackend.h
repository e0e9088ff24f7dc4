#pragma once

#include "core/printer/printerbackend.h"

namespace hakobee {

// The printers Qt lists (CUPS queues on Linux, the spooler's printers on
// Windows). When there is none, the one printer is the PDF folder printer,
// which writes each job as its own numbered PDF file into a folder, so a
// fresh installation prints; the operator sees that folder as its port.
class QtPrinterBackend : public PrinterBackend
{
public:
    enum class SystemPrinters
    {
        Use,
        Ignore // only the PDF folder printer, whatever is installed
    };

    explicit QtPrinterBackend(QString pdfFolder,
                              SystemPrinters systemPrinters = SystemPrinters::Use);

    static QString pdfFolderPrinterName();
    const QString& pdfFolder() const { return pdfFolder_; }

    QStringList printerNames() const override;
    QString defaultPrinterName() const override;
    std::unique_ptr<PrinterDevice> openPrinter(const QString& deviceName) override;

private:
    QStringList systemPrinterNames() const;

    QString pdfFolder_;
    SystemPrinters systemPrinters_;
};

} // namespace hakobee
