// The two print runs without screens: what they print, where they stop, how
// they count, the connection type's printer calls and how failures end them.

#include "core/datasource/databaseprovider.h"
#include "core/printer/activeprinter.h"
#include "core/printrun/labelpipeline.h"
#include "core/printrun/printrun.h"
#include "core/printrun/printrunview.h"
#include "core/printrun/recordgridmodel.h"
#include "core/printrun/runallowance.h"
#include "core/printrun/runprinterprotocol.h"
#include "core/render/cancelrequest.h"
#include "core/render/labelprogress.h"
#include "core/settings/settingscolumns.h"
#include "support/fakebarcodeencoder.h"
#include "support/fakeprinterbackend.h"
#include "support/memorytable.h"
#include "support/recordingcanvas.h"
#include "support/settingsfixture.h"

#include <QTest>

#include <functional>

using namespace hakobee;
using test::MemoryTable;

namespace {

class RecordingView : public PrintRunView
{
public:
    void showRunStatus(RunStatus status) override { statuses.append(status); }
    void showRowNumber(qint64 rowNumber) override { rowNumbers.append(rowNumber); }
    void handOver(const RunRecord& record, const QString& barcodeText,
                  std::shared_ptr<const BarcodePicture> picture) override
    {
        handed.append(record);
        barcodeTexts.append(barcodeText);
        pictures.append(std::move(picture));
    }
    void printOneLabel() override
    {
        if (onPrint)
            onPrint(int(printed.size()) + 1);
        printed.append(handed.last().barcodeValue);
    }

    QList<RunStatus> statuses;
    QList<qint64> rowNumbers;
    QList<RunRecord> handed;
    QStringList barcodeTexts;
    QList<std::shared_ptr<const BarcodePicture>> pictures;
    QStringList printed;
    // Called with the label's number (from 1) as it is drawn; throwing here
    // is a printer failure.
    std::function<void(int)> onPrint;
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

// Settings, the table behind the data-source query, the label pipeline and
// the run's view, allowance and printer calls.
struct RunFixture
{
    explicit RunFixture(qint64 rows, const QString& connectionType = u"0"_qs,
                        const QString& paper = u"_"_qs)
        : table(MemoryTable::products(rows)),
          databases(
              settings.folder,
              [this](const QString&) { return std::make_unique<test::MemoryConnection>(table); }),
          labels(std::make_unique<test::FakeBarcodeEncoder>(), canvas, progress, cancel),
          services{databases, settings.folder, labels, allowance, protocol, nullptr}
    {
        settings.installDefaults();
        writePrinterSettings(connectionType, paper);
    }

    void writePrinterSettings(const QString& connectionType, const QString& paper)
    {
        replaceSettingsFile(settings.settingsPath(SettingsFiles::layout), SettingsColumns::layout(),
                            {u"ﾗﾍﾞﾙ"_qs, u"_"_qs, paper, connectionType});
    }

    test::SettingsFixture settings;
    std::shared_ptr<MemoryTable> table;
    StandardDatabaseProvider databases;
    test::RecordingCanvas canvas;
    NoLabelProgress progress;
    CancelRequest cancel;
    LabelPipeline labels;
    RunAllowance allowance;
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
        int allowance = 300;

        RunResult result = run.start(query, allowance);
        QCOMPARE(result.end, RunEnd::AllowanceStopped);
        QCOMPARE(f.view.printed, barcodesOfRows(1, 300));
        QCOMPARE(f.allowance.text(), u"0"_qs);
        QCOMPARE(f.view.statuses, QList<RunStatus>{RunStatus::Printing});
        QCOMPARE(f.view.barcodeTexts.first(), u"JAN-"_qs + MemoryTable::barcodeOf(0));

        // A second start on the same opening prints nothing.
        result = run.start(query, allowance);
        QCOMPARE(result.end, RunEnd::AllowanceStopped);
        QCOMPARE(result.printed, 0);
        QCOMPARE(f.view.printed.size(), 300);
    }

    void cancelStopsBeforeTheNextRecordAndCountsTheCancelledOne()
    {
        RunFixture f(20);
        ContinuousRun run(f.services, f.view);
        int allowance = 300;
        // The progress screen's cancel sets the allowance text to "1".
        f.view.onPrint = [&f](int label) {
            if (label == 3)
                f.allowance.setText(u"1"_qs);
        };
        RunResult result = run.start(query, allowance);
        QCOMPARE(result.end, RunEnd::AllowanceStopped);
        QCOMPARE(f.view.printed.size(), 3);
        QCOMPARE(f.allowance.text(), u"0"_qs);

        QStringList shown;
        connect(&f.allowance, &RunAllowance::textChanged, this,
                [&shown](const QString& text) { shown.append(text); });
        f.view.onPrint = [&f](int label) {
            if (label == 5 + 3)
                f.allowance.setText(u"1"_qs);
        };
        result = run.start(query, allowance);
        QCOMPARE(shown.mid(0, 2), (QStringList{QString(), u"297"_qs}));
        QCOMPARE(result.printed, 5);
        QCOMPARE(result.nextRowNumber, 6);
        QCOMPARE(allowance, 292);
    }

    void emptyResultCompletesWithoutPrinting()
    {
        RunFixture f(0);
        ContinuousRun run(f.services, f.view);
        int allowance = 300;
        const RunResult result = run.start(query, allowance);
        QCOMPARE(result.end, RunEnd::Completed);
        QCOMPARE(f.view.printed, QStringList());
        QCOMPARE(f.view.statuses, (QList<RunStatus>{RunStatus::Printing, RunStatus::Finished}));
    }

