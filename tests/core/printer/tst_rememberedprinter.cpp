// The printer remembered across starts: its file beside the four settings
// files, a restart that prints on the printer chosen before it, a removed
// printer that stops the run before its first label, and each printer's
// calibration offset moving that printer's labels only.

#include "core/datasource/databaseprovider.h"
#include "core/printer/activeprinter.h"
#include "core/printer/printermemory.h"
#include "core/printer/printersetup.h"
#include "core/printer/rememberedprinter.h"
#include "core/printrun/labelinputs.h"
#include "core/printrun/labelpipeline.h"
#include "core/printrun/printrun.h"
#include "core/printrun/printrunview.h"
#include "core/printrun/runprinterprotocol.h"
#include "core/render/cancelrequest.h"
#include "core/render/labelprogress.h"
#include "support/fakebarcodeencoder.h"
#include "support/fakeprinterbackend.h"
#include "support/memorytable.h"
#include "support/recordingcanvas.h"
#include "support/recordingmessageboxes.h"
#include "support/scriptedprintsetupdialog.h"
#include "support/settingsfixture.h"

#include <QStringDecoder>
#include <QTest>

#include <cmath>

using namespace hakobee;
using namespace hakobee::test;
using Kind = RecordingCanvas::Kind;

namespace {

const QString office = u"Office Laser"_qs;
const QString zebra = u"ゼブラ ラベル"_qs; // a name Shift-JIS must carry

FakePrinter labelPrinter()
{
    FakePrinter printer = FakePrinter::withAllSettings(zebra);
    printer.settings[PrinterSetting::PrintQuality] = 300;
    return printer;
}

// One start of the program over a settings folder, wired as the window and
// `hakobee print` wire it: the current printer opened on first use with the
// remembered printer restored, print setup that remembers what is
// confirmed, and continuous runs of `table` drawing on a recording canvas.
struct Start
{
    Start(const SettingsFolder& folder, std::shared_ptr<MemoryTable> table)
        : folder(folder),
          databases(folder,
                    [table](const QString&) { return std::make_unique<MemoryConnection>(table); }),
          remembered(folder),
          labels(std::make_unique<FakeBarcodeEncoder>(), canvas, progress, cancel)
    {
        backend.printers = {FakePrinter::withAllSettings(office), labelPrinter()};
        backend.defaultPrinter = office;
        remembered.restoreAtFirstUse(printer);
    }

    // Prints every record as the continuous run does, without a dialog as
    // `hakobee print` does; the device each label went to is added to printedOn.
    RunResult printAll()
    {
        UnattendedPrinterProtocol protocol(setup);
        return printAll(protocol);
    }
    RunResult printAll(RunPrinterProtocol& protocol)
    {
        // Notes the device each label went to.
        class DevicesPrintedOn : public PrintRunView
        {
        public:
            explicit DevicesPrintedOn(Start& start) : start_(start) {}
            void showRunStatus(RunStatus) override {}
            void showLabelPrinted(int, const RunRecord&, int, int) override
            {
                start_.printedOn.append(start_.printer.deviceName());
            }

        private:
            Start& start_;
        } view(*this);
        SavedLabelInputs inputs(folder, databases, u"IPAPGothic"_qs, &remembered, &printer);
        ContinuousRun run({databases, folder, labels, inputs, protocol, &printer, &remembered},
                          view);
        return run.start(u"select bar,hi,mei,as2 from Master"_qs);
    }

