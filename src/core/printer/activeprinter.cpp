#include "core/printer/activeprinter.h"

#include "core/error.h"

namespace hakobee {

ActivePrinter::ActivePrinter(PrinterBackend& backend, Opening opening) : backend_(backend)
{
    if (opening == Opening::Now)
        current();
}

PrinterDevice& ActivePrinter::current() const
{
    if (device_)
        return *device_;
    QString name = backend_.defaultPrinterName();
    if (name.isEmpty()) {
        const QStringList names = backend_.printerNames();
        if (names.isEmpty())
            throw Error(QStringLiteral("使用できるプリンタがありません。"));
        name = names.first();
    }
    device_ = backend_.openPrinter(name);
    return *device_;
}

ActivePrinter::~ActivePrinter() = default;

bool ActivePrinter::makeCurrent(const QString& deviceName)
{
    const QString wanted = deviceName.toUpper();
    // Printer names are unique regardless of letter case (CUPS and Windows
    // both treat them so): the current printer matched again needs no walk
    // through the system's list, which a print run does before every label.
    if (current().deviceName().toUpper() == wanted)
        return true;
    const QStringList names = backend_.printerNames();
    for (const QString& name : names) {
        if (name.toUpper() != wanted)
            continue;
        device_ = backend_.openPrinter(name);
        return true;
    }
    return false;
}

} // namespace hakobee
