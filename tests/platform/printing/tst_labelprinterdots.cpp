// Labels printed on CUPS's own thermal-label driver (Zebra ZPL,
// rastertolabel) at 203 and 300 dpi, read back at a network label printer
// on loopback: every job is decoded from ZPL to the label's dots, every
// barcode scanned with zbarimg and every bar and space measured in dots. A
// bar one dot off is a misprinted label on a thermal printer even when a
// scanner still reads it, so each must be a whole number of modules exactly.

#include "core/barcode/barcodepicture.h"
#include "core/error.h"
#include "core/printer/activeprinter.h"
#include "core/printrun/labelpipeline.h"
#include "core/render/cancelrequest.h"
#include "core/render/labelprogress.h"
#include "core/units.h"
#include "platform/barcode/zintbarcodeencoder.h"
#include "platform/desktop/fonts.h"
#include "platform/printing/qtprinterbackend.h"
#include "platform/printing/qtprinterdevice.h"
#include "support/barwidths.h"
#include "support/fakelabelprinter.h"
#include "support/jancorpus.h"
#include "support/labelsamples.h"
#include "support/zebraqueue.h"
#include "support/zpllabel.h"
#include "testdata/sampleproducts.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>

#include <cups/raster.h>

#include <fcntl.h>
#include <unistd.h>

#include <cmath>
#include <memory>
#include <optional>
#include <vector>

using namespace hakobee;

namespace {

constexpr int resolutionsDpi[] = {203, 300};
// The label every queue has by default: 57.15 x 31.75 mm, a price label.
const test::LabelMedia priceLabel(u"w162h90"_qs);
// A queue holds no more than this many of the test's jobs at a time: the
// spooler is shared, and refuses jobs beyond its MaxJobs.
constexpr int queuedJobsAtMost = 20;
// The narrowest module EAN allows (80 % of 0.33 mm) and the widest (200 %).
constexpr double narrowestModuleMm = 0.264;
constexpr double widestModuleMm = 0.66;
constexpr double millimetresPerInch = 25.4;

// One label to print: a record of the sample's shape.
struct Label
{
    QString code;
    QString itemName;
    QString name;
    QString price;
};

// The bundled sample's 30 records, as the sample database holds them.
QList<Label> sampleLabels()
{
    QList<Label> labels;
    for (const testdata::SampleProduct& product : testdata::sampleProducts())
        labels.append(
            {product.barcode, product.itemName, product.name, QString::number(product.priceYen)});
    return labels;
}

// The corpus's codes (every digit at every position) on records otherwise
// like the sample label of tests/support.
QList<Label> corpusLabels(int everyNth = 1)
{
    const QStringList codes = test::janCorpus();
    QList<Label> labels;
    for (qsizetype i = 0; i < codes.size(); i += everyNth)
        labels.append({codes[i], u"緑茶ティーバッグ 20袋"_qs, u"静岡県産"_qs, u"398"_qs});
    return labels;
}

LabelRecord recordOf(const Label& label, LabelPipeline& pipeline)
{
    LabelRecord record = test::sampleLabelRecord(label.code, pipeline.recordBarcode(label.code),
                                                 japaneseFontFamily());
    record.itemName = label.itemName;
    record.name = label.name;
    record.price = label.price;
    return record;
}

QString symbolOf(const QString& code)
{
    return (code.size() == 13 ? u"EAN-13:"_qs : u"EAN-8:"_qs) + code;
}

// What one route at one resolution came to, over all its labels.
struct RouteTally
{
    RouteTally(QString routeName, int resolutionDpi)
        : route(std::move(routeName)), dotsPerInch(resolutionDpi)
    {}

    QString route;
    int dotsPerInch = 0;
    int labels = 0;
    int scanned = 0;       // zbarimg read the label's code, and nothing else
    int located = 0;       // the bar-width check found the barcode's bars
    int widthsDecoded = 0; // the measured modules decode to the label's code
    int exactLabels = 0;   // every bar and space a whole number of modules
    int wrongSize = 0;     // jobs that are not the queue's label in its dots
    int runsChecked = 0;
    int runsOff = 0;
    int maxDeviationDots = 0;
    QStringList faults;

