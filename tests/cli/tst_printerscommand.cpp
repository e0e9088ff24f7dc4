// `hakobee printers`: the listing of a fake backend's printers, exactly as a
// script reads it, the printer in use marked, and the built program listing
// the CUPS spooler's hakobee-pdf queue (scripts/cups-setup.sh) as CUPS itself
// describes it, marked when remembered in the settings folder.

#include "cli/printerlisting.h"
#include "core/printer/printermemory.h"
#include "core/settings/settingsfolder.h"
#include "support/fakeprinterbackend.h"
#include "support/programrun.h"

#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

using namespace hakobee;
using namespace hakobee::test;

namespace {

// An office printer and, as the system's default, a label printer that
// keeps its resolution to itself, listed after it: not in alphabetical order.
FakePrinterBackend officeAndLabelPrinter()
{
    FakePrinterBackend backend;
    FakePrinter office = FakePrinter::withAllSettings(u"Office-A4"_qs);
    office.paperSizes = {{9, 11906, 16838, u"A4"_qs},
                         {11, 8391, 11906, u"A5"_qs},
                         // 100.506 mm, which the paper list shows as 100
                         {256, 5698, 2835, QString()}};
    FakePrinter label = FakePrinter::bare(u"Brother-QL800"_qs);
    label.paperSizes = {{300, 3232, 1814, u"w162h91"_qs}};
    backend.printers = {office, label};
    backend.defaultPrinter = u"Brother-QL800"_qs;
    return backend;
}

// Without a display, in a session with its runtime folder, so Qt has
// nothing to say on standard error.
ProgramRun runPrinters(const QStringList& arguments)
{
    static QTemporaryDir runtimeFolder;
    QProcessEnvironment environment = environmentWithoutDisplay();
    environment.insert(u"XDG_RUNTIME_DIR"_qs, runtimeFolder.path());
    return runToEnd(QStringLiteral(HAKOBEE_EXECUTABLE), QStringList{u"printers"_qs} + arguments,
                    environment);
}

QString toolOutput(const QString& program, const QStringList& arguments)
{
    return runToEnd(program, arguments).out;
}

const QString queue = u"hakobee-pdf"_qs;

// The printer lines of a listing that carry the mark.
QStringList markedLines(const QString& listing)
{
    return listing.split(u'\n').filter(QRegularExpression(u"^\\* "_qs));
}

} // namespace

class TestPrintersCommand : public QObject
{
    Q_OBJECT

private slots:
    void listsEveryPrinterInTheSystemsOrderWithResolutionAndPapers()
    {
        FakePrinterBackend backend = officeAndLabelPrinter();
        const PrinterListing listing = listPrinters(backend);
        QCOMPARE(listing.err, QString());
        QCOMPARE(listing.exitCode, 0);
        QCOMPARE(listing.out, u"  Office-A4\n"
                              u"    解像度: 600 dpi\n"
                              u"    用紙:\n"
                              u"        9, 210 x 297 mm, A4\n"
                              u"        11, 148 x 210 mm, A5\n"
                              u"        256, 100 x 50 mm\n"
                              u"* Brother-QL800\n"
                              u"    解像度: 不明\n"
                              u"    用紙:\n"
                              u"        300, 57 x 32 mm, w162h91\n"_qs);
    }

    void theCurrentPrinterIsTheDefaultElseTheFirst()
    {
        FakePrinterBackend backend = officeAndLabelPrinter();
        backend.defaultPrinter.clear();
        QCOMPARE(currentPrinterName(backend), u"Office-A4"_qs);
        const QStringList lines = listPrinters(backend).out.split(u'\n');
        QCOMPARE(lines.filter(QRegularExpression(u"^\\S"_qs)), QStringList{u"* Office-A4"_qs});
        QVERIFY(lines.contains(u"  Brother-QL800"_qs));
    }

    void theRememberedPrinterIsMarkedWhileInstalledAndAGoneOneIsSaid()
    {
        FakePrinterBackend backend = officeAndLabelPrinter();
        // Found as the window finds it, letter case aside; not the default.
        QCOMPARE(currentPrinterName(backend, u"office-a4"_qs), u"Office-A4"_qs);
        const PrinterListing remembered = listPrinters(backend, {}, u"office-a4"_qs);
        QCOMPARE(remembered.err, QString());
        QCOMPARE(markedLines(remembered.out), QStringList{u"* Office-A4"_qs});

        // Labels would go to no printer: none is marked, not even the default.
        const PrinterListing gone = listPrinters(backend, {}, u"Gone-Printer"_qs);
        QCOMPARE(gone.exitCode, 0);
        QCOMPARE(markedLines(gone.out), QStringList());
        QVERIFY(gone.out.contains(u"\n  Brother-QL800\n"_qs));
        QVERIFY2(gone.err.contains(u"「Gone-Printer」が見つかりません"_qs), qPrintable(gone.err));
    }

