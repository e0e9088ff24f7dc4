#include "core/error.h"
#include "core/render/cancelrequest.h"
#include "core/render/labelnumbers.h"
#include "core/render/labelprogress.h"
#include "core/render/labelrenderer.h"
#include "support/labelsamples.h"
#include "support/recordingcanvas.h"

#include <QTest>

using namespace hakobee;
using test::FixedPicture;
using test::RecordingCanvas;
using Kind = RecordingCanvas::Kind;

namespace {

class RecordingProgress : public LabelProgress
{
public:
    void showLabelProgress() override { events.append(u"show"_qs); }
    void setProgressSquares(int squares) override { this->squares.append(squares); }
    void closeLabelProgress() override { events.append(u"close"_qs); }
    QStringList events;
    QList<int> squares;
};

LabelRecord sampleRecord()
{
    LabelRecord record;
    record.offsetXMm = u"0"_qs;
    record.offsetYMm = u"0"_qs;
    record.fontAdjustmentPt = u"0"_qs;
    record.barcodeValue = u"4901234567894"_qs;
    record.itemName = u"ﾊﾟｯｸ入り緑茶 500ml"_qs;
    record.name = u"静岡県産"_qs;
    record.price = u"1280"_qs;
    record.barcodeCaption = u"4901234567894"_qs;
    record.barcodePicture = std::make_shared<FixedPicture>();
    record.title1 = u"ハコビー商店"_qs;
    record.title2 = u"税込価格"_qs;
    record.baseFont = {u"Noto Sans CJK JP"_qs, 9.0};
    return record;
}

struct Printed
{
    RecordingCanvas canvas;
    RecordingProgress progress;
    CancelRequest cancel;
    int lineHeightMm = 0;
    int pageNumber = 0;
};

// Prints the record on a fresh 60 x 40 mm recording canvas.
std::unique_ptr<Printed> print(const LabelRecord& record, QSizeF printableMm = {60, 40})
{
    auto printed = std::make_unique<Printed>();
    printed->canvas.printableMm = printableMm;
    LabelRenderer renderer(printed->canvas, printed->progress, printed->cancel);
    renderer.printLabel(record);
    printed->lineHeightMm = renderer.lineHeightMm();
    printed->pageNumber = renderer.pageNumber();
    return printed;
}

QList<Kind> kindsOf(const QList<RecordingCanvas::Call>& calls)
{
    QList<Kind> kinds;
    for (const auto& call : calls)
        kinds.append(call.kind);
    return kinds;
}

void verifyFont(const RecordingCanvas::Call& call, double pointSize, bool bold, bool italic)
{
    QCOMPARE(call.font.pointSize, pointSize);
    QCOMPARE(call.font.bold, bold);
    QCOMPARE(call.font.italic, italic);
    QCOMPARE(call.font.family, u"Noto Sans CJK JP"_qs);
}

} // namespace

class TestLabelLayout : public QObject
{
    Q_OBJECT

private slots:
    void zeroAdjustmentsGiveTheBaseLayout()
    {
        const auto printed = print(sampleRecord());
        const auto& calls = printed->canvas.calls;
        // The base font is 9 pt: "5" is 3.6 mm high, so the line height is 4 mm;
        // the right limit is 60 - 10 = 50 mm.
        QCOMPARE(printed->lineHeightMm, 4);
        QCOMPARE(kindsOf(calls),
                 (QList<Kind>{Kind::Text, Kind::Line, Kind::Text, Kind::Text, Kind::Text,
                              Kind::Text, Kind::Picture, Kind::Text, Kind::End}));

        QCOMPARE(calls[0].text, u"ハコビー商店"_qs);
        QCOMPARE(calls[0].atMm, QPointF(9, 0.2));
        verifyFont(calls[0], 8, true, true);

        QCOMPARE(calls[1].atMm, QPointF(0, 4));
        QCOMPARE(calls[1].toMm, QPointF(75, 4));
        QCOMPARE(calls[1].widthDots, 3);
        QCOMPARE(calls[1].colour, QColor(Qt::black));

        QCOMPARE(calls[2].text, u"ﾊﾟｯｸ入り緑茶 500ml"_qs);
        QCOMPARE(calls[2].atMm, QPointF(3, 4));
        verifyFont(calls[2], 7, true, false);

        QCOMPARE(calls[3].text, u"静岡県産"_qs);
        QCOMPARE(calls[3].atMm, QPointF(3, 6.5));
        verifyFont(calls[3], 8, false, false);

        QCOMPARE(calls[4].text, formatPrice(1280));
        QCOMPARE(calls[4].atMm, QPointF(13, 9.7));
        verifyFont(calls[4], 11, true, true);

        QCOMPARE(calls[5].text, u"税込価格"_qs);
        QCOMPARE(calls[5].atMm, QPointF(1, 11));
        verifyFont(calls[5], 6.5, true, true);

        QCOMPARE(calls[6].atMm, QPointF(4, 14));
        QCOMPARE(calls[6].sizeMm, QSizeF(38.4, 6.5));

        QCOMPARE(calls[7].text, u"4901234567894"_qs);
        QCOMPARE(calls[7].atMm, QPointF(6, 21));
        verifyFont(calls[7], 8, true, false);

        QCOMPARE(printed->progress.squares, QList<int>{25});
        QCOMPARE(printed->progress.events, (QStringList{u"show"_qs, u"close"_qs}));
    }

