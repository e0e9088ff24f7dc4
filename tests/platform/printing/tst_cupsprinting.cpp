// Real printing through the CUPS spooler to the cups-pdf queue that
// scripts/cups-setup.sh makes: every label is its own job and its own
// one-page file, with the text where it was drawn; an aborted label never
// reaches the spooler.

#include "core/error.h"
#include "core/printer/activeprinter.h"
#include "core/printer/devmode.h"
#include "core/printer/paperlist.h"
#include "platform/desktop/fonts.h"
#include "platform/printing/qtprinterbackend.h"
#include "platform/printing/qtprinterdevice.h"
#include "platform/printing/qtprintsetupdialog.h"
#include "support/cupsqueue.h"
#include "support/paperprobe.h"
#include "support/pdftools.h"
#include "support/testpatternpicture.h"

#include <QApplication>
#include <QComboBox>
#include <QDeadlineTimer>
#include <QDialog>
#include <QDir>
#include <QDoubleSpinBox>
#include <QFile>
#include <QPrinterInfo>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>
#include <QTimer>

#include <cups/cups.h>

#include <algorithm>

using namespace hakobee;
using namespace hakobee::test;

namespace {

const QString queue = u"hakobee-pdf"_qs;
const PrintFont labelFont{japaneseFontFamily(), 12.0, false, false};

// The folder cups-pdf writes into: the "Out" line of its configuration.
QString cupsPdfOutputFolder()
{
    QFile conf(u"/etc/cups/cups-pdf.conf"_qs);
    if (!conf.open(QIODevice::ReadOnly))
        return {};
    static const QRegularExpression outLine(u"^Out\\s+(\\S+)\\s*$"_qs,
                                            QRegularExpression::MultilineOption);
    return outLine.match(QString::fromUtf8(conf.readAll())).captured(1);
}

struct QueuedJob
{
    int id = 0;
    QString title;
    ipp_jstate_t state = IPP_JSTATE_PENDING;
};

// The jobs of the queue whose title starts with the prefix.
QList<QueuedJob> jobsTitled(const QString& prefix, int whichJobs)
{
    cups_job_t* jobs = nullptr;
    const int count =
        cupsGetJobs2(CUPS_HTTP_DEFAULT, &jobs, queue.toUtf8().constData(), 0, whichJobs);
    QList<QueuedJob> found;
    for (int i = 0; i < count; ++i) {
        const QString title = QString::fromUtf8(jobs[i].title);
        if (title.startsWith(prefix))
            found.append({jobs[i].id, title, jobs[i].state});
    }
    cupsFreeJobs(count, jobs);
    return found;
}

// The copies the spooler holds for a job: its "copies" attribute, 1 when
// the job has none; -1 when the job cannot be read.
int jobCopies(int jobId)
{
    ipp_t* request = ippNewRequest(IPP_OP_GET_JOB_ATTRIBUTES);
    const QByteArray uri = "ipp://localhost/jobs/" + QByteArray::number(jobId);
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_URI, "job-uri", nullptr, uri.constData());
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_NAME, "requesting-user-name", nullptr,
                 cupsUser());
    ipp_t* response = cupsDoRequest(CUPS_HTTP_DEFAULT, request, "/");
    int copies = -1;
    if (response && ippGetStatusCode(response) <= IPP_STATUS_OK_CONFLICTING) {
        ipp_attribute_t* attribute = ippFindAttribute(response, "copies", IPP_TAG_INTEGER);
        copies = attribute ? ippGetInteger(attribute, 0) : 1;
    }
    ippDelete(response);
    return copies;
}

// Where the letters of a text drawn with its top-left corner at the position
// put ink, in millimetres, by the printer's own font metrics.
QRectF expectedInkMm(const QPrinter& printer, QPointF topLeftMm, const QString& text)
{
    QFont font(labelFont.family);
    font.setPointSizeF(labelFont.pointSize);
    const QFontMetricsF metrics(font, &printer);
    const double dotsPerMm = printer.resolution() / 25.4;
    const QRectF inkDots = metrics.tightBoundingRect(text).translated(0, metrics.ascent());
    return QRectF(inkDots.topLeft() / dotsPerMm + topLeftMm, inkDots.size() / dotsPerMm);
}

} // namespace

class CupsPrintingTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        outputFolder_ = cupsPdfOutputFolder();
        QVERIFY2(!outputFolder_.isEmpty() && QDir(outputFolder_).exists(),
                 "cups-pdf has no output folder: run scripts/cups-setup.sh (as root)");
        QtPrinterBackend backend(QDir::tempPath());
        QVERIFY2(backend.printerNames().contains(queue),
                 "no hakobee-pdf queue: run scripts/cups-setup.sh (as root)");
    }

    void eachLabelIsItsOwnJobAndFile()
    {
        QTemporaryDir pdfFolder;
        QtPrinterBackend backend(pdfFolder.path());
        ActivePrinter printer(backend);
        QVERIFY(printer.makeCurrent(queue.toUpper()));
        QCOMPARE(printer.deviceName(), queue);
        printer.setPaperSizeCode(9); // A4

        const QString prefix = u"hakobee-test-%1-"_qs.arg(QCoreApplication::applicationPid());
        auto& device = dynamic_cast<QtPrinterDevice&>(printer.device());
        const TestPatternPicture pattern(8);
        const QStringList labels{"CUPSONE", "CUPSTWO", "CUPSTHREE"};
        QHash<QString, QRectF> inkMm; // where each label's letters should be
        for (const QString& label : labels) {
            device.labelCanvas().setJobTitle(prefix + label);
            PrinterCanvas& canvas = printer.canvas();
            canvas.setFont(labelFont);
            inkMm[label] = expectedInkMm(device.printer(), {10, 8}, label);
            canvas.drawText({10, 8}, label);
            canvas.drawLine({0, 14}, {60, 14}, 3, Qt::black);
            canvas.drawPicture({30, 20}, pattern);
            canvas.endDocument();

            // A label cancelled half-way between the others never reaches CUPS.
            device.labelCanvas().setJobTitle(prefix + u"ABORTED"_qs);
            canvas.drawText({10, 8}, u"ABORTED"_qs);
            canvas.abortDocument();
        }
        const QPointF marginMm = device.printer().pageRect(QPrinter::Millimeter).topLeft();

        // Bounded wait until the spooler has finished every job of this run.
        QDeadlineTimer deadline(60000);
        while (!jobsTitled(prefix, CUPS_WHICHJOBS_ACTIVE).isEmpty() && !deadline.hasExpired())
            QThread::msleep(100);
        QVERIFY2(jobsTitled(prefix, CUPS_WHICHJOBS_ACTIVE).isEmpty(), "CUPS jobs still active");

        const QList<QueuedJob> jobs = jobsTitled(prefix, CUPS_WHICHJOBS_ALL);
        QCOMPARE(jobs.size(), labels.size());
        QSet<int> ids;
        for (const QueuedJob& job : jobs) {
            QCOMPARE(job.state, IPP_JSTATE_COMPLETED);
            ids.insert(job.id);
        }
        QCOMPARE(ids.size(), labels.size());

        for (const QueuedJob& job : jobs) {
            // cups-pdf names its files after the title, ending in "-job_<id>.pdf".
            const QStringList files =
                QDir(outputFolder_)
                    .entryList({prefix + u"*-job_%1.pdf"_qs.arg(job.id)}, QDir::Files);
            QCOMPARE(files.size(), 1);
            const QString file = QDir(outputFolder_).filePath(files.first());
            QCOMPARE(pdfPageCount(file), 1);
            const QString label = job.title.mid(prefix.size());
            // Ghostscript in the cups-pdf chain turns the fonts into Type 3
            // fonts without their Unicode tables or true boxes, so the one word
            // pdftotext finds is checked for being there, and the letters'
            // place on the rasterised page for being where they were drawn.
            QCOMPARE(pdfWords(file).size(), 1);
            const QImage page = rasterisePdf(file, 254); // 10 pixels per millimetre
            QVERIFY(!page.isNull());
            const auto grey = [&](double xMm, double yMm) {
                return qGray(
                    page.pixel(int((marginMm.x() + xMm) * 10), int((marginMm.y() + yMm) * 10)));
            };
            const QRectF wantedMm = inkMm.value(label);
            const QRect ink = inkBounds(
                page, QRect(int((marginMm.x() + 5) * 10), int((marginMm.y() + 5) * 10), 600, 80));
            const QRectF gotMm = QRectF(ink).translated(-marginMm * 10).adjusted(0, 0, -1, -1);
            const QRectF got(gotMm.topLeft() / 10, gotMm.size() / 10);
            const auto near = [](double a, double b) {
                return qAbs(a - b) < 0.4;
            };
            QVERIFY2(near(got.left(), wantedMm.left()) && near(got.top(), wantedMm.top()) &&
                         near(got.right(), wantedMm.right()) &&
                         near(got.bottom(), wantedMm.bottom()),
                     qPrintable(
                         u"ink (%1, %2)-(%3, %4) mm, wanted (%5, %6)-(%7, %8) mm"_qs.arg(got.left())
                             .arg(got.top())
                             .arg(got.right())
                             .arg(got.bottom())
                             .arg(wantedMm.left())
                             .arg(wantedMm.top())
                             .arg(wantedMm.right())
                             .arg(wantedMm.bottom())));
            QVERIFY(grey(31, 21) < 64);  // the pattern's frame
            QVERIFY(grey(34, 24) > 192); // its white centre
            QVERIFY(grey(45, 14) < 64);  // the line
            QVERIFY(grey(45, 16) > 192);
            QFile::remove(file);
        }
    }

    // A record's labels reach the spooler as one job of that many copies;
    // the next job is one copy again. The queue is stopped so the jobs wait
    // there to be read.
    void aJobOfSeveralLabelsCarriesItsCopies()
    {
        CupsQueue held(u"copies"_qs);
        QVERIFY(held.isReady() && held.stop());
        QTemporaryDir pdfFolder;
        QtPrinterBackend backend(pdfFolder.path());
        ActivePrinter printer(backend);
        QVERIFY(printer.makeCurrent(held.name()));
        PrinterCanvas& canvas = printer.canvas();
        for (int copies : {3, 1}) {
            QVERIFY(canvas.setJobCopies(copies));
            canvas.setFont(labelFont);
            canvas.drawText({10, 8}, u"COPIES"_qs);
            canvas.endDocument();
        }
        cups_job_t* jobs = nullptr;
        const int count = cupsGetJobs2(CUPS_HTTP_DEFAULT, &jobs, held.name().toUtf8().constData(),
                                       0, CUPS_WHICHJOBS_ALL);
        QList<int> ids;
        for (int i = 0; i < count; ++i)
            ids.append(jobs[i].id);
        cupsFreeJobs(count, jobs);
        std::sort(ids.begin(), ids.end());
        QCOMPARE(ids.size(), 2);
        QCOMPARE(jobCopies(ids[0]), 3);
        QCOMPARE(jobCopies(ids[1]), 1);
    }

    // A label-sized user-defined paper reaches the spooler as the page
    // size; what the queue lacks or rejects fails.
    void theQueuesSettingsAndALabelSizedPage()
    {
        QTemporaryDir pdfFolder;
        QtPrinterBackend backend(pdfFolder.path());
        ActivePrinter printer(backend);
        QVERIFY(printer.makeCurrent(queue));
        printer.setPaperSizeCode(11); // A5
        QCOMPARE(printer.paperSizeCode(), 11);
        QCOMPARE(printer.pageWidthTwips(), 8391);
        QVERIFY_THROWS_EXCEPTION(Error, printer.setPaperSizeCode(1024));
        QCOMPARE(printer.paperSizeCode(), 11);
        QVERIFY_THROWS_EXCEPTION(Error, printer.setting(PrinterSetting::Scale));
        QVERIFY_THROWS_EXCEPTION(Error, printer.setSetting(PrinterSetting::PrintQuality, 333));
        printer.setSetting(PrinterSetting::PrintQuality, 600);
        QCOMPARE(printer.setting(PrinterSetting::PrintQuality), 600);

        printer.setPaperSizeCode(256);
        printer.setPageWidthTwips(3402);  // 60 mm
        printer.setPageHeightTwips(2268); // 40 mm
        QCOMPARE(printer.paperSizeCode(), 256);

        const QString title = u"hakobee-test-%1-SIZED"_qs.arg(QCoreApplication::applicationPid());
        auto& device = dynamic_cast<QtPrinterDevice&>(printer.device());
        device.labelCanvas().setJobTitle(title);
        printer.canvas().setFont(labelFont);
        printer.canvas().drawText({5, 5}, u"SIZED"_qs);
        printer.canvas().endDocument();

        QDeadlineTimer deadline(60000);
        while (!jobsTitled(title, CUPS_WHICHJOBS_ACTIVE).isEmpty() && !deadline.hasExpired())
            QThread::msleep(100);
        const QList<QueuedJob> jobs = jobsTitled(title, CUPS_WHICHJOBS_ALL);
        QCOMPARE(jobs.size(), 1);
        QCOMPARE(jobs.first().state, IPP_JSTATE_COMPLETED);
        const QStringList files =
            QDir(outputFolder_)
                .entryList({title + u"*-job_%1.pdf"_qs.arg(jobs.first().id)}, QDir::Files);
        QCOMPARE(files.size(), 1);
        const QString file = QDir(outputFolder_).filePath(files.first());
        const QSizeF pageMm = pdfPageSizePt(file) / pointsPerMm;
        QVERIFY2(qAbs(pageMm.width() - 60) < 0.5 && qAbs(pageMm.height() - 40) < 0.5,
                 qPrintable(u"%1 x %2 mm"_qs.arg(pageMm.width()).arg(pageMm.height())));
        QFile::remove(file);
    }

    // The queue's paper sizes as the paper screen lists them: asked of the
    // queue as a whole, the same as trying every code, each code once
    // although the queue names some sizes twice, the printer left on its paper.
    void theQueuesPaperSizesAreTheCodesItAccepts()
    {
        const std::unique_ptr<QtPrinterDevice> device = QtPrinterDevice::openQueue(queue);
        device->setSetting(PrinterSetting::PaperSize, 11); // A5
        const QList<SupportedPaperSize> listed = device->supportedPaperSizes();
        QCOMPARE(device->setting(PrinterSetting::PaperSize), 11);

        QStringList entries;
        int previousCode = 0;
        for (const SupportedPaperSize& size : listed) {
            QVERIFY2(size.code > previousCode, qPrintable(QString::number(size.code)));
            previousCode = size.code;
            entries.append(paperListEntry(size));
        }
        QVERIFY2(entries.contains(u"9\t210 x 297"_qs), qPrintable(entries.join(u" | "_qs)));
        QVERIFY(entries.contains(u"1\t216 x 279"_qs));   // Letter, named twice by the queue
        QVERIFY(entries.contains(u"256\t148 x 210"_qs)); // user-defined: the current size
        QCOMPARE(listed, probePaperSizesOneByOne(*device));
    }

    // Qt's dialog, answered as soon as it shows, starts from the records and
    // gives back the printer it was left with and the paper the operator saw
    // in it: the one it was given (a label size too, which the queue's own
    // list lacks) unless they chose another on the printer's properties page.
    void theQtDialogKeepsThePaperTheOperatorSaw_data()
    {
        QTest::addColumn<qint16>("givenCode");
        QTest::addColumn<QSizeF>("givenMm");    // for the user-defined code
        QTest::addColumn<QString>("onThePage"); // "" not opened, "ok", "ok A4", "cancel A4"
        QTest::addColumn<qint16>("returnedCode");
        QTest::addColumn<QSizeF>("returnedMm");
        const QSizeF none(0, 0);
        const QSizeF label(60, 40);
        QTest::newRow("A5, page not opened")
            << qint16(11) << none << QString() << qint16(11) << none;
        QTest::newRow("label, page not opened")
            << qint16(256) << label << QString() << qint16(256) << label;
        QTest::newRow("A5, page confirmed") << qint16(11) << none << u"ok"_qs << qint16(11) << none;
        QTest::newRow("label, page confirmed")
            << qint16(256) << label << u"ok"_qs << qint16(256) << label;
        QTest::newRow("label, A4 chosen")
            << qint16(256) << label << u"ok A4"_qs << qint16(9) << none;
        QTest::newRow("A5, A4 chosen, page cancelled")
            << qint16(11) << none << u"cancel A4"_qs << qint16(11) << none;
    }

    void theQtDialogKeepsThePaperTheOperatorSaw()
    {
        QFETCH(qint16, givenCode);
        QFETCH(QSizeF, givenMm);
        QFETCH(QString, onThePage);
        QFETCH(qint16, returnedCode);
        QFETCH(QSizeF, returnedMm);
        DevMode mode;
        mode.setDeviceName(queue);
        mode.fields = DevMode::paperSizeFlag | DevMode::orientationFlag;
        mode.paperSize = givenCode;
        if (givenCode == DevMode::userDefinedPaperSize) {
            mode.fields |= DevMode::paperWidthFlag | DevMode::paperLengthFlag;
            mode.paperWidth = qint16(givenMm.width() * 10);
            mode.paperLength = qint16(givenMm.height() * 10);
        }
        mode.orientation = 2;
        DevNames names;
        names.device = queue;
        QByteArray devMode = mode.toBytes();
        QByteArray devNames = names.toBytes();
        const QByteArray devModeBefore = devMode;

        QtPrintSetupDialog dialog;
        answerNextDialog(false, {});
        QVERIFY(!dialog.exec(1310796, nullptr, devMode, devNames));
        QCOMPARE(devMode, devModeBefore);

        std::optional<QPageSize> shownOnThePage;
        std::function<void(QDialog*)> page;
        if (!onThePage.isEmpty()) {
            page = [&](QDialog* properties) {
                auto* sizes = properties->findChild<QComboBox*>(u"pageSizeCombo"_qs);
                auto* width = properties->findChild<QDoubleSpinBox*>(u"pageWidth"_qs);
                auto* height = properties->findChild<QDoubleSpinBox*>(u"pageHeight"_qs);
                QVERIFY(sizes && width && height);
                // What the operator sees: the size's entry, or "Custom" with
                // the page as it lies (landscape here).
                const QVariant shown = sizes->currentData();
                shownOnThePage =
                    shown.isValid()
                        ? qvariant_cast<QPageSize>(shown)
                        : QPageSize(QSizeF(height->value(), width->value()), QPageSize::Millimeter,
                                    QString(), QPageSize::ExactMatch);
                if (onThePage.endsWith(u"A4"_qs)) {
                    for (int index = 0; index < sizes->count(); ++index) {
                        if (sizes->itemData(index).isValid() &&
                            qvariant_cast<QPageSize>(sizes->itemData(index)).id() == QPageSize::A4)
                            sizes->setCurrentIndex(index);
                    }
                }
                onThePage.startsWith(u"ok"_qs) ? properties->accept() : properties->reject();
            };
        }
        answerNextDialog(true, page);
        QVERIFY(dialog.exec(1310796, nullptr, devMode, devNames));
        const DevMode chosen = DevMode::fromBytes(devMode);
        QCOMPARE(DevNames::fromBytes(devNames).device, queue);
        QCOMPARE(chosen.deviceNameText(), queue);
        if (page) {
            QVERIFY(shownOnThePage);
            const QSizeF wantedMm =
                !givenMm.isEmpty()
                    ? givenMm
                    : QPageSize(QPageSize::id(givenCode)).size(QPageSize::Millimeter);
            const QSizeF shownMm = shownOnThePage->size(QPageSize::Millimeter);
            QVERIFY2(
                qAbs(shownMm.width() - wantedMm.width()) < 0.1 &&
                    qAbs(shownMm.height() - wantedMm.height()) < 0.1,
                qPrintable(
                    u"the page showed %1 x %2 mm"_qs.arg(shownMm.width()).arg(shownMm.height())));
        }
        QVERIFY(chosen.fields & DevMode::paperSizeFlag);
        QCOMPARE(chosen.paperSize, returnedCode);
        QCOMPARE(chosen.paperWidth, qint16(returnedMm.width() * 10));
        QCOMPARE(chosen.paperLength, qint16(returnedMm.height() * 10));
        QVERIFY(chosen.fields & DevMode::orientationFlag);
        QCOMPARE(chosen.orientation, qint16(2));
        QVERIFY(chosen.printQuality > 0);
    }

private:
    // Answers the print dialog as soon as it shows; first, when `page` is
    // given, opens the printer's properties page and lets `page` answer it.
    static void answerNextDialog(bool confirm, std::function<void(QDialog*)> page)
    {
        QTimer::singleShot(0, [confirm, page] {
            auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            QVERIFY(dialog);
            if (page) {
                QTimer::singleShot(0, [page] {
                    auto* properties = qobject_cast<QDialog*>(QApplication::activeModalWidget());
                    QVERIFY(properties);
                    page(properties);
                });
                auto* open = dialog->findChild<QPushButton*>(u"properties"_qs);
                QVERIFY(open);
                open->click();
            }
            confirm ? dialog->accept() : dialog->reject();
        });
    }

    QString outputFolder_;
};

QTEST_MAIN(CupsPrintingTest)
#include "tst_cupsprinting.moc"
