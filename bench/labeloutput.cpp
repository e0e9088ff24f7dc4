// Prints labels of the sample database's shape, one job each, on the PDF
// folder printer and reports labels per second and memory as key=value
// lines. The records are generated in memory; --csv writes the same records
// (texts as printed) for another program to print.
//
//   bench_label_output --folder DIR [--count N] [--csv FILE] [--font FAMILY]

#include "core/barcode/barcodeencoder.h"
#include "core/printer/activeprinter.h"
#include "core/printrun/labelpipeline.h"
#include "core/render/cancelrequest.h"
#include "core/render/labelnumbers.h"
#include "core/render/labelprogress.h"
#include "core/units.h"
#include "platform/barcode/zintbarcodeencoder.h"
#include "platform/printing/qtprinterbackend.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFontMetricsF>
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
    options.addOption({u"font"_qs, u"label font family"_qs, u"family"_qs, u"IPAPGothic"_qs});
    options.process(app);
    const int count = options.value(u"count"_qs).toInt();
    const QString folder = options.value(u"folder"_qs);
    if (folder.isEmpty() || count < 1) {
        std::fprintf(stderr, "usage: bench_label_output --folder DIR [--count N] [--csv FILE]\n");
        return 2;
    }

    const QString fontFamily = options.value(u"font"_qs);
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

    try {
        // A 50 x 30 mm label as the paper of the PDF folder printer.
        QtPrinterBackend backend(folder, QtPrinterBackend::SystemPrinters::Ignore);
        ActivePrinter printer(backend);
        printer.setPaperSizeCode(256);
        printer.setPageWidthTwips(qRound(50 * twipsPerMillimetre));
        printer.setPageHeightTwips(qRound(30 * twipsPerMillimetre));

        NoLabelProgress progress;
        CancelRequest cancel;
        LabelPipeline pipeline(std::make_unique<ZintBarcodeEncoder>(), printer.canvas(), progress,
                               cancel);

        const auto labelRecord = [&](const SampleRecord& sample) {
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

        // Barcode and layout alone first, on a canvas that only measures.
        MeasuringCanvas measuring;
        LabelPipeline layoutOnly(std::make_unique<ZintBarcodeEncoder>(), measuring, progress,
                                 cancel);
        QElapsedTimer layoutClock;
        layoutClock.start();
        for (const SampleRecord& sample : records)
            layoutOnly.printLabel(labelRecord(sample));
        const double layoutSeconds = layoutClock.nsecsElapsed() / 1e9;

        qint64 rssAt10KiB = 0;
        QElapsedTimer clock;
        clock.start();
        for (int i = 0; i < count; ++i) {
            pipeline.printLabel(labelRecord(records[i]));
            if (i + 1 == 10)
                rssAt10KiB = statusKiB("VmRSS:");
        }
        const double seconds = clock.nsecsElapsed() / 1e9;
        const qint64 rssAtEndKiB = statusKiB("VmRSS:");

        const int files =
            static_cast<int>(QDir(folder).entryList({u"label-*.pdf"_qs}, QDir::Files).size());
        std::printf("labels=%d\n", count);
        std::printf("label_files=%d\n", files);
        figure("seconds", seconds);
        figure("labels_per_s", count / seconds);
        figure("ms_per_label", seconds * 1000 / count);
        figure("barcode_and_layout_ms_per_label", layoutSeconds * 1000 / count);
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
