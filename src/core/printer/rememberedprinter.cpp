#include "core/printer/rememberedprinter.h"

#include "core/error.h"
#include "core/printer/activeprinter.h"

namespace hakobee {

namespace {

constexpr int userDefinedPaperSize = 256;

std::optional<int> tryRead(const ActivePrinter& printer, PrinterSetting setting)
{
    try {
        return printer.setting(setting);
    } catch (const Error&) {
        return std::nullopt;
    }
}

void tryWrite(ActivePrinter& printer, PrinterSetting setting, const std::optional<int>& value)
{
    if (!value)
        return;
    try {
        printer.setSetting(setting, *value);
    } catch (const Error&) {
        // Skipped: the printer keeps what it has.
    }
}

bool sameName(const QString& a, const QString& b)
{
    return a.toUpper() == b.toUpper();
}

} // namespace

RememberedPrinter::RememberedPrinter(const SettingsFolder& folder) : folder_(folder)
{
    try {
        memory_ = readPrinterMemory(folder_);
    } catch (const Error& error) {
        problem_ =
            error.description() + u"記憶していたプリンターと印刷位置の補正は使わずに続けます。"_qs;
    }
}

void RememberedPrinter::restoreAtFirstUse(ActivePrinter& printer)
{
    printer.setFirstUseStep([this](ActivePrinter& opening) { restoreInto(opening); });
}

void RememberedPrinter::restoreInto(ActivePrinter& printer)
{
    const PrinterMemoryEntry* entry = memory_.find(memory_.currentDeviceName);
    if (!entry) {
        // The default printer is opened right after this step: the screens
        // can name it once it is.
        QMetaObject::invokeMethod(this, &RememberedPrinter::changed, Qt::QueuedConnection);
        return;
    }
    bool installed = false;
    try {
        installed = printer.makeCurrent(entry->deviceName);
    } catch (const Error& error) {
        missingReason_ = error.description();
    }
    if (!installed) {
        missingName_ = entry->deviceName;
        emit changed();
        return;
    }
    tryWrite(printer, PrinterSetting::PaperSize, entry->paperSizeCode);
    if (entry->paperSizeCode == userDefinedPaperSize) {
        tryWrite(printer, PrinterSetting::PageWidthTwips, entry->pageWidthTwips);
        tryWrite(printer, PrinterSetting::PageHeightTwips, entry->pageHeightTwips);
    }
    tryWrite(printer, PrinterSetting::Orientation, entry->orientation);
    tryWrite(printer, PrinterSetting::PaperSource, entry->paperSource);
    tryWrite(printer, PrinterSetting::PrintQuality, entry->printQualityDpi);
    emit changed();
}

QString RememberedPrinter::missingMessage() const
{
    if (!missingReason_.isEmpty())
        return u"プリンタ「%1」を使えません。[プリンター/用紙設定] "
               u"でプリンターを選びなおしてください。%2"_qs.arg(missingName_, missingReason_);
    return u"プリンタ「%1」が見つかりません。[プリンター/用紙設定] "
           u"でプリンターを選びなおしてください。"_qs.arg(missingName_);
}

void RememberedPrinter::checkNotMissing() const
{
    if (isMissing())
        throw Error(missingMessage());
}

void RememberedPrinter::remember(const ActivePrinter& printer)
{
    const QString name = printer.deviceName();
    PrinterMemoryEntry& entry = memory_.entry(name);
    entry.deviceName = name;
    entry.paperSizeCode = tryRead(printer, PrinterSetting::PaperSize);
    entry.pageWidthTwips = tryRead(printer, PrinterSetting::PageWidthTwips);
    entry.pageHeightTwips = tryRead(printer, PrinterSetting::PageHeightTwips);
    entry.orientation = tryRead(printer, PrinterSetting::Orientation);
    entry.paperSource = tryRead(printer, PrinterSetting::PaperSource);
    entry.printQualityDpi = tryRead(printer, PrinterSetting::PrintQuality);
    memory_.currentDeviceName = name;
    missingName_.clear();
    missingReason_.clear();
    emit changed();
    write();
}

PrinterOffsetMm RememberedPrinter::offsetMm(const QString& deviceName) const
{
    const PrinterMemoryEntry* entry = memory_.find(deviceName);
    return entry ? entry->offsetMm : PrinterOffsetMm{};
}

void RememberedPrinter::setOffsetMm(const QString& deviceName, const PrinterOffsetMm& offset)
{
    memory_.entry(deviceName).offsetMm = offset;
    emit changed();
    write();
}

void RememberedPrinter::write()
{
    writePrinterMemory(folder_, memory_);
    // The damaged file is gone now.
    problem_.clear();
}

QString RememberedPrinter::inUseText(const ActivePrinter& printer) const
{
    if (isMissing())
        return u"「%1」が見つかりません"_qs.arg(missingName_);
    const QString name = printer.isOpen() ? printer.deviceName() : memory_.currentDeviceName;
    if (!memory_.currentDeviceName.isEmpty() && !name.isEmpty())
        return name;
    // Asking the system for its default loads the printer support and asks
    // the spooler, some 20 ms the start of the program does not wait for.
    if (!printer.isOpen())
        return u"既定のプリンター"_qs;
    const QString systemDefault = printer.defaultPrinterName();
    if (!name.isEmpty() && !sameName(name, systemDefault))
        return name;
    return systemDefault.isEmpty() ? u"既定のプリンター"_qs
                                   : u"既定のプリンター（%1）"_qs.arg(systemDefault);
}

} // namespace hakobee
