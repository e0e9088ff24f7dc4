#include "printer/activeprinter.h"

#include "platform/error.h"

namespace hakobee {

QString printerSettingName(PrinterSetting setting)
{
    switch (setting) {
    case PrinterSetting::PaperSize:
        return QStringLiteral("用紙サイズ");
    case PrinterSetting::PageWidthTwips:
        return QStringLiteral("用紙の幅");
    case PrinterSetting::PageHeightTwips:
        return QStringLiteral("用紙の高さ");
    case PrinterSetting::Orientation:
        return QStringLiteral("印刷の向き");
    case PrinterSetting::PaperSource:
        return QStringLiteral("給紙方法");
    case PrinterSetting::PrintQuality:
        return QStringLiteral("印刷品質");
    case PrinterSetting::ColourMode:
        return QStringLiteral("カラー設定");
    case PrinterSetting::Duplex:
        return QStringLiteral("両面印刷");
    case PrinterSetting::Scale:
        return QStringLiteral("拡大縮小");
    }
    return {};
}

ActivePrinter::ActivePrinter(PrinterBackend& backend) : backend_(backend)
{
    QString name = backend_.defaultPrinterName();
    if (name.isEmpty()) {
        const QStringList names = backend_.printerNames();
        if (names.isEmpty())
            throw Error(QStringLiteral("使用できるプリンタがありません。"));
        name = names.first();
    }
    device_ = backend_.openPrinter(name);
}

ActivePrinter::~ActivePrinter() = default;

bool ActivePrinter::makeCurrent(const QString& deviceName)
{
    const QString wanted = deviceName.toUpper();
    // Printer names are unique regardless of letter case (CUPS and Windows
    // both treat them so): the current printer matched again needs no walk
    // through the system's list, which a print run does before every label.
    if (device_->deviceName().toUpper() == wanted)
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
