#pragma once

#include "core/error.h"
#include "core/printer/papercodes.h"
#include "core/printer/printerbackend.h"

namespace hakobee::test {

// The paper sizes a printer accepts found the slow way: every code a DEVMODE
// can carry set on the printer in turn (starting each time from the paper it
// had), with the page size it then reports. The printer is left on the
// paper it had.
inline QList<SupportedPaperSize> probePaperSizesOneByOne(PrinterDevice& printer)
{
    const int startCode = printer.setting(PrinterSetting::PaperSize);
    QList<SupportedPaperSize> accepted;
    for (int code = 1; code <= highestPaperSizeCode; ++code) {
        printer.setSetting(PrinterSetting::PaperSize, startCode);
        try {
            printer.setSetting(PrinterSetting::PaperSize, code);
        } catch (const Error&) {
            continue;
        }
        accepted.append({code, printer.setting(PrinterSetting::PageWidthTwips),
                         printer.setting(PrinterSetting::PageHeightTwips), QString()});
    }
    printer.setSetting(PrinterSetting::PaperSize, startCode);
    return accepted;
}

} // namespace hakobee::test
