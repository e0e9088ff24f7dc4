// The two run screens over generated Access databases, printing on a
// recording printer through the label pipeline and the progress screen:
// what they show, what they print, how they stop, and how the operator
// cancels, restarts and is kept from starting twice; the printer they name
// and a remembered printer that is gone.

#include "runfixture.h"

#include "core/printer/printermemory.h"
#include "core/printer/rememberedprinter.h"
#include "core/printrun/runresult.h"
#include "core/printrun/runrows.h"
#include "core/settings/settingscolumns.h"
#include "core/settings/settingsfiles.h"
#include "support/barcodescan.h"
#include "support/screencontrols.h"
#include "ui/screens/continuousrunscreen.h"
#include "ui/screens/labelprogressscreen.h"
#include "ui/screens/layoutselectionscreen.h"
#include "ui/screens/mainmenuscreen.h"
#include "ui/screens/mainwindow.h"
#include "ui/screens/partialrunscreen.h"
#include "ui/widgets/labelpreview.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QProcess>
#include <QPushButton>
#include <QSpinBox>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>

using namespace hakobee;
using hakobee::test::textOf;
using namespace hakobee::test;
using Kind = RecordingCanvas::Kind;

namespace {

void setField(QWidget* screen, const QString& name, const QString& text)
{
    auto* field = screen->findChild<QLineEdit*>(name);
    QVERIFY2(field, qPrintable(name));
    field->setText(text);
}

// The titles of the one label printed: title 1 heads the label, title 2 is
// the text printed last before the barcode caption.
QStringList printedTitles(const RecordingCanvas& canvas)
{
    QStringList texts;
    for (const RecordingCanvas::Call& call : canvas.callsOf(Kind::Text))
        texts.append(call.text);
    if (texts.size() < 2)
        return texts;
    return {texts.first(), texts[texts.size() - 2]};
}

QPushButton* startButton(QWidget* screen)
{
    return screen->findChild<QPushButton*>(u"Command3"_qs);
}

// Clicks the progress screen's cancel once the renderer yields.
void cancelWhileDrawing(RunFixture& f)
{
    QMetaObject::invokeMethod(
        qApp,
        [&f] {
            LabelProgressScreen* progress = f.screens.find<LabelProgressScreen>();
            QVERIFY(progress);
            test::cancelButtonOf(progress)->click();
        },
        Qt::QueuedConnection);
}

// What a scanner reads from the preview's picture.
QStringList scanned(const LabelPreviewImage& preview)
{
    QTemporaryDir dir;
    const QString png = dir.filePath(u"preview.png"_qs);
    preview.image.save(png);
    QProcess zbar;
    zbar.start(u"zbarimg"_qs, {u"-q"_qs, png});
    zbar.waitForFinished(60000);
    return QString::fromUtf8(zbar.readAllStandardOutput()).split(u'\n', Qt::SkipEmptyParts);
}

// Red pixels where the barcode goes: the reason a code cannot be printed.
bool redWhereTheBarcodeGoes(const LabelPreviewImage& preview)
{
    const QRect area =
        QRectF(QPointF(4, 14) * preview.dotsPerMm, QSizeF(38, 6.5) * preview.dotsPerMm)
            .toRect()
            .intersected(preview.image.rect());
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            const QColor colour = preview.image.pixelColor(x, y);
            if (colour.red() > 200 && colour.green() < 80)
                return true;
        }
    }
    return false;
}

} // namespace

class TestRunScreens : public QObject
{
    Q_OBJECT

private slots:
    void continuousRunScreenShowsTheQuery()
    {
        RunFixture f;
        f.useProducts(30);
        ContinuousRunScreen* screen = f.screens.open<ContinuousRunScreen>();
        QVERIFY(screen);
        QCOMPARE(screen->objectName(), u"F_CustInput"_qs);
        QCOMPARE(screen->windowTitle(), u"ﾊﾞｰｺｰﾄﾞハコビー\u3000for Access"_qs);
        QCOMPARE(startButton(screen)->text(), u"連続印刷実行スタート"_qs);
        QCOMPARE(screen->findChild<QAction*>(u"閉じる"_qs)->text(), u"終了"_qs);
        auto* grid = screen->findChild<QTableView*>(u"DataGrid1"_qs);
        QCOMPARE(grid->model()->rowCount(), 30);
        QCOMPARE(grid->model()->columnCount(), 4);
        QCOMPARE(grid->model()->index(0, 0).data().toString(), RunFixture::barcodeOfRow(0));
        QCOMPARE(textOf(screen, u"Label1"_qs), QString());
        QVERIFY(f.messages.shown.isEmpty());
    }

