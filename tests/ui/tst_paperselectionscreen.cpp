// The printer and paper selection screen: the list of the paper sizes the
// current printer accepts, a click choosing YOSHI, the print-setup dialog
// through its seam, and the save with its "_" fillings; the printer chosen
// there remembered and named, its calibration label and its calibration.
#include "core/printer/printermemory.h"
#include "core/printer/printeroffset.h"
#include "core/printrun/labelpipeline.h"
#include "core/render/cancelrequest.h"
#include "core/render/labelprogress.h"
#include "core/settings/settingscolumns.h"
#include "core/settings/settingsfiles.h"
#include "support/fakebarcodeencoder.h"
#include "support/openscreens.h"
#include "support/printerfixture.h"
#include "support/recordingcanvas.h"
#include "support/shellfixture.h"
#include "ui/screens/paperselectionscreen.h"

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

#include <algorithm>
#include <cmath>

using namespace hakobee;
using namespace hakobee::test;

namespace {

QStringList entries(const QListWidget* list)
{
    QStringList texts;
    for (int row = 0; row < list->count(); ++row)
        texts.append(list->item(row)->text());
    return texts;
}

} // namespace

class PaperSelectionScreenTest : public QObject
{
    Q_OBJECT

private:
    QString layoutPath() const { return shell->settings.settingsPath(SettingsFiles::layout); }
    void storeLayout(const QStringList& values)
    {
        replaceSettingsFile(layoutPath(), SettingsColumns::layout(), values);
    }
    QStringList storedLayout() const { return readSettingsRows(layoutPath(), 4).data; }

    void installPrinter(const FakePrinter& printer)
    {
        printers = std::make_unique<PrinterFixture>(shell->context, shell->messages,
                                                    QList<FakePrinter>{printer});
    }
    PaperSelectionScreen* openForm7() { return shell->screens.open<PaperSelectionScreen>(); }
    template<class T> T* control(const char* name) const
    {
        return shell->screens.find<PaperSelectionScreen>()->findChild<T*>(QString::fromUtf8(name));
    }
    QString paper() const { return control<QLineEdit>("Text5")->text(); }

    std::unique_ptr<ShellFixture> shell;
    std::unique_ptr<PrinterFixture> printers;

private slots:
    void init()
    {
        shell = std::make_unique<ShellFixture>();
        shell->settings.installDefaults();
        installPrinter(PrinterFixture::labelPrinter(u"Label Printer"_qs));
    }
    void cleanup()
    {
        closeAllScreens();
        printers.reset();
        shell.reset();
    }

    void listsTheAcceptedSizesLeavingThePrinterAsItWas()
    {
        storeLayout({u"ﾗﾍﾞﾙ"_qs, u"_"_qs, u"9"_qs, u"0"_qs});
        PaperSelectionScreen* form = openForm7();
        QVERIFY(form);
        QCOMPARE(form->objectName(), u"Form7"_qs);
        QCOMPARE(form->windowTitle(), u"プリンター設定"_qs);
        // Rounded, not cut: A4's 11906 twips are 210 mm, Letter's 12240 are 216.
        QCOMPARE(entries(control<QListWidget>("List2(0)")),
                 (QStringList{u"1\t216 x 279"_qs, u"9\t210 x 297"_qs, u"256\t60 x 40"_qs}));
        QCOMPARE(paper(), u"9"_qs);

        // Listing changed nothing on the printer: it still holds its label.
        QVERIFY(printers->backend.writes.isEmpty());
        QCOMPARE(printers->printer->paperSizeCode(), 256);
        QCOMPARE(printers->printer->pageWidthTwips(), 3402);
        QCOMPARE(printers->printer->pageHeightTwips(), 2268);
    }

    void aClickOrAKeyPutsTheBareCodeIntoYoshi()
    {
        storeLayout({u"ﾗﾍﾞﾙ"_qs, u"_"_qs, u"999"_qs, u"0"_qs});
        openForm7();
        auto* list = control<QListWidget>("List2(0)");
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                          list->visualItemRect(list->item(1)).center());
        QCOMPARE(paper(), u"9"_qs);
        QTest::keyClick(list, Qt::Key_Down);
        QCOMPARE(paper(), u"256"_qs);
        QTest::keyClick(list, Qt::Key_Up);
        QCOMPARE(paper(), u"9"_qs);

