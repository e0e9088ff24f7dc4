// The calibration label on a recording canvas: rulers and crosshair at their
// millimetres on whole dots, the printer's details and the test barcode
// clear of each other on a 50 x 30 mm label, one job.

#include "core/barcode/barcodepicture.h"
#include "core/printer/activeprinter.h"
#include "core/render/calibrationlabel.h"
#include "support/fakeprinterbackend.h"
#include "support/recordingcanvas.h"

#include <QTest>

#include <cmath>

using namespace hakobee;
using test::RecordingCanvas;
using Call = RecordingCanvas::Call;
using Kind = RecordingCanvas::Kind;

namespace {

// Drawn on a recording canvas of that resolution and printable size.
std::unique_ptr<RecordingCanvas> drawnLabel(int resolutionDpi, QSizeF printableMm = {50, 30})
{
    auto canvas = std::make_unique<RecordingCanvas>();
    canvas->printableMm = printableMm;
    canvas->dotsPerMm = resolutionDpi > 0 ? resolutionDpi / 25.4 : 600 / 25.4;
    CalibrationLabel label;
    label.printerName = u"Zebra-ZD421 ラベル"_qs;
    label.resolutionDpi = resolutionDpi;
    label.paperText = u"50 x 30 mm"_qs;
    label.font = {u"IPAPGothic"_qs, 12.0, true, false};
    // As wide as a real EAN-13: 95 modules between quiet zones of 11 and 7.
    label.testBarcode =
        std::make_shared<BarcodePicture>(u"4901234567894"_qs, QList<BarcodeBar>{{11, 1}}, 113);
    drawCalibrationLabel(*canvas, label);
    return canvas;
}

bool isVertical(const Call& line)
{
    return line.atMm.x() == line.toMm.x();
}

bool isHorizontal(const Call& line)
{
    return line.atMm.y() == line.toMm.y();
}

// The line's position across its length: x of a vertical line, y of a horizontal one.
double acrossMm(const Call& line)
{
    return isVertical(line) ? line.atMm.x() : line.atMm.y();
}

// Whether a line of this position and width covers whole dots: its edges
// fall between two dots.
bool coversWholeDots(double centreMm, int widthDots, double dotsPerMm)
{
    const double leftEdgeDots = centreMm * dotsPerMm - widthDots / 2.0;
    return std::abs(leftEdgeDots - std::round(leftEdgeDots)) < 1e-6;
}

// What each drawing covers on the label, in millimetres.
QRectF coveredMm(const RecordingCanvas& canvas, const Call& call)
{
    if (call.kind == Kind::Picture)
        return {call.atMm, call.sizeMm};
    if (call.kind == Kind::Text) {
        RecordingCanvas measuring;
        measuring.setFont(call.font);
        return {call.atMm, measuring.textSizeMm(call.text)};
    }
    const double halfWidthMm = call.widthDots / canvas.dotsPerMm / 2;
    return QRectF(call.atMm, call.toMm)
        .normalized()
        .adjusted(-halfWidthMm, -halfWidthMm, halfWidthMm, halfWidthMm);
}

// Ruler ticks along one edge: the lines that start on it, by millimetre,
// each with its length; a tick off its millimetre by more than half a dot
// (the most a dot-wide line on whole dots can be), or not on whole dots,
// counts as misplaced (-1).
QMap<int, double> ticksAlong(const RecordingCanvas& canvas, bool topEdge)
{
    QMap<int, double> ticks;
    for (const Call& line : canvas.callsOf(Kind::Line)) {
        const bool alongTop = isVertical(line) && line.atMm.y() == 0;
        const bool alongLeft = isHorizontal(line) && line.atMm.x() == 0;
        if (topEdge ? !alongTop : !alongLeft)
            continue;
        const int mm = int(std::lround(acrossMm(line)));
        const bool placed = std::abs(acrossMm(line) - mm) * canvas.dotsPerMm <= 0.5 + 1e-9 &&
                            coversWholeDots(acrossMm(line), line.widthDots, canvas.dotsPerMm);
        ticks.insert(mm, placed ? (topEdge ? line.toMm.y() : line.toMm.x()) : -1);
    }
    return ticks;
}

} // namespace