    const SettingsFolder& folder;
    FakePrinterBackend backend;
    ActivePrinter printer{backend, ActivePrinter::Opening::OnFirstUse};
    StandardDatabaseProvider databases;
    RememberedPrinter remembered;
    ScriptedPrintSetupDialog dialog;
    RecordingMessageBoxes messages;
    PrinterSetup setup{printer, dialog, messages, &remembered};
    RecordingCanvas canvas;
    NoLabelProgress progress;
    CancelRequest cancel;
    LabelPipeline labels;
    QStringList printedOn;
};

// A settings folder as a start finds it: the four files, with the fixed
// connection type and no paper stored (so a run keeps the printer's paper).
struct Installation
{
    Installation()
    {
        settings.installDefaults();
        writeConnectionType(u"0"_qs);
        writeAdjustments(u"0"_qs, u"0"_qs);
        for (const QString& name : SettingsFiles::all())
            settingsFiles.append(SettingsFixture::readBytes(settings.settingsPath(name)));
    }
    void writeConnectionType(const QString& type) const
    {
        replaceSettingsFile(settings.settingsPath(SettingsFiles::layout), SettingsColumns::layout(),
                            {u"ﾗﾍﾞﾙ"_qs, u"_"_qs, u"_"_qs, type});
    }
    void writeAdjustments(const QString& horizontalMm, const QString& verticalMm) const
    {
        QStringList values(99, u"_"_qs);
        values[2] = horizontalMm;
        values[3] = verticalMm;
        values[4] = u"0"_qs;
        replaceSettingsFile(settings.settingsPath(SettingsFiles::printAdjustments),
                            SettingsColumns::printAdjustments(), values);
    }
    void writeMemoryFile(const QByteArray& bytes) const
    {
        SettingsFixture::writeBytes(settings.settingsPath(printerMemoryFileName), bytes);
    }
    // The four files exactly as they were installed.
    bool settingsFilesUntouched() const
    {
        for (qsizetype i = 0; i < SettingsFiles::all().size(); ++i) {
            if (SettingsFixture::readBytes(settings.settingsPath(SettingsFiles::all()[i])) !=
                settingsFiles[i])
                return false;
        }
        return true;
    }

    SettingsFixture settings;
    std::shared_ptr<MemoryTable> table = MemoryTable::products(3);
    QList<QByteArray> settingsFiles;
};

const QByteArray header = "\"PRINTER\",\"CURRENT\",\"PAPERSIZE\",\"WIDTHTWIPS\",\"HEIGHTTWIPS\","
                          "\"ORIENTATION\",\"PAPERSOURCE\",\"DPI\",\"OFFSETXMM\",\"OFFSETYMM\"\r\n";

QByteArray shiftJis(const QString& text)
{
    return QStringEncoder("Shift_JIS").encode(text);
}

// Every drawing call moved by (dx, dy) millimetres.
QList<RecordingCanvas::Call> moved(QList<RecordingCanvas::Call> calls, double dxMm, double dyMm)
{
    for (RecordingCanvas::Call& call : calls) {
        if (call.kind == Kind::Text || call.kind == Kind::Picture || call.kind == Kind::Line)
            call.atMm += QPointF(dxMm, dyMm);
        if (call.kind == Kind::Line)
            call.toMm += QPointF(dxMm, dyMm);
    }
    return calls;
}

bool near(QPointF a, QPointF b)
{
    return std::abs(a.x() - b.x()) < 1e-9 && std::abs(a.y() - b.y()) < 1e-9;
}

bool samePlaces(const QList<RecordingCanvas::Call>& a, const QList<RecordingCanvas::Call>& b)
{
    if (a.size() != b.size())
        return false;
    for (qsizetype i = 0; i < a.size(); ++i) {
        if (a[i].kind != b[i].kind || a[i].text != b[i].text || !near(a[i].atMm, b[i].atMm) ||
            !near(a[i].toMm, b[i].toMm))
            return false;
    }
    return true;
}

} // namespace

class TestRememberedPrinter : public QObject
{
    Q_OBJECT

private slots:
    void theFileRoundTripsBesideTheFourSettingsFiles()
    {
        Installation installation;
        const SettingsFolder& folder = installation.settings.folder;
        // Nothing written yet: nothing remembered, and no fault either.
        QCOMPARE(readPrinterMemory(folder), PrinterMemory());
        QCOMPARE(RememberedPrinter(folder).problem(), QString());

        PrinterMemory memory;
        memory.currentDeviceName = zebra;
        memory.printers = {{zebra, 256, 3402, 2268, 2, 7, 203, {0.25, -1.5}},
                           {office,
                            std::nullopt,
                            std::nullopt,
                            std::nullopt,
                            std::nullopt,
                            std::nullopt,
                            std::nullopt,
                            {2, -1}}};
        writePrinterMemory(folder, memory);
        QCOMPARE(readPrinterMemory(folder), memory);
        QCOMPARE(SettingsFixture::readBytes(printerMemoryPath(folder)),
                 header +
                     shiftJis(u"\"%1\",\"1\",\"256\",\"3402\",\"2268\",\"2\",\"7\",\"203\","
                              u"\"0.25\",\"-1.5\"\r\n"
                              u"\"%2\",\"0\",\"\",\"\",\"\",\"\",\"\",\"\",\"2\",\"-1\"\r\n"_qs.arg(
                                  zebra, office)));
        QVERIFY(installation.settingsFilesUntouched());

        // The forms an edited copy takes read the same: LF line ends, a
        // blank line at the end, values without quotes.
        const QByteArray written = SettingsFixture::readBytes(printerMemoryPath(folder));
        QByteArray unquoted = written;
        unquoted.replace("\"\"", "").replace("\"", "");
        for (const QByteArray& edited :
             {QByteArray(written).replace("\r\n", "\n"), written + "\r\n", unquoted}) {
            installation.writeMemoryFile(edited);
            QCOMPARE(readPrinterMemory(folder), memory);
        }
    }

