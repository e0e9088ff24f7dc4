// The two print runs without screens: what they print, where they stop, how
// they count, the connection type's printer calls and how failures end them.

#include "core/datasource/databaseprovider.h"
#include "core/printer/activeprinter.h"
#include "core/printrun/labelinputs.h"
#include "core/printrun/labelpipeline.h"
#include "core/printrun/printrun.h"
#include "core/printrun/printrunview.h"
#include "core/printrun/recordgridmodel.h"
#include "core/printrun/runprinterprotocol.h"
#include "core/render/cancelrequest.h"
#include "core/render/labelprogress.h"
#include "core/settings/settingscolumns.h"
#include "support/fakebarcodeencoder.h"
#include "support/fakeprinterbackend.h"
#include "support/memorytable.h"
#include "support/settingsfixture.h"
#include "support/watchedcanvas.h"

#include <QTest>

#include <functional>

using namespace hakobee;
using test::MemoryTable;
using Kind = test::RecordingCanvas::Kind;

namespace {

class RecordingView : public PrintRunView
{
public:
    void showRunStatus(RunStatus status) override { statuses.append(status); }
    void showRowNumber(qint64 rowNumber) override { rowNumbers.append(rowNumber); }
    void showAllowance(int left) override { allowances.append(left); }
    void showRecord(const RunRecord& record, std::shared_ptr<const BarcodePicture>) override
    {
        shown.append(record.barcodeValue);
    }
    void showLabelPrinted(int label, const RunRecord&, int copy, int copies) override
    {
        labels.append(u"%1:%2/%3"_qs.arg(label).arg(copy).arg(copies));
    }

    QList<RunStatus> statuses;
    QStringList labels; // "label:copy/copies" of every label shown printed
    QList<qint64> rowNumbers;
    QList<int> allowances;
    QStringList shown;
};

// The operator's cancel click, handled where the renderer yields while it
// draws the label of that number (from 1).
class CancellingProgress : public NoLabelProgress
{
public:
    explicit CancellingProgress(CancelRequest& cancel) : cancel_(cancel) {}
    void showLabelProgress() override
    {
        ++label_;
        copy_ = 1;
    }
    void showLabelCopy(int copy, int copies) override
    {
        copy_ = copy;
        copies_.append(u"%1/%2"_qs.arg(copy).arg(copies));
    }
    void yieldToEvents() override
    {
        if (label_ == cancelAtLabel && copy_ >= cancelAtCopy)
            cancel_.request();
    }
    int cancelAtLabel = 0;
    int cancelAtCopy = 0; // of the record's labels, in that job
    QStringList copies_;  // "copy/copies" as shown while drawing

private:
    CancelRequest& cancel_;
    int label_ = 0;
    int copy_ = 1;
};

class RecordingProtocol : public RunPrinterProtocol
{
public:
    bool restorePrinterState() override
    {
        calls.append(u"restore"_qs);
        return true;
    }
    bool showPrinterSetup() override
    {
        calls.append(u"show"_qs);
        return confirm;
    }
    void savePrinterState() override { calls.append(u"save"_qs); }

    qsizetype count(const QString& call) const { return calls.count(call); }

    bool confirm = true;
    QStringList calls;
};

// Settings, the table behind the data-source query, the label pipeline on a
// recording canvas, the inputs as saved, and the run's view and printer calls.
struct RunFixture
{
    explicit RunFixture(qint64 rows, const QString& connectionType = u"0"_qs,
                        const QString& paper = u"_"_qs)
        : table(MemoryTable::products(rows)),
          databases(
              settings.folder,
              [this](const QString&) { return std::make_unique<test::MemoryConnection>(table); }),
          progress(cancel),
          labels(std::make_unique<test::FakeBarcodeEncoder>(), canvas, progress, cancel),
          inputs(settings.folder, databases, u"IPAPGothic"_qs), services{databases, settings.folder,
                                                                         labels,    inputs,
                                                                         protocol,  nullptr}
    {
        settings.installDefaults();
        writePrinterSettings(connectionType, paper);
        writeAdjustments(u"0"_qs);
    }