    void adjustmentsSavedWhileTheScreenIsOpenReachTheNextRun()
    {
        RunFixture f;
        f.useProducts(1);
        QPointer<ContinuousRunScreen> screen = f.screens.open<ContinuousRunScreen>();
        // Saved after this screen opened (as a hand-edited file may hold it).
        f.writeAdjustments(u"2.50"_qs, u"-1"_qs, u"0"_qs);
        QString offsetShown;
        f.messages.onShow = [&] {
            offsetShown = textOf(screen, u"Label3"_qs);
        };
        startButton(screen)->click();
        const QList<RecordingCanvas::Call> lines = f.canvas.callsOf(Kind::Line);
        QCOMPARE(lines.size(), 1);
        // The header line starts at the horizontal offset and lies one line
        // (4 mm for the 9 pt base font on this canvas) below the vertical one.
        QCOMPARE(lines[0].atMm, QPointF(2.5, -1 + 4));
        // Shown as saved, printed as the number.
        QCOMPARE(offsetShown, u"2.50"_qs);
    }

    void openingFailureShowsItsDescription()
    {
        RunFixture f;
        f.useProducts(3);
        replaceSettingsFile(
            f.settings.filePath(SettingsFiles::dataSource), SettingsColumns::dataSource(),
            {f.root.filePath(u"missing.mdb"_qs), u"Master"_qs, u"select bar,hi,mei,as2 from "_qs});
        for (int screenKind = 0; screenKind < 2; ++screenKind) {
            f.messages.shown.clear();
            Screen* screen = screenKind == 0
                                 ? static_cast<Screen*>(f.screens.open<ContinuousRunScreen>())
                                 : f.screens.open<PartialRunScreen>();
            QVERIFY(screen && screen->isVisible());
            QCOMPARE(f.messages.shown.size(), 1);
            QCOMPARE(f.messages.shown[0].title, u"設定エラー。データベースに接続できません。"_qs);
            QVERIFY2(f.messages.shown[0].text.contains(u"missing.mdb"_qs),
                     qPrintable(f.messages.shown[0].text));
            QCOMPARE(screen->findChild<QTableView*>(u"DataGrid1"_qs)->model(), nullptr);
        }
    }

    void continuousRunStopsAt300AndASecondStartPrintsNothing()
    {
        RunFixture f;
        f.useProducts(301);
        ContinuousRunScreen* screen = f.screens.open<ContinuousRunScreen>();
        startButton(screen)->click();
        QCOMPARE(f.canvas.printedCaptions(), RunFixture::barcodesOfRows(1, 300));
        QCOMPARE(textOf(screen, u"Label_PP"_qs), u"0"_qs);
        QCOMPARE(textOf(screen, u"Label1"_qs), u"※ただ今印刷処理中!!"_qs);
        QVERIFY(screen->isVisible());
        QVERIFY(f.messages.shown.isEmpty());
        QVERIFY(!f.screens.find<LabelProgressScreen>());

        startButton(screen)->click();
        QCOMPARE(f.canvas.count(Kind::End), 300);
        QVERIFY(f.messages.shown.isEmpty());
    }

