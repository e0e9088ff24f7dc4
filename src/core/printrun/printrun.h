#pragma once

#include "core/printrun/runresult.h"

#include <QString>

namespace hakobee {

class ActivePrinter;
class DatabaseProvider;
class LabelPipeline;
class PrintRunView;
class RememberedPrinter;
class RunAllowance;
class RunPrinterProtocol;
class RunRows;
class SettingsFolder;
struct RunPrinterSettings;

// What a print run reads and prints through.
struct PrintRunServices
{
    DatabaseProvider& databases;
    const SettingsFolder& settings;
    // Makes each record's barcode picture.
    LabelPipeline& labels;
    // Label_PP: what the running run may still print; the progress screen's
    // cancel sets it to "1".
    RunAllowance& allowance;
    // Calls made with connection type "1".
    RunPrinterProtocol& printerProtocol;
    // The printer the stored paper is applied to with connection type "0";
    // null where the paper is not applied.
    ActivePrinter* printer = nullptr;
    // The printer remembered from an earlier start: a run does not start
    // while it is missing. Null where nothing is remembered.
    const RememberedPrinter* rememberedPrinter = nullptr;
};

// What both runs share: the start (printer settings, the connection type's
// printer calls, the stored paper, the status), taking a row's record and
// printing it, and the refusal of a second start while one is going.
class PrintRun
{
public:
    PrintRun(PrintRunServices services, PrintRunView& view) : services_(services), view_(view) {}
    PrintRun(const PrintRun&) = delete;
    PrintRun& operator=(const PrintRun&) = delete;

    bool isRunning() const { return running_; }

protected:
    // Marks the run as going for its scope.
    class Going
    {
    public:
        explicit Going(PrintRun& run) : run_(run) { run_.running_ = true; }
        ~Going() { run_.running_ = false; }
        Going(const Going&) = delete;
        Going& operator=(const Going&) = delete;

    private:
        PrintRun& run_;
    };

    // Reads the printer settings and, with connection type "1", lets the
    // operator choose the printer (false: cancelled, nothing is to be
    // printed); refuses a remembered printer that is missing and was not
    // chosen anew in that dialog; with type "0" applies the stored paper;
    // then shows the run as printing. Throws hakobee::Error.
    bool prepare();

    // The row handed over to be printed.
    struct TakenRow
    {
        qint64 rowNumber = 0;
        bool withoutBarcode = false; // an empty barcode value: the header alone
    };

    // Takes the current row's record and makes its barcode picture, and
    // hands both over. Notes the row in `failure` first, so a failure from
    // here to the end of the record names it. Throws hakobee::Error.
    TakenRow takeRow(RunRows& rows, RunFailure& failure);
    // The per-record printer calls of connection type "1", then
    // PrintOneLabel; counts the label in `result`. Throws hakobee::Error.
    void printTakenRow(const TakenRow& row, RunResult& result);

    // Label_PP read as a number, and lowered by one.
    double allowanceLeft() const;
    void lowerAllowanceText();

    PrintRunServices services_;
    PrintRunView& view_;
    bool asksForPrinter_ = false;

private:
    bool running_ = false;
};

// The continuous run: every record of the data-source query, in the order
// the query returns them, through a record set of its own, until the
// records end, the opening's allowance is used up or the operator cancels.
class ContinuousRun : public PrintRun
{
public:
    using PrintRun::PrintRun;

    // `query` is the one built when the screen opened; `allowance` what this
    // opening may still print, lowered for every record printed.
    RunResult start(const QString& query, int& allowance);
};

// The partial run: walks rows from their current row, numbering them from 1,
// and prints those whose number lies between the two range texts (read as
// decimal numbers, so 2.5 begins at 3). Every row walked counts against the
// allowance of 300 each start sets.
class PartialRun : public PrintRun
{
public:
    static constexpr int allowancePerStart = 300;

    using PrintRun::PrintRun;

    RunResult start(RunRows& rows, const QString& firstRowText, const QString& lastRowText);
};

} // namespace hakobee