    void offsetsMoveEveryElementAndSizeAdjustmentOnlyScales()
    {
        const auto base = print(sampleRecord());
        LabelRecord moved = sampleRecord();
        moved.offsetXMm = u"2"_qs;
        moved.offsetYMm = u" 1.0 "_qs;
        const auto shifted = print(moved);
        LabelRecord larger = sampleRecord();
        larger.fontAdjustmentPt = u"1"_qs;
        const auto scaled = print(larger);

        const auto& baseCalls = base->canvas.calls;
        QCOMPARE(kindsOf(shifted->canvas.calls), kindsOf(baseCalls));
        QCOMPARE(kindsOf(scaled->canvas.calls), kindsOf(baseCalls));
        const QPointF offset(2, 1);
        for (qsizetype i = 0; i < baseCalls.size(); ++i) {
            const auto& was = baseCalls[i];
            if (was.kind == Kind::End)
                continue;
            const auto& now = shifted->canvas.calls[i];
            QCOMPARE(now.atMm, was.atMm + offset);
            if (was.kind == Kind::Line)
                QCOMPARE(now.toMm, was.toMm + offset);
            QCOMPARE(now.font.pointSize, was.font.pointSize);

            const auto& bigger = scaled->canvas.calls[i];
            QCOMPARE(bigger.atMm, was.atMm);
            QCOMPARE(bigger.toMm, was.toMm);
            if (was.kind == Kind::Text) {
                QCOMPARE(bigger.font.pointSize, was.font.pointSize + 1);
                QCOMPARE(bigger.font.bold, was.font.bold);
                QCOMPARE(bigger.font.italic, was.font.italic);
            }
        }
    }

    void emptyBarcodeValueSendsTheHeaderAlone()
    {
        LabelRecord record = sampleRecord();
        record.barcodeValue.clear();
        const auto printed = print(record);
        QCOMPARE(kindsOf(printed->canvas.calls), (QList<Kind>{Kind::Text, Kind::Line, Kind::End}));
        QCOMPARE(printed->canvas.calls[0].text, u"ハコビー商店"_qs);
        QVERIFY(printed->progress.squares.isEmpty());
    }

    void textBeforeALineBreakIsPrintedAndTheRestNever()
    {
        LabelRecord record = sampleRecord();
        record.offsetXMm = u"2"_qs;
        record.offsetYMm = u"1"_qs;
        record.fontAdjustmentPt = u"0.5"_qs;
        record.barcodeValue = u"BEFORE\r\nAFTER"_qs;
        const auto printed = print(record);
        const auto before = printed->canvas.textCall(u"BEFORE"_qs);
        QCOMPARE(before.kind, Kind::Text);
        QCOMPARE(before.atMm, QPointF(2 + 10, 1 + 4));
        verifyFont(before, 8.5, false, false);
        for (const auto& call : printed->canvas.callsOf(Kind::Text))
            QVERIFY(!call.text.contains(u"AFTER"_qs));
        QCOMPARE(printed->canvas.count(Kind::Picture), 1);
        QCOMPARE(printed->canvas.calls.last().kind, Kind::End);
        QCOMPARE(printed->progress.squares, QList<int>{25});
    }

    void widePiecesAreSkippedUntilTheLastFits()
    {
        // 30 mm wide: right limit 20 mm. At 8 pt a digit is 1.6 mm, so the 7th
        // digit is the first past the limit. The first pass skips six of the
        // 13 digits; the second skips six of the seven left, and since its
        // scan had stopped past the one digit remaining, that is the last piece.
        const auto printed = print(sampleRecord(), {30, 40});
        QCOMPARE(printed->progress.squares, (QList<int>{11, 25}));
        QCOMPARE(printed->canvas.count(Kind::Picture), 1);
        QCOMPARE(printed->canvas.count(Kind::End), 1);
        QCOMPARE(printed->canvas.calls.last().kind, Kind::End);
    }

    void characterWiderThanThePageStillEndsTheLabel()
    {
        // 11 mm wide: right limit 1 mm, so no character fits at all.
        LabelRecord record = sampleRecord();
        record.barcodeValue = u"12"_qs;
        const auto printed = print(record, {11, 40});
        QCOMPARE(printed->progress.squares, (QList<int>{12, 25}));
        QCOMPARE(printed->canvas.count(Kind::End), 1);
    }