    void cancelOnTheProgressScreenStopsTheRunAndCountsTheLabel()
    {
        RunFixture f;
        f.useProducts(6);
        f.canvas.onLabelStart = [&f](int label) {
            if (label == 3)
                cancelWhileDrawing(f);
        };
        ContinuousRunScreen* screen = f.screens.open<ContinuousRunScreen>();
        startButton(screen)->click();
        QCOMPARE(f.canvas.printedCaptions(), RunFixture::barcodesOfRows(1, 2));
        QCOMPARE(f.canvas.count(Kind::Abort), 1);
        QCOMPARE(textOf(screen, u"Label_PP"_qs), u"0"_qs);
        QVERIFY(f.messages.shown.isEmpty());
        QCOMPARE(f.screens.find<ContinuousRunScreen>(), screen);

        // The next start begins with what is left of this opening; it prints
        // all six and ends with the completion message.
        QString shownAtItsFirstLabel;
        f.canvas.onLabelStart = [&](int label) {
            if (label == 4)
                shownAtItsFirstLabel = textOf(screen, u"Label_PP"_qs);
        };
        QPointer<ContinuousRunScreen> watch = screen;
        startButton(screen)->click();
        QCOMPARE(shownAtItsFirstLabel, u"297"_qs);
        QCOMPARE(f.canvas.printedCaptions().mid(2), RunFixture::barcodesOfRows(1, 6));
        QCOMPARE(f.messages.shown.size(), 1);
        QTRY_VERIFY(watch.isNull());
    }

    void completionShowsItsMessageAndCloses()
    {
        RunFixture f;
        f.useProducts(0);
        f.writeAdjustments(u"3"_qs, u"0"_qs, u"0"_qs);
        QPointer<ContinuousRunScreen> screen = f.screens.open<ContinuousRunScreen>();
        QStringList seenAtMessage;
        f.messages.onShow = [&] {
            seenAtMessage = {textOf(screen, u"Label3"_qs), textOf(screen, u"Label1"_qs)};
        };
        startButton(screen)->click();
        QCOMPARE(f.messages.shown.size(), 1);
        QCOMPARE(f.messages.shown[0].text, u"印刷終了。ﾃﾞｰﾀﾍﾞｰｽと接続解除しました。"_qs);
        QCOMPARE(f.messages.shown[0].title, u"処理終了"_qs);
        QCOMPARE(f.messages.shown[0].icon, MessageIcon::Information);
        QCOMPARE(seenAtMessage, (QStringList{u"3"_qs, u"※印刷処理終了!!"_qs}));
        QCOMPARE(f.canvas.calls.size(), 0);
        QTRY_VERIFY(screen.isNull());
    }

    void blankBarcodeLabelsAreNamedInTheCompletionMessage()
    {
        RunFixture f;
        f.useProducts(5, [](qint64 row, QList<QVariant>& values) {
            if (row == 2)
                values[0] = QString(u""_qs);
        });
        startButton(f.screens.open<ContinuousRunScreen>())->click();
        QCOMPARE(f.canvas.printedCaptions().size(), 5);
        QCOMPARE(f.messages.shown.size(), 1);
        QCOMPARE(
            f.messages.shown[0].text,
            runCompletedMessage() +
                u"\n\nバーコードの値が空のため、1 枚はバーコードなしで印刷しました（3行目）。"_qs);
    }

    void labelsPrintTheTitlesOfTheLayoutScreenAsTheyStand()
    {
        RunFixture f;
        f.useProducts(1);
        f.writeLayout(u"保存した見出し"_qs, u"保存した副題"_qs, u"_"_qs, u"0"_qs);
        QPointer<LayoutSelectionScreen> layout = f.screens.open<LayoutSelectionScreen>();
        setField(layout, u"Text2"_qs, u"編集中の副題"_qs);

        f.screens.open<ContinuousRunScreen>();
        startButton(f.screens.find<ContinuousRunScreen>())->click();
        QCOMPARE(printedTitles(f.canvas), (QStringList{u"保存した見出し"_qs, u"編集中の副題"_qs}));

        layout->closeScreen();
        QTRY_VERIFY(layout.isNull());
        f.canvas.calls.clear();
        f.screens.open<ContinuousRunScreen>();
        startButton(f.screens.find<ContinuousRunScreen>())->click();
        QCOMPARE(printedTitles(f.canvas), (QStringList{u"保存した見出し"_qs, u"保存した副題"_qs}));
        // The saved titles are read without loading the layout screen.
        QVERIFY(!f.screens.find<LayoutSelectionScreen>());
    }

