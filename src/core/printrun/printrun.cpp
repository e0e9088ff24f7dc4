#include "core/printrun/printrun.h"

#include "core/barcode/recordbarcode.h"
#include "core/datasource/databaseprovider.h"
#include "core/datasource/datasourcefile.h"
#include "core/error.h"
#include "core/printer/activeprinter.h"
#include "core/printer/rememberedprinter.h"
#include "core/printrun/labelpipeline.h"
#include "core/printrun/printrunview.h"
#include "core/printrun/runallowance.h"
#include "core/printrun/runprinterprotocol.h"
#include "core/printrun/runrecord.h"
#include "core/printrun/runrows.h"
#include "core/printrun/runsettings.h"
#include "core/render/labelnumbers.h"

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
    view_.showRunStatus(RunStatus::Printing);
    return true;
}

PrintRun::TakenRow PrintRun::takeRow(RunRows& rows, RunFailure& failure)
{
    failure.rowNumber = rows.currentRowNumber();
    const QList<FieldValue> fields = rows.currentFields();
    failure.barcodeValue = barcodeValueOf(fields);
    const RunRecord record = runRecordFromFields(fields);
    std::shared_ptr<const BarcodePicture> picture =
        services_.labels.recordBarcode(record.barcodeValue);
    view_.handOver(record, barcodeTextOf(record.barcodeValue), std::move(picture));
    return {failure.rowNumber, record.barcodeValue.isEmpty()};
}

void PrintRun::printTakenRow(const TakenRow& row, RunResult& result)
{
    if (asksForPrinter_) {
        services_.printerProtocol.restorePrinterState();
        services_.printerProtocol.savePrinterState();
    }
    view_.printOneLabel();
    ++result.printed;
    if (row.withoutBarcode)
        result.rowsWithoutBarcode.append(row.rowNumber);
}

double PrintRun::allowanceLeft() const
{
    return services_.allowance.numericValue();
}

void PrintRun::lowerAllowanceText()
{
    services_.allowance.setText(QString::number(allowanceLeft() - 1));
}

RunResult ContinuousRun::start(const QString& query, int& allowance)
{
    RunResult result;
    if (isRunning()) {
        result.end = RunEnd::Refused;
        return result;
    }
    Going going(*this);
    services_.allowance.setText(QString());
    services_.allowance.setText(QString::number(allowance));
    try {
        if (!prepare()) {
            result.end = RunEnd::PrinterNotChosen;
            return result;
        }
        const DataSourceSettings dataSource = readDataSourceRows(services_.settings);
        view_.showDataSource(dataSource);
        std::unique_ptr<Connection> connection =
            services_.databases.open(dataSourceConnectionString(dataSource.databasePath));
        std::unique_ptr<Recordset> records =
            connection->openRecordset(query, CursorKind::StaticRead);
        RecordsetRows rows(std::move(connection), std::move(records));
        for (;;) {
            result.nextRowNumber = rows.currentRowNumber();
            // A row that cannot even be read (the file damaged or written
            // over under the run) is that row's failure, after the labels
            // printed so far: not a run that could not start.
            result.failure.rowNumber = result.nextRowNumber;
            if (rows.atEnd()) {
                view_.showRunStatus(RunStatus::Finished);
                result.end = RunEnd::Completed;
                return result;
            }
            if (allowanceLeft() == 0) {
                result.end = RunEnd::AllowanceStopped;
                return result;
            }
            const TakenRow taken = takeRow(rows, result.failure);
            --allowance;
            printTakenRow(taken, result);
            result.failure = {};
            lowerAllowanceText();
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
    services_.allowance.setText(QString::number(allowancePerStart));
    try {
        if (!prepare()) {
            result.end = RunEnd::PrinterNotChosen;
            return result;
        }
        for (;;) {
            if (rows.atEnd()) {
                view_.showRunStatus(RunStatus::Finished);
                result.end = RunEnd::Completed;
                return result;
            }
            result.nextRowNumber = rows.currentRowNumber();
            if (allowanceLeft() == 0) {
                rows.release();
                result.end = RunEnd::AllowanceStopped;
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
                const TakenRow taken = takeRow(rows, result.failure);
                view_.showRowNumber(rowCounter);
                printTakenRow(taken, result);
                result.failure = {};
            }
            ++rowCounter;
            lowerAllowanceText();
            rows.moveNext();
        }
    } catch (const Error& error) {
        result.end = RunEnd::Failed;
        result.failure.description = error.description();
        return result;
    }
}

} // namespace hakobee
