#pragma once

#include <QList>
#include <QString>

namespace hakobee {

// How a start of a print run ended.
enum class RunEnd
{
    Completed,        // the records ended; the screen confirms and closes
    AllowanceStopped, // the allowance was used up
    Cancelled,        // the operator cancelled a label: no further label
    PrinterNotChosen, // the print-setup dialog was cancelled: nothing printed
    InvalidRange,     // a range field of the partial run was empty
    Failed,           // see RunResult::failure
    Refused           // a run was already going: nothing done
};

// Where and why a run failed. A failure while a record was being taken or
// printed names that record; one before the first record (settings, the
// database, the printer) names none.
struct RunFailure
{
    qint64 rowNumber = 0; // the row's position in the query result, from 1; 0 for none
    QString barcodeValue; // the row's first field, as far as it could be read
    QString description;
};

struct RunResult
{
    RunEnd end = RunEnd::Completed;
    int printed = 0; // labels sent to the printer by this start
    // Records this start took, those asking for no label among them: the
    // same as `printed` while every record is one label.
    int records = 0;
    // Rows of the printed labels whose barcode value was empty: each was
    // printed with its header alone. One row may be several labels.
    QList<qint64> rowsWithoutBarcode;
    int labelsWithoutBarcode = 0;
    qint64 nextRowNumber = 0; // the row the run would have taken next
    RunFailure failure;       // when end is Failed
};

// The description with the row it happened at: "7行目（バーコード「…」）: …".
QString describeRunFailure(const RunFailure& failure);

// The message of a continuous run that failed: the row, its barcode value,
// the failure's description, how many labels came out, where a partial run
// takes up again, and the labels printed without a barcode.
QString continuousRunFailureMessage(const RunResult& result);
QString runFailureTitle();

// The message of a partial run that failed.
QString partialRunFailureMessage(const RunFailure& failure);
QString partialRunFailureTitle();

// The message for an empty range field of the partial run, and its title.
QString invalidRangeMessage();
QString invalidRangeTitle();

// A line on the labels printed without a barcode, naming their rows; empty
// when every printed label had one.
QString labelsWithoutBarcodeNote(const RunResult& result);

// A run's message with that line added below it, when there is one.
QString withLabelsWithoutBarcodeNote(const QString& message, const RunResult& result);
// The title of that line shown alone, after a run stopped without a message.
QString labelsWithoutBarcodeTitle();

// How much a start printed: "7枚", and "7枚（3件）" with the records when
// they are not one label each.
QString printedCountText(const RunResult& result);

// The completion message of both runs, and its title. With the result, a
// run whose records were not one label each says how many of both.
QString runCompletedMessage();
QString runCompletedMessage(const RunResult& result);
QString runCompletedTitle();

} // namespace hakobee