    void writePrinterSettings(const QString& connectionType, const QString& paper)
    {
        replaceSettingsFile(settings.settingsPath(SettingsFiles::layout), SettingsColumns::layout(),
                            {u"ﾗﾍﾞﾙ"_qs, u"_"_qs, paper, connectionType});
    }
    void writeAdjustments(const QString& horizontalMm)
    {
        QStringList values(99, u"_"_qs);
        values[2] = horizontalMm;
        values[3] = u"0"_qs;
        values[4] = u"0"_qs;
        replaceSettingsFile(settings.settingsPath(SettingsFiles::printAdjustments),
                            SettingsColumns::printAdjustments(), values);
    }
    QStringList printed() const { return canvas.printedCaptions(); }

    test::SettingsFixture settings;
    std::shared_ptr<MemoryTable> table;
    StandardDatabaseProvider databases;
    test::WatchedCanvas canvas;
    CancelRequest cancel;
    CancellingProgress progress;
    LabelPipeline labels;
    SavedLabelInputs inputs;
    RecordingProtocol protocol;
    RecordingView view;
    PrintRunServices services;
};

const QString query = u"select bar,hi,mei,as2 from Master"_qs;

// The grid the partial run walks, over the fixture's table.
std::unique_ptr<RecordGridModel> gridOver(RunFixture& f, int selectedRow = 0)
{
    auto grid = std::make_unique<RecordGridModel>(std::make_unique<test::MemoryConnection>(f.table),
                                                  std::make_unique<test::MemoryRecordset>(f.table));
    grid->setCurrentRow(selectedRow);
    return grid;
}

// The table gets a fifth column: the labels each row asks for, from the
// first row on (null for std::nullopt).
void giveLabelCounts(RunFixture& f, const QList<FieldValue>& counts)
{
    f.table->columns.append(u"maisu"_qs);
    const auto rowAt = f.table->rowAt;
    f.table->rowAt = [rowAt, counts](qint64 row) {
        QList<FieldValue> fields = rowAt(row);
        fields.append(counts.value(row, counts.last()));
        return fields;
    };
}

const QString countQuery = u"select bar,hi,mei,as2,maisu from Master"_qs;

QStringList barcodesOfRows(qint64 first, qint64 last)
{
    QStringList barcodes;
    for (qint64 row = first; row <= last; ++row)
        barcodes.append(MemoryTable::barcodeOf(row - 1));
    return barcodes;
}

} // namespace

class TestPrintRuns : public QObject
{
    Q_OBJECT

private slots:
    void continuousRunPrintsAtMost300PerOpening()
    {
        RunFixture f(301);
        ContinuousRun run(f.services, f.view);

        RunResult result = run.start(query);
        QCOMPARE(result.end, RunEnd::AllowanceStopped);
        QCOMPARE(f.printed(), barcodesOfRows(1, 300));
        QCOMPARE(f.view.allowances.first(), 300);
        QCOMPARE(f.view.allowances.last(), 0);
        QCOMPARE(f.view.statuses, QList<RunStatus>{RunStatus::Printing});
        QCOMPARE(f.view.shown.first(), MemoryTable::barcodeOf(0));

        // A second start on the same opening prints nothing.
        result = run.start(query);
        QCOMPARE(result.end, RunEnd::AllowanceStopped);
        QCOMPARE(result.printed, 0);
        QCOMPARE(f.printed().size(), 300);
    }

