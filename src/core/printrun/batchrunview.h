#pragma once

#include "core/printer/printercanvas.h"
#include "core/printer/printeroffset.h"
#include "core/printrun/labeltitles.h"
#include "core/printrun/printrunview.h"
#include "core/printrun/runsettings.h"

#include <functional>

namespace hakobee {

class LabelPipeline;

// A run without screens: the record handed over is kept here, and
// PrintOneLabel draws it with the print adjustments, titles and base font
// the command read when it started, as the run screen would.
class BatchRunView : public PrintRunView
{
public:
    BatchRunView(LabelPipeline& labels, LabelAdjustments adjustments, LabelTitles titles,
                 PrintFont baseFont)
        : labels_(labels), adjustments_(std::move(adjustments)), titles_(std::move(titles)),
          baseFont_(std::move(baseFont))
    {}

    // Called after every label sent, with its number in this run (from 1)
    // and its record.
    std::function<void(int label, const RunRecord& record)> onLabelPrinted;
    // The calibration offset of the printer each label goes to, asked before
    // every label; none when unset.
    std::function<PrinterOffsetMm()> printerOffset;

    void showRunStatus(RunStatus) override {}
    void handOver(const RunRecord& record, const QString& barcodeText,
                  std::shared_ptr<const BarcodePicture> picture) override;
    void printOneLabel() override;

private:
    LabelPipeline& labels_;
    LabelAdjustments adjustments_;
    LabelTitles titles_;
    PrintFont baseFont_;
    RunRecord record_;
    std::shared_ptr<const BarcodePicture> picture_;
    int printed_ = 0;
};

} // namespace hakobee