        control<QPushButton>("Command3")->click();
        QCOMPARE(storedLayout(), (QStringList{u"ﾗﾍﾞﾙ"_qs, u"_"_qs, u"9"_qs, u"0"_qs}));
    }

    void labelSizesAboveTheUserDefinedCodeAreListedAndStored()
    {
        // A CUPS label queue's sizes, each with its name, which the list leaves out.
        FakePrinter zebra = PrinterFixture::labelPrinter(u"Zebra-ZD421"_qs);
        zebra.paperSizes = {{9, 11906, 16838, u"A4"_qs},
                            {300, 3232, 1814, u"w162h91"_qs},
                            {301, 2835, 1701, u"50x30mm"_qs}};
        installPrinter(zebra);
        storeLayout({u"ﾗﾍﾞﾙ"_qs, u"_"_qs, u"9"_qs, u"0"_qs});
        openForm7();
        auto* list = control<QListWidget>("List2(0)");
        QCOMPARE(entries(list),
                 (QStringList{u"9\t210 x 297"_qs, u"300\t57 x 32"_qs, u"301\t50 x 30"_qs}));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                          list->visualItemRect(list->item(2)).center());
        control<QPushButton>("Command3")->click();
        QCOMPARE(storedLayout(), (QStringList{u"ﾗﾍﾞﾙ"_qs, u"_"_qs, u"301"_qs, u"0"_qs}));
    }

    void savingWithoutAClickKeepsTheLoadedPaper()
    {
        // A printer that names no paper size leaves both lists empty.
        installPrinter(FakePrinter::bare(u"Bare Printer"_qs));
        storeLayout({u"ﾊｲﾃｸ棚札"_qs, u"ﾄｸ"_qs, u"999"_qs, u"0"_qs});
        QPointer<PaperSelectionScreen> form = openForm7();
        QCOMPARE(control<QListWidget>("List2(0)")->count(), 0);
        control<QPushButton>("Command3")->click();
        QCOMPARE(storedLayout(), (QStringList{u"ﾊｲﾃｸ棚札"_qs, u"ﾄｸ"_qs, u"999"_qs, u"0"_qs}));
        QTRY_VERIFY(form.isNull());
        QCOMPARE(shell->messages.shown.size(), 1);
        QCOMPARE(shell->messages.shown.first().text, u"設定が変更されました｡"_qs);
        QCOMPARE(shell->messages.shown.first().title, u"設定変更"_qs);
        QCOMPARE(shell->messages.shown.first().icon, MessageIcon::Information);
    }

    void emptyValuesAreSavedAsUnderscoreAndThePrinterTypeAsItWas()
    {
        storeLayout({QString(), QString(), QString(), QString()});
        openForm7();
        control<QPushButton>("Command3")->click();
        QCOMPARE(storedLayout(), (QStringList{u"_"_qs, u"_"_qs, u"_"_qs, QString()}));
    }

    void thePrintSetupButtonSetsUpTheCurrentPrinter()
    {
        storeLayout({u"ﾗﾍﾞﾙ"_qs, u"_"_qs, u"9"_qs, u"0"_qs});
        openForm7();
        printers->dialog.choose = [](DevMode& mode, DevNames&) {
            mode.paperSize = 9;
        };
        control<QPushButton>("Command2")->click();
        QCOMPARE(printers->dialog.shown, 1);
        QCOMPARE(printers->dialog.givenFlags, quint32(1310796));
        QCOMPARE(DevNames::fromBytes(printers->dialog.givenDevNames).device, u"Label Printer"_qs);
        QCOMPARE(printers->printer->paperSizeCode(), 9);
        // The list is the one probed at opening; nothing is saved.
        QCOMPARE(control<QListWidget>("List2(0)")->count(), 3);
        QCOMPARE(printers->backend.paperSizeQueries, 1);
        QCOMPARE(storedLayout(), (QStringList{u"ﾗﾍﾞﾙ"_qs, u"_"_qs, u"9"_qs, u"0"_qs}));
    }

    void theChosenPrinterIsRememberedNamedAndCalibrated()
    {
        storeLayout({u"ﾗﾍﾞﾙ"_qs, u"_"_qs, u"9"_qs, u"0"_qs});
        printers = std::make_unique<PrinterFixture>(
            shell->context, shell->messages,
            QList<FakePrinter>{PrinterFixture::labelPrinter(u"Label Printer"_qs),
                               FakePrinter::withAllSettings(u"Office"_qs)});
        PrinterMemory gone;
        gone.currentDeviceName = u"Gone Printer"_qs;
        gone.entry(gone.currentDeviceName);
        writePrinterMemory(shell->settings.folder, gone);
        printers->rememberIn(shell->settings.folder);
        openForm7();
        auto* inUse = control<QLabel>("LabelPrinterName");
        QCOMPARE(inUse->text(), u"使用中のプリンター: 「Gone Printer」が見つかりません"_qs);

        printers->dialog.choose = [](DevMode&, DevNames& names) {
            names.device = u"Office"_qs;
        };
        control<QPushButton>("Command2")->click();
        QCOMPARE(inUse->text(), u"使用中のプリンター: Office"_qs);
        QVERIFY(!printers->remembered->isMissing());
        QCOMPARE(readPrinterMemory(shell->settings.folder).currentDeviceName, u"Office"_qs);

        // The crosshair measured 8 mm from the left and 11 mm from the top:
        // labels on this printer move 2 mm right and 1 mm up.
        control<QLineEdit>("TextCalibrationX")->setText(u"8"_qs);
        control<QLineEdit>("TextCalibrationY")->setText(u"11"_qs);
        control<QPushButton>("CommandCalibrationSave")->click();
        const PrinterOffsetMm expected{2, -1};
        QCOMPARE(readPrinterMemory(shell->settings.folder).find(u"Office"_qs)->offsetMm, expected);
        QCOMPARE(control<QLabel>("LabelPrinterOffset")->text(),
                 u"このプリンターの補正: 横 +2.00 mm、縦 -1.00 mm"_qs);
        QCOMPARE(shell->messages.shown.last().icon, MessageIcon::Information);
        QCOMPARE(printers->remembered->offsetMm(u"Label Printer"_qs), PrinterOffsetMm());

        // What is no measurement is refused and changes nothing.
        for (const QString& wrong : {u"abc"_qs, u"-3"_qs, QString()}) {
            control<QLineEdit>("TextCalibrationX")->setText(wrong);
            control<QPushButton>("CommandCalibrationSave")->click();
            QCOMPARE(shell->messages.shown.last().icon, MessageIcon::Exclamation);
            QCOMPARE(printers->remembered->offsetMm(u"Office"_qs), expected);
        }
    }

    void theCalibrationLabelPrintsOnTheCurrentPrinterAndStoredPaperUnmoved()
    {
        using Kind = RecordingCanvas::Kind;
        // The fixed connection type with A4 stored, as a run prints it.
        storeLayout({u"ﾗﾍﾞﾙ"_qs, u"_"_qs, u"9"_qs, u"0"_qs});
        printers->rememberIn(shell->settings.folder);
        printers->remembered->setOffsetMm(u"Label Printer"_qs, {2, -1});
        RecordingCanvas canvas;
        printers->backend.canvas = &canvas;
        NoLabelProgress progress;
        CancelRequest cancel;
        LabelPipeline labels(std::make_unique<FakeBarcodeEncoder>(), printers->printer->canvas(),
                             progress, cancel);
        shell->context.labels = &labels;
        openForm7();

        control<QPushButton>("CommandCalibration")->click();
        QCOMPARE(shell->messages.shown.size(), 0);
        QCOMPARE(canvas.count(Kind::End), 1);
        QCOMPARE(canvas.count(Kind::Abort), 0);
        QCOMPARE(canvas.textCall(u"Label Printer"_qs).text, u"Label Printer"_qs);
        QCOMPARE(canvas.count(Kind::Picture), 1);
        QCOMPARE(printers->printer->paperSizeCode(), 9);
        // Both arms centred on (10, 10) mm within half a 600 dpi dot: the
        // offset stored for the printer does not move the label.
        int arms = 0;
        for (const RecordingCanvas::Call& line : canvas.callsOf(Kind::Line)) {
            const QPointF centre = (line.atMm + line.toMm) / 2;
            const QPointF off = centre - QPointF(10, 10);
            if (std::max(std::abs(off.x()), std::abs(off.y())) <= 0.5 * 25.4 / 600)
                ++arms;
        }
        QCOMPARE(arms, 2);

        // So what is measured on it is the printer's whole drift, replacing
        // the offset stored rather than adding to it.
        control<QLineEdit>("TextCalibrationX")->setText(u"9"_qs);
        control<QLineEdit>("TextCalibrationY")->setText(u"10"_qs);
        control<QPushButton>("CommandCalibrationSave")->click();
        QCOMPARE(printers->remembered->offsetMm(u"Label Printer"_qs), (PrinterOffsetMm{1, 0}));

        // A stored paper the printer refuses is said, and nothing is printed.
        storeLayout({u"ﾗﾍﾞﾙ"_qs, u"_"_qs, u"11"_qs, u"0"_qs});
        printers->backend.printer(u"Label Printer"_qs).rejects = [](PrinterSetting setting, int) {
            return setting == PrinterSetting::PaperSize;
        };
        control<QPushButton>("CommandCalibration")->click();
        QCOMPARE(shell->messages.shown.last().icon, MessageIcon::Exclamation);
        QVERIFY2(shell->messages.shown.last().text.contains(u"用紙サイズ 11"_qs),
                 qPrintable(shell->messages.shown.last().text));
        QCOMPARE(canvas.count(Kind::End), 1);
        QCOMPARE(canvas.count(Kind::Abort), 0);
        closeAllScreens();
    }

    void anUnreadableLayoutFileIsSaidAndTheScreenStaysShut()
    {
        QVERIFY(QFile::remove(layoutPath()));
        QVERIFY(!openForm7());
        QCOMPARE(shell->messages.shown.size(), 1);
        QVERIFY2(shell->messages.shown.first().text.contains(SettingsFiles::layout),
                 qPrintable(shell->messages.shown.first().text));
    }
};

QTEST_MAIN(PaperSelectionScreenTest)
#include "tst_paperselectionscreen.moc"