    void cancelStopsBeforeTheNextRecordAndCountsTheCancelledOne()
    {
        RunFixture f(20);
        ContinuousRun run(f.services, f.view);
        f.progress.cancelAtLabel = 3;
        RunResult result = run.start(query);
        QCOMPARE(result.end, RunEnd::Cancelled);
        // The third label is aborted and no fourth one is begun.
        QCOMPARE(f.printed(), barcodesOfRows(1, 2));
        QCOMPARE(f.canvas.count(Kind::Abort), 1);
        QCOMPARE(f.canvas.labelsStarted, 3);
        QCOMPARE(result.printed, 3);
        QCOMPARE(f.view.allowances.last(), 0);
        QCOMPARE(run.allowance(), 297);

        // The next start of the opening begins with what is left.
        f.view.allowances.clear();
        f.progress.cancelAtLabel = 3 + 5;
        result = run.start(query);
        QCOMPARE(result.end, RunEnd::Cancelled);
        QCOMPARE(f.view.allowances.first(), 297);
        QCOMPARE(result.printed, 5);
        QCOMPARE(result.nextRowNumber, 6);
        QCOMPARE(run.allowance(), 292);

        // A cancel during the last record ends with the records.
        RunFixture last(3);
        last.progress.cancelAtLabel = 3;
        ContinuousRun lastRun(last.services, last.view);
        QCOMPARE(lastRun.start(query).end, RunEnd::Completed);
        QCOMPARE(last.printed(), barcodesOfRows(1, 2));

        // The partial run stops alike and releases its rows.
        RunFixture partial(10);
        partial.progress.cancelAtLabel = 2;
        auto grid = gridOver(partial);
        PartialRun partialRun(partial.services, partial.view);
        QCOMPARE(partialRun.start(*grid, u"1"_qs, u"5"_qs).end, RunEnd::Cancelled);
        QCOMPARE(partial.printed(), barcodesOfRows(1, 1));
        QCOMPARE(partial.canvas.labelsStarted, 2);
        QCOMPARE(partial.view.allowances.last(), 0);
        QVERIFY(grid->released());
    }

    void aRecordsLabelsAreOneJobOfAsManyAsItsFifthFieldAsks()
    {
        // Copies the canvas cannot make are pages of the one job.
        RunFixture f(3);
        giveLabelCounts(f, {u"2"_qs, u"0"_qs, u"5"_qs});
        ContinuousRun run(f.services, f.view);
        run.setLabelsPerRecord(9); // the fifth field wins
        RunResult result = run.start(countQuery);
        QCOMPARE(result.end, RunEnd::Completed);
        QCOMPARE(result.printed, 7);
        QCOMPARE(result.records, 3);
        QCOMPARE(f.printed(), (QStringList{MemoryTable::barcodeOf(0), MemoryTable::barcodeOf(2)}));
        QCOMPARE(f.canvas.count(Kind::Picture), 7);
        QCOMPARE(f.canvas.count(Kind::NewPage), 1 + 4);
        QCOMPARE(f.view.shown, (QStringList{MemoryTable::barcodeOf(0), MemoryTable::barcodeOf(2)}));
        QCOMPARE(f.progress.copies_, (QStringList{u"1/2"_qs, u"2/2"_qs, u"1/5"_qs, u"2/5"_qs,
                                                  u"3/5"_qs, u"4/5"_qs, u"5/5"_qs}));
        QCOMPARE(f.view.labels, (QStringList{u"1:1/2"_qs, u"2:2/2"_qs, u"3:1/5"_qs, u"4:2/5"_qs,
                                             u"5:3/5"_qs, u"6:4/5"_qs, u"7:5/5"_qs}));
        QCOMPARE(runCompletedMessage(result),
                 runCompletedMessage() + u"\n7枚（3件）印刷しました。"_qs);
        QCOMPARE(f.view.allowances.last(), 297);

        // A canvas that makes copies gets each record drawn once.
        RunFixture g(3);
        g.canvas.makesCopies = true;
        giveLabelCounts(g, {u"2"_qs, u"0"_qs, u"5"_qs});
        ContinuousRun copying(g.services, g.view);
        QCOMPARE(copying.start(countQuery).printed, 7);
        QCOMPARE(g.canvas.count(Kind::Picture), 2);
        QCOMPARE(g.canvas.count(Kind::NewPage), 0);
        QList<int> copies;
        for (const auto& end : g.canvas.callsOf(Kind::End))
            copies.append(end.copies);
        QCOMPARE(copies, (QList<int>{2, 5}));
        QCOMPARE(g.progress.copies_, (QStringList{u"2/2"_qs, u"5/5"_qs}));

        // A cancel during the third of five aborts the whole job.
        RunFixture h(4);
        giveLabelCounts(h, {u"2"_qs, u"0"_qs, u"5"_qs, u"1"_qs});
        h.progress.cancelAtLabel = 2;
        h.progress.cancelAtCopy = 3;
        ContinuousRun cancelled(h.services, h.view);
        result = cancelled.start(countQuery);
        QCOMPARE(result.end, RunEnd::Cancelled);
        QCOMPARE(h.printed(), QStringList{MemoryTable::barcodeOf(0)});
        QCOMPARE(h.canvas.count(Kind::Abort), 1);
        QCOMPARE(result.nextRowNumber, 4);

        // Without a fifth field, the number set for every record; one label
        // a record prints as it always did.
        RunFixture one(2);
        ContinuousRun single(one.services, one.view);
        QCOMPARE(single.start(query).printed, 2);
        QCOMPARE(one.canvas.count(Kind::NewPage), 0);
        QVERIFY(one.progress.copies_.isEmpty());
        RunFixture three(2);
        ContinuousRun triple(three.services, three.view);
        triple.setLabelsPerRecord(3);
        result = triple.start(query);
        QCOMPARE(result.printed, 6);
        QCOMPARE(result.records, 2);
        QCOMPARE(three.canvas.count(Kind::End), 2);
    }

