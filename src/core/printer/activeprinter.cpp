#include "core/printer/activeprinter.h"

#include "core/error.h"

#include <utility>

namespace hakobee {

ActivePrinter::ActivePrinter(PrinterBackend& backend, Opening opening) : backend_(backend)
{
    if (opening == Opening::Now)
        current();
}

QString ActivePrinter::defaultPrinterName() const
{
    const QString name = backend_.defaultPrinterName();
    if (!name.isEmpty())
        return name;
    const QStringList names = backend_.printerNames();
    return names.isEmpty() ? QString() : names.first();
}

PrinterDevice& ActivePrinter::current() const
{
    if (device_)
        return *device_;
    if (firstUseStep_) {
        // Taken first, so the step's own calls on the printer open the
        // default rather than run it again. The ActivePrinter itself is never
        // const: only this accessor is.
        const std::function<void(ActivePrinter&)> step = std::exchange(firstUseStep_, nullptr);
        step(const_cast<ActivePrinter&>(*this));
        if (device_)
            return *device_;
    }
    const QString name = defaultPrinterName();
    if (name.isEmpty())
        throw Error(u"使用できるプリンタがありません。"_qs);
    device_ = backend_.openPrinter(name);
    return *device_;
}

void ActivePrinter::setFirstUseStep(std::function<void(ActivePrinter&)> step)
{
    firstUseStep_ = std::move(step);
    if (device_)
        std::exchange(firstUseStep_, nullptr)(*this);
}

ActivePrinter::~ActivePrinter() = default;

bool ActivePrinter::makeCurrent(const QString& deviceName)
{
    const QString wanted = deviceName.toUpper();
    // Printer names are unique regardless of letter case (CUPS and Windows
    // both treat them so): the current printer matched again needs no walk
    // through the system's list, which a print run does before every label.
    if (device_ && device_->deviceName().toUpper() == wanted)
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