    void damagedFilesAreNamedAndRememberNothing_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        const QByteArray row = "\"zebra\",\"1\",\"256\",\"3402\",\"2268\",\"1\",\"7\",\"203\","
                               "\"0\",\"0\"\r\n";
        QTest::newRow("empty") << QByteArray();
        QTest::newRow("other columns")
            << QByteArray("\"PRINTER\",\"PAPER\"\r\n\"zebra\",\"9\"\r\n");
        QTest::newRow("short row") << header + "\"zebra\",\"1\",\"256\"\r\n";
        QTest::newRow("not a number") << header + QByteArray(row).replace("3402", "wide");
        QTest::newRow("offset not a number")
            << header + QByteArray(row).replace("\"0\",\"0\"\r", "\"0\",\"x\"\r");
        QTest::newRow("two current rows") << header + row + QByteArray(row).replace("zebra", "b");
        QTest::newRow("repeated printer")
            << header + row + QByteArray(row).replace("zebra", "ZEBRA");
        QTest::newRow("no name") << header + QByteArray(row).replace("zebra", "");
        QTest::newRow("cut in a value") << header + row.left(20);
        QTest::newRow("NUL bytes") << header + QByteArray(row).replace('7', '\0');
        QTest::newRow("UTF-8 with BOM") << "\xEF\xBB\xBF" + header + row;
    }

    void damagedFilesAreNamedAndRememberNothing()
    {
        QFETCH(QByteArray, bytes);
        Installation installation;
        installation.writeMemoryFile(bytes);
        Start start(installation.settings.folder, installation.table);
        QVERIFY2(start.remembered.problem().contains(printerMemoryFileName),
                 qPrintable(start.remembered.problem()));
        QCOMPARE(start.remembered.deviceName(), QString());
        QCOMPARE(start.remembered.offsetMm(u"zebra"_qs), PrinterOffsetMm());
        // The run goes to the system's default printer, as before anything
        // was remembered, and the four settings files stay as they were.
        QCOMPARE(start.printAll().end, RunEnd::Completed);
        QCOMPARE(start.printedOn, QStringList(3, office));
        QVERIFY(installation.settingsFilesUntouched());

        // The next choice replaces the damaged file.
        QVERIFY(start.setup.ShowPrinterSetup(PrinterSetup::printSetupFlag, nullptr));
        QCOMPARE(readPrinterMemory(installation.settings.folder).currentDeviceName, office);
        QCOMPARE(start.remembered.problem(), QString());
    }

    void theChosenPrinterIsTheOneUsedAfterARestart()
    {
        Installation installation;
        const SettingsFolder& folder = installation.settings.folder;
        {
            Start first(folder, installation.table);
            // The main menu names the printer without opening it.
            QCOMPARE(first.remembered.inUseText(first.printer), u"既定のプリンター"_qs);
            QCOMPARE(first.backend.opened, 0);
            QCOMPARE(first.printer.paperSizeCode(), 9);
            QCOMPARE(first.remembered.inUseText(first.printer),
                     u"既定のプリンター（%1）"_qs.arg(office));
            first.dialog.choose = [](DevMode& mode, DevNames& names) {
                names.device = zebra;
                mode.paperSize = DevMode::userDefinedPaperSize;
                mode.paperWidth = 600; // tenths of a millimetre
                mode.paperLength = 400;
                mode.orientation = 2;
                mode.printQuality = 203;
            };
            QVERIFY(first.setup.ShowPrinterSetup(PrinterSetup::printSetupFlag, nullptr));
            QCOMPARE(first.printer.deviceName(), zebra);
        }

        Start second(folder, installation.table);
        QCOMPARE(second.remembered.inUseText(second.printer), zebra);
        QCOMPARE(second.backend.opened, 0);
        QCOMPARE(second.printAll().end, RunEnd::Completed);
        QCOMPARE(second.printedOn, QStringList(3, zebra));
        // Only the remembered printer was opened, never the default first.
        QCOMPARE(second.backend.opened, 1);
        const QMap<PrinterSetting, int> restored = second.backend.printer(zebra).settings;
        QCOMPARE(restored[PrinterSetting::PaperSize], 256);
        QCOMPARE(restored[PrinterSetting::PageWidthTwips], tenthsMmToTwips(600));
        QCOMPARE(restored[PrinterSetting::PageHeightTwips], tenthsMmToTwips(400));
        QCOMPARE(restored[PrinterSetting::Orientation], 2);
        QCOMPARE(restored[PrinterSetting::PaperSource], 7);
        QCOMPARE(restored[PrinterSetting::PrintQuality], 203);

        // A printer that no longer takes one of the settings still becomes
        // current with the others.
        Start third(folder, installation.table);
        third.backend.printer(zebra).rejects = [](PrinterSetting setting, int) {
            return setting == PrinterSetting::PrintQuality;
        };
        QCOMPARE(third.printer.deviceName(), zebra);
        QCOMPARE(third.printer.setting(PrinterSetting::PrintQuality), 300);
        QCOMPARE(third.printer.orientation(), 2);
        QCOMPARE(third.printer.pageWidthTwips(), tenthsMmToTwips(600));
        QVERIFY(installation.settingsFilesUntouched());
    }

    void aRemovedPrinterStopsTheRunBeforeItsFirstLabel()
    {
        Installation installation;
        installation.writeMemoryFile(
            header + "\"Removed Queue\",\"1\",\"9\",\"11906\",\"16838\",\"1\",\"7\",\"600\","
                     "\"0\",\"0\"\r\n");
        Start start(installation.settings.folder, installation.table);
        // Fixed connection type, and type "1" from the command line, where
        // no dialog is shown: nothing drawn on any printer.
        for (const QString& type : {u"0"_qs, u"1"_qs}) {
            installation.writeConnectionType(type);
            const RunResult result = start.printAll();
            QCOMPARE(result.end, RunEnd::Failed);
            QCOMPARE(result.printed, 0);
            QCOMPARE(result.failure.description,
                     u"プリンタ「Removed Queue」が見つかりません。[プリンター/用紙設定] "
                     u"でプリンターを選びなおしてください。"_qs);
            QVERIFY(start.canvas.calls.isEmpty());
            QVERIFY(start.printedOn.isEmpty());
        }
        QVERIFY(start.remembered.isMissing());
        QCOMPARE(start.remembered.inUseText(start.printer),
                 u"「Removed Queue」が見つかりません"_qs);

        // A printer chosen in the dialog of a type "1" run ends it, and is
        // remembered instead.
        start.dialog.choose = [](DevMode&, DevNames& names) {
            names.device = zebra;
        };
        PrinterSetupProtocol dialog(start.setup, nullptr);
        QCOMPARE(start.printAll(dialog).end, RunEnd::Completed);
        QCOMPARE(start.printedOn, QStringList(3, zebra));
        QVERIFY(!start.remembered.isMissing());
        QCOMPARE(readPrinterMemory(installation.settings.folder).currentDeviceName, zebra);
        installation.writeConnectionType(u"0"_qs);
        QCOMPARE(start.printAll().end, RunEnd::Completed);
        QCOMPARE(start.printedOn.size(), 6);
    }

    void anOffsetMovesEveryElementOfItsPrintersLabelsOnly()
    {
        Installation installation;
        installation.table = MemoryTable::products(1);
        installation.writeAdjustments(u"3"_qs, u"4.5"_qs);
        QList<RecordingCanvas::Call> unadjusted;
        {
            Start start(installation.settings.folder, installation.table);
            QCOMPARE(start.printAll().end, RunEnd::Completed);
            unadjusted = start.canvas.calls;
        }
        QVERIFY(unadjusted.size() > 5);

        RememberedPrinter calibrating(installation.settings.folder);
        calibrating.setOffsetMm(zebra, {2, -1});
        Start start(installation.settings.folder, installation.table);
        QCOMPARE(start.printAll().end, RunEnd::Completed);
        QCOMPARE(start.printedOn, QStringList{office});
        QVERIFY(samePlaces(start.canvas.calls, unadjusted));

        start.canvas.calls.clear();
        QVERIFY(start.printer.makeCurrent(zebra));
        QCOMPARE(start.printAll().end, RunEnd::Completed);
        QCOMPARE(start.printedOn.last(), zebra);
        QVERIFY(samePlaces(start.canvas.calls, moved(unadjusted, 2, -1)));
    }
};

QTEST_GUILESS_MAIN(TestRememberedPrinter)
#include "tst_rememberedprinter.moc"