    void aLabelCountThatIsNoWholeNumberUpTo999StopsAtItsRow()
    {
        for (const FieldValue& bad : QList<FieldValue>{u"-1"_qs, u"2.5"_qs, u"1000"_qs, u"abc"_qs,
                                                       u"1e2"_qs, u""_qs, std::nullopt}) {
            RunFixture f(4);
            giveLabelCounts(f, {u"1"_qs, bad});
            ContinuousRun run(f.services, f.view);
            const RunResult result = run.start(countQuery);
            // The value is named; a null is said to be one.
            const QString named = bad ? u"「%1」"_qs.arg(*bad) : u"空（Null）"_qs;
            QVERIFY2(result.end == RunEnd::Failed, qPrintable(named));
            QCOMPARE(result.failure.rowNumber, 2);
            QCOMPARE(f.printed(), QStringList{MemoryTable::barcodeOf(0)});
            const QString message = continuousRunFailureMessage(result);
            QVERIFY2(message.contains(u"2行目"_qs) && message.contains(u"（枚数）"_qs) &&
                         message.contains(named) && message.contains(u"1枚印刷しました"_qs),
                     qPrintable(message));
        }
        // A number as the database may write it.
        RunFixture f(3);
        giveLabelCounts(f, {u"3.0"_qs, u" 2 "_qs, u"0.00"_qs});
        ContinuousRun run(f.services, f.view);
        QCOMPARE(run.start(countQuery).printed, 5);
    }

    void theAllowanceCountsRecordsNotLabels()
    {
        RunFixture f(301);
        giveLabelCounts(f, {u"2"_qs});
        ContinuousRun run(f.services, f.view);
        const RunResult result = run.start(countQuery);
        QCOMPARE(result.end, RunEnd::AllowanceStopped);
        QCOMPARE(result.printed, 600);
        QCOMPARE(result.records, 300);
        QCOMPARE(f.canvas.count(Kind::End), 300);
        QCOMPARE(result.nextRowNumber, 301);

        // The partial run's allowance of rows walked, with a number for every record.
        RunFixture p(400);
        auto grid = gridOver(p);
        PartialRun partial(p.services, p.view);
        partial.setLabelsPerRecord(3);
        QCOMPARE(partial.start(*grid, u"290"_qs, u"310"_qs).printed, 11 * 3);
        QCOMPARE(p.printed(), barcodesOfRows(290, 300));
    }

    void emptyResultCompletesWithoutPrinting()
    {
        RunFixture f(0);
        ContinuousRun run(f.services, f.view);
        const RunResult result = run.start(query);
        QCOMPARE(result.end, RunEnd::Completed);
        QCOMPARE(f.printed(), QStringList());
        QCOMPARE(f.view.statuses, (QList<RunStatus>{RunStatus::Printing, RunStatus::Finished}));
    }

