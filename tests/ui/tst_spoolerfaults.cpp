// A CUPS queue that stops or refuses jobs in the middle of a continuous run,
// printing through the real spooler to a cups-pdf queue of the test's own.
// A refusing queue (turned away, as a queue holding its most jobs does)
// stops the run at that record with a message naming it; the jobs that
// reached the queue are exactly the labels the run says it printed, and a
// partial run from that row prints the rest, nothing twice. A stopped queue
// holds the jobs and prints every one of them once it is started again.

#include "runfixture.h"

#include "core/printer/printersetup.h"
#include "platform/barcode/zintbarcodeencoder.h"
#include "platform/printing/qtprinterbackend.h"
#include "support/cupsqueue.h"
#include "support/deliverylog.h"
#include "support/openscreens.h"
#include "ui/screens/continuousrunscreen.h"
#include "ui/screens/partialrunscreen.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QTest>

using namespace hakobee;
using namespace hakobee::test;

namespace {

QPushButton* startButton(QWidget* screen)
{
    return screen->findChild<QPushButton*>(u"Command3"_qs);
}

// The run fixture's screens printing on a CUPS queue instead of its
// recording printer; the log notes what reached the spooler.
struct SpoolerPrinting
{
    SpoolerPrinting(RunFixture& f, const QString& queue)
        : backend(pdfFolder.path()), printer(backend), log(printer.canvas()),
          labels(std::make_unique<ZintBarcodeEncoder>(), log, f.progress, f.cancel),
          setup(printer, f.dialog, f.messages)
    {
        current = printer.makeCurrent(queue);
        f.context.printer = &printer;
        f.context.printerSetup = &setup;
        f.context.labels = &labels;
    }

    QTemporaryDir pdfFolder;
    QtPrinterBackend backend;
    ActivePrinter printer;
    DeliveryLog log;
    LabelPipeline labels;
    PrinterSetup setup;
    bool current = false;
};

constexpr int rows = 20;
constexpr int faultAtLabel = 6;

} // namespace

class TestSpoolerFaults : public QObject
{
    Q_OBJECT

private slots:
    void refusingQueueStopsTheRunAtItsRecordAndTheRestartPrintsTheRest()
    {
        CupsQueue queue(u"refusing"_qs);
        QVERIFY2(queue.isReady(), "lpadmin failed: run scripts/cups-setup.sh (as root)");
        RunFixture f;
        f.useProducts(rows);
        SpoolerPrinting printing(f, queue.name());
        // The screens use the printing seams until they go.
        const auto closeScreens = qScopeGuard([] { closeAllScreens(); });
        QVERIFY(printing.current);
        printing.log.onLabelStart = [&](int label) {
            if (label == faultAtLabel)
                QVERIFY(queue.refuse());
        };
        ContinuousRunScreen* screen = f.screens.open<ContinuousRunScreen>();
        startButton(screen)->click();

        const int printed = faultAtLabel - 1;
        QCOMPARE(printing.log.delivered, RunFixture::barcodesOfRows(1, printed));
        QCOMPARE(queue.jobCount(), printed);
        QCOMPARE(f.messages.shown.size(), 1);
        const QString said = f.messages.shown[0].text;
        QVERIFY2(said.contains(u"%1行目"_qs.arg(faultAtLabel)) &&
                     said.contains(RunFixture::barcodeOfRow(faultAtLabel - 1)) &&
                     said.contains(queue.name()) &&
                     said.contains(u"%1枚印刷しました"_qs.arg(printed)),
                 qPrintable(said));
        qInfo("reliability: spooler-refusing labels=%d printed=%d jobs=%d", rows, printed,
              queue.jobCount());

        // Taking jobs again, a partial run from the row named prints the rest.
        QVERIFY(queue.accept());
        printing.log.onLabelStart = {};
        PartialRunScreen* partial = f.screens.open<PartialRunScreen>();
        auto* grid = partial->findChild<QTableView*>(u"DataGrid1"_qs);
        grid->setCurrentIndex(grid->model()->index(faultAtLabel - 1, 0));
        partial->findChild<QLineEdit*>(u"TextPP1"_qs)->setText(u"1"_qs);
        partial->findChild<QLineEdit*>(u"TextPP2"_qs)->setText(QString::number(rows));
        startButton(partial)->click();
        QCOMPARE(printing.log.delivered, RunFixture::barcodesOfRows(1, rows));
        QCOMPARE(queue.jobCount(), rows);
    }

    void stoppedQueueHoldsTheJobsAndPrintsThemWhenStarted()
    {
        CupsQueue queue(u"stopped"_qs);
        QVERIFY2(queue.isReady(), "lpadmin failed: run scripts/cups-setup.sh (as root)");
        RunFixture f;
        f.useProducts(rows);
        SpoolerPrinting printing(f, queue.name());
        // The screens use the printing seams until they go.
        const auto closeScreens = qScopeGuard([] { closeAllScreens(); });
        QVERIFY(printing.current);
        printing.log.onLabelStart = [&](int label) {
            if (label == faultAtLabel)
                QVERIFY(queue.stop());
        };
        QPointer<ContinuousRunScreen> screen = f.screens.open<ContinuousRunScreen>();
        startButton(screen)->click();

        QCOMPARE(printing.log.delivered, RunFixture::barcodesOfRows(1, rows));
        QCOMPARE(f.messages.shown.size(), 1);
        QCOMPARE(f.messages.shown[0].title, u"処理終了"_qs);
        QCOMPARE(queue.jobCount(), rows);
        // Nothing after the stop has printed yet.
        const int held = queue.jobCount(CUPS_WHICHJOBS_ACTIVE);
        QVERIFY2(held >= rows - faultAtLabel + 1, qPrintable(QString::number(held)));

        QVERIFY(queue.start());
        QVERIFY(queue.waitUntilIdle(180000));
        QCOMPARE(queue.jobCount(CUPS_WHICHJOBS_COMPLETED), rows);
        qInfo("reliability: spooler-stopped labels=%d held=%d jobs=%d completed=%d", rows, held,
              queue.jobCount(), queue.jobCount(CUPS_WHICHJOBS_COMPLETED));
    }
};

QTEST_MAIN(TestSpoolerFaults)
#include "tst_spoolerfaults.moc"
