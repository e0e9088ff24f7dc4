// Choosing the printer and its settings: the records the print-setup dialog
// starts from, what its answer changes, and choosing by name with a
// remembered state to go back to.

#include "core/error.h"
#include "core/printer/activeprinter.h"
#include "core/printer/printersetup.h"
#include "core/printer/printsetupdialog.h"
#include "support/fakeprinterbackend.h"
#include "support/recordingmessageboxes.h"
#include "support/scriptedprintsetupdialog.h"

#include <QTest>
#include <QtEndian>

using namespace hakobee;
using namespace hakobee::test;

namespace {

using ScriptedDialog = ScriptedPrintSetupDialog;

constexpr quint32 paperFlags =
    DevMode::paperSizeFlag | DevMode::paperLengthFlag | DevMode::paperWidthFlag;
constexpr quint32 optionalFlags = DevMode::defaultSourceFlag | DevMode::printQualityFlag |
                                  DevMode::colorFlag | DevMode::duplexFlag |
                                  DevMode::orientationFlag | DevMode::scaleFlag;

} // namespace

class PrinterSetupTest : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        backend_ = std::make_unique<FakePrinterBackend>();
        backend_->printers = {FakePrinter::withAllSettings(u"Office Laser"_qs),
                              FakePrinter::withAllSettings(u"label-printer"_qs),
                              FakePrinter::bare(u"Bare Printer"_qs)};
        backend_->defaultPrinter = u"Office Laser"_qs;
        printer_ = std::make_unique<ActivePrinter>(*backend_);
        messages_ = std::make_unique<RecordingMessageBoxes>();
        dialog_ = std::make_unique<ScriptedDialog>();
        setup_ = std::make_unique<PrinterSetup>(*printer_, *dialog_, *messages_);
    }

    void theCurrentPrinterStartsAsTheDefault()
    {
        QCOMPARE(printer_->deviceName(), u"Office Laser"_qs);
        backend_->defaultPrinter.clear(); // no default: the first installed
        backend_->printers.move(1, 0);
        QCOMPARE(ActivePrinter(*backend_).deviceName(), u"label-printer"_qs);
        backend_->printers.clear();
        QVERIFY_THROWS_EXCEPTION(Error, ActivePrinter{*backend_});
    }

    void aPrinterOpenedOnFirstUseIsTheDefaultThen()
    {
        const int openedBefore = backend_->opened;
        ActivePrinter deferred(*backend_, ActivePrinter::Opening::OnFirstUse);
        QCOMPARE(backend_->opened, openedBefore);
        backend_->defaultPrinter = u"label-printer"_qs;
        QCOMPARE(deferred.deviceName(), u"label-printer"_qs);
        QCOMPARE(backend_->opened, openedBefore + 1);

        backend_->printers.clear();
        ActivePrinter none(*backend_, ActivePrinter::Opening::OnFirstUse);
        QVERIFY_THROWS_EXCEPTION(Error, none.deviceName());
    }

    void userDefinedPaperGoesInTenthsWithItsThreeFlags()
    {
        FakePrinter& office = backend_->printer(u"Office Laser"_qs);
        office.settings[PrinterSetting::PaperSize] = 256; // A4 given as a custom size
        dialog_->confirm = false;
        setup_->ShowPrinterSetup(PrinterSetup::printSetupFlag, nullptr);

        const QByteArray& bytes = dialog_->givenDevMode;
        QCOMPARE(bytes.size(), 124);
        QCOMPARE(dialog_->givenFlags, quint32(64));
        const quint32 fields = qFromLittleEndian<quint32>(bytes.constData() + 40);
        QCOMPARE(fields & (paperFlags | 0x1f0000), paperFlags);
        QCOMPARE(qFromLittleEndian<qint16>(bytes.constData() + 46), qint16(256));
        QCOMPARE(qFromLittleEndian<qint16>(bytes.constData() + 50), qint16(2100)); // width
        QCOMPARE(qFromLittleEndian<qint16>(bytes.constData() + 48), qint16(2970)); // length
        QCOMPARE(qFromLittleEndian<quint16>(bytes.constData() + 36), quint16(124));
        QCOMPARE(bytes.left(13), QByteArray("Office Laser\0", 13));
    }

    void aNamedPaperSizeGoesAloneWithoutDimensions()
    {
        dialog_->confirm = false;
        setup_->ShowPrinterSetup(PrinterSetup::printSetupFlag, nullptr);
        const DevMode mode = DevMode::fromBytes(dialog_->givenDevMode);
        QCOMPARE(mode.fields & paperFlags, DevMode::paperSizeFlag);
        QCOMPARE(mode.paperSize, qint16(9));
        QCOMPARE(mode.paperWidth, qint16(0));
        QCOMPARE(mode.paperLength, qint16(0));
        // every optional setting the printer has, with its flag
        QCOMPARE(mode.fields & optionalFlags, optionalFlags);
        QCOMPARE(mode.defaultSource, qint16(7));
        QCOMPARE(mode.printQuality, qint16(600));
        QCOMPARE(mode.color, qint16(1));
        QCOMPARE(mode.duplex, qint16(1));
        QCOMPARE(mode.orientation, qint16(1));
        QCOMPARE(mode.scale, qint16(100));

        const DevNames names = DevNames::fromBytes(dialog_->givenDevNames);
        QCOMPARE(names.device, u"Office Laser"_qs);
        QCOMPARE(names.driver, u"Fake Driver"_qs);
        QCOMPARE(names.port, u"FAKE:"_qs);
    }

    void aPrinterLackingTheOptionalSettingsStillGetsTheDialog()
    {
        QVERIFY(printer_->makeCurrent(u"Bare Printer"_qs));
        dialog_->confirm = false;
        QVERIFY(!setup_->ShowPrinterSetup(PrinterSetup::printSetupFlag, nullptr));
        QCOMPARE(dialog_->shown, 1);
        const DevMode mode = DevMode::fromBytes(dialog_->givenDevMode);
        QCOMPARE(mode.fields, DevMode::paperSizeFlag);
        QCOMPARE(mode.defaultSource, qint16(0));
        QCOMPARE(mode.orientation, qint16(0));
    }

    void confirmingMakesTheChosenPrinterAndSettingsCurrent()
    {
        dialog_->choose = [](DevMode& mode, DevNames& names) {
            names.device = u"LABEL-PRINTER"_qs; // letter case differs
            mode.paperSize = 11;
            mode.defaultSource = 4;
            mode.printQuality = 300;
            mode.color = 2;
            mode.duplex = 2;
            mode.orientation = 2;
            mode.scale = 90;
        };
        QVERIFY(setup_->ShowPrinterSetup(PrinterSetup::printSetupFlag, nullptr));
        QCOMPARE(printer_->deviceName(), u"label-printer"_qs);
        const FakePrinter& label = backend_->printer(u"label-printer"_qs);
        QCOMPARE(label.settings.value(PrinterSetting::PaperSize), 11);
        QCOMPARE(label.settings.value(PrinterSetting::PaperSource), 4);
        QCOMPARE(label.settings.value(PrinterSetting::PrintQuality), 300);
        QCOMPARE(label.settings.value(PrinterSetting::ColourMode), 2);
        QCOMPARE(label.settings.value(PrinterSetting::Duplex), 2);
        QCOMPARE(label.settings.value(PrinterSetting::Orientation), 2);
        QCOMPARE(label.settings.value(PrinterSetting::Scale), 90);
        QVERIFY(messages_->shown.isEmpty());
        // The written order: paper first, then the optional settings in turn.
        QList<PrinterSetting> order;
        for (const SettingWrite& write : backend_->writes)
            order.append(write.setting);
        QCOMPARE(order,
                 (QList<PrinterSetting>{PrinterSetting::PaperSize, PrinterSetting::PaperSource,
                                        PrinterSetting::PrintQuality, PrinterSetting::ColourMode,
                                        PrinterSetting::Duplex, PrinterSetting::Orientation,
                                        PrinterSetting::Scale}));
    }

    void aUserDefinedSizeFromTheDialogArrivesInTwips()
    {
        dialog_->choose = [](DevMode& mode, DevNames&) {
            mode.paperSize = 256;
            mode.paperWidth = 500;  // 50 mm
            mode.paperLength = 300; // 30 mm
        };
        QVERIFY(setup_->ShowPrinterSetup(PrinterSetup::printSetupFlag, nullptr));
        QCOMPARE(printer_->paperSizeCode(), 256);
        QCOMPARE(printer_->pageWidthTwips(), 2835);
        QCOMPARE(printer_->pageHeightTwips(), 1701);
    }

    void anUnknownPrinterNameLeavesThePrinterButAppliesTheSettings()
    {
        dialog_->choose = [](DevMode& mode, DevNames& names) {
            names.device = u"Printer In Another Office"_qs;
            mode.orientation = 2;
        };
        QVERIFY(setup_->ShowPrinterSetup(PrinterSetup::printSetupFlag, nullptr));
        QCOMPARE(printer_->deviceName(), u"Office Laser"_qs);
        QCOMPARE(printer_->orientation(), 2);
    }

    void cancellingChangesNothing()
    {
        const QMap<PrinterSetting, int> before = backend_->printer(u"Office Laser"_qs).settings;
        dialog_->confirm = false;
        QVERIFY(!setup_->ShowPrinterSetup(PrinterSetup::printSetupFlag, nullptr));
        QCOMPARE(printer_->deviceName(), u"Office Laser"_qs);
        QCOMPARE(backend_->printer(u"Office Laser"_qs).settings, before);
        QVERIFY(backend_->writes.isEmpty());
        QCOMPARE(backend_->opened, 1);
        QVERIFY(messages_->shown.isEmpty());
    }

    void aRejectedPaperSizeIsReportedOnceAndTheRestStillApplied()
    {
        FakePrinter& office = backend_->printer(u"Office Laser"_qs);
        office.rejects = [](PrinterSetting setting, int value) {
            return setting == PrinterSetting::PaperSize && value == 11;
        };
        dialog_->choose = [](DevMode& mode, DevNames&) {
            mode.paperSize = 11;
            mode.orientation = 2;
        };
        QVERIFY(setup_->ShowPrinterSetup(PrinterSetup::printSetupFlag, nullptr));
        QCOMPARE(messages_->shown.size(), 1);
        const Message& message = messages_->shown.first();
        QCOMPARE(message.text, u"指定された用紙サイズが不正です"_qs);
        QCOMPARE(message.title, u"プリンタの設定"_qs);
        QCOMPARE(message.icon, MessageIcon::None);
        QCOMPARE(message.buttons, MessageButtons::Ok);
        QCOMPARE(office.settings.value(PrinterSetting::PaperSize), 9); // the previous paper
        QCOMPARE(office.settings.value(PrinterSetting::Orientation), 2);
    }

    void aPrinterWithoutCustomSizesReportsAUserDefinedSizeOnce()
    {
        backend_->printer(u"Bare Printer"_qs).rejects = [](PrinterSetting, int value) {
            return value == 256;
        };
        QVERIFY(printer_->makeCurrent(u"Bare Printer"_qs));
        dialog_->choose = [](DevMode& mode, DevNames&) {
            mode.paperSize = 256;
            mode.paperWidth = 500;
            mode.paperLength = 300;
        };
        QVERIFY(setup_->ShowPrinterSetup(PrinterSetup::printSetupFlag, nullptr));
        QCOMPARE(messages_->shown.size(), 1); // three failed writes, one message
        QCOMPARE(printer_->paperSizeCode(), 9);
    }

    void selectPrinterMatchesNamesWhateverTheirCase()
    {
        QVERIFY(setup_->SelectPrinter(u"Label-Printer"_qs, 11, 2, 4));
        QCOMPARE(printer_->deviceName(), u"label-printer"_qs);
        QCOMPARE(printer_->paperSizeCode(), 11);
        QCOMPARE(printer_->orientation(), 2);
        QCOMPARE(printer_->paperSource(), 4);
    }

    void selectPrinterWithAnUnknownNameSetsTheCodesOnTheCurrentPrinter()
    {
        QVERIFY(!setup_->SelectPrinter(u"No Such Printer"_qs, 11, 2, 4));
        QCOMPARE(printer_->deviceName(), u"Office Laser"_qs);
        QCOMPARE(printer_->paperSizeCode(), 11);
        QCOMPARE(printer_->orientation(), 2);
        QCOMPARE(printer_->paperSource(), 4);
    }

    void restoringBeforeAnySaveMatchesNoPrinter()
    {
        QVERIFY(!setup_->RestorePrinterState());
        QCOMPARE(printer_->deviceName(), u"Office Laser"_qs);
        QCOMPARE(backend_->writes.size(), 3);
        for (const SettingWrite& write : backend_->writes)
            QCOMPARE(write.value, 0);
    }

    void restoringGoesBackToTheSavedPrinterAndCodes()
    {
        setup_->SavePrinterState(); // Office Laser, A4, portrait, automatic bin
        QVERIFY(setup_->SelectPrinter(u"label-printer"_qs, 11, 2, 4));
        printer_->setPaperSizeCode(13); // and Office Laser is changed meanwhile too
        QVERIFY(setup_->RestorePrinterState());
        QCOMPARE(printer_->deviceName(), u"Office Laser"_qs);
        QCOMPARE(printer_->paperSizeCode(), 9);
        QCOMPARE(printer_->orientation(), 1);
        QCOMPARE(printer_->paperSource(), 7);
    }

    void savingFailsWhenAValueCannotBeRead()
    {
        setup_->SavePrinterState();
        QVERIFY(printer_->makeCurrent(u"Bare Printer"_qs));
        QVERIFY_THROWS_EXCEPTION(Error, setup_->SavePrinterState());
        // what was saved before is kept whole
        QVERIFY(setup_->RestorePrinterState());
        QCOMPARE(printer_->deviceName(), u"Office Laser"_qs);
    }

    void choosingTheCurrentPrinterAgainKeepsItsSettings()
    {
        printer_->setSetting(PrinterSetting::Duplex, 3);
        QVERIFY(setup_->SelectPrinter(u"OFFICE LASER"_qs, 9, 1, 7));
        QCOMPARE(backend_->opened, 1);
        QCOMPARE(printer_->setting(PrinterSetting::Duplex), 3);
    }

private:
    std::unique_ptr<FakePrinterBackend> backend_;
    std::unique_ptr<ActivePrinter> printer_;
    std::unique_ptr<RecordingMessageBoxes> messages_;
    std::unique_ptr<ScriptedDialog> dialog_;
    std::unique_ptr<PrinterSetup> setup_;
};

QTEST_APPLESS_MAIN(PrinterSetupTest)
#include "tst_printersetup.moc"
