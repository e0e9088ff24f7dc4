#include "core/printrun/runsettings.h"

#include "core/error.h"
#include "core/printer/activeprinter.h"
#include "core/render/labelnumbers.h"
#include "core/settings/layoutfile.h"

namespace hakobee {

namespace {

const QString paperChosenAtEachRun = u"999"_qs;

} // namespace

RunPrinterSettings readRunPrinterSettings(DatabaseProvider& databases)
{
    const LayoutSettings layout = readLayoutRecord(databases);
    return {layout.paper, layout.printer};
}

bool asksForPrinterAtEachRun(const QString& connectionType)
{
    return connectionType == u"1";
}

bool usesFixedPrinter(const QString& connectionType)
{
    return connectionType == u"0";
}

std::optional<int> storedPaperSizeCode(const QString& paper)
{
    const QString trimmed = paper.trimmed();
    if (trimmed == paperChosenAtEachRun)
        return std::nullopt;
    bool ok = false;
    const int code = trimmed.toInt(&ok);
    if (!ok || code <= 0)
        return std::nullopt;
    return code;
}

void applyStoredPaper(ActivePrinter& printer, const RunPrinterSettings& settings)
{
    if (!usesFixedPrinter(settings.connectionType))
        return;
    const std::optional<int> code = storedPaperSizeCode(settings.paper);
    if (!code || printer.paperSizeCode() == *code)
        return;
    try {
        printer.setPaperSizeCode(*code);
    } catch (const Error& error) {
        throw Error(u"プリンタ「%1」は、用紙設定で選んだ用紙（用紙サイズ %2）を使えません。"
                    u"[プリンター/用紙設定] で用紙を選びなおしてください。%3"_qs.arg(
                        printer.deviceName(), QString::number(*code), error.description()));
    }
}

AdjustmentNumbers adjustmentNumbersOf(const PrintAdjustments& adjustments)
{
    return {parseHorizontalOffsetMm(adjustments.horizontalOffsetMm),
            parseVerticalOffsetMm(adjustments.verticalOffsetMm),
            parseFontAdjustmentPt(adjustments.fontSizeChangePt)};
}

} // namespace hakobee
