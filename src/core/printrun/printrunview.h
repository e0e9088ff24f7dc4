#pragma once

#include "core/barcode/barcodepicture.h"
#include "core/printrun/runrecord.h"

#include <QString>

#include <memory>

namespace hakobee {

struct DataSourceSettings;

// The status line of a run screen.
enum class RunStatus
{
    Printing, // "※ただ今印刷処理中!!"
    Finished  // "※印刷処理終了!!"
};

QString runStatusText(RunStatus status);

// Where a run shows what it does and hands each record over to be printed:
// the continuous-run screen's fields (both runs print through them), or the
// batch command. PrintOneLabel takes its inputs from what was handed over,
// not from arguments.
class PrintRunView
{
public:
    virtual ~PrintRunView() = default;

    virtual void showRunStatus(RunStatus status) = 0;
    // The connection type (Text999) and paper (Label_YOSHI) the run read.
    virtual void showPrinterSettings(const QString& connectionType, const QString& paper)
    {
        Q_UNUSED(connectionType);
        Q_UNUSED(paper);
    }
    // The data source read again at the start of a continuous run.
    virtual void showDataSource(const DataSourceSettings& dataSource) { Q_UNUSED(dataSource); }
    // The number of the row being printed, counted from the run's first row
    // (partial run only).
    virtual void showRowNumber(qint64 rowNumber) { Q_UNUSED(rowNumber); }

    // The record to print next, the barcode text made of it and its barcode
    // picture (made for this very record).
    virtual void handOver(const RunRecord& record, const QString& barcodeText,
                          std::shared_ptr<const BarcodePicture> picture) = 0;
    // PrintOneLabel: draws what was handed over, with the print adjustments
    // and titles in force now, as one print job. Throws hakobee::Error.
    virtual void printOneLabel() = 0;
};

} // namespace hakobee