    void manyLinesBreakToASecondPage()
    {
        // 40 mm high with 4 mm lines: 10 lines, a new page once below 24 mm.
        // Each printed line is 3.2 mm (8 pt): lines start at 4, 7.2, ... 23.2.
        LabelRecord record = sampleRecord();
        record.barcodeValue = u"1\r\n2\r\n3\r\n4\r\n5\r\n6\r\n7\r\n8\r\n9"_qs;
        const auto printed = print(record);
        QCOMPARE(printed->canvas.count(Kind::NewPage), 1);
        QCOMPARE(printed->pageNumber, 2);
        QCOMPARE(printed->canvas.textCall(u"7"_qs).atMm, QPointF(10, 4 + 6 * 3.2));
        QCOMPARE(printed->canvas.textCall(u"8"_qs).atMm, QPointF(10, 16));
        QCOMPARE(printed->canvas.textCall(u"9"_qs).kind, Kind::Text); // a default: not printed
        QVERIFY(printed->canvas.textCall(u"9"_qs).text.isEmpty());
        const auto kinds = kindsOf(printed->canvas.calls);
        QVERIFY(kinds.indexOf(Kind::NewPage) < kinds.indexOf(Kind::Picture));
    }

    void lineHeightRoundsHalvesToEvenWithAFloorOfOneMillimetre_data()
    {
        QTest::addColumn<double>("basePointSize");
        QTest::addColumn<int>("lineHeightMm");
        QTest::newRow("2.5 mm") << 6.25 << 2;
        QTest::newRow("3.5 mm") << 8.75 << 4;
        QTest::newRow("3.6 mm") << 9.0 << 4;
        QTest::newRow("0.4 mm") << 1.0 << 1;
    }
    void lineHeightRoundsHalvesToEvenWithAFloorOfOneMillimetre()
    {
        QFETCH(double, basePointSize);
        QFETCH(int, lineHeightMm);
        LabelRecord record = sampleRecord();
        record.baseFont.pointSize = basePointSize;
        const auto printed = print(record);
        QCOMPARE(printed->lineHeightMm, lineHeightMm);
        QCOMPARE(printed->canvas.calls[1].atMm.y(), double(lineHeightMm));
        QCOMPARE(printed->canvas.calls[0].atMm.y(), lineHeightMm / 20.0);
    }

    void unusableNumberFailsWithoutStartingAJob_data()
    {
        QTest::addColumn<int>("field");
        QTest::addColumn<QString>("value");
        QTest::newRow("X letters") << 0 << u"abc"_qs;
        QTest::newRow("X empty") << 0 << QString();
        QTest::newRow("Y letter O for zero") << 1 << u"1O"_qs;
        QTest::newRow("S empty") << 2 << QString();
        QTest::newRow("S two numbers") << 2 << u"1 2"_qs;
        QTest::newRow("price text") << 3 << u"時価"_qs;
        QTest::newRow("price empty") << 3 << QString();
    }
    void unusableNumberFailsWithoutStartingAJob()
    {
        QFETCH(int, field);
        QFETCH(QString, value);
        LabelRecord bad = sampleRecord();
        QString* fields[] = {&bad.offsetXMm, &bad.offsetYMm, &bad.fontAdjustmentPt, &bad.price};
        *fields[field] = value;

        RecordingCanvas canvas;
        RecordingProgress progress;
        CancelRequest cancel;
        LabelRenderer renderer(canvas, progress, cancel);
        try {
            renderer.printLabel(bad);
            QFAIL("the label was printed");
        } catch (const Error& error) {
            QVERIFY2(error.description().contains(u"「"_qs + value + u"」"_qs),
                     qPrintable(error.description()));
        }
        QVERIFY(canvas.calls.isEmpty());
        QCOMPARE(progress.events, (QStringList{u"show"_qs, u"close"_qs}));

        // The next label is a whole job of its own.
        renderer.printLabel(sampleRecord());
        QCOMPARE(canvas.count(Kind::End), 1);
        QCOMPARE(canvas.calls.first().kind, Kind::Text);
        QCOMPARE(canvas.calls.first().text, u"ハコビー商店"_qs);
    }

    void labelWithoutItsBarcodePictureIsAbortedNotPrinted()
    {
        LabelRecord record = sampleRecord();
        record.barcodePicture.reset();
        RecordingCanvas canvas;
        RecordingProgress progress;
        CancelRequest cancel;
        LabelRenderer renderer(canvas, progress, cancel);
        QVERIFY_THROWS_EXCEPTION(Error, renderer.printLabel(record));
        QCOMPARE(canvas.count(Kind::End), 0);
        QCOMPARE(canvas.calls.last().kind, Kind::Abort);
        QCOMPARE(progress.events.last(), u"close"_qs);
    }
};

QTEST_MAIN(TestLabelLayout)
#include "tst_labellayout.moc"
