// Labels printed through the CUPS spooler to the cups-pdf queue that
// scripts/cups-setup.sh makes: each label its own job, and every barcode
// scans from the spooler's output as the record's code.

#include "core/printer/activeprinter.h"
#include "core/printrun/labelpipeline.h"
#include "core/render/cancelrequest.h"
#include "core/render/labelprogress.h"
#include "platform/barcode/zintbarcodeencoder.h"
#include "platform/desktop/fonts.h"
#include "platform/printing/qtprinterbackend.h"
#include "platform/printing/qtprinterdevice.h"
#include "support/barcodescan.h"
#include "support/labelsamples.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

#include <cups/cups.h>

using namespace hakobee;

namespace {

const QString queue = u"hakobee-pdf"_qs;

QString cupsPdfOutputFolder()
{
    QFile conf(u"/etc/cups/cups-pdf.conf"_qs);
    if (!conf.open(QIODevice::ReadOnly))
        return {};
    static const QRegularExpression outLine(u"^Out\\s+(\\S+)\\s*$"_qs,
                                            QRegularExpression::MultilineOption);
    return outLine.match(QString::fromUtf8(conf.readAll())).captured(1);
}

// Ids of the queue's jobs whose title starts with the prefix, by title.
QMap<QString, int> jobIdsTitled(const QString& prefix, int whichJobs)
{
    cups_job_t* jobs = nullptr;
    const int count =
        cupsGetJobs2(CUPS_HTTP_DEFAULT, &jobs, queue.toUtf8().constData(), 0, whichJobs);
    QMap<QString, int> found;
    for (int i = 0; i < count; ++i) {
        const QString title = QString::fromUtf8(jobs[i].title);
        if (title.startsWith(prefix))
            found.insert(title.mid(prefix.size()), jobs[i].id);
    }
    cupsFreeJobs(count, jobs);
    return found;
}

} // namespace

class TestCupsLabels : public QObject
{
    Q_OBJECT

private slots:
    void labelsThroughTheSpoolerScanAsTheRecordsCode()
    {
        const QString outputFolder = cupsPdfOutputFolder();
        QVERIFY2(!outputFolder.isEmpty(), "no cups-pdf output folder: run scripts/cups-setup.sh");
        QTemporaryDir pdfFolder;
        QtPrinterBackend backend(pdfFolder.path());
        ActivePrinter printer(backend);
        QVERIFY2(printer.makeCurrent(queue), "no hakobee-pdf queue: run scripts/cups-setup.sh");
        printer.setPaperSizeCode(9); // A4: the queue's own paper
        auto& device = dynamic_cast<QtPrinterDevice&>(printer.device());

        const QMap<QString, QString> values{
            {u"490123456789"_qs, u"EAN-13:4901234567894"_qs},
            {u"4569951116100"_qs, u"EAN-13:4569951116100"_qs},
            {u"4912345"_qs, u"EAN-8:49123456"_qs},
            {u"96385074"_qs, u"EAN-8:96385074"_qs},
        };
        const QString prefix = u"hakobee-label-test-%1-"_qs.arg(QCoreApplication::applicationPid());
        NoLabelProgress progress;
        CancelRequest cancel;
        LabelPipeline pipeline(std::make_unique<ZintBarcodeEncoder>(), printer.canvas(), progress,
                               cancel);
        for (auto value = values.cbegin(); value != values.cend(); ++value) {
            device.labelCanvas().setJobTitle(prefix + value.key());
            pipeline.printLabel(test::sampleLabelRecord(
                value.key(), pipeline.recordBarcode(value.key()), japaneseFontFamily()));
        }

        QDeadlineTimer deadline(60000);
        while (!jobIdsTitled(prefix, CUPS_WHICHJOBS_ACTIVE).isEmpty() && !deadline.hasExpired())
            QThread::msleep(100);
        QVERIFY2(jobIdsTitled(prefix, CUPS_WHICHJOBS_ACTIVE).isEmpty(), "CUPS jobs still active");
        const QMap<QString, int> jobs = jobIdsTitled(prefix, CUPS_WHICHJOBS_COMPLETED);
        QCOMPARE(jobs.keys(), values.keys());

        for (auto job = jobs.cbegin(); job != jobs.cend(); ++job) {
            const QStringList files =
                QDir(outputFolder)
                    .entryList({prefix + u"*-job_%1.pdf"_qs.arg(job.value())}, QDir::Files);
            QCOMPARE(files.size(), 1);
            const QString file = QDir(outputFolder).filePath(files.first());
            const test::ScanResult scan = test::scanPrintedPdf(file);
            QFile::remove(file);
            QVERIFY2(scan.failure.isEmpty(), qPrintable(scan.failure));
            QCOMPARE(scan.pageCount, 1);
            QCOMPARE(scan.symbols, QStringList{values.value(job.key())});
        }
    }
};

QTEST_MAIN(TestCupsLabels)
#include "tst_cupslabels.moc"