class CalibrationLabelTest : public QObject
{
    Q_OBJECT

private slots:
    void crosshairIsCentredOnItsMillimetresOnWholeDots_data()
    {
        QTest::addColumn<int>("dpi");
        QTest::newRow("203 dpi") << 203;
        QTest::newRow("300 dpi") << 300;
        QTest::newRow("600 dpi") << 600;
    }

    void crosshairIsCentredOnItsMillimetresOnWholeDots()
    {
        QFETCH(int, dpi);
        const auto canvas = drawnLabel(dpi);
        const QPointF cross(10, 10);
        QList<Call> arms;
        for (const Call& line : canvas->callsOf(Kind::Line)) {
            const QRectF span = QRectF(line.atMm, line.toMm).normalized();
            const bool throughCross = isVertical(line)
                                          ? span.top() < cross.y() && span.bottom() > cross.y()
                                          : span.left() < cross.x() && span.right() > cross.x();
            if (throughCross)
                arms.append(line);
        }
        QCOMPARE(arms.size(), 2);
        for (const Call& arm : arms) {
            const double crossAtMm = isVertical(arm) ? cross.x() : cross.y();
            QVERIFY2(std::abs(acrossMm(arm) - crossAtMm) * canvas->dotsPerMm <= 0.5 + 1e-9,
                     qPrintable(QString::number(acrossMm(arm))));
            QVERIFY(coversWholeDots(acrossMm(arm), arm.widthDots, canvas->dotsPerMm));
            // Thin enough to read, thick enough to see: about 0.15 mm.
            QVERIFY2(arm.widthDots % 2 == 1 && arm.widthDots / canvas->dotsPerMm < 0.25 &&
                         arm.widthDots / canvas->dotsPerMm > 0.08,
                     qPrintable(QString::number(arm.widthDots)));
            const QRectF span = QRectF(arm.atMm, arm.toMm).normalized();
            QVERIFY(span.width() + span.height() >= 5);
        }
        QVERIFY(isVertical(arms[0]) != isVertical(arms[1]));
    }

    void rulersTickEveryMillimetreLongerEveryFiveNumberedEveryTen_data()
    {
        QTest::addColumn<int>("dpi");
        QTest::addColumn<QSizeF>("printableMm");
        QTest::newRow("203 dpi, 50 x 30") << 203 << QSizeF(50, 30);
        QTest::newRow("600 dpi, 57 x 32.5") << 600 << QSizeF(57, 32.5);
    }

    void rulersTickEveryMillimetreLongerEveryFiveNumberedEveryTen()
    {
        QFETCH(int, dpi);
        QFETCH(QSizeF, printableMm);
        const auto canvas = drawnLabel(dpi, printableMm);
        for (const bool topEdge : {true, false}) {
            const QMap<int, double> ticks = ticksAlong(*canvas, topEdge);
            const int lastMm = int(topEdge ? printableMm.width() : printableMm.height());
            QCOMPARE(ticks.firstKey(), 0);
            QCOMPARE(ticks.lastKey(), lastMm);
            QCOMPARE(ticks.size(), lastMm + 1);
            for (int mm = 0; mm <= lastMm; ++mm) {
                const double expected = ticks.value(mm % 10 == 0 ? 10 : mm % 5 == 0 ? 5 : 1);
                QVERIFY2(ticks.value(mm) == expected, qPrintable(QString::number(mm)));
            }
            QVERIFY(ticks.value(10) > ticks.value(5) && ticks.value(5) > ticks.value(1));
            QVERIFY(ticks.value(1) > 0);

            // Each number just past its tick, below or right of the short
            // ticks, whole on the printable area; where there is room for one.
            QList<int> numbered;
            for (const Call& text : canvas->callsOf(Kind::Text)) {
                const int mm = text.text.toInt();
                const double alongMm = topEdge ? text.atMm.x() : text.atMm.y();
                const double fromEdgeMm = topEdge ? text.atMm.y() : text.atMm.x();
                if (mm <= 0 || alongMm <= mm || alongMm >= mm + 1 || fromEdgeMm >= 3)
                    continue;
                numbered.append(mm);
                QVERIFY(mm % 10 == 0);
                QVERIFY(QRectF(QPointF(), printableMm).contains(coveredMm(*canvas, text)));
            }
            for (int mm = 10; mm + 3 <= lastMm; mm += 10)
                QVERIFY2(numbered.contains(mm), qPrintable(QString::number(mm)));
        }
    }

