#include "core/printer/printersetup.h"

#include "core/error.h"
#include "core/messageboxes.h"
#include "core/printer/activeprinter.h"
#include "core/printer/printsetupdialog.h"
#include "core/printer/rememberedprinter.h"

#include <limits>

namespace hakobee {

namespace {

// Settings are read and written "errors ignored": a printer that lacks a
// setting or rejects a value leaves it as it was.
std::optional<int> tryRead(const ActivePrinter& printer, PrinterSetting setting)
{
    try {
        return printer.setting(setting);
    } catch (const Error&) {
        return std::nullopt;
    }
}

bool tryWrite(ActivePrinter& printer, PrinterSetting setting, int value)
{
    try {
        printer.setSetting(setting, value);
        return true;
    } catch (const Error&) {
        return false;
    }
}

std::optional<qint16> tryRead16(const ActivePrinter& printer, PrinterSetting setting)
{
    const std::optional<int> value = tryRead(printer, setting);
    if (!value || *value < std::numeric_limits<qint16>::min() ||
        *value > std::numeric_limits<qint16>::max())
        return std::nullopt;
    return static_cast<qint16>(*value);
}

struct OptionalField
{
    PrinterSetting setting;
    qint16 DevMode::*field;
    quint32 flag;
};

// The settings a printer may lack, in the order they are read and written.
const OptionalField optionalFields[] = {
    {PrinterSetting::PaperSource, &DevMode::defaultSource, DevMode::defaultSourceFlag},
    {PrinterSetting::PrintQuality, &DevMode::printQuality, DevMode::printQualityFlag},
    {PrinterSetting::ColourMode, &DevMode::color, DevMode::colorFlag},
    {PrinterSetting::Duplex, &DevMode::duplex, DevMode::duplexFlag},
    {PrinterSetting::Orientation, &DevMode::orientation, DevMode::orientationFlag},
    {PrinterSetting::Scale, &DevMode::scale, DevMode::scaleFlag},
};

// Printer changes are "errors ignored" too: a printer that cannot be opened
// leaves the current one.
void tryMakeCurrent(ActivePrinter& printer, const QString& deviceName)
{
    try {
        printer.makeCurrent(deviceName);
    } catch (const Error&) {
    }
}

bool sameName(const QString& a, const QString& b)
{
    return a.toUpper() == b.toUpper();
}

} // namespace

PrinterSetup::PrinterSetup(ActivePrinter& printer, PrintSetupDialog& dialog, MessageBoxes& messages,
                           RememberedPrinter* remembered)
    : printer_(printer), dialog_(dialog), messages_(messages), remembered_(remembered)
{}

DevMode PrinterSetup::devModeForCurrentPrinter() const
{
    DevMode mode;
    mode.setDeviceName(printer_.deviceName());

    if (const std::optional<int> code = tryRead(printer_, PrinterSetting::PaperSize)) {
        if (*code == DevMode::userDefinedPaperSize) {
            mode.fields |=
                DevMode::paperSizeFlag | DevMode::paperLengthFlag | DevMode::paperWidthFlag;
            mode.paperSize = DevMode::userDefinedPaperSize;
            if (const std::optional<int> width = tryRead(printer_, PrinterSetting::PageWidthTwips))
                mode.paperWidth = twipsToTenthsMm(*width).value_or(0);
            if (const std::optional<int> height =
                    tryRead(printer_, PrinterSetting::PageHeightTwips))
                mode.paperLength = twipsToTenthsMm(*height).value_or(0);
        } else if (*code >= 0 && *code <= std::numeric_limits<qint16>::max()) {
            mode.fields |= DevMode::paperSizeFlag;
            mode.paperSize = static_cast<qint16>(*code);
        }
    }

    for (const OptionalField& optional : optionalFields) {
        if (const std::optional<qint16> value = tryRead16(printer_, optional.setting)) {
            mode.*optional.field = *value;
            mode.fields |= optional.flag;
        }
    }
    return mode;
}

DevNames PrinterSetup::devNamesForCurrentPrinter() const
{
    DevNames names;
    names.driver = printer_.driverName();
    names.device = printer_.deviceName();
    names.port = printer_.port();
    return names;
}

bool PrinterSetup::ShowPrinterSetup(quint32 flags, QWidget* owner)
{
    QByteArray devMode = devModeForCurrentPrinter().toBytes();
    QByteArray devNames = devNamesForCurrentPrinter().toBytes();
    if (!dialog_.exec(flags, owner, devMode, devNames))
        return false;
    applyDialogChoice(DevMode::fromBytes(devMode), DevNames::fromBytes(devNames), owner);
    if (remembered_) {
        try {
            remembered_->remember(printer_);
        } catch (const Error& error) {
            messages_.show(owner, {error.description(), u"プリンタの設定"_qs,
                                   MessageIcon::Exclamation, MessageButtons::Ok});
        }
    }
    return true;
}

void PrinterSetup::applyDialogChoice(const DevMode& devMode, const DevNames& devNames,
                                     QWidget* owner)
{
    // A name not among the installed printers leaves the current printer,
    // which still takes the chosen settings.
    tryMakeCurrent(printer_, devNames.device);

    bool paperAccepted = true;
    if (devMode.paperSize == DevMode::userDefinedPaperSize) {
        paperAccepted &=
            tryWrite(printer_, PrinterSetting::PaperSize, DevMode::userDefinedPaperSize);
        paperAccepted &=
            tryWrite(printer_, PrinterSetting::PageWidthTwips, tenthsMmToTwips(devMode.paperWidth));
        paperAccepted &= tryWrite(printer_, PrinterSetting::PageHeightTwips,
                                  tenthsMmToTwips(devMode.paperLength));
    } else {
        paperAccepted = tryWrite(printer_, PrinterSetting::PaperSize, devMode.paperSize);
    }
    if (!paperAccepted) {
        messages_.show(owner, {u"指定された用紙サイズが不正です"_qs, u"プリンタの設定"_qs,
                               MessageIcon::None, MessageButtons::Ok});
    }

    for (const OptionalField& optional : optionalFields)
        tryWrite(printer_, optional.setting, devMode.*optional.field);
}

bool PrinterSetup::SelectPrinter(const QString& deviceName, int paperSizeCode, int orientation,
                                 int paperSource)
{
    tryMakeCurrent(printer_, deviceName);
    tryWrite(printer_, PrinterSetting::PaperSize, paperSizeCode);
    tryWrite(printer_, PrinterSetting::Orientation, orientation);
    tryWrite(printer_, PrinterSetting::PaperSource, paperSource);
    return sameName(printer_.deviceName(), deviceName);
}

void PrinterSetup::SavePrinterState()
{
    // Read all four before keeping any, so a failure keeps the old state whole.
    QString name = printer_.deviceName();
    const int paperSize = printer_.paperSizeCode();
    const int orientation = printer_.orientation();
    const int paperSource = printer_.paperSource();
    savedDeviceName_ = std::move(name);
    savedPaperSize_ = paperSize;
    savedOrientation_ = orientation;
    savedPaperSource_ = paperSource;
}

bool PrinterSetup::RestorePrinterState()
{
    return SelectPrinter(savedDeviceName_, savedPaperSize_, savedOrientation_, savedPaperSource_);
}

} // namespace hakobee
