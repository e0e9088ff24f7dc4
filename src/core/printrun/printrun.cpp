#include "core/printrun/printrun.h"

#include "core/barcode/recordbarcode.h"
#include "core/datasource/databaseprovider.h"
#include "core/error.h"
#include "core/printer/activeprinter.h"
#include "core/printer/rememberedprinter.h"
#include "core/printrun/gatherlabel.h"
#include "core/printrun/labelinputs.h"
#include "core/printrun/labelpipeline.h"
#include "core/printrun/printrunview.h"
#include "core/printrun/runprinterprotocol.h"
#include "core/printrun/runrecord.h"
#include "core/printrun/runrows.h"
#include "core/render/cancelrequest.h"
#include "core/render/labelnumbers.h"
#include "core/settings/datasourcefile.h"

namespace hakobee {

bool PrintRun::prepare()
{
    const RunPrinterSettings printerSettings = readRunPrinterSettings(services_.databases);
    view_.showPrinterSettings(printerSettings.connectionType, printerSettings.paper);
    asksForPrinter_ = asksForPrinterAtEachRun(printerSettings.connectionType);
    if (asksForPrinter_) {
        services_.printerProtocol.restorePrinterState();
        if (!services_.printerProtocol.showPrinterSetup())
            return false;
        services_.printerProtocol.savePrinterState();
    }
    if (services_.rememberedPrinter) {
        // Whether the remembered printer is installed is known once the
        // printer has been opened.
        if (services_.printer)
            services_.printer->deviceName();
        services_.rememberedPrinter->checkNotMissing();
    }
    if (!asksForPrinter_ && services_.printer)
        applyStoredPaper(*services_.printer, printerSettings);
    // Read at every start, not when the screen opened: a change saved on the
    // position screen meanwhile is what the operator expects on paper.
    const PrintAdjustments saved = services_.inputs.adjustments();
    adjustments_ = adjustmentNumbersOf(saved);
    view_.showAdjustments(saved);
    view_.showRunStatus(RunStatus::Printing);
    return true;
}

bool PrintRun::printRow(RunRows& rows, RunResult& result)
{
    RunFailure& failure = result.failure;
    failure.rowNumber = rows.currentRowNumber();
    const QList<FieldValue> fields = rows.currentFields();
    failure.barcodeValue = barcodeValueOf(fields);
    const int copies = labelCountOfFields(fields).value_or(labelsPerRecord_);
    if (copies == 0) {
        ++result.records;
        failure = {};
        return false;
    }
    const RunRecord record = runRecordFromFields(fields);
    std::shared_ptr<const BarcodePicture> picture =
        services_.labels.recordBarcode(record.barcodeValue);
    view_.showRecord(record, picture);
    if (asksForPrinter_) {
        services_.printerProtocol.restorePrinterState();
        services_.printerProtocol.savePrinterState();
    }
    LabelInputs& inputs = services_.inputs;
    services_.labels.printLabel(gatherLabelRecord(record, std::move(picture), adjustments_,
                                                  inputs.titles(), inputs.baseFont(),
                                                  inputs.printerOffset()),
                                copies);
    ++result.records;
    if (record.barcodeValue.isEmpty()) {
        result.rowsWithoutBarcode.append(failure.rowNumber);
        result.labelsWithoutBarcode += copies;
    }
    for (int copy = 1; copy <= copies; ++copy)
        view_.showLabelPrinted(++result.printed, record, copy, copies);
    failure = {};
    // The renderer lowers the request as a label starts; raised now, it was
    // raised while this label was drawn.
    return services_.labels.cancel().isRequested();
}

RunResult ContinuousRun::start(const QString& query)
{
    RunResult result;
    if (isRunning()) {
        result.end = RunEnd::Refused;
        return result;
    }
    Going going(*this);
    view_.showAllowance(allowance_);
    try {
        if (!prepare()) {
            result.end = RunEnd::PrinterNotChosen;
            return result;
        }
        const DataSourceSettings dataSource = readDataSourceRows(services_.settings);
        std::unique_ptr<Connection> connection =
            services_.databases.open(dataSourceConnectionString(dataSource.databasePath));
        std::unique_ptr<Recordset> records =
            connection->openRecordset(query, CursorKind::StaticRead);
        RecordsetRows rows(std::move(connection), std::move(records));
        bool cancelled = false;
        for (;;) {
            result.nextRowNumber = rows.currentRowNumber();
            // A row that cannot even be read (the file damaged or written
            // over under the run) is that row's failure, after the labels
            // printed so far: not a run that could not start.
            result.failure.rowNumber = result.nextRowNumber;
            // A cancel during the last record still ends with the records.
            if (rows.atEnd()) {
                view_.showRunStatus(RunStatus::Finished);
                result.end = RunEnd::Completed;
                return result;
            }
            if (cancelled) {
                result.end = RunEnd::Cancelled;
                return result;
            }
            if (allowance_ == 0) {
                result.end = RunEnd::AllowanceStopped;
                return result;
            }
            --allowance_;
            cancelled = printRow(rows, result);
            // After a cancel the screen shows nothing left to print, though
            // the opening keeps what it had for a later start.
            view_.showAllowance(cancelled ? 0 : allowance_);
            result.failure.rowNumber = rows.currentRowNumber() + 1;
            rows.moveNext();
        }
    } catch (const Error& error) {
        result.end = RunEnd::Failed;
        result.failure.description = error.description();
        return result;
    }
}

RunResult PartialRun::start(RunRows& rows, const QString& firstRowText, const QString& lastRowText)
{
    RunResult result;
    if (isRunning()) {
        result.end = RunEnd::Refused;
        return result;
    }
    Going going(*this);
    qint64 rowCounter = 1;
    int allowance = allowancePerStart;
    view_.showAllowance(allowance);
    try {
        if (!prepare()) {
            result.end = RunEnd::PrinterNotChosen;
            return result;
        }
        bool cancelled = false;
        for (;;) {
            if (rows.atEnd()) {
                view_.showRunStatus(RunStatus::Finished);
                result.end = RunEnd::Completed;
                return result;
            }
            result.nextRowNumber = rows.currentRowNumber();
            if (cancelled || allowance == 0) {
                rows.release();
                result.end = cancelled ? RunEnd::Cancelled : RunEnd::AllowanceStopped;
                return result;
            }
            if (firstRowText.isEmpty() || lastRowText.isEmpty()) {
                result.end = RunEnd::InvalidRange;
                return result;
            }
            const double firstRow = parseDecimalText(firstRowText, u"開始行"_qs);
            const double lastRow = parseDecimalText(lastRowText, u"終了行"_qs);
            if (firstRow <= rowCounter && lastRow >= rowCounter) {
                // Only a row that is printed is read: a row outside the range
                // may hold anything without stopping the run.
                view_.showRowNumber(rowCounter);
                cancelled = printRow(rows, result);
            }
            ++rowCounter;
            --allowance;
            view_.showAllowance(cancelled ? 0 : allowance);
            // A row that cannot be read (the connection to a server lost)
            // is that row's failure, as in the continuous run.
            result.failure.rowNumber = rows.currentRowNumber() + 1;
            rows.moveNext();
            result.failure.rowNumber = 0;
        }
    } catch (const Error& error) {
        result.end = RunEnd::Failed;
        result.failure.description = error.description();
        return result;
    }
}

} // namespace hakobee