    void connectionTypeOneAsksOnceAndRestoresBeforeEveryRecord()
    {
        RunFixture f(4, u"1"_qs);
        ContinuousRun run(f.services, f.view);
        QCOMPARE(run.start(query).end, RunEnd::Completed);
        QCOMPARE(f.protocol.count(u"restore"_qs), 5);
        QCOMPARE(f.protocol.count(u"save"_qs), 5);
        QCOMPARE(f.protocol.count(u"show"_qs), 1);
        QCOMPARE(f.protocol.calls.mid(0, 5),
                 (QStringList{u"restore"_qs, u"show"_qs, u"save"_qs, u"restore"_qs, u"save"_qs}));

        for (const QString& other : {u"01"_qs, u" 1"_qs, u"0"_qs, QString()}) {
            RunFixture g(4, other);
            ContinuousRun otherRun(g.services, g.view);
            QCOMPARE(otherRun.start(query).end, RunEnd::Completed);
            QVERIFY2(g.protocol.calls.isEmpty(), qPrintable(other));
        }

        // A cancelled dialog: nothing printed, the status left as it was.
        RunFixture h(4, u"1"_qs);
        h.protocol.confirm = false;
        ContinuousRun cancelled(h.services, h.view);
        QCOMPARE(cancelled.start(query).end, RunEnd::PrinterNotChosen);
        QCOMPARE(h.protocol.calls, (QStringList{u"restore"_qs, u"show"_qs}));
        QVERIFY(h.view.statuses.isEmpty());
        QVERIFY(h.canvas.calls.isEmpty());
        QCOMPARE(cancelled.allowance(), 300);
    }

    void failureEndsTheRunAtItsRecordAndNamesIt()
    {
        RunFixture f(10);
        const auto rowAt = f.table->rowAt;
        f.table->rowAt = [rowAt](qint64 row) {
            QList<FieldValue> fields = rowAt(row);
            if (row == 6)
                fields[3] = std::nullopt;
            return fields;
        };
        ContinuousRun run(f.services, f.view);
        RunResult result = run.start(query);
        QCOMPARE(result.end, RunEnd::Failed);
        QCOMPARE(f.printed(), barcodesOfRows(1, 6));
        QCOMPARE(result.failure.rowNumber, 7);
        QCOMPARE(result.failure.barcodeValue, MemoryTable::barcodeOf(6));
        const QString message = continuousRunFailureMessage(result);
        QVERIFY2(message.contains(u"7行目"_qs) && message.contains(MemoryTable::barcodeOf(6)) &&
                     message.contains(u"税込価格"_qs),
                 qPrintable(message));

        // A code that is no JAN code, a row of three fields, a printer fault.
        struct Case
        {
            const char* name;
            std::function<void(RunFixture&)> spoil;
            const char16_t* described;
        };
        const QList<Case> cases{
            {"bad barcode",
             [](RunFixture& g) {
                 const auto rows = g.table->rowAt;
                 g.table->rowAt = [rows](qint64 row) {
                     QList<FieldValue> fields = rows(row);
                     if (row == 2)
                         fields[0] = u"4901234567890"_qs; // wrong check digit
                     return fields;
                 };
             },
             u"4901234567890"},
            {"three fields", [](RunFixture& g) { g.table->columns.removeLast(); }, u"3 個"},
            {"printer fault",
             [](RunFixture& g) {
                 g.canvas.onLabelStart = [](int label) {
                     if (label == 3)
                         throw Error(u"プリンタがオフラインです。"_qs);
                 };
             },
             u"オフライン"},
        };
        for (const Case& c : cases) {
            RunFixture g(10);
            c.spoil(g);
            ContinuousRun spoiled(g.services, g.view);
            result = spoiled.start(query);
            QVERIFY2(result.end == RunEnd::Failed, c.name);
            QVERIFY2(result.failure.description.contains(QString::fromUtf16(c.described)),
                     qPrintable(result.failure.description));
            const qint64 expectedRow = c.name == std::string_view("three fields") ? 1 : 3;
            QCOMPARE(result.failure.rowNumber, expectedRow);
            QCOMPARE(g.printed().size(),
                     qsizetype(c.name == std::string_view("printer fault") ? 2 : expectedRow - 1));
        }

        // Settings that cannot be read fail before any record, naming none.
        RunFixture h(3);
        QFile::remove(h.settings.settingsPath(SettingsFiles::layout));
        ContinuousRun unreadable(h.services, h.view);
        result = unreadable.start(query);
        QCOMPARE(result.end, RunEnd::Failed);
        QCOMPARE(result.failure.rowNumber, 0);
        QVERIFY(h.view.statuses.isEmpty());
        QVERIFY(continuousRunFailureMessage(result).contains(u"nimbeconfig4.txt"_qs));
    }