    void onePrinterByNameLetterCaseAsideAndUnknownNames()
    {
        FakePrinterBackend backend = officeAndLabelPrinter();
        const PrinterListing one = listPrinters(backend, u"OFFICE-a4"_qs);
        QCOMPARE(one.exitCode, 0);
        QVERIFY2(one.out.startsWith(u"  Office-A4\n    解像度: 600 dpi\n"_qs), qPrintable(one.out));
        QVERIFY(!one.out.contains(u"Brother"_qs));

        const PrinterListing unknown = listPrinters(backend, u"どこにもないプリンタ"_qs);
        QCOMPARE(unknown.exitCode, 1);
        QCOMPARE(unknown.out, QString());
        QVERIFY2(unknown.err.contains(u"どこにもないプリンタ"_qs) &&
                     unknown.err.contains(u"Office-A4、Brother-QL800"_qs),
                 qPrintable(unknown.err));
    }

    // Without a display, as a script runs it: the queue's resolution and
    // paper sizes as CUPS gives them, every paper line in the one form.
    void theSpoolersQueueAsCupsDescribesIt()
    {
        const QString options = toolOutput(u"lpoptions"_qs, {u"-p"_qs, queue, u"-l"_qs});
        const QRegularExpressionMatch resolution =
            QRegularExpression(u"^Resolution/.*\\*(\\d+)dpi"_qs,
                               QRegularExpression::MultilineOption)
                .match(options);
        QVERIFY2(resolution.hasMatch(), "no hakobee-pdf queue: run scripts/cups-setup.sh");

        // Remembered in the settings folder, as the window leaves it.
        QTemporaryDir root;
        PrinterMemory memory;
        memory.currentDeviceName = queue;
        memory.entry(queue);
        writePrinterMemory(SettingsFolder(root.path()), memory);
        const ProgramRun run =
            runPrinters({u"--printer"_qs, queue, u"--settings-root"_qs, root.path()});
        QVERIFY2(run.exitCode == 0 && run.err.isEmpty(), qPrintable(run.err));
        QStringList lines = run.out.split(u'\n');
        QCOMPARE(lines.takeLast(), QString());
        QCOMPARE(lines.value(0), u"* hakobee-pdf"_qs);
        QVERIFY(lines.value(1).startsWith(u"    解像度: "_qs));
        QCOMPARE(lines.value(2), u"    用紙:"_qs);
        const QRegularExpression paperLine(u"^        (\\d+), \\d+ x \\d+ mm(, \\S.*)?$"_qs);
        int previousCode = 0;
        for (const QString& line : lines.mid(3)) {
            const QRegularExpressionMatch match = paperLine.match(line);
            QVERIFY2(match.hasMatch() && match.captured(1).toInt() > previousCode,
                     qPrintable(line));
            previousCode = match.captured(1).toInt();
        }
        // A4, the queue's own paper.
        QVERIFY2(!lines.filter(QRegularExpression(u"^        9, 210 x 297 mm(,|$)"_qs)).isEmpty(),
                 qPrintable(run.out));

        // All printers, nothing remembered: the queue among them, one
        // marked, the system's default or else the first.
        QTemporaryDir emptyRoot;
        const ProgramRun all = runPrinters({u"--settings-root"_qs, emptyRoot.path()});
        QCOMPARE(all.exitCode, 0);
        const QStringList printers =
            all.out.split(u'\n', Qt::SkipEmptyParts).filter(QRegularExpression(u"^\\S|^  \\S"_qs));
        QVERIFY2(printers.contains(u"* "_qs + queue) || printers.contains(u"  "_qs + queue),
                 qPrintable(all.out));
        const QStringList marked = printers.filter(QRegularExpression(u"^\\* "_qs));
        QCOMPARE(marked.size(), 1);
        const QRegularExpressionMatch systemDefault =
            QRegularExpression(u"system default destination: (\\S+)"_qs)
                .match(toolOutput(u"lpstat"_qs, {u"-d"_qs}));
        QCOMPARE(marked.first().mid(2),
                 systemDefault.hasMatch() ? systemDefault.captured(1) : printers.first().mid(2));

        // The resolution the queue prints at, its default in CUPS.
        QCOMPARE(lines.value(1), u"    解像度: %1 dpi"_qs.arg(resolution.captured(1)));
    }

    void helpAndWrongCommandLines()
    {
        const ProgramRun help = runPrinters({u"--help"_qs});
        QCOMPARE(help.exitCode, 0);
        QVERIFY(help.out.startsWith(u"使い方: hakobee printers "_qs));
        for (const QStringList& arguments :
             {QStringList{u"--colour"_qs}, QStringList{u"--printer"_qs},
              QStringList{u"--printer="_qs}, QStringList{u"hakobee-pdf"_qs}}) {
            const ProgramRun run = runPrinters(arguments);
            QVERIFY2(run.exitCode == 2 && run.out.isEmpty(), qPrintable(arguments.join(u' ')));
            QVERIFY(run.err.contains(u"使い方: hakobee printers"_qs));
        }
        const ProgramRun unknown = runPrinters({u"--printer"_qs, u"どこにもないプリンタ"_qs});
        QCOMPARE(unknown.exitCode, 1);
        QVERIFY2(unknown.err.contains(u"使えるプリンタ: "_qs) && unknown.err.contains(queue),
                 qPrintable(unknown.err));
    }
};

QTEST_GUILESS_MAIN(TestPrintersCommand)
#include "tst_printerscommand.moc"
