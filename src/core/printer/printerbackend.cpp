#include "core/printer/printerbackend.h"

namespace hakobee {

QString printerSettingName(PrinterSetting setting)
{
    switch (setting) {
    case PrinterSetting::PaperSize:
        return u"用紙サイズ"_qs;
    case PrinterSetting::PageWidthTwips:
        return u"用紙の幅"_qs;
    case PrinterSetting::PageHeightTwips:
        return u"用紙の高さ"_qs;
    case PrinterSetting::Orientation:
        return u"印刷の向き"_qs;
    case PrinterSetting::PaperSource:
        return u"給紙方法"_qs;
    case PrinterSetting::PrintQuality:
        return u"印刷品質"_qs;
    case PrinterSetting::ColourMode:
        return u"カラー設定"_qs;
    case PrinterSetting::Duplex:
        return u"両面印刷"_qs;
    case PrinterSetting::Scale:
        return u"拡大縮小"_qs;
    }
    return {};
}

} // namespace hakobee
