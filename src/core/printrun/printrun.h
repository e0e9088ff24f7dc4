#pragma once

#include "core/printrun/runresult.h"
#include "core/printrun/runsettings.h"

#include <QString>

namespace hakobee {

class ActivePrinter;
class DatabaseProvider;
class LabelInputs;
class LabelPipeline;
class PrintRunView;
class RememberedPrinter;
class RunPrinterProtocol;
class RunRows;
class SettingsFolder;
struct RunPrinterSettings;

// What a print run reads and prints through.
struct PrintRunServices
{
    DatabaseProvider& databases;
    const SettingsFolder& settings;
    // Makes each record's barcode picture and prints its label; its cancel
    // request, raised on the progress screen, stops the run.
    LabelPipeline& labels;
    // The adjustments, titles, base font and calibration the labels print with.
    LabelInputs& inputs;
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
// printer calls, the stored paper, the print adjustments, the status),
// printing a row's label, and the refusal of a second start while one is
// going.
class PrintRun
{
public:
    PrintRun(PrintRunServices services, PrintRunView& view) : services_(services), view_(view) {}
    PrintRun(const PrintRun&) = delete;
    PrintRun& operator=(const PrintRun&) = delete;

    bool isRunning() const { return running_; }

    // The labels of each record whose row has no fifth field (the number of
    // labels it asks for itself), 1 to mostLabelsOfRecord; 1 unless set.
    // A start takes the number set when it begins.
    void setLabelsPerRecord(int labels) { labelsPerRecord_ = labels; }
    int labelsPerRecord() const { return labelsPerRecord_; }

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
    // reads the print adjustments as saved now; then shows the run as
    // printing. Throws hakobee::Error.
    bool prepare();

    // Prints the current row's labels: reads its record and how many labels
    // it asks for (its fifth field, else labelsPerRecord()), makes its
    // barcode picture, makes the connection type's per-record printer calls
    // and draws them as one job with the inputs in force now; counts the
    // labels and the record in `result`. A record of no label is counted
    // and nothing else of it is read. Notes the row in `failure` first, so a
    // failure from here to the end of the record names it. True when the
    // operator cancelled the job (it was aborted; its labels still count).
    // Throws hakobee::Error.
    bool printRow(RunRows& rows, RunResult& result);

    PrintRunServices services_;
    PrintRunView& view_;

private:
    bool asksForPrinter_ = false;
    int labelsPerRecord_ = 1;
    AdjustmentNumbers adjustments_;
    bool running_ = false;
};

// The continuous run: every record of the data-source query, in the order
// the query returns them, through a record set of its own, until the
// records end, the opening's allowance is used up or the operator cancels.
// One instance lives as long as the opening of its screen: the allowance
// counts every record printed across its starts.
class ContinuousRun : public PrintRun
{
public:
    static constexpr int allowancePerOpening = 300;

    using PrintRun::PrintRun;

    // `query` is the one built when the screen opened.
    RunResult start(const QString& query);

    // What this opening may still print.
    int allowance() const { return allowance_; }

private:
    int allowance_ = allowancePerOpening;
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
