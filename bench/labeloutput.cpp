// Prints labels of the sample database's shape, one job each, on the PDF
// folder printer and reports labels per second, the first label's time and
// memory as key=value lines. The records are generated in memory; --csv
// writes the same records (texts as printed) for another program to print.
// The labels are printed in the program's font unless --font names another.
//
//   bench_label_output --folder DIR [--count N] [--csv FILE] [--font FAMILY]
//                      [--writer printer|qt] [--layout-only]
//
// --writer qt draws the same labels with Qt's own PDF writer instead of the
// printer's, for comparison; --layout-only times the barcodes and the layout
// on a canvas that only measures, and prints nothing.

#include "core/barcode/barcodeencoder.h"
#include "core/printer/activeprinter.h"
#include "core/printrun/labelpipeline.h"
#include "core/render/cancelrequest.h"
#include "core/render/labelnumbers.h"
#include "core/render/labelprogress.h"
#include "core/units.h"
#include "platform/barcode/zintbarcodeencoder.h"
#include "platform/desktop/fonts.h"
#include "platform/printing/printjoboutput.h"
#include "platform/printing/qtprinterbackend.h"
#include "platform/printing/qtprintercanvas.h"
#include "platform/printing/qtprinterdevice.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFontMetricsF>
#include <QPrinter>
#include <QScreen>
#include <QTextStream>

#include <cstdio>

using namespace hakobee;

namespace {

struct SampleRecord
{
    QString barcode;
    QString itemName;
    QString name;
    QString price;
};

// Records like those of the sample database: a JAN code, a Japanese item
// name, a maker or origin, a tax-included price.
QList<SampleRecord> sampleRecords(int count)
{
    static const char16_t* const items[] = {u"緑茶ティーバッグ",
                                            u"ほうじ茶",
                                            u"玄米茶",
                                            u"せんべい",
                                            u"羊羹",
                                            u"海苔",
                                            u"味噌",
                                            u"醤油",
                                            u"ﾊﾟｯｸ入り麦茶",
                                            u"梅干し"};
    static const char16_t* const names[] = {u"静岡県産", u"宇治",     u"京都府",
                                            u"新潟県産", u"有明海産", u"紀州"};
    QList<SampleRecord> records;
    for (int i = 0; i < count; ++i) {
        const QString digits = u"4901234%1"_qs.arg(i, 5, 10, QLatin1Char('0'));
        records.append({digits + eanCheckDigit(digits),
                        u"%1 %2袋"_qs.arg(QString::fromUtf16(items[i % 10])).arg(i % 30 + 1),
                        QString::fromUtf16(names[i % 6]), QString::number(100 + (i * 37) % 9800)});
    }
    return records;
}

// Resident and peak memory of this process in KiB, from /proc.
qint64 statusKiB(const char* key)
{
    QFile status(u"/proc/self/status"_qs);
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith(key))
            return line.mid(qstrlen(key)).trimmed().split(' ').first().toLongLong();
    }
    return -1;
}

// Measures text as the printer would at 1200 dpi but draws nothing: what the
// label layout itself costs, without the print job.
class MeasuringCanvas : public PrinterCanvas
{
public:
    void setFont(const PrintFont& font) override
    {
        font_ = font;
        qfont_ = QFont(font.family);
        qfont_.setPointSizeF(font.pointSize);
        qfont_.setBold(font.bold);
        qfont_.setItalic(font.italic);
    }
    PrintFont font() const override { return font_; }
    QSizeF printableSizeMm() const override { return {50, 30}; }
    QSizeF textSizeMm(const QString& text) const override
    {
        const QFontMetricsF metrics(qfont_); // at the screen's resolution
        const double mmPerPixel = 25.4 / QGuiApplication::primaryScreen()->logicalDotsPerInchY();
        return QSizeF(metrics.horizontalAdvance(text), metrics.height()) * mmPerPixel;
    }
    void drawText(QPointF, const QString&) override {}
    void drawLine(QPointF, QPointF, int, const QColor&) override {}
    void drawPicture(QPointF, const PrintPicture&) override {}
    void newPage() override {}
    void endDocument() override {}
    void abortDocument() override {}

private:
    PrintFont font_;
    QFont qfont_;
};

QString quoted(QString text)
{
    return u"\""_qs + text.replace(u"\""_qs, u"\"\""_qs) + u"\""_qs;
}