    void failureNamesItsRowAndPrintsNothingAfter()
    {
        RunFixture f;
        f.useProducts(10, [](qint64 row, QList<QVariant>& values) {
            if (row == 6)
                values[3] = QVariant();
        });
        ContinuousRunScreen* screen = f.screens.open<ContinuousRunScreen>();
        startButton(screen)->click();
        QCOMPARE(f.canvas.printedCaptions(), RunFixture::barcodesOfRows(1, 6));
        QCOMPARE(f.canvas.labelsStarted, 6);
        QCOMPARE(f.messages.shown.size(), 1);
        const Message& message = f.messages.shown[0];
        QCOMPARE(message.title, u"印刷エラー"_qs);
        QCOMPARE(message.icon, MessageIcon::Critical);
        QVERIFY2(message.text.contains(u"7行目"_qs) &&
                     message.text.contains(RunFixture::barcodeOfRow(6)) &&
                     message.text.contains(u"税込価格"_qs),
                 qPrintable(message.text));
        QVERIFY(screen->isVisible());
        QVERIFY(startButton(screen)->isEnabled());
    }

    void aRunningRunRefusesASecondStartAndClosing()
    {
        RunFixture f;
        f.useProducts(3);
        ContinuousRunScreen* screen = f.screens.open<ContinuousRunScreen>();
        PartialRunScreen* partial = f.screens.open<PartialRunScreen>();
        setField(partial, u"TextPP1"_qs, u"1"_qs);
        setField(partial, u"TextPP2"_qs, u"3"_qs);
        // While the second label is drawn: both start buttons do nothing,
        // and the screen of the run stays open.
        bool partialRunning = false;
        bool checked = false;
        f.canvas.onLabelStart = [&](int label) {
            if (label != 2)
                return;
            checked = true;
            QVERIFY(!startButton(screen)->isEnabled());
            startButton(screen)->click();
            startButton(partial)->click();
            if (!partialRunning)
                QVERIFY(!screen->close());
            if (partialRunning) {
                QVERIFY(!startButton(partial)->isEnabled());
                QVERIFY(!partial->close());
            }
        };
        startButton(screen)->click();
        QVERIFY(checked);
        QCOMPARE(f.canvas.printedCaptions(), RunFixture::barcodesOfRows(1, 3));
        QCOMPARE(f.messages.shown.size(), 1); // the completion only

        QPointer<PartialRunScreen> watchPartial = partial;
        partialRunning = true;
        checked = false;
        f.canvas.calls.clear();
        f.canvas.labelsStarted = 0;
        screen = f.screens.loaded<ContinuousRunScreen>();
        startButton(partial)->click();
        QVERIFY(checked);
        QCOMPARE(f.canvas.printedCaptions(), RunFixture::barcodesOfRows(1, 3));
        QTRY_VERIFY(watchPartial.isNull());
    }

    void cancelledPrinterDialogPrintsNothing()
    {
        RunFixture f;
        f.useProducts(3);
        f.writeLayout(u"T1"_qs, u"T2"_qs, u"999"_qs, u"1"_qs);
        f.dialog.confirm = false;
        ContinuousRunScreen* screen = f.screens.open<ContinuousRunScreen>();
        startButton(screen)->click();
        QCOMPARE(f.dialog.shown, 1);
        QCOMPARE(f.dialog.lastOwner, screen);
        QCOMPARE(f.canvas.calls.size(), 0);
        QCOMPARE(textOf(screen, u"Label1"_qs), QString());
        QVERIFY(f.messages.shown.isEmpty());

        f.dialog.confirm = true;
        startButton(screen)->click();
        QCOMPARE(f.dialog.shown, 2);
        QCOMPARE(f.canvas.printedCaptions(), RunFixture::barcodesOfRows(1, 3));
    }