    void fault(const QString& code, const QString& what)
    {
        faults.append(u"%1 %2 dpi, label %3 (%4): %5"_qs.arg(route)
                          .arg(dotsPerInch)
                          .arg(labels)
                          .arg(code, what));
    }

    // A job's label as the label printer prints it: the graphic within the
    // label's width and length (the head prints no wider, the gap sensor
    // ends the label), after the job itself was checked to be that label.
    void checkJob(const QString& code, const QImage& job, QSize labelDots)
    {
        ++labels;
        if (job.size() != labelDots) {
            ++wrongSize;
            fault(code, u"the job is %1 x %2 dots, the queue's label %3 x %4"_qs.arg(job.width())
                            .arg(job.height())
                            .arg(labelDots.width())
                            .arg(labelDots.height()));
        }
        measure(code, job.copy(QRect(QPoint(0, 0), labelDots)));
    }

    // A label rasterised on its own, at the tally's resolution.
    void checkImage(const QString& code, const QImage& label)
    {
        ++labels;
        measure(code, label);
    }

    // Scans and measures one printed label.
    void measure(const QString& code, const QImage& label)
    {
        QString zbarFailure;
        const QStringList symbols = test::zbarSymbols(label, &zbarFailure);
        if (symbols == QStringList{symbolOf(code)})
            ++scanned;
        else
            fault(code, u"zbarimg read [%1] %2"_qs.arg(symbols.join(u", "_qs), zbarFailure));
        const test::BarWidthReport widths = test::measureBarWidths(label, dotsPerInch);
        located += widths.found() ? 1 : 0;
        runsChecked += widths.runsChecked;
        runsOff += widths.runsOff;
        maxDeviationDots = std::max(maxDeviationDots, widths.maxDeviationDots);
        if (widths.digits == code)
            ++widthsDecoded;
        if (widths.exact() && widths.digits == code)
            ++exactLabels;
        else
            fault(code, widths.describe());
        if (widths.found() &&
            (widths.moduleMm < narrowestModuleMm || widths.moduleMm > widestModuleMm))
            fault(code, u"module %1 mm"_qs.arg(widths.moduleMm, 0, 'f', 3));
    }

    QString summary() const
    {
        return u"route=%1 dpi=%2 labels=%3 wrong_size=%4 zbar_read=%5 bars_found=%6 "
               u"widths_decoded=%7 exact=%8 runs_checked=%9 runs_off=%10 (%11 %) "
               u"max_deviation_dots=%12"_qs.arg(route)
                   .arg(dotsPerInch)
                   .arg(labels)
                   .arg(wrongSize)
                   .arg(scanned)
                   .arg(located)
                   .arg(widthsDecoded)
                   .arg(exactLabels)
                   .arg(runsChecked)
                   .arg(runsOff)
                   .arg(runsChecked ? 100.0 * runsOff / runsChecked : 0.0, 0, 'f', 1)
                   .arg(maxDeviationDots);
    }
};

// Prints every tally, then fails with the first faults of each.
void verifyTallies(const std::vector<RouteTally>& tallies, qsizetype expectedLabels)
{
    QStringList shown;
    for (const RouteTally& tally : tallies) {
        qInfo().noquote() << tally.summary();
        if (tally.labels != expectedLabels)
            shown.append(u"%1 %2 dpi: %3 labels checked of %4"_qs.arg(tally.route)
                             .arg(tally.dotsPerInch)
                             .arg(tally.labels)
                             .arg(expectedLabels));
        shown += tally.faults.mid(0, 4);
        if (tally.faults.size() > 4)
            shown.append(u"... %1 faults in all at %2 dpi"_qs.arg(tally.faults.size())
                             .arg(tally.dotsPerInch));
    }
    QVERIFY2(shown.isEmpty(), qPrintable(shown.join(u"\n"_qs)));
}

// A label printer on loopback behind a Zebra queue of its own.
struct LabelStation
{
    explicit LabelStation(const QString& purpose, int dotsPerInch)
        : queue(purpose, dotsPerInch, printer.deviceUri(), priceLabel.name)
    {}
    test::FakeLabelPrinter printer{QStringLiteral(HAKOBEE_FAKE_LABEL_PRINTER)};
    test::ZebraQueue queue;