    void connectionTypeOneAsksOnceAndRestoresBeforeEveryRecord()
    {
        RunFixture f(4, u"1"_qs);
        ContinuousRun run(f.services, f.view);
        int allowance = 300;
        QCOMPARE(run.start(query, allowance).end, RunEnd::Completed);
        QCOMPARE(f.protocol.count(u"restore"_qs), 5);
        QCOMPARE(f.protocol.count(u"save"_qs), 5);
        QCOMPARE(f.protocol.count(u"show"_qs), 1);
        QCOMPARE(f.protocol.calls.mid(0, 5),
                 (QStringList{u"restore"_qs, u"show"_qs, u"save"_qs, u"restore"_qs, u"save"_qs}));

        for (const QString& other : {u"01"_qs, u" 1"_qs, u"0"_qs, QString()}) {
            RunFixture g(4, other);
            ContinuousRun otherRun(g.services, g.view);
            int otherAllowance = 300;
            QCOMPARE(otherRun.start(query, otherAllowance).end, RunEnd::Completed);
            QVERIFY2(g.protocol.calls.isEmpty(), qPrintable(other));
        }

        // A cancelled dialog: nothing printed, the status left as it was.
        RunFixture h(4, u"1"_qs);
        h.protocol.confirm = false;
        ContinuousRun cancelled(h.services, h.view);
        int cancelledAllowance = 300;
        QCOMPARE(cancelled.start(query, cancelledAllowance).end, RunEnd::PrinterNotChosen);
        QCOMPARE(h.protocol.calls, (QStringList{u"restore"_qs, u"show"_qs}));
        QVERIFY(h.view.statuses.isEmpty());
        QVERIFY(h.view.handed.isEmpty());
        QCOMPARE(cancelledAllowance, 300);
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
        int allowance = 300;
        RunResult result = run.start(query, allowance);
        QCOMPARE(result.end, RunEnd::Failed);
        QCOMPARE(f.view.printed, barcodesOfRows(1, 6));
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
                 g.view.onPrint = [](int label) {
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
            int left = 300;
            result = spoiled.start(query, left);
            QVERIFY2(result.end == RunEnd::Failed, c.name);
            QVERIFY2(result.failure.description.contains(QString::fromUtf16(c.described)),
                     qPrintable(result.failure.description));
            const qint64 expectedRow = c.name == std::string_view("three fields") ? 1 : 3;
            QCOMPARE(result.failure.rowNumber, expectedRow);
            QCOMPARE(g.view.printed.size(),
                     qsizetype(c.name == std::string_view("printer fault") ? 2 : expectedRow - 1));
        }

        // Settings that cannot be read fail before any record, naming none.
        RunFixture h(3);
        QFile::remove(h.settings.settingsPath(SettingsFiles::layout));
        ContinuousRun unreadable(h.services, h.view);
        int left = 300;
        result = unreadable.start(query, left);
        QCOMPARE(result.end, RunEnd::Failed);
        QCOMPARE(result.failure.rowNumber, 0);
        QVERIFY(h.view.statuses.isEmpty());
        QVERIFY(continuousRunFailureMessage(result).contains(u"nimbeconfig4.txt"_qs));
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
            int allowance = 300;
            const RunResult result = run.start(query, allowance);
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
            QCOMPARE(f.view.printed, barcodesOfRows(3, 5));
            QCOMPARE(f.view.rowNumbers, (QList<qint64>{3, 4, 5}));
            QCOMPARE(f.allowance.text(), u"290"_qs); // all 10 rows visited
        }
        {
            RunFixture f(10);
            auto grid = gridOver(f);
            PartialRun run(f.services, f.view);
            QCOMPARE(run.start(*grid, u"5"_qs, u"3"_qs).end, RunEnd::Completed);
            QVERIFY(f.view.printed.isEmpty());
            QCOMPARE(f.allowance.text(), u"290"_qs);
        }
        {
            // Decimal ranges; the 4th row selected is row 1 of the run.
            RunFixture f(10);
            auto grid = gridOver(f, 3);
            PartialRun run(f.services, f.view);
            QCOMPARE(run.start(*grid, u"0.5"_qs, u"2"_qs).end, RunEnd::Completed);
            QCOMPARE(f.view.printed, barcodesOfRows(4, 5));
            grid = gridOver(f);
            f.view.printed.clear();
            run.start(*grid, u"2.5"_qs, u"4"_qs);
            QCOMPARE(f.view.printed, barcodesOfRows(3, 4));
        }
    }

    void partialRunStopsAfter300RowsAndReleasesItsRows()
    {
        RunFixture f(400);
        auto grid = gridOver(f);
        PartialRun run(f.services, f.view);
        RunResult result = run.start(*grid, u"290"_qs, u"310"_qs);
        QCOMPARE(result.end, RunEnd::AllowanceStopped);
        QCOMPARE(f.view.printed, barcodesOfRows(290, 300));
        QCOMPARE(f.allowance.text(), u"0"_qs);
        QVERIFY(grid->released());

        result = run.start(*grid, u"1"_qs, u"5"_qs);
        QCOMPARE(result.end, RunEnd::Failed);
        QCOMPARE(result.failure.description, releasedRowsDescription());
        QCOMPARE(f.view.printed.size(), 11);
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
        QCOMPARE(f.view.printed, barcodesOfRows(3, 3));
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
        QCOMPARE(f.view.printed, barcodesOfRows(3, 4));

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