    void aRememberedPrinterThatIsGoneStopsBothRunsUntilAnotherIsChosen()
    {
        RunFixture f;
        f.useProducts(5);
        PrinterMemory memory;
        memory.currentDeviceName = u"Removed Queue"_qs;
        memory.entry(memory.currentDeviceName);
        writePrinterMemory(f.settings, memory);
        RememberedPrinter& remembered = f.rememberPrinter();
        QList<QPointer<Screen>> screens{f.screens.open<MainMenuScreen>(),
                                        f.screens.open<ContinuousRunScreen>(),
                                        f.screens.open<PartialRunScreen>()};
        for (Screen* screen : screens)
            QCOMPARE(textOf(screen, u"LabelPrinterName"_qs),
                     u"使用中のプリンター: 「Removed Queue」が見つかりません"_qs);

        // Neither run draws anything nor says it completed.
        startButton(screens[1])->click();
        setField(screens[2], u"TextPP1"_qs, u"1"_qs);
        setField(screens[2], u"TextPP2"_qs, u"2"_qs);
        startButton(screens[2])->click();
        QCOMPARE(f.messages.shown.size(), 2);
        QCOMPARE(f.messages.shown[0].title, runFailureTitle());
        QCOMPARE(f.messages.shown[1].title, partialRunFailureTitle());
        for (const Message& message : f.messages.shown)
            QVERIFY2(message.text.contains(remembered.missingMessage()), qPrintable(message.text));
        QVERIFY(f.canvas.calls.isEmpty());

        // A printer chosen (as on the paper screen) is named everywhere and printed on.
        remembered.remember(*f.printer);
        for (Screen* screen : screens)
            QCOMPARE(textOf(screen, u"LabelPrinterName"_qs),
                     u"使用中のプリンター: Label Printer"_qs);
        startButton(screens[1])->click();
        QCOMPARE(f.canvas.printedCaptions(), RunFixture::barcodesOfRows(1, 5));
        QCOMPARE(f.messages.shown.last().text, runCompletedMessage());
    }

    // The field of labels per record, read as a start begins: each record's
    // labels one job, the progress screen saying which label is drawn.
    void bothScreensPrintTheLabelsPerRecordOfTheirField()
    {
        RunFixture f;
        f.useProducts(2);
        QPointer<ContinuousRunScreen> screen = f.screens.open<ContinuousRunScreen>();
        auto* copies = screen->findChild<QSpinBox*>(u"TextCopies"_qs);
        QVERIFY(copies);
        QCOMPARE(copies->value(), 1);
        QCOMPARE(copies->maximum(), 999);
        copies->setValue(3);
        QString shownAtSecondJob;
        f.canvas.onLabelStart = [&](int label) {
            if (LabelProgressScreen* progress = f.screens.find<LabelProgressScreen>();
                progress && label == 2)
                shownAtSecondJob = textOf(progress, u"LabelCopies"_qs);
        };
        startButton(screen)->click();
        QCOMPARE(f.canvas.printedCaptions(), RunFixture::barcodesOfRows(1, 2));
        QCOMPARE(f.canvas.count(Kind::Picture), 6);
        QCOMPARE(shownAtSecondJob, u"（1/3枚目）"_qs);
        QCOMPARE(f.messages.shown.last().text,
                 runCompletedMessage() + u"\n6枚（2件）印刷しました。"_qs);
        QTRY_VERIFY(screen.isNull());

        f.canvas.calls.clear();
        PartialRunScreen* partial = f.screens.open<PartialRunScreen>();
        partial->findChild<QSpinBox*>(u"TextCopies"_qs)->setValue(2);
        setField(partial, u"TextPP1"_qs, u"2"_qs);
        setField(partial, u"TextPP2"_qs, u"2"_qs);
        startButton(partial)->click();
        QCOMPARE(f.canvas.printedCaptions(), RunFixture::barcodesOfRows(2, 2));
        QCOMPARE(f.canvas.count(Kind::Picture), 2);
    }