    void detailsAndBarcodeFitASmallLabelClearOfEachOtherInOneJob()
    {
        const auto canvas = drawnLabel(203);
        QCOMPARE(canvas->count(Kind::End), 1);
        QCOMPARE(canvas->calls.last().kind, Kind::End);
        QCOMPARE(canvas->count(Kind::Abort), 0);
        QCOMPARE(canvas->count(Kind::NewPage), 0);

        for (const QString& text :
             {u"Zebra-ZD421 ラベル"_qs, u"解像度 203 dpi"_qs, u"用紙 50 x 30 mm"_qs}) {
            const Call call = canvas->textCall(text);
            QVERIFY2(call.kind == Kind::Text && call.font.family == u"IPAPGothic"_qs &&
                         call.font.bold,
                     qPrintable(text));
        }
        const QList<Call> pictures = canvas->callsOf(Kind::Picture);
        QCOMPARE(pictures.size(), 1);
        QCOMPARE(pictures.first().atMm, QPointF(calibrationBarcodeXMm, calibrationBarcodeYMm));

        // The barcode at 203 dpi (3-dot modules) is the widest it gets.
        const QRectF label(0, 0, 50, 30);
        for (const Call& call : canvas->calls) {
            if (call.kind != Kind::Text && call.kind != Kind::Picture)
                continue;
            const QRectF covered = coveredMm(*canvas, call);
            QVERIFY2(label.contains(covered), qPrintable(call.text));
            for (const Call& other : canvas->calls) {
                const bool draws = other.kind == Kind::Text || other.kind == Kind::Line ||
                                   other.kind == Kind::Picture;
                if (&other == &call || !draws)
                    continue;
                QVERIFY2(!covered.intersects(coveredMm(*canvas, other)),
                         qPrintable(call.text + u" / "_qs + other.text));
            }
        }

        // A printer that keeps its resolution to itself: said so, lines a dot wide.
        const auto unknown = drawnLabel(0);
        QCOMPARE(unknown->textCall(u"解像度 不明"_qs).kind, Kind::Text);
        for (const Call& line : unknown->callsOf(Kind::Line))
            QCOMPARE(line.widthDots, 1);
    }

    void labelOfTheCurrentPrinterAsItIsSet()
    {
        test::FakePrinterBackend backend;
        backend.printers = {test::FakePrinter::withAllSettings(u"zebra"_qs),
                            test::FakePrinter::withAllSettings(u"office"_qs)};
        backend.printers[0].settings[PrinterSetting::PrintQuality] = 203;
        backend.printers[0].settings[PrinterSetting::PageWidthTwips] = 3232;  // 57 mm
        backend.printers[0].settings[PrinterSetting::PageHeightTwips] = 1814; // 32 mm
        backend.printers[1].settings.remove(PrinterSetting::PrintQuality);
        ActivePrinter printer(backend);
        const auto barcode =
            std::make_shared<BarcodePicture>(u"4901234567894"_qs, QList<BarcodeBar>{}, 113);

        const CalibrationLabel label = calibrationLabelFor(printer, {u"F"_qs, 9.0}, barcode);
        QCOMPARE(label.printerName, u"zebra"_qs);
        QCOMPARE(label.resolutionDpi, 203);
        QCOMPARE(label.paperText, u"57 x 32 mm"_qs);
        QCOMPARE(label.font.family, u"F"_qs);
        QCOMPARE(label.testBarcode, barcode);

        QVERIFY(printer.makeCurrent(u"office"_qs));
        const CalibrationLabel office = calibrationLabelFor(printer, {u"F"_qs, 9.0}, barcode);
        QCOMPARE(office.resolutionDpi, 0);
        QCOMPARE(office.paperText, u"210 x 297 mm"_qs);
    }
};

QTEST_GUILESS_MAIN(CalibrationLabelTest)
#include "tst_calibrationlabel.moc"