    void eachStartPrintsWithTheAdjustmentsAsSavedThen()
    {
        RunFixture f(1);
        ContinuousRun run(f.services, f.view);
        // The header line starts at the horizontal offset.
        const auto headerLineStartMm = [&f] {
            return f.canvas.callsOf(Kind::Line).last().atMm.x();
        };
        f.writeAdjustments(u"2"_qs);
        QCOMPARE(run.start(query).end, RunEnd::Completed);
        QCOMPARE(headerLineStartMm(), 2.0);
        f.writeAdjustments(u"-1.5"_qs);
        QCOMPARE(run.start(query).end, RunEnd::Completed);
        QCOMPARE(headerLineStartMm(), -1.5);

        // One that is no number stops the start before any label, in the
        // renderer's words.
        f.canvas.calls.clear();
        f.writeAdjustments(u"abc"_qs);
        const RunResult result = run.start(query);
        QCOMPARE(result.end, RunEnd::Failed);
        QCOMPARE(result.failure.rowNumber, 0);
        QCOMPARE(result.failure.description, u"横方向の印刷位置「abc」が数値ではありません。"_qs);
        QVERIFY(f.canvas.calls.isEmpty());
    }

    void fixedConnectionTypeUsesTheStoredPaper()
    {
        test::FakePrinterBackend backend;
        backend.printers = {test::FakePrinter::withAllSettings(u"Label"_qs)};
        backend.printers[0].rejects = [](PrinterSetting setting, int value) {
            return setting == PrinterSetting::PaperSize && value == 70;
        };
        backend.defaultPrinter = u"Label"_qs;
        ActivePrinter printer(backend);
        const auto paperAfterRunWith = [&](const QString& type, const QString& paper) {
            printer.setPaperSizeCode(9);
            RunFixture f(1, type, paper);
            f.services.printer = &printer;
            ContinuousRun run(f.services, f.view);
            const RunResult result = run.start(query);
            return result.end == RunEnd::Completed ? printer.paperSizeCode() : -1;
        };
        QCOMPARE(paperAfterRunWith(u"0"_qs, u"11"_qs), 11);
        QCOMPARE(paperAfterRunWith(u"0"_qs, u"_"_qs), 9);
        QCOMPARE(paperAfterRunWith(u"0"_qs, u"999"_qs), 9);
        QCOMPARE(paperAfterRunWith(u"1"_qs, u"11"_qs), 9);
        // A paper the printer refuses fails the run before its first label.
        QCOMPARE(paperAfterRunWith(u"0"_qs, u"70"_qs), -1);
    }

    void partialRunPrintsTheRangeOfTheRowsItWalks()
    {
        {
            RunFixture f(10);
            auto grid = gridOver(f);
            PartialRun run(f.services, f.view);
            const RunResult result = run.start(*grid, u"3"_qs, u"5"_qs);
            QCOMPARE(result.end, RunEnd::Completed);
            QCOMPARE(f.printed(), barcodesOfRows(3, 5));
            QCOMPARE(f.view.rowNumbers, (QList<qint64>{3, 4, 5}));
            QCOMPARE(f.view.allowances.last(), 290); // all 10 rows visited
        }
        {
            RunFixture f(10);
            auto grid = gridOver(f);
            PartialRun run(f.services, f.view);
            QCOMPARE(run.start(*grid, u"5"_qs, u"3"_qs).end, RunEnd::Completed);
            QVERIFY(f.printed().isEmpty());
            QCOMPARE(f.view.allowances.last(), 290);
        }
        {
            // Decimal ranges; the 4th row selected is row 1 of the run.
            RunFixture f(10);
            auto grid = gridOver(f, 3);
            PartialRun run(f.services, f.view);
            QCOMPARE(run.start(*grid, u"0.5"_qs, u"2"_qs).end, RunEnd::Completed);
            QCOMPARE(f.printed(), barcodesOfRows(4, 5));
            grid = gridOver(f);
            f.canvas.calls.clear();
            run.start(*grid, u"2.5"_qs, u"4"_qs);
            QCOMPARE(f.printed(), barcodesOfRows(3, 4));
        }
    }

