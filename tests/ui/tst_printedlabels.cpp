// Labels printed on the PDF folder printer: one file per label, barcodes that
// scan as the record's code, and a cancelled label that leaves nothing.

#include "core/printer/activeprinter.h"
#include "core/printrun/labelpipeline.h"
#include "core/render/cancelrequest.h"
#include "core/render/labelprogress.h"
#include "core/units.h"
#include "platform/barcode/zintbarcodeencoder.h"
#include "platform/desktop/fonts.h"
#include "platform/printing/qtprinterbackend.h"
#include "support/barcodescan.h"
#include "support/labelsamples.h"
#include "support/screencontrols.h"
#include "ui/screenhost.h"
#include "ui/screenlabelprogress.h"
#include "ui/screens/labelprogressscreen.h"

#include <QApplication>
#include <QDir>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

using namespace hakobee;
using test::cancelButtonOf;
using test::squaresOf;

namespace {

constexpr int userDefinedPaperSize = 256;

// The PDF folder printer with a 50 x 30 mm label as its paper.
struct LabelPrinter
{
    explicit LabelPrinter(const QString& folder)
        : backend(folder, QtPrinterBackend::SystemPrinters::Ignore), printer(backend)
    {
        printer.setPaperSizeCode(userDefinedPaperSize);
        printer.setPageWidthTwips(qRound(50 * twipsPerMillimetre));
        printer.setPageHeightTwips(qRound(30 * twipsPerMillimetre));
    }
    QtPrinterBackend backend;
    ActivePrinter printer;
};

QStringList pdfFilesIn(const QString& folder)
{
    return QDir(folder).entryList({u"*.pdf"_qs}, QDir::Files, QDir::Name);
}

} // namespace

class TestPrintedLabels : public QObject
{
    Q_OBJECT

private slots:
    void printedBarcodesScanAsTheRecordsCode()
    {
        const QList<std::pair<QString, QString>> values{
            {u"490123456789"_qs, u"EAN-13:4901234567894"_qs},
            {u"4569951116100"_qs, u"EAN-13:4569951116100"_qs},
            {u"4912345"_qs, u"EAN-8:49123456"_qs},
            {u"96385074"_qs, u"EAN-8:96385074"_qs},
        };
        QTemporaryDir root;
        const QString folder = root.filePath(u"labels"_qs);
        LabelPrinter labels(folder);
        NoLabelProgress progress;
        CancelRequest cancel;
        LabelPipeline pipeline(std::make_unique<ZintBarcodeEncoder>(), labels.printer.canvas(),
                               progress, cancel);
        for (const auto& [value, scanned] : values)
            pipeline.printLabel(test::sampleLabelRecord(value, pipeline.recordBarcode(value),
                                                        japaneseFontFamily()));

        const QStringList files = pdfFilesIn(folder);
        QCOMPARE(files.size(), values.size());
        for (qsizetype i = 0; i < files.size(); ++i) {
            const test::ScanResult scan = test::scanPrintedPdf(QDir(folder).filePath(files[i]));
            QVERIFY2(scan.failure.isEmpty(), qPrintable(scan.failure));
            QCOMPARE(scan.pageCount, 1);
            QCOMPARE(scan.symbols, QStringList{values[i].second});
        }
    }

    void cancelledLabelLeavesNothingInTheFolder()
    {
        QTemporaryDir root;
        const QString folder = root.filePath(u"labels"_qs);
        LabelPrinter labels(folder);
        AppContext context;
        ScreenHost host(context);
        CancelRequest cancel;
        context.screens = &host;
        context.cancel = &cancel;
        context.printer = &labels.printer;
        ScreenLabelProgress progress(host);
        LabelPipeline pipeline(std::make_unique<ZintBarcodeEncoder>(), labels.printer.canvas(),
                               progress, cancel);
        context.labels = &pipeline;
        const LabelRecord record = test::sampleLabelRecord(
            u"4901234567894"_qs, pipeline.recordBarcode(u"4901234567894"_qs), japaneseFontFamily());

        QMetaObject::invokeMethod(
            qApp, [&host] { cancelButtonOf(host.find<LabelProgressScreen>())->click(); },
            Qt::QueuedConnection);
        pipeline.printLabel(record);
        QCOMPARE(pdfFilesIn(folder), QStringList());
        QVERIFY(cancel.isRequested());

        pipeline.printLabel(record);
        QCOMPARE(pdfFilesIn(folder), QStringList{u"label-000001.pdf"_qs});
    }
};

QTEST_MAIN(TestPrintedLabels)
#include "tst_printedlabels.moc"
