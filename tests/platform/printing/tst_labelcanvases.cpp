// The same labels drawn by Qt's PDF writer and by the cairo canvas the
// printers use: every printed line of text in the same place, within 0.1 mm,
// with the same text read back; the same barcode scanned from both; the
// fonts embedded as subsets that give their text back; and pictures that
// rasterise alike.

#include "core/printrun/labelpipeline.h"
#include "core/render/cancelrequest.h"
#include "core/render/labelprogress.h"
#include "platform/barcode/zintbarcodeencoder.h"
#include "platform/desktop/fonts.h"
#include "platform/printing/cairolabelcanvas.h"
#include "platform/printing/printjoboutput.h"
#include "platform/printing/qtprintercanvas.h"
#include "support/barcodescan.h"
#include "support/labelsamples.h"
#include "support/pdftools.h"

#include <QDir>
#include <QPainter>
#include <QPainterPath>
#include <QPrinter>
#include <QTemporaryDir>
#include <QTest>

using namespace hakobee;
using namespace hakobee::test;

namespace {

constexpr double toleranceMm = 0.1;

// One way of writing labels: a canvas and the folder its files land in.
struct Writer
{
    Writer(QPrinter& printer, const QString& folder, bool qt)
        : output(folder), canvas(qt ? std::unique_ptr<PrinterCanvas>(
                                          std::make_unique<QtPrinterCanvas>(printer, output))
                                    : std::make_unique<CairoLabelCanvas>(printer, output)),
          pipeline(std::make_unique<ZintBarcodeEncoder>(), *canvas, progress, cancel)
    {}

    // The file of the last job.
    QString lastFile() const
    {
        const QStringList files =
            QDir(output.folder()).entryList({u"label-*.pdf"_qs}, QDir::Files, QDir::Name);
        return files.isEmpty() ? QString() : QDir(output.folder()).filePath(files.last());
    }

    PdfFolderOutput output;
    std::unique_ptr<PrinterCanvas> canvas;
    NoLabelProgress progress;
    CancelRequest cancel;
    LabelPipeline pipeline;
};

// A picture using what a QPainter offers beyond rectangles: paths, pens,
// polygons, transforms, clipping and an image.
class DrawingPicture : public PrintPicture
{
public:
    QSizeF sizeMm(double) const override { return {30, 20}; }
    void paint(QPainter& painter, QPointF topLeftDots, double dotsPerMm) const override
    {
        painter.translate(topLeftDots);
        painter.scale(dotsPerMm, dotsPerMm); // millimetres from here on
        painter.setPen(QPen(Qt::black, 0.5));
        painter.setBrush(Qt::NoBrush);
        painter.drawEllipse(QRectF(1, 1, 8, 6));
        painter.setPen(QPen(Qt::black, 0.3, Qt::DashLine, Qt::FlatCap));
        painter.drawLine(QPointF(1, 9), QPointF(14, 9));
        painter.setPen(Qt::NoPen);
        painter.setBrush(Qt::black);
        painter.drawPolygon(QPolygonF({{12, 1}, {18, 1}, {15, 7}}));
        painter.save();
        painter.translate(24, 4);
        painter.rotate(30);
        painter.drawRect(QRectF(-3, -1, 6, 2));
        painter.restore();
        painter.save();
        painter.setClipRect(QRectF(2, 12, 4, 4));
        painter.drawRect(QRectF(0, 10, 10, 10)); // only the clipped square shows
        painter.restore();
        QImage checker(4, 4, QImage::Format_RGB32);
        for (int y = 0; y < 4; ++y) {
            for (int x = 0; x < 4; ++x)
                checker.setPixel(x, y, (x + y) % 2 ? qRgb(255, 255, 255) : qRgb(0, 0, 0));
        }
        painter.drawImage(QRectF(12, 11, 8, 8), checker);
    }
};

// The pixels of two pages of the same size that are dark on one and light
// on the other, and on the other also everywhere within the slack around.
int differingPixels(const QImage& a, const QImage& b, int slackPixels = 0)
{
    const auto dark = [](const QImage& image, int x, int y) {
        return qGray(image.pixel(x, y)) < 128;
    };
    const auto anywhereNear = [&](const QImage& image, int x, int y, bool wanted) {
        for (int ny = std::max(0, y - slackPixels);
             ny <= std::min(image.height() - 1, y + slackPixels); ++ny) {
            for (int nx = std::max(0, x - slackPixels);
                 nx <= std::min(image.width() - 1, x + slackPixels); ++nx) {
                if (dark(image, nx, ny) == wanted)
                    return true;
            }
        }
        return false;
    };
    int differing = 0;
    for (int y = 0; y < std::min(a.height(), b.height()); ++y) {
        for (int x = 0; x < std::min(a.width(), b.width()); ++x) {
            const bool inA = dark(a, x, y);
            if (inA != dark(b, x, y) &&
                (!anywhereNear(b, x, y, inA) || !anywhereNear(a, x, y, !inA)))
                ++differing;
        }
    }
    return differing;
}

int darkPixels(const QImage& image)
{
    int dark = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x)
            dark += qGray(image.pixel(x, y)) < 128;
    }
    return dark;
}

} // namespace

