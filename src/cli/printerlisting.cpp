#include "cli/printerlisting.h"

#include "core/error.h"
#include "core/printer/activeprinter.h"
#include "core/printer/paperlist.h"
#include "core/printer/printerbackend.h"

namespace hakobee {

namespace {

const QString detailIndent = u"    "_qs;
const QString paperIndent = u"        "_qs;

QString resolutionText(const PrinterDevice& device)
{
    try {
        return u"%1 dpi"_qs.arg(device.setting(PrinterSetting::PrintQuality));
    } catch (const Error&) {
        return u"不明"_qs;
    }
}

QString paperLine(const SupportedPaperSize& size)
{
    QString line = u"%1, %2 x %3 mm"_qs.arg(size.code)
                       .arg(paperListMillimetres(size.widthTwips))
                       .arg(paperListMillimetres(size.heightTwips));
    if (!size.name.isEmpty())
        line += u", "_qs + size.name;
    return line;
}

QString printerDetails(const PrinterDevice& device)
{
    QString text = detailIndent + u"解像度: "_qs + resolutionText(device) + u'\n';
    const QList<SupportedPaperSize> sizes = device.supportedPaperSizes();
    if (sizes.isEmpty())
        return text + detailIndent + u"用紙: なし\n"_qs;
    text += detailIndent + u"用紙:\n"_qs;
    for (const SupportedPaperSize& size : sizes)
        text += paperIndent + paperLine(size) + u'\n';
    return text;
}

} // namespace

QString currentPrinterName(PrinterBackend& backend, const QString& rememberedDeviceName)
{
    ActivePrinter printer(backend, ActivePrinter::Opening::OnFirstUse);
    if (!rememberedDeviceName.isEmpty() && !printer.makeCurrent(rememberedDeviceName))
        return {};
    return printer.deviceName();
}

PrinterListing listPrinters(PrinterBackend& backend, const QString& onlyPrinterName,
                            const QString& rememberedDeviceName)
{
    PrinterListing listing;
    const auto fail = [&listing](const QString& reason) {
        listing.err += reason + u'\n';
        listing.exitCode = 1;
    };
    const QStringList installed = backend.printerNames();
    QStringList shown;
    for (const QString& name : installed) {
        if (onlyPrinterName.isEmpty() || name.toUpper() == onlyPrinterName.toUpper())
            shown.append(name);
    }
    if (!onlyPrinterName.isEmpty() && shown.isEmpty()) {
        fail(u"プリンタ「%1」はありません。使えるプリンタ: %2"_qs.arg(onlyPrinterName,
                                                                      installed.join(u"、"_qs)));
        return listing;
    }
    if (installed.isEmpty()) {
        fail(u"使用できるプリンタがありません。"_qs);
        return listing;
    }
    // A current printer that cannot be opened leaves the others to be listed.
    QString current;
    try {
        current = currentPrinterName(backend, rememberedDeviceName);
        if (current.isEmpty())
            listing.err += u"記憶しているプリンタ「%1」が見つかりません。[プリンター/用紙設定] で"
                           u"プリンターを選びなおすか、hakobee print に --printer プリンタ名 を"
                           u"指定してください。\n"_qs.arg(rememberedDeviceName);
    } catch (const Error& error) {
        fail(error.description());
    }
    for (const QString& name : shown) {
        listing.out += (name == current ? u"* "_qs : u"  "_qs) + name + u'\n';
        try {
            listing.out += printerDetails(*backend.openPrinter(name));
        } catch (const Error& error) {
            fail(u"プリンタ「%1」の設定を読めません。%2"_qs.arg(name, error.description()));
        }
    }
    return listing;
}

} // namespace hakobee
