#pragma once

#include "core/barcode/barcodepicture.h"
#include "core/printrun/runrecord.h"
#include "core/printrun/runsettings.h"

#include <QString>

#include <memory>

namespace hakobee {

// The status line of a run screen.
enum class RunStatus
{
    Printing, // "※ただ今印刷処理中!!"
    Finished  // "※印刷処理終了!!"
};

QString runStatusText(RunStatus status);

// Where a run shows what it does: a run screen, or the command line's
// progress lines. It only shows; the run prints every label itself. Each
// thing a place has nowhere to show it shows nowhere.
class PrintRunView
{
public:
    virtual ~PrintRunView() = default;

    virtual void showRunStatus(RunStatus status) = 0;
    // The connection type and paper (Label_YOSHI) the run read.
    virtual void showPrinterSettings(const QString& connectionType, const QString& paper)
    {
        Q_UNUSED(connectionType);
        Q_UNUSED(paper);
    }
    // The print adjustments every label of this start is printed with, as saved.
    virtual void showAdjustments(const PrintAdjustments& saved) { Q_UNUSED(saved); }
    // What the run may still print (Label_PP): shown as a start begins and
    // after every record; 0 after a cancel.
    virtual void showAllowance(int left) { Q_UNUSED(left); }
    // The number of the row being printed, counted from the run's first row
    // (partial run only).
    virtual void showRowNumber(qint64 rowNumber) { Q_UNUSED(rowNumber); }
    // The record about to be printed and its barcode picture (Picture2).
    virtual void showRecord(const RunRecord& record, std::shared_ptr<const BarcodePicture> picture)
    {
        Q_UNUSED(record);
        Q_UNUSED(picture);
    }
    // A label has gone to the printer: its number in this start (from 1),
    // and which of its record's labels it is (the copy-th of `copies`). The
    // labels of one record go as one job and are shown together after it.
    virtual void showLabelPrinted(int label, const RunRecord& record, int copy, int copies)
    {
        Q_UNUSED(label);
        Q_UNUSED(record);
        Q_UNUSED(copy);
        Q_UNUSED(copies);
    }
};

} // namespace hakobee
