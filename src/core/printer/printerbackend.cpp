#include "core/printer/printerbackend.h"

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

} // namespace hakobee
