#include "platform/printing/qtprinterbackend.h"

#include "platform/printing/qtprinterdevice.h"

#include <QPrinterInfo>

namespace hakobee {

QtPrinterBackend::QtPrinterBackend(QString pdfFolder, SystemPrinters systemPrinters)
    : pdfFolder_(std::move(pdfFolder)), systemPrinters_(systemPrinters)
{}

QString QtPrinterBackend::pdfFolderPrinterName()
{
    return u"PDFフォルダ"_qs;
}

QStringList QtPrinterBackend::systemPrinterNames() const
{
    if (systemPrinters_ == SystemPrinters::Ignore)
        return {};
    return QPrinterInfo::availablePrinterNames();
}

QStringList QtPrinterBackend::printerNames() const
{
    const QStringList names = systemPrinterNames();
    return names.isEmpty() ? QStringList{pdfFolderPrinterName()} : names;
}

QString QtPrinterBackend::defaultPrinterName() const
{
    if (systemPrinterNames().isEmpty())
        return pdfFolderPrinterName();
    return QPrinterInfo::defaultPrinterName();
}

std::unique_ptr<PrinterDevice> QtPrinterBackend::openPrinter(const QString& deviceName)
{
    if (systemPrinterNames().isEmpty())
        return QtPrinterDevice::openPdfFolder(deviceName, pdfFolder_);
    return QtPrinterDevice::openQueue(deviceName);
}

} // namespace hakobee