    void partialRunStopsAfter300RowsAndReleasesItsRows()
    {
        RunFixture f(400);
        auto grid = gridOver(f);
        PartialRun run(f.services, f.view);
        RunResult result = run.start(*grid, u"290"_qs, u"310"_qs);
        QCOMPARE(result.end, RunEnd::AllowanceStopped);
        QCOMPARE(f.printed(), barcodesOfRows(290, 300));
        QCOMPARE(f.view.allowances.last(), 0);
        QVERIFY(grid->released());

        result = run.start(*grid, u"1"_qs, u"5"_qs);
        QCOMPARE(result.end, RunEnd::Failed);
        QCOMPARE(result.failure.description, releasedRowsDescription());
        QCOMPARE(f.printed().size(), 11);
    }

    void partialRunRangeFaultsLeaveTheStartingRow()
    {
        RunFixture f(10);
        auto grid = gridOver(f, 2);
        PartialRun run(f.services, f.view);
        QCOMPARE(run.start(*grid, QString(), u"5"_qs).end, RunEnd::InvalidRange);
        QCOMPARE(grid->currentRow(), 2);

        RunResult result = run.start(*grid, u"abc"_qs, u"5"_qs);
        QCOMPARE(result.end, RunEnd::Failed);
        QCOMPARE(result.failure.rowNumber, 0);
        QVERIFY2(result.failure.description.contains(u"abc"_qs),
                 qPrintable(result.failure.description));
        QVERIFY(partialRunFailureMessage(result.failure)
                    .startsWith(u"印刷設定又はDB設定が不正です。設定しなおしてください "
                                u"Error_Message:"_qs));
        QCOMPARE(grid->currentRow(), 2);

        QCOMPARE(run.start(*grid, u"1"_qs, u"1"_qs).end, RunEnd::Completed);
        QCOMPARE(f.printed(), barcodesOfRows(3, 3));
    }

    void partialRunReadsOnlyTheRowsItPrints()
    {
        // Rows outside the range may hold a null or a bad code.
        RunFixture f(6);
        const auto rowAt = f.table->rowAt;
        f.table->rowAt = [rowAt](qint64 row) {
            QList<FieldValue> fields = rowAt(row);
            if (row == 1)
                fields[3] = std::nullopt;
            return fields;
        };
        auto grid = gridOver(f);
        PartialRun run(f.services, f.view);
        QCOMPARE(run.start(*grid, u"3"_qs, u"4"_qs).end, RunEnd::Completed);
        QCOMPARE(f.printed(), barcodesOfRows(3, 4));

        grid = gridOver(f);
        const RunResult result = run.start(*grid, u"1"_qs, u"4"_qs);
        QCOMPARE(result.end, RunEnd::Failed);
        QCOMPARE(result.failure.rowNumber, 2);
        QCOMPARE(grid->currentRow(), 1); // a restart begins at the failed row
    }

    void gridReadsOnlyWhatIsShown()
    {
        auto table = MemoryTable::products(1000000);
        RecordGridModel grid(std::make_unique<test::MemoryConnection>(table),
                             std::make_unique<test::MemoryRecordset>(table));
        QCOMPARE(grid.rowCount(), RecordGridModel::batchRows);
        QCOMPARE(table->rowsRead, qint64(RecordGridModel::batchRows));
        QCOMPARE(grid.columnCount(), 4);
        QCOMPARE(grid.headerData(3, Qt::Horizontal).toString(), u"as2"_qs);
        QCOMPARE(grid.data(grid.index(0, 0)).toString(), MemoryTable::barcodeOf(0));
        QVERIFY(grid.canFetchMore());
        grid.fetchMore();
        QCOMPARE(grid.rowCount(), 2 * RecordGridModel::batchRows);
        QCOMPARE(table->rowsRead, qint64(2 * RecordGridModel::batchRows));

        auto small = MemoryTable::products(3);
        RecordGridModel whole(std::make_unique<test::MemoryConnection>(small),
                              std::make_unique<test::MemoryRecordset>(small));
        QCOMPARE(whole.rowCount(), 3);
        QVERIFY(!whole.canFetchMore());
    }
};

QTEST_GUILESS_MAIN(TestPrintRuns)
#include "tst_printruns.moc"