void figure(const char* key, double value)
{
    std::printf("%s=%.3f\n", key, value);
}

} // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QCommandLineParser options;
    options.addOption({u"folder"_qs, u"PDF folder printer's folder"_qs, u"dir"_qs});
    options.addOption({u"count"_qs, u"labels to print"_qs, u"n"_qs, u"300"_qs});
    options.addOption({u"csv"_qs, u"write the records here as CSV"_qs, u"file"_qs});
    options.addOption({u"font"_qs, u"label font family (default: the program's)"_qs, u"family"_qs});
    options.addOption({u"writer"_qs, u"printer (the PDF folder printer's) or qt"_qs, u"writer"_qs,
                       u"printer"_qs});
    options.addOption({u"layout-only"_qs, u"time barcodes and layout only"_qs});
    options.process(app);
    const int count = options.value(u"count"_qs).toInt();
    const QString folder = options.value(u"folder"_qs);
    const bool layoutOnly = options.isSet(u"layout-only"_qs);
    const bool qtWriter = options.value(u"writer"_qs) == u"qt"_qs;
    if ((folder.isEmpty() && !layoutOnly) || count < 1) {
        std::fprintf(stderr, "usage: bench_label_output --folder DIR [--count N] [--csv FILE] "
                             "[--font FAMILY] [--writer printer|qt] [--layout-only]\n");
        return 2;
    }

    const QString fontFamily =
        options.isSet(u"font"_qs) ? options.value(u"font"_qs) : japaneseFontFamily();
    const QList<SampleRecord> records = sampleRecords(count);
    if (options.isSet(u"csv"_qs)) {
        QFile csv(options.value(u"csv"_qs));
        if (!csv.open(QIODevice::WriteOnly | QIODevice::Truncate))
            return 1;
        QTextStream out(&csv);
        out << "CODE,ITEM,NAME,PRICE\n";
        for (const SampleRecord& record : records) {
            out << quoted(record.barcode) << ',' << quoted(record.itemName) << ','
                << quoted(record.name) << ','
                << quoted(formatPrice(parseLabelNumber(record.price, u"価格"_qs))) << '\n';
        }
    }
    std::printf("font_family=%s\n", qPrintable(fontFamily));

    try {
        NoLabelProgress progress;
        CancelRequest cancel;
        const auto labelRecord = [&](LabelPipeline& pipeline, const SampleRecord& sample) {
            LabelRecord record;
            record.offsetXMm = u"0"_qs;
            record.offsetYMm = u"0"_qs;
            record.fontAdjustmentPt = u"0"_qs;
            record.barcodeValue = sample.barcode;
            record.itemName = sample.itemName;
            record.name = sample.name;
            record.price = sample.price;
            record.barcodeCaption = sample.barcode;
            record.barcodePicture = pipeline.recordBarcode(sample.barcode);
            record.title1 = u"ハコビー商店"_qs;
            record.title2 = u"税込価格"_qs;
            record.baseFont = {fontFamily, 9.0};
            return record;
        };

        if (layoutOnly) {
            // Barcode and layout alone, on a canvas that only measures.
            MeasuringCanvas measuring;
            LabelPipeline pipeline(std::make_unique<ZintBarcodeEncoder>(), measuring, progress,
                                   cancel);
            QElapsedTimer clock;
            clock.start();
            for (const SampleRecord& sample : records)
                pipeline.printLabel(labelRecord(pipeline, sample));
            figure("barcode_and_layout_ms_per_label", clock.nsecsElapsed() / 1e6 / count);
            return 0;
        }

        // A 50 x 30 mm label as the paper of the PDF folder printer.
        QtPrinterBackend backend(folder, QtPrinterBackend::SystemPrinters::Ignore);
        ActivePrinter printer(backend);
        printer.setPaperSizeCode(256);
        printer.setPageWidthTwips(qRound(50 * twipsPerMillimetre));
        printer.setPageHeightTwips(qRound(30 * twipsPerMillimetre));
        auto& device = dynamic_cast<QtPrinterDevice&>(printer.device());

        // Qt's own PDF writer on a printer of the same page, into the same folder.
        QPrinter qtPrinter(QPrinter::HighResolution);
        qtPrinter.setOutputFormat(QPrinter::PdfFormat);
        qtPrinter.setPageLayout(device.printer().pageLayout());
        PdfFolderOutput qtOutput(folder);
        QtPrinterCanvas qtCanvas(qtPrinter, qtOutput);

        LabelPipeline pipeline(std::make_unique<ZintBarcodeEncoder>(),
                               qtWriter ? static_cast<PrinterCanvas&>(qtCanvas) : printer.canvas(),
                               progress, cancel);

        qint64 rssAt10KiB = 0;
        double firstLabelSeconds = 0;
        QElapsedTimer clock;
        clock.start();
        for (int i = 0; i < count; ++i) {
            pipeline.printLabel(labelRecord(pipeline, records[i]));
            if (i == 0)
                firstLabelSeconds = clock.nsecsElapsed() / 1e9;
            if (i + 1 == 10)
                rssAt10KiB = statusKiB("VmRSS:");
        }
        const double seconds = clock.nsecsElapsed() / 1e9;
        const qint64 rssAtEndKiB = statusKiB("VmRSS:");

        const int files =
            static_cast<int>(QDir(folder).entryList({u"label-*.pdf"_qs}, QDir::Files).size());
        std::printf("writer=%s\n", qtWriter ? "qt" : "printer");
        if (!qtWriter)
            std::printf("font_files=%s\n", qPrintable(device.labelCanvas().fontFiles().join(u';')));
        std::printf("labels=%d\n", count);
        std::printf("label_files=%d\n", files);
        figure("seconds", seconds);
        figure("labels_per_s", count / seconds);
        figure("ms_per_label", seconds * 1000 / count);
        // From the start of the run to the first finished file, the fonts'
        // first loading included.
        figure("first_label_ms", firstLabelSeconds * 1000);
        if (count > 1)
            figure("ms_per_label_beyond_startup",
                   (seconds - firstLabelSeconds) * 1000 / (count - 1));
        if (count >= 10) {
            figure("rss_at_label_10_mib", rssAt10KiB / 1024.0);
            figure("rss_at_last_label_mib", rssAtEndKiB / 1024.0);
            figure("rss_growth_mib", (rssAtEndKiB - rssAt10KiB) / 1024.0);
        }
        figure("peak_rss_mib", statusKiB("VmHWM:") / 1024.0);
        return files == count ? 0 : 1;
    } catch (const std::exception& failure) {
        std::fprintf(stderr, "bench_label_output: %s\n", failure.what());
        return 1;
    }
}
