// The PDF folder printer: each job becomes one numbered one-page file, an
// aborted or abandoned job leaves nothing, and drawing lands where asked.

#include "core/barcode/barcodepicture.h"
#include "core/error.h"
#include "core/printer/activeprinter.h"
#include "core/printer/scopedprintjob.h"
#include "core/printrun/labelpipeline.h"
#include "core/render/calibrationlabel.h"
#include "core/render/cancelrequest.h"
#include "core/render/labelprogress.h"
#include "platform/barcode/zintbarcodeencoder.h"
#include "platform/desktop/fonts.h"
#include "platform/printing/qtprinterbackend.h"
#include "platform/printing/qtprinterdevice.h"
#include "support/barcodescan.h"
#include "support/paperprobe.h"
#include "support/pdftools.h"
#include "support/settingsfixture.h"
#include "support/testpatternpicture.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

#include <cmath>

using namespace hakobee;
using namespace hakobee::test;

namespace {

// Every entry of the folder, hidden spool files included.
QStringList folderEntries(const QString& folder)
{
    return QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::System, QDir::Name);
}

// The face the program prints its labels in.
const PrintFont labelFont{japaneseFontFamily(), 12.0, false, false};

} // namespace

class PdfFolderPrinterTest : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        QVERIFY(folderRoot_.isValid());
        folder_ = QDir(folderRoot_.path()).filePath(u"labels-%1"_qs.arg(++run_));
        device_ = QtPrinterDevice::openPdfFolder(QtPrinterBackend::pdfFolderPrinterName(), folder_);
    }
    void cleanup() { device_.reset(); }

    void eachJobIsOneNumberedOnePageFile()
    {
        PrinterCanvas& canvas = device_->canvas();
        for (int label = 1; label <= 3; ++label) {
            canvas.setFont(labelFont);
            canvas.drawText({20, 30}, u"LABEL%1"_qs.arg(label));
            canvas.endDocument();
        }
        QCOMPARE(folderEntries(folder_),
                 (QStringList{"label-000001.pdf", "label-000002.pdf", "label-000003.pdf"}));
        for (int label = 1; label <= 3; ++label) {
            const QString file =
                QDir(folder_).filePath(u"label-%1.pdf"_qs.arg(label, 6, 10, QLatin1Char('0')));
            QCOMPARE(pdfPageCount(file), 1);
            const QList<PdfWord> words = pdfWords(file);
            QCOMPARE(words.size(), 1);
            QCOMPARE(words.first().text, u"LABEL%1"_qs.arg(label));
        }
    }

    void numberingGoesOnAfterFilesAlreadyThere()
    {
        QVERIFY(QDir().mkpath(folder_));
        QFile earlier(QDir(folder_).filePath(u"label-000041.pdf"_qs));
        QVERIFY(earlier.open(QIODevice::WriteOnly));
        earlier.close();
        device_->canvas().drawText({0, 0}, u"X"_qs);
        device_->canvas().endDocument();
        QCOMPARE(folderEntries(folder_), (QStringList{"label-000041.pdf", "label-000042.pdf"}));
    }

    void itsPaperSizesAreTheCodesItAccepts()
    {
        device_->setSetting(PrinterSetting::PaperSize, 13); // B5 (JIS)
        const QList<SupportedPaperSize> listed = device_->supportedPaperSizes();
        QCOMPARE(device_->setting(PrinterSetting::PaperSize), 13);
        QVERIFY(listed.contains(SupportedPaperSize{9, 11906, 16838}));   // A4
        QVERIFY(listed.contains(SupportedPaperSize{256, 10318, 14570})); // the current size
        QCOMPARE(listed, probePaperSizesOneByOne(*device_));
    }

    // The folder is listed for the first label only; a number someone else
    // took meanwhile is passed over, never overwritten.
    void numberingGoesOnFromTheRunsOwnCountAndPassesOverTakenNames()
    {
        PrinterCanvas& canvas = device_->canvas();
        const auto printLabel = [&canvas] {
            canvas.drawText({0, 0}, u"X"_qs);
            canvas.endDocument();
        };
        printLabel();
        const QDir folder(folder_);
        SettingsFixture::writeBytes(folder.filePath(u"label-000002.pdf"_qs), "someone else's");
        SettingsFixture::writeBytes(folder.filePath(u"label-000050.pdf"_qs), "and later");
        printLabel();
        printLabel();
        QCOMPARE(folderEntries(folder_),
                 (QStringList{"label-000001.pdf", "label-000002.pdf", "label-000003.pdf",
                              "label-000004.pdf", "label-000050.pdf"}));
        QCOMPARE(SettingsFixture::readBytes(folder.filePath(u"label-000002.pdf"_qs)),
                 QByteArray("someone else's"));
        QCOMPARE(pdfPageCount(folder.filePath(u"label-000004.pdf"_qs)), 1);
    }

    void abortedOrAbandonedJobsLeaveNothing()
    {
        PrinterCanvas& canvas = device_->canvas();
        canvas.drawText({10, 10}, u"ABORTED"_qs);
        canvas.newPage();
        canvas.abortDocument();
        QVERIFY(folderEntries(folder_).isEmpty());

        // A job still open when its printer goes away is discarded too.
        device_->canvas().drawText({10, 10}, u"ABANDONED"_qs);
        QVERIFY(device_->labelCanvas().jobOpen());
        device_.reset();
        QVERIFY(folderEntries(folder_).isEmpty());
    }

    void aPictureFailingHalfWayLeavesTheJobUsable()
    {
        struct FailingPicture : PrintPicture
        {
            QSizeF sizeMm(double) const override { return {10, 10}; }
            void paint(QPainter& painter, QPointF, double) const override
            {
                painter.translate(1000, 1000);
                throw Error(u"broken picture"_qs);
            }
        } failing;
        PrinterCanvas& canvas = device_->canvas();
        canvas.setFont(labelFont);
        QVERIFY_THROWS_EXCEPTION(Error, canvas.drawPicture({0, 0}, failing));
        canvas.drawText({10, 10}, u"AFTER"_qs);
        canvas.endDocument();
        const QString file = QDir(folder_).filePath(u"label-000001.pdf"_qs);
        const QList<PdfWord> words = pdfWords(file);
        QCOMPARE(words.size(), 1);
        // drawn where asked, not moved by the failed picture's transform
        QVERIFY(qAbs(words.first().boxPt.left() / pointsPerMm - 10) < 0.5);
    }

    void aScopedJobLeftByAnExceptionIsDiscarded()
    {
        try {
            ScopedPrintJob job(device_->canvas());
            job.canvas().drawText({10, 10}, u"HALF"_qs);
            throw Error(u"price is not a number"_qs);
        } catch (const Error&) {
        }
        QVERIFY(folderEntries(folder_).isEmpty());
        QVERIFY(!device_->labelCanvas().jobOpen());
        {
            ScopedPrintJob job(device_->canvas());
            job.canvas().drawText({10, 10}, u"WHOLE"_qs);
            job.end();
        }
        QCOMPARE(folderEntries(folder_), QStringList{"label-000001.pdf"});
        QCOMPARE(pdfWords(QDir(folder_).filePath(folderEntries(folder_).first())).first().text,
                 u"WHOLE"_qs);
    }

    void endingWithoutDrawingSendsNothing()
    {
        device_->canvas().endDocument();
        device_->canvas().abortDocument();
        QVERIFY(folderEntries(folder_).isEmpty());
    }

    void newPageMakesASecondPageOfTheSameJob()
    {
        PrinterCanvas& canvas = device_->canvas();
        canvas.drawText({10, 10}, u"FIRST"_qs);
        canvas.newPage();
        canvas.drawText({10, 10}, u"SECOND"_qs);
        canvas.endDocument();
        const QStringList files = folderEntries(folder_);
        QCOMPARE(files.size(), 1);
        const QString file = QDir(folder_).filePath(files.first());
        QCOMPARE(pdfPageCount(file), 2);
        const QList<PdfWord> words = pdfWords(file);
        QCOMPARE(words.size(), 2);
        QCOMPARE(words.at(1).text, u"SECOND"_qs);
        QCOMPARE(words.at(1).page, 2);
    }

    void textAndPicturesLandInMillimetresFromTheTopLeft()
    {
        device_->setSetting(PrinterSetting::PaperSize, 256);
        device_->setSetting(PrinterSetting::PageWidthTwips, 3402);  // 60 mm
        device_->setSetting(PrinterSetting::PageHeightTwips, 2268); // 40 mm
        PrinterCanvas& canvas = device_->canvas();
        QCOMPARE(canvas.printableSizeMm().toSize(), QSize(60, 40));

        canvas.setFont(labelFont);
        canvas.drawText({9, 5}, u"TITLE"_qs);
        const QSizeF titleSize = canvas.textSizeMm(u"TITLE"_qs);
        canvas.setFont({labelFont.family, 6.5, true, true});
        const QSizeF smallSize = canvas.textSizeMm(u"TITLE"_qs);
        canvas.drawText({3, 20}, u"SMALL"_qs);
        canvas.drawLine({0, 15}, {60, 15}, 3, Qt::black);
        const TestPatternPicture pattern(8);
        canvas.drawPicture({40, 24}, pattern);
        canvas.endDocument();

        // Text is measured at the printer's resolution and scales with its size.
        const double dotsPerMm = device_->printer().resolution() / 25.4;
        QCOMPARE(pattern.lastDotsPerMm, dotsPerMm);
        QCOMPARE(pattern.lastTopLeftDots, QPointF(40 * dotsPerMm, 24 * dotsPerMm));
        QVERIFY(titleSize.width() > 5 && titleSize.height() > 3);
        QVERIFY(qAbs(smallSize.width() / titleSize.width() - 6.5 / 12) < 0.05);

        const QString file = QDir(folder_).filePath(u"label-000001.pdf"_qs);
        QCOMPARE(pdfPageSizePt(file).toSize(), QSize(170, 113)); // 60 x 40 mm
        const QList<PdfWord> words = pdfWords(file);
        QCOMPARE(words.size(), 2);
        // The word box starts at the text's left edge and, give or take the
        // font's own spacing, at its top.
        QVERIFY2(qAbs(words.at(0).boxPt.left() / pointsPerMm - 9) < 0.5,
                 qPrintable(QString::number(words.at(0).boxPt.left() / pointsPerMm)));
        QVERIFY2(qAbs(words.at(0).boxPt.top() / pointsPerMm - 5) < 1.0,
                 qPrintable(QString::number(words.at(0).boxPt.top() / pointsPerMm)));
        QVERIFY(qAbs(words.at(1).boxPt.left() / pointsPerMm - 3) < 0.5);
        QVERIFY(qAbs(words.at(1).boxPt.top() / pointsPerMm - 20) < 1.0);

        // The pattern's frame is black, its centre and its surroundings white;
        // the line across the label is black.
        const QImage page = rasterisePdf(file, 254); // 10 pixels per millimetre
        QVERIFY(!page.isNull());
        const auto grey = [&page](double xMm, double yMm) {
            return qGray(page.pixel(int(xMm * 10), int(yMm * 10)));
        };
        QVERIFY(grey(41, 25) < 64);
        QVERIFY(grey(44, 28) > 192);
        QVERIFY(grey(38, 22) > 192);
        QVERIFY(grey(50, 15) < 64);
        QVERIFY(grey(50, 16) > 192);
    }

    void settingsThePdfPrinterLacksOrRejectsFail()
    {
        QVERIFY_THROWS_EXCEPTION(Error, device_->setting(PrinterSetting::Scale));
        QVERIFY_THROWS_EXCEPTION(Error, device_->setSetting(PrinterSetting::Duplex, 2));
        QVERIFY_THROWS_EXCEPTION(Error, device_->setSetting(PrinterSetting::Orientation, 3));
        QVERIFY_THROWS_EXCEPTION(Error, device_->setSetting(PrinterSetting::PaperSize, 9999));
        QCOMPARE(device_->setting(PrinterSetting::PaperSize), 9);
        device_->setSetting(PrinterSetting::PaperSize, 11); // A5
        QCOMPARE(device_->setting(PrinterSetting::PaperSize), 11);
        QCOMPARE(device_->setting(PrinterSetting::PageWidthTwips), 8391); // 148 mm
        device_->setSetting(PrinterSetting::Orientation, 2);
        QCOMPARE(device_->setting(PrinterSetting::Orientation), 2);
    }

    void aFreshInstallationPrintsToTheFolder()
    {
        QtPrinterBackend backend(folder_, QtPrinterBackend::SystemPrinters::Ignore);
        ActivePrinter printer(backend);
        QCOMPARE(printer.deviceName(), QtPrinterBackend::pdfFolderPrinterName());
        QCOMPARE(printer.port(), folder_);
        printer.canvas().drawText({5, 5}, u"FRESH"_qs);
        printer.canvas().endDocument();
        QCOMPARE(folderEntries(folder_), QStringList{"label-000001.pdf"});
    }

    void calibrationLabelScansAndLandsOnItsMillimetres_data()
    {
        QTest::addColumn<int>("dpi");
        QTest::newRow("203 dpi") << 203;
        QTest::newRow("300 dpi") << 300;
    }

    // A 50 x 30 mm label at a label printer's resolutions: the test barcode
    // whole, its bars whole modules of dots, its quiet zones clear; the
    // crosshair and the rulers' ticks on the paper where they say they are.
    void calibrationLabelScansAndLandsOnItsMillimetres()
    {
        QFETCH(int, dpi);
        QtPrinterBackend backend(folder_, QtPrinterBackend::SystemPrinters::Ignore);
        ActivePrinter printer(backend);
        printer.setPaperSizeCode(256);
        printer.setPageWidthTwips(2835);  // 50 mm
        printer.setPageHeightTwips(1701); // 30 mm
        printer.setSetting(PrinterSetting::PrintQuality, dpi);
        NoLabelProgress progress;
        CancelRequest cancel;
        LabelPipeline labels(std::make_unique<ZintBarcodeEncoder>(), printer.canvas(), progress,
                             cancel);
        drawCalibrationLabel(printer.canvas(),
                             calibrationLabelFor(printer, labelFont,
                                                 labels.recordBarcode(QString::fromLatin1(
                                                     calibrationBarcodeValue))));

        QCOMPARE(folderEntries(folder_), QStringList{"label-000001.pdf"});
        const QString file = QDir(folder_).filePath(u"label-000001.pdf"_qs);
        const ScanResult scan = scanPrintedPdf(file);
        QVERIFY2(scan.failure.isEmpty(), qPrintable(scan.failure));
        QCOMPARE(scan.symbols, QStringList{u"EAN-13:4901234567894"_qs});
        QStringList lines;
        for (const PdfTextLine& line : pdfTextLines(file))
            lines.append(line.text);
        for (const QString& text : {QtPrinterBackend::pdfFolderPrinterName(),
                                    u"解像度%1dpi"_qs.arg(dpi), u"用紙50x30mm"_qs})
            QVERIFY2(lines.contains(text), qPrintable(lines.join(u" | "_qs)));

        const QImage page = rasterisePdf(file, dpi); // one pixel a printer dot
        QVERIFY(!page.isNull());
        const double dotsPerMm = dpi / 25.4;
        const auto dots = [dotsPerMm](double mm) {
            return int(mm * dotsPerMm);
        };
        // An upright line crossing the row yMm near xMm, a level one crossing
        // the column xMm near yMm: one dot wide, within a dot of its place.
        const auto checkLine = [&](bool upright, double xMm, double yMm) {
            const QRect ink = upright ? inkBounds(page, QRect(QPoint(dots(xMm - 0.5), dots(yMm)),
                                                              QPoint(dots(xMm + 0.5), dots(yMm))))
                                      : inkBounds(page, QRect(QPoint(dots(xMm), dots(yMm - 0.5)),
                                                              QPoint(dots(xMm), dots(yMm + 0.5))));
            const double centreDots = upright ? (ink.left() + ink.right() + 1) / 2.0
                                              : (ink.top() + ink.bottom() + 1) / 2.0;
            const double placeMm = upright ? xMm : yMm;
            const QString seen = u"%1 x %2 dots at %3 mm"_qs.arg(ink.width())
                                     .arg(ink.height())
                                     .arg(centreDots / dotsPerMm);
            QVERIFY2(!ink.isEmpty() && (upright ? ink.width() : ink.height()) == 1,
                     qPrintable(seen));
            QVERIFY2(std::abs(centreDots - placeMm * dotsPerMm) <= 1.0, qPrintable(seen));
        };
        checkLine(true, 10, 8.5);   // the crosshair's upright arm
        checkLine(false, 11.5, 10); // its level arm
        checkLine(true, 40, 0.5);   // the top ruler's 40 mm tick
        checkLine(true, 49, 0.5);   // its last tick but one
        checkLine(false, 0.5, 20);  // the left ruler's 20 mm tick
        if (QTest::currentTestFailed())
            return;

        // A row through the bars, from past the left ruler to the label's edge.
        const int module = BarcodePicture::moduleDots(dotsPerMm);
        const int row = dots(17);
        QList<std::pair<int, int>> bars; // first dot, width in dots
        for (int x = dots(3.5); x < page.width(); ++x) {
            if (qGray(page.pixel(x, row)) >= 128)
                continue;
            if (!bars.isEmpty() && bars.last().first + bars.last().second == x)
                ++bars.last().second;
            else
                bars.append({x, 1});
        }
        QCOMPARE(bars.size(), 30); // EAN-13: 3 guards of 2 bars and 2 bars a digit
        for (const auto& [first, width] : bars)
            QVERIFY2(width % module == 0, qPrintable(QString::number(width)));
        const int barsEnd = bars.last().first + bars.last().second;
        QVERIFY2(bars.first().first - 11 * module >= dots(3.5) &&
                     barsEnd + 7 * module <= page.width(),
                 qPrintable(u"bars from %1 to %2 of %3 dots"_qs.arg(bars.first().first)
                                .arg(barsEnd)
                                .arg(page.width())));
    }

private:
    QTemporaryDir folderRoot_;
    QString folder_;
    int run_ = 0;
    std::unique_ptr<QtPrinterDevice> device_;
};

QTEST_MAIN(PdfFolderPrinterTest)
#include "tst_pdffolderprinter.moc"