    void partialRunPrintsItsRangeWithoutTheContinuousRunScreen()
    {
        RunFixture f;
        f.useProducts(10);
        f.writeAdjustments(u"3"_qs, u"0"_qs, u"0"_qs);
        bool continuousScreenSeen = false;
        f.canvas.onLabelStart = [&](int) {
            continuousScreenSeen |= f.screens.find<ContinuousRunScreen>() != nullptr;
        };
        QPointer<PartialRunScreen> screen = f.screens.open<PartialRunScreen>();
        QCOMPARE(screen->objectName(), u"F_CustInput2"_qs);
        QCOMPARE(screen->windowTitle(), u"ﾊﾞｰｺｰﾄﾞハコビー\u3000for ACCESS 部分印刷"_qs);
        QCOMPARE(startButton(screen)->text(), u"印刷実行開始"_qs);
        QCOMPARE(textOf(screen, u"Label3"_qs), u"※印刷行を指定してください。"_qs);
        QCOMPARE(textOf(screen, u"TextPP1"_qs), QString());
        setField(screen, u"TextPP1"_qs, u"3"_qs);
        setField(screen, u"TextPP2"_qs, u"5"_qs);
        QString offsetShown;
        f.messages.onShow = [&] {
            offsetShown = textOf(screen, u"Label6"_qs);
        };
        startButton(screen)->click();

        QCOMPARE(f.canvas.printedCaptions(), RunFixture::barcodesOfRows(3, 5));
        QCOMPARE(f.messages.shown.size(), 1);
        QCOMPARE(f.messages.shown[0].text, u"印刷終了。ﾃﾞｰﾀﾍﾞｰｽと接続解除しました。"_qs);
        QCOMPARE(offsetShown, u"3"_qs);
        QTRY_VERIFY(screen.isNull());
        QVERIFY(!continuousScreenSeen && !f.screens.find<ContinuousRunScreen>());
    }

    void partialRunStartsAtTheSelectedRow()
    {
        RunFixture f;
        f.useProducts(10);
        PartialRunScreen* screen = f.screens.open<PartialRunScreen>();
        auto* grid = screen->findChild<QTableView*>(u"DataGrid1"_qs);
        grid->setCurrentIndex(grid->model()->index(3, 1));
        setField(screen, u"TextPP1"_qs, u"1"_qs);
        setField(screen, u"TextPP2"_qs, u"2"_qs);
        startButton(screen)->click();
        QCOMPARE(f.canvas.printedCaptions(), RunFixture::barcodesOfRows(4, 5));
    }

    void partialRunRangeFaultsAndTheAllowanceStop()
    {
        RunFixture f;
        f.useProducts(400);
        PartialRunScreen* screen = f.screens.open<PartialRunScreen>();
        auto* grid = screen->findChild<QTableView*>(u"DataGrid1"_qs);
        grid->setCurrentIndex(grid->model()->index(1, 0));

        startButton(screen)->click();
        QCOMPARE(f.messages.shown.size(), 1);
        QCOMPARE(f.messages.shown[0].text, u"行数が無効です"_qs);
        QCOMPARE(f.messages.shown[0].title, u"ERROR"_qs);
        QCOMPARE(f.messages.shown[0].icon, MessageIcon::Exclamation);
        QCOMPARE(textOf(screen, u"Label1"_qs), u"※ただ今印刷処理中!!"_qs);

        setField(screen, u"TextPP1"_qs, u"ab"_qs);
        setField(screen, u"TextPP2"_qs, u"3"_qs);
        startButton(screen)->click();
        QCOMPARE(f.messages.shown.size(), 2);
        QCOMPARE(f.messages.shown[1].title, u"ERROR"_qs);
        QCOMPARE(f.messages.shown[1].icon, MessageIcon::Critical);
        const QString failure = f.messages.shown[1].text;
        QVERIFY2(failure.startsWith(u"印刷設定又はDB設定が不正です。設定しなおしてください "
                                    u"Error_Message:"_qs) &&
                     failure.contains(u"「ab」"_qs),
                 qPrintable(failure));
        QVERIFY(f.canvas.calls.isEmpty());

        // Row 1 is still the row selected before the faults: the 2nd.
        setField(screen, u"TextPP1"_qs, u"289"_qs);
        setField(screen, u"TextPP2"_qs, u"310"_qs);
        startButton(screen)->click();
        QCOMPARE(f.canvas.printedCaptions(), RunFixture::barcodesOfRows(290, 301));
        QCOMPARE(f.messages.shown.size(), 2);
        QVERIFY(screen->isVisible());

        // Its rows were released at the stop: a further start fails.
        startButton(screen)->click();
        QCOMPARE(f.messages.shown.size(), 3);
        QVERIFY(f.messages.shown[2].text.contains(releasedRowsDescription()));
    }