class TestLabelCanvases : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QVERIFY(folders_.isValid());
        family_ = japaneseFontFamily();
        QVERIFY2(!family_.isEmpty(), "no Japanese font installed: run scripts/deps.sh");
        // A 50 x 30 mm label, all of it printable, as the PDF folder printer has it.
        printer_.setOutputFormat(QPrinter::PdfFormat);
        printer_.setPageSize(
            QPageSize(QSizeF(50, 30), QPageSize::Millimeter, QString(), QPageSize::ExactMatch));
        printer_.setPageMargins(QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter);
        qt_ = std::make_unique<Writer>(printer_, folders_.filePath(u"qt"_qs), true);
        cairo_ = std::make_unique<Writer>(printer_, folders_.filePath(u"cairo"_qs), false);
    }

    void theSameLabelFromBothWriters_data()
    {
        QTest::addColumn<QString>("code");
        QTest::addColumn<QString>("barcodeValue");
        QTest::addColumn<QStringList>(
            "fields"); // X, Y, S, item name, name, price, title 1, title 2
        QTest::addColumn<QString>("scanned");

        QTest::newRow("sample") << u"4901234567894"_qs << u"4901234567894"_qs
                                << QStringList{u"0"_qs,
                                               u"0"_qs,
                                               u"0"_qs,
                                               u"緑茶ティーバッグ 20袋"_qs,
                                               u"静岡県産"_qs,
                                               u"398"_qs,
                                               u"ハコビー商店"_qs,
                                               u"税込価格"_qs}
                                << u"EAN-13:4901234567894"_qs;
        QTest::newRow("moved, larger, half-width and Latin")
            << u"49123456"_qs << u"49123456"_qs << QStringList{u"2.5"_qs,
                                                               u"1.5"_qs,
                                                               u"2"_qs,
                                                               u"ﾊﾟｯｸ入り麦茶 ABC"_qs,
                                                               u"Café 茶"_qs,
                                                               u"1280"_qs,
                                                               u"Hakobee 商店"_qs,
                                                               u"特価"_qs}
            << u"EAN-8:49123456"_qs;
        // The text before a line break is printed on a line of its own.
        QTest::newRow("line break in the value")
            << u"4569951116100"_qs << u"棚A-12\r\n4569951116100"_qs
            << QStringList{u"0"_qs,    u"0"_qs,   u"-1"_qs,           u"ほうじ茶"_qs,
                           u"宇治"_qs, u"-98"_qs, u"ハコビー商店"_qs, u"税込価格"_qs}
            << u"EAN-13:4569951116100"_qs;
        // A kana with a combining mark, and Hangul, which the Japanese face
        // lacks: Qt falls back to another font for it.
        QTest::newRow("combining mark and a fallback font")
            << u"4901234567894"_qs << u"4901234567894"_qs << QStringList{u"0"_qs,
                                                                         u"0"_qs,
                                                                         u"0"_qs,
                                                                         u"か\u3099ら茶 한국"_qs,
                                                                         u"京都"_qs,
                                                                         u"0"_qs,
                                                                         u"ハコビー商店"_qs,
                                                                         u"税込価格"_qs}
            << u"EAN-13:4901234567894"_qs;
    }

    void theSameLabelFromBothWriters()
    {
        QFETCH(QString, code);
        QFETCH(QString, barcodeValue);
        QFETCH(QStringList, fields);
        QFETCH(QString, scanned);

        QString files[2];
        Writer* writers[2] = {qt_.get(), cairo_.get()};
        for (int i = 0; i < 2; ++i) {
            LabelRecord record =
                sampleLabelRecord(barcodeValue, writers[i]->pipeline.recordBarcode(code), family_);
            record.offsetXMm = fields[0];
            record.offsetYMm = fields[1];
            record.fontAdjustmentPt = fields[2];
            record.itemName = fields[3];
            record.name = fields[4];
            record.price = fields[5];
            record.title1 = fields[6];
            record.title2 = fields[7];
            record.barcodeCaption = code;
            writers[i]->pipeline.printLabel(record);
            files[i] = writers[i]->lastFile();
            QVERIFY(!files[i].isEmpty());
        }
        const QString& qtFile = files[0];
        const QString& cairoFile = files[1];
        QCOMPARE(pdfPageCount(cairoFile), 1);
        QCOMPARE(pdfPageSizePt(cairoFile), pdfPageSizePt(qtFile));

        const QList<PdfTextLine> expected = pdfTextLines(qtFile);
        const QList<PdfTextLine> got = pdfTextLines(cairoFile);
        QVERIFY(expected.size() >= 6);
        QCOMPARE(got.size(), expected.size());
        const auto apart = [](double aPt, double bPt) {
            return qAbs(aPt - bPt) / pointsPerMm;
        };
        for (qsizetype i = 0; i < expected.size(); ++i) {
            // The writers may give a character with a combining mark back
            // composed or not.
            QCOMPARE(got[i].text.normalized(QString::NormalizationForm_C),
                     expected[i].text.normalized(QString::NormalizationForm_C));
            const QRectF a = got[i].boxPt;
            const QRectF b = expected[i].boxPt;
            const double worst =
                std::max({apart(a.left(), b.left()), apart(a.top(), b.top()),
                          apart(a.right(), b.right()), apart(a.bottom(), b.bottom())});
            QVERIFY2(
                worst < toleranceMm,
                qPrintable(u"「%1」 is %2 mm away from Qt's place"_qs.arg(got[i].text).arg(worst)));
        }

        for (const QString& file : files) {
            const ScanResult scan = scanPrintedPdf(file);
            QVERIFY2(scan.failure.isEmpty(), qPrintable(scan.failure));
            QCOMPARE(scan.symbols, QStringList{scanned});
        }
        // The bars land on the same printer dots: rasterised one pixel a dot,
        // the barcode's pixels are the same.
        const int dotsPerInch = printer_.resolution();
        const QImage qtPage = rasterisePdf(qtFile, dotsPerInch);
        const QImage cairoPage = rasterisePdf(cairoFile, dotsPerInch);
        const double dotsPerMm = dotsPerInch / 25.4;
        // The bars' middle: from 14.5 to 20 mm below Y, clear of the texts above and below.
        const QRect bars(0, int((fields[1].toDouble() + 14.5) * dotsPerMm), qtPage.width(),
                         int(5.5 * dotsPerMm));
        QCOMPARE(differingPixels(cairoPage.copy(bars), qtPage.copy(bars)), 0);

        const QList<PdfFont> fonts = pdfFonts(cairoFile);
        QVERIFY(!fonts.isEmpty());
        for (const PdfFont& font : fonts) {
            QVERIFY2(font.embedded && font.subset && font.unicodeMap,
                     qPrintable(font.name + u' ' + font.type));
        }
    }

    void picturesRasteriseAlike()
    {
        const DrawingPicture picture;
        QString files[2];
        Writer* writers[2] = {qt_.get(), cairo_.get()};
        for (int i = 0; i < 2; ++i) {
            writers[i]->canvas->drawPicture({10, 5}, picture);
            writers[i]->canvas->endDocument();
            files[i] = writers[i]->lastFile();
        }
        const QImage qtPage = rasterisePdf(files[0], 254); // 10 pixels per millimetre
        const QImage cairoPage = rasterisePdf(files[1], 254);
        QVERIFY(!qtPage.isNull() && !cairoPage.isNull());
        const int ink = darkPixels(qtPage);
        QVERIFY(ink > 2000);
        // An edge on a pixel's border may fall on either side of it; beyond
        // that the shapes are the same.
        QCOMPARE(differingPixels(cairoPage, qtPage, 1), 0);
    }

private:
    QTemporaryDir folders_;
    QString family_;
    QPrinter printer_{QPrinter::HighResolution};
    std::unique_ptr<Writer> qt_;
    std::unique_ptr<Writer> cairo_;
};

QTEST_MAIN(TestLabelCanvases)
#include "tst_labelcanvases.moc"