    void waitForRoom() const
    {
        while (queue.jobCount(CUPS_WHICHJOBS_ACTIVE) >= queuedJobsAtMost)
            QThread::msleep(20);
    }

    // Waits for the queue to drain and every job to arrive, then decodes
    // each job's label into the tally, in the order the jobs were sent.
    void checkJobs(const QList<Label>& labels, RouteTally& tally) const
    {
        QVERIFY2(queue.waitUntilIdle(480000), "the Zebra queue did not drain");
        printer.waitForJobs(labels.size(), 20000);
        const QList<test::ReceivedJob> jobs = printer.jobs();
        QCOMPARE(jobs.size(), labels.size());
        for (qsizetype i = 0; i < jobs.size(); ++i) {
            QFile file(jobs[i].path);
            QVERIFY(file.open(QIODevice::ReadOnly));
            const test::ZplJob job = test::decodeZplJob(file.readAll());
            if (!job.failure.isEmpty() || job.labels.size() != 1) {
                ++tally.labels;
                tally.fault(labels[i].code, u"job %1: %2 labels, %3"_qs.arg(jobs[i].index)
                                                .arg(job.labels.size())
                                                .arg(job.failure));
                continue;
            }
            tally.checkJob(labels[i].code, job.labels.first().image, queue.labelSizeDots());
        }
    }
};

// The product's PDF folder printer set to a label printer's resolution and
// label: one PDF per label into the folder.
QStringList writePdfLabels(const QString& folder, int dotsPerInch, const QList<Label>& labels)
{
    QtPrinterBackend backend(folder, QtPrinterBackend::SystemPrinters::Ignore);
    ActivePrinter printer(backend);
    printer.setSetting(PrinterSetting::PrintQuality, dotsPerInch);
    printer.setPaperSizeCode(256);
    printer.setPageWidthTwips(int(std::lround(priceLabel.sizeMm().width() * twipsPerMillimetre)));
    printer.setPageHeightTwips(int(std::lround(priceLabel.sizeMm().height() * twipsPerMillimetre)));
    NoLabelProgress progress;
    CancelRequest cancel;
    LabelPipeline pipeline(std::make_unique<ZintBarcodeEncoder>(), printer.canvas(), progress,
                           cancel);
    for (const Label& label : labels)
        pipeline.printLabel(recordOf(label, pipeline));
    QStringList files;
    for (const QString& name : QDir(folder).entryList({u"*.pdf"_qs}, QDir::Files, QDir::Name))
        files.append(QDir(folder).filePath(name));
    return files;
}

// The labels the PDF routes print: the sample and every fifth corpus code.
QList<Label> pdfRouteLabels()
{
    return sampleLabels() + corpusLabels(5);
}

// A barcode picture rasterised as a rasteriser fills a path: the bars laid
// out at designDotsPerInch (the module snapped to its dots), their edges
// scaled to the device's dots, and a device dot black when its centre lies
// inside a bar. White image, the barcode 2 mm from the left and the top.
QImage rasterisedBarcode(const BarcodePicture& picture, double designDotsPerInch,
                         int deviceDotsPerInch)
{
    const double designDotsPerMm = designDotsPerInch / millimetresPerInch;
    const double deviceDotsPerMm = deviceDotsPerInch / millimetresPerInch;
    const int module = BarcodePicture::moduleDots(designDotsPerMm);
    const QSizeF sizeMm = picture.sizeMm(designDotsPerMm);
    QImage image(int(std::ceil((sizeMm.width() + 4) * deviceDotsPerMm)),
                 int(std::ceil((sizeMm.height() + 4) * deviceDotsPerMm)), QImage::Format_Mono);
    image.setColorTable({qRgb(255, 255, 255), qRgb(0, 0, 0)});
    image.fill(0);
    const double leftDesign = std::round(2 * designDotsPerMm);
    const double scale = deviceDotsPerInch / designDotsPerInch;
    const int top = int(std::round(2 * deviceDotsPerMm));
    const int bottom = top + int(std::round(sizeMm.height() * deviceDotsPerMm));
    for (const BarcodeBar& bar : picture.bars()) {
        const double from = (leftDesign + bar.startModule * module) * scale;
        const double to = (leftDesign + (bar.startModule + bar.widthModules) * module) * scale;
        for (int x = int(std::floor(from)); x < int(std::ceil(to)); ++x) {
            if (x + 0.5 < from || x + 0.5 >= to)
                continue;
            for (int y = top; y < bottom; ++y)
                image.setPixel(x, y, 1);
        }
    }
    return image;
}

// A CUPS raster file of one 1-bit page (black = 1), as a rasteriser writes
// it for a label driver, from each row's bytes.
bool writeRaster(const QString& path, int widthDots, int heightDots, int dotsPerInch,
                 const QList<QByteArray>& rows)
{
    const int fd = ::open(QFile::encodeName(path).constData(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (fd < 0)
        return false;
    cups_raster_t* raster = cupsRasterOpen(fd, CUPS_RASTER_WRITE);
    cups_page_header2_t header{};
    header.HWResolution[0] = header.HWResolution[1] = unsigned(dotsPerInch);
    header.PageSize[0] = unsigned(std::lround(widthDots * 72.0 / dotsPerInch));
    header.PageSize[1] = unsigned(std::lround(heightDots * 72.0 / dotsPerInch));
    header.NumCopies = 1;
    header.cupsWidth = unsigned(widthDots);
    header.cupsHeight = unsigned(heightDots);
    header.cupsBitsPerColor = 1;
    header.cupsBitsPerPixel = 1;
    header.cupsBytesPerLine = unsigned((widthDots + 7) / 8);
    header.cupsColorOrder = CUPS_ORDER_CHUNKED;
    header.cupsColorSpace = CUPS_CSPACE_K;
    header.cupsRowStep = 200; // the driver's "no label top adjustment"
    header.AdvanceDistance = 1000;
    bool written = raster && cupsRasterWriteHeader2(raster, &header);
    for (const QByteArray& row : rows) {
        written = written &&
                  cupsRasterWritePixels(
                      raster, reinterpret_cast<unsigned char*>(const_cast<char*>(row.constData())),
                      unsigned(row.size())) == unsigned(row.size());
    }
    if (raster)
        cupsRasterClose(raster);
    ::close(fd);
    return written;
}

// What the program wrote to standard output; nothing when it failed.
std::optional<QByteArray>
runProgram(const QString& program, const QStringList& arguments,
           const QProcessEnvironment& environment = QProcessEnvironment::systemEnvironment())
{
    QProcess process;
    process.setProcessEnvironment(environment);
    process.start(program, arguments);
    if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit ||
        process.exitCode() != 0)
        return std::nullopt;
    return process.readAllStandardOutput();
}

} // namespace

class TestLabelPrinterDots : public QObject
{
    Q_OBJECT

private slots:
    // rastertolabel itself, on a raster whose every dot is known: rows that
    // use each of its codings (',' zeros to the end, ':' the row again,
    // repeat counts up to 'z', odd nibble runs), read back dot for dot.
    void zplDecoderReadsWhatRastertolabelSends()
    {
        QTemporaryDir folder;
        const QString ppd = folder.filePath(u"zebra.ppd"_qs);
        const std::optional<QByteArray> ppdText =
            runProgram(u"/usr/lib/cups/daemon/cups-driverd"_qs,
                       {u"cat"_qs, u"drv:///sample.drv/zebra.ppd"_qs});
        QVERIFY2(ppdText && !ppdText->isEmpty(), "cups-driverd gave no Zebra ZPL PPD");
        {
            QFile file(ppd);
            QVERIFY(file.open(QIODevice::WriteOnly) && file.write(*ppdText) == ppdText->size());
        }
        // 1733 dots: 217 bytes a row, the last one padded, and runs of more
        // than 400 hex digits.
        constexpr int width = 1733, height = 60, bytesPerRow = (width + 7) / 8;
        QList<QByteArray> rows;
        quint32 random = 12345;
        for (int y = 0; y < height; ++y) {
            QByteArray row(bytesPerRow, '\0');
            switch (y % 6) {
            case 0: // white
                break;
            case 1: // the row before again
                row = rows.last();
                break;
            case 2: // black to the last dot, the padding white
                row.fill(char(0xff));
                row[bytesPerRow - 1] = char(0xf8);
                break;
            case 3: // noise
            case 4: // noise, then white from an odd nibble on
                for (int x = 0; x < (y % 6 == 3 ? bytesPerRow : bytesPerRow / 2); ++x) {
                    random = random * 1103515245 + 12345;
                    row[x] = char(random >> 16);
                }
                if (y % 6 == 4)
                    row[bytesPerRow / 2 - 1] = char(0x30);
                break;
            case 5: // bars y % 7 + 1 dots wide
                for (int x = 0; x < width; ++x) {
                    if ((x / (y % 7 + 1)) % 2 == 0)
                        row[x / 8] = char(row[x / 8] | (0x80 >> (x % 8)));
                }
                break;
            }
            rows.append(row);
        }
        const QString raster = folder.filePath(u"page.ras"_qs);
        QVERIFY(writeRaster(raster, width, height, 203, rows));

        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(u"PPD"_qs, ppd);
        const QByteArray zpl =
            runProgram(u"/usr/lib/cups/filter/rastertolabel"_qs,
                       {u"1"_qs, u"test"_qs, u"zpl"_qs, u"1"_qs, QString(), raster}, environment)
                .value_or(QByteArray());
        QVERIFY2(zpl.startsWith("~DGR:CUPS.GRF,13020,217,"), zpl.left(40).constData());
        for (const char coding : {',', ':', 'z'})
            QVERIFY2(zpl.contains(coding), "the raster does not use every coding");

        const test::ZplJob job = test::decodeZplJob(zpl);
        QVERIFY2(job.failure.isEmpty(), qPrintable(job.failure));
        QCOMPARE(job.labels.size(), 1);
        const test::ZplLabel& label = job.labels.first();
        QCOMPARE(label.printWidthDots, width);
        QCOMPARE(label.graphicBytesPerRow, bytesPerRow);
        QCOMPARE(label.image.size(), QSize(width, height));
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x) {
                const bool black = uchar(rows[y][x / 8]) & (0x80 >> (x % 8));
                if (label.image.pixelIndex(x, y) != int(black))
                    QFAIL(qPrintable(u"dot %1,%2 reads wrong"_qs.arg(x).arg(y)));
            }
        }
        // A job cut off inside its graphic is no label.
        QVERIFY(!test::decodeZplJob(zpl.left(zpl.size() / 2)).failure.isEmpty());
    }

    // The check of the bars against a barcode as a rasteriser lays it on a
    // 203 dpi label: with its module snapped to 1/1200 in (the PDF's
    // resolution) bars come out a dot narrow or wide; snapped to the label's
    // own dots every bar is whole. One edge moved by a dot is caught.
    void barWidthCheckTellsAModuleSnappedToAnotherResolution()
    {
        const auto picture = ZintBarcodeEncoder().encode(u"JAN-4901234567894"_qs);
        const QImage snapped = rasterisedBarcode(*picture, 1200, 203);
        const test::BarWidthReport off = test::measureBarWidths(snapped, 203);
        qInfo().noquote() << "snapped to 1/1200 in:" << off.describe();
        qInfo().noquote() << "zbarimg reads it as" << test::zbarSymbols(snapped).join(u", "_qs);
        QVERIFY2(off.found(), qPrintable(off.failure));
        QVERIFY(off.runsOff > 0);
        QCOMPARE(off.maxDeviationDots, 1);
        QVERIFY(!off.exact());

        const QImage whole = rasterisedBarcode(*picture, 203, 203);
        const test::BarWidthReport exact = test::measureBarWidths(whole, 203);
        QVERIFY2(exact.exact(), qPrintable(exact.describe()));
        QCOMPARE(exact.symbology, u"EAN-13"_qs);
        QCOMPARE(exact.digits, u"4901234567894"_qs);
        QCOMPARE(exact.moduleDots, 3);
        QCOMPARE(exact.runsChecked, 5 * 59);
        QCOMPARE(test::zbarSymbols(whole), QStringList{u"EAN-13:4901234567894"_qs});

        // The right edge of the tenth bar a dot to the right: that bar and
        // the space after it are each a dot off, in every row.
        QImage oneEdge = whole;
        const test::MeasuredRow& row = exact.rows.first();
        int x = 0;
        while (oneEdge.pixelIndex(x, row.y) == 0)
            ++x;
        for (int run = 0; run < 19; ++run)
            x += row.runs[run].widthDots;
        for (int y = 0; y < oneEdge.height(); ++y) {
            if (oneEdge.pixelIndex(x - 1, y) == 1)
                oneEdge.setPixel(x, y, 1);
        }
        const test::BarWidthReport moved = test::measureBarWidths(oneEdge, 203);
        QCOMPARE(moved.runsOff, 2 * 5);
        QCOMPARE(moved.maxDeviationDots, 1);

        const auto ean8 = ZintBarcodeEncoder().encode(u"JAN-49123456"_qs);
        const test::BarWidthReport short8 =
            test::measureBarWidths(rasterisedBarcode(*ean8, 300, 300), 300);
        QVERIFY2(short8.exact(), qPrintable(short8.describe()));
        QCOMPARE(short8.symbology, u"EAN-8"_qs);
        QCOMPARE(short8.digits, u"49123456"_qs);
    }

    // The paper screen's list on a label queue: every size the driver
    // offers, each under a code of its own that a second opening (a
    // restart) gives again; a code taken from the list prints that size, a
    // code the queue does not offer is refused.
    void everySizeOfTheZebraQueueHasAStableCode()
    {
        LabelStation station(u"papers"_qs, 203);
        QVERIFY2(station.queue.isReady(), qPrintable(station.queue.failure()));
        const auto open = [&station] {
            return QtPrinterDevice::openQueue(station.queue.name());
        };
        const std::unique_ptr<QtPrinterDevice> device = open();
        const QList<SupportedPaperSize> listed = device->supportedPaperSizes();
        // The driver's 64 sizes and the user-defined one.
        QCOMPARE(listed.size(), 64 + 1);
        QSet<int> codes;
        for (const SupportedPaperSize& size : listed)
            codes.insert(size.code);
        QCOMPARE(codes.size(), listed.size());
        QCOMPARE(open()->supportedPaperSizes(), listed);

        // With no paper set, the queue's default label; then a size from the list.
        const int priceLabelCode = 257 + 256 * 56 + 31; // 57 x 32 mm
        QCOMPARE(device->setting(PrinterSetting::PaperSize), priceLabelCode);
        const int roll = 257 + 256 * 101 + 126; // w288h360, 102 x 127 mm
        device->setSetting(PrinterSetting::PaperSize, roll);
        QCOMPARE(device->paperKey(), u"w288h360"_qs);
        QCOMPARE(device->setting(PrinterSetting::PageWidthTwips), 5760);
        QVERIFY_THROWS_EXCEPTION(Error, device->setSetting(PrinterSetting::PaperSize, 70));
        QCOMPARE(device->paperKey(), u"w288h360"_qs);
    }

    // The raster route: the product prints to the Zebra queue as to any
    // CUPS queue, with no paper set by the test; each job must be the
    // queue's own label at its resolution with every bar whole.
    // A record's labels reach the label printer as one label with its
    // quantity: the raster driver takes the copies from the raster.
    void aRecordOfSeveralLabelsIsOneLabelAndItsQuantity()
    {
        LabelStation station(u"copies"_qs, 203);
        QVERIFY2(station.printer.isReady(), "the fake label printer did not start");
        QVERIFY2(station.queue.isReady(), qPrintable(station.queue.failure()));
        QTemporaryDir pdfFolder;
        QtPrinterBackend backend(pdfFolder.path());
        ActivePrinter printer(backend);
        QVERIFY(printer.makeCurrent(station.queue.name()));
        NoLabelProgress progress;
        CancelRequest cancel;
        LabelPipeline pipeline(std::make_unique<ZintBarcodeEncoder>(), printer.canvas(), progress,
                               cancel);
        const QList<Label> labels = sampleLabels().mid(0, 2);
        pipeline.printLabel(recordOf(labels[0], pipeline), 3);
        pipeline.printLabel(recordOf(labels[1], pipeline));
        QVERIFY2(station.queue.waitUntilIdle(120000), "the Zebra queue did not drain");
        QVERIFY(station.printer.waitForJobs(2, 20000));
        QList<int> quantities;
        for (const test::ReceivedJob& received : station.printer.jobs()) {
            QFile file(received.path);
            QVERIFY(file.open(QIODevice::ReadOnly));
            const test::ZplJob job = test::decodeZplJob(file.readAll());
            QVERIFY2(job.failure.isEmpty(), qPrintable(job.failure));
            QCOMPARE(job.labels.size(), 1);
            quantities.append(job.labels.first().quantity);
        }
        QCOMPARE(quantities, (QList<int>{3, 1}));
    }

    void labelsOnTheZebraDriverAreExactToTheDot()
    {
        const QList<Label> labels = sampleLabels() + corpusLabels();
        QVERIFY(test::coversEveryDigitAtEveryPosition(test::janCorpus()));
        QCOMPARE(labels.size(), 30 + 250);
        struct Printing
        {
            std::unique_ptr<LabelStation> station;
            std::unique_ptr<QtPrinterBackend> backend;
            std::unique_ptr<ActivePrinter> printer;
            std::unique_ptr<LabelPipeline> pipeline;
        };
        QTemporaryDir pdfFolder;
        NoLabelProgress progress;
        CancelRequest cancel;
        std::vector<Printing> printings;
        for (const int dotsPerInch : resolutionsDpi) {
            Printing printing;
            printing.station = std::make_unique<LabelStation>(u"dots"_qs, dotsPerInch);
            QVERIFY2(printing.station->printer.isReady(), "the fake label printer did not start");
            QVERIFY2(printing.station->queue.isReady(),
                     qPrintable(printing.station->queue.failure()));
            printing.backend = std::make_unique<QtPrinterBackend>(pdfFolder.path());
            printing.printer = std::make_unique<ActivePrinter>(*printing.backend);
            QVERIFY(printing.printer->makeCurrent(printing.station->queue.name()));
            printing.pipeline =
                std::make_unique<LabelPipeline>(std::make_unique<ZintBarcodeEncoder>(),
                                                printing.printer->canvas(), progress, cancel);
            printings.push_back(std::move(printing));
        }
        // Both queues at once, label by label, one job each.
        for (const Label& label : labels) {
            for (Printing& printing : printings) {
                printing.station->waitForRoom();
                dynamic_cast<QtPrinterDevice&>(printing.printer->device())
                    .labelCanvas()
                    .setJobTitle(u"hakobee-dots-"_qs + label.code);
                printing.pipeline->printLabel(recordOf(label, *printing.pipeline));
            }
        }
        std::vector<RouteTally> tallies;
        for (const Printing& printing : printings) {
            RouteTally tally{u"raster"_qs, printing.station->queue.dotsPerInch()};
            printing.station->checkJobs(labels, tally);
            if (QTest::currentTestFailed())
                return;
            tallies.push_back(tally);
        }
        verifyTallies(tallies, labels.size());
    }

    // The PDF route: the PDF folder printer set to the queue's resolution
    // and label, its PDFs sent to the Zebra queue as they are, so that
    // cups-filters' Ghostscript step rasterises them for rastertolabel.
    void pdfLabelsThroughGhostscriptAreExactToTheDot()
    {
        const QList<Label> labels = pdfRouteLabels();
        std::vector<std::unique_ptr<LabelStation>> stations;
        QTemporaryDir folder;
        std::vector<QStringList> pdfs;
        for (const int dotsPerInch : resolutionsDpi) {
            auto station = std::make_unique<LabelStation>(u"dots-pdf"_qs, dotsPerInch);
            QVERIFY2(station->printer.isReady(), "the fake label printer did not start");
            QVERIFY2(station->queue.isReady(), qPrintable(station->queue.failure()));
            pdfs.push_back(
                writePdfLabels(folder.filePath(QString::number(dotsPerInch)), dotsPerInch, labels));
            QCOMPARE(pdfs.back().size(), labels.size());
            stations.push_back(std::move(station));
        }
        for (qsizetype i = 0; i < labels.size(); ++i) {
            for (size_t s = 0; s < stations.size(); ++s) {
                stations[s]->waitForRoom();
                QVERIFY2(stations[s]->queue.printFile(pdfs[s][i], u"hakobee-dots-pdf"_qs) > 0,
                         cupsLastErrorString());
            }
        }
        std::vector<RouteTally> tallies;
        for (const auto& station : stations) {
            RouteTally tally{u"pdf-ghostscript"_qs, station->queue.dotsPerInch()};
            station->checkJobs(labels, tally);
            if (QTest::currentTestFailed())
                return;
            tallies.push_back(tally);
        }
        verifyTallies(tallies, labels.size());
    }

    // The PDF folder printer's own files, set to a label printer's
    // resolution and label, rasterised at that resolution in black and white
    // (pdftoppm -mono) as a PDF viewer or a printer's own RIP would.
    void pdfFolderPrinterOutputIsExactToTheDot()
    {
        const QList<Label> labels = pdfRouteLabels();
        std::vector<RouteTally> tallies;
        for (const int dotsPerInch : resolutionsDpi) {
            QTemporaryDir folder;
            const QStringList pdfs =
                writePdfLabels(folder.filePath(u"pdf"_qs), dotsPerInch, labels);
            QCOMPARE(pdfs.size(), labels.size());
            RouteTally tally{u"pdf-poppler"_qs, dotsPerInch};
            for (qsizetype i = 0; i < pdfs.size(); ++i) {
                const QString page = folder.filePath(u"page"_qs);
                // Poppler's grey rendering, as viewers show the file, cut at
                // half grey. (Its 1-bit mode resamples 1-bit images by a dot
                // at their edges; CUPS rasterises PDF with Ghostscript, the
                // route above.)
                QVERIFY(
                    runProgram(u"pdftoppm"_qs, {u"-r"_qs, QString::number(dotsPerInch), u"-gray"_qs,
                                                u"-singlefile"_qs, pdfs[i], page}));
                tally.checkImage(labels[i].code,
                                 QImage(page + u".pgm"_qs)
                                     .convertToFormat(QImage::Format_Mono, Qt::ThresholdDither));
            }
            tallies.push_back(tally);
        }
        verifyTallies(tallies, labels.size());
    }
};

QTEST_MAIN(TestLabelPrinterDots)
#include "tst_labelprinterdots.moc"