    void previewShowsTheSelectedRowAsItWillPrint()
    {
        RunFixture f;
        f.useProducts(400, [](qint64 row, QList<QVariant>& values) {
            if (row == 1)
                values[0] = u"4901234567890"_qs; // a wrong check digit
            if (row == 2)
                values[3] = QVariant();
        });
        f.writeAdjustments(u"3"_qs, u"0"_qs, u"0"_qs);
        ContinuousRunScreen* screen = f.screens.open<ContinuousRunScreen>();
        auto* preview = screen->findChild<LabelPreview*>(u"LabelPreview"_qs);
        auto* grid = screen->findChild<QTableView*>(u"DataGrid1"_qs);
        QVERIFY(preview->preview().problem.isEmpty());
        QCOMPARE(scanned(preview->preview()),
                 QStringList{u"EAN-13:"_qs + RunFixture::barcodeOfRow(0)});
        // Everything is moved by the horizontal offset, the header line included.
        QCOMPARE(preview->preview().drawnMm.left(), 3.0);

        grid->setCurrentIndex(grid->model()->index(1, 0));
        QCOMPARE(scanned(preview->preview()), QStringList());
        QVERIFY(redWhereTheBarcodeGoes(preview->preview()));
        grid->setCurrentIndex(grid->model()->index(2, 0));
        QVERIFY2(preview->preview().problem.contains(u"税込価格"_qs),
                 qPrintable(preview->preview().problem));
        grid->setCurrentIndex(grid->model()->index(3, 0));
        QCOMPARE(scanned(preview->preview()),
                 QStringList{u"EAN-13:"_qs + RunFixture::barcodeOfRow(3)});

        // The partial run moves its grid's selection; the preview is not
        // drawn again on the way.
        PartialRunScreen* partial = f.screens.open<PartialRunScreen>();
        auto* partialPreview = partial->findChild<LabelPreview*>(u"LabelPreview"_qs);
        auto* partialGrid = partial->findChild<QTableView*>(u"DataGrid1"_qs);
        partialGrid->setCurrentIndex(partialGrid->model()->index(3, 0));
        const qint64 before = partialPreview->preview().image.cacheKey();
        setField(partial, u"TextPP1"_qs, u"1"_qs);
        setField(partial, u"TextPP2"_qs, u"1"_qs);
        startButton(partial)->click();
        QCOMPARE(f.canvas.printedCaptions(), RunFixture::barcodesOfRows(4, 4));
        QCOMPARE(partialGrid->currentIndex().row(), 3 + 300); // the row it would take next
        QCOMPARE(partialPreview->preview().image.cacheKey(), before);
    }

    void menusAndMainMenuButtonsOpenTheScreens()
    {
        RunFixture f;
        f.useProducts(2);
        MainWindow window(f.context);
        window.show();
        window.load();
        const auto shownOnce = [&f](const char* objectName) {
            Screen* screen = f.screens.find(QString::fromLatin1(objectName));
            return screen && screen->isVisible();
        };
        window.menuItem(u"set1"_qs)->trigger();
        window.menuItem(u"set1"_qs)->trigger();
        QVERIFY(shownOnce("Form3"));
        window.menuItem(u"通常印刷"_qs)->trigger();
        QVERIFY(shownOnce("F_CustInput"));
        window.menuItem(u"部分印刷"_qs)->trigger();
        QVERIFY(shownOnce("F_CustInput2"));
        f.screens.find(u"F_CustInput"_qs)->closeScreen();
        f.screens.find(u"F_CustInput2"_qs)->closeScreen();
        QTRY_VERIFY(!f.screens.find(u"F_CustInput"_qs) && !f.screens.find(u"F_CustInput2"_qs));

        MainMenuScreen* menu = f.screens.find<MainMenuScreen>();
        menu->findChild<QPushButton*>(u"Command1"_qs)->click();
        QVERIFY(shownOnce("F_CustInput"));
        menu->findChild<QPushButton*>(u"Command5"_qs)->click();
        QVERIFY(shownOnce("F_CustInput2"));
        QCOMPARE(f.messages.shown.size(), 0);
    }
};

QTEST_MAIN(TestRunScreens)
#include "tst_runscreens.moc"
