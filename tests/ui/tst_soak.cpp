// Ten continuous runs of 300 labels in one process, the run screen opened
// anew for each, printing through the PDF folder printer as an installation
// without a printer does: the process's memory and open files do not grow
// from the second run to the tenth, and every label's barcode scans as its
// record's barcode.

#include "runfixture.h"

#include "core/printer/printersetup.h"
#include "core/printrun/printrun.h"
#include "platform/barcode/zintbarcodeencoder.h"
#include "platform/printing/qtprinterbackend.h"
#include "support/openscreens.h"
#include "ui/screens/continuousrunscreen.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QPointer>
#include <QProcess>
#include <QPushButton>
#include <QSizeF>
#include <QTest>

using namespace hakobee;
using namespace hakobee::test;

namespace {

constexpr int runs = 10;
constexpr int labelsPerRun = ContinuousRun::allowancePerOpening;
// What the process may gain from the second run to the tenth: allocator and
// font caches settle, but a leak of even a few hundred bytes a label (2,400
// labels) would pass it.
constexpr qint64 allowedGrowthKiB = 1024;
// The corner of the page every label lies in (with no print offset).
constexpr QSizeF labelCornerMm(55, 45);

// A figure of /proc/self/status, in kB.
qint64 statusFigureKiB(const char* name)
{
    QFile status(u"/proc/self/status"_qs);
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith(name))
            return line.mid(qsizetype(qstrlen(name))).trimmed().split(' ').first().toLongLong();
    }
    return -1;
}

int openFileCount()
{
    return int(QDir(u"/proc/self/fd"_qs).entryList(QDir::Files | QDir::System).size());
}

// Runs the programs side by side and waits for all of them; false with the
// first failure's output when one fails. zbarimg exits 4 when an image has
// no barcode: a result, which the caller checks.
bool runTogether(QList<QProcess*> processes, QString* failure)
{
    bool allRan = true;
    for (QProcess* process : processes) {
        const bool ran = process->waitForFinished(300000) &&
                         process->exitStatus() == QProcess::NormalExit &&
                         (process->exitCode() == 0 || process->exitCode() == 4);
        if (!ran && allRan) {
            *failure = process->program() + u": "_qs +
                       QString::fromLocal8Bit(process->readAllStandardError());
        }
        allRan = allRan && ran;
    }
    return allRan;
}

// What a scanner reads from the labels, in file order: the PDFs joined into
// one (pdfunite), the corner of each page holding the label rasterised
// (pdftoppm) and decoded (zbarimg), each half of the pages on its own core.
// One entry per barcode found.
QStringList scanLabels(const QStringList& pdfs, const QString& workFolder, QString* failure)
{
    const QString joined = workFolder + u"/joined.pdf"_qs;
    QProcess unite;
    unite.start(u"pdfunite"_qs, pdfs + QStringList{joined});
    if (!runTogether({&unite}, failure))
        return {};
    const int dotsPerInch = 200;
    const auto dots = [&](double mm) {
        return QString::number(int(mm / 25.4 * dotsPerInch));
    };
    const qsizetype half = (pdfs.size() + 1) / 2;
    const QStringList prefixes{workFolder + u"/a"_qs, workFolder + u"/b"_qs};
    QProcess rasters[2];
    for (int part = 0; part < 2; ++part) {
        rasters[part].start(u"pdftoppm"_qs,
                            {u"-f"_qs, QString::number(part * half + 1), u"-l"_qs,
                             QString::number(part == 0 ? half : pdfs.size()), u"-r"_qs,
                             QString::number(dotsPerInch), u"-x"_qs, u"0"_qs, u"-y"_qs, u"0"_qs,
                             u"-W"_qs, dots(labelCornerMm.width()), u"-H"_qs,
                             dots(labelCornerMm.height()), u"-gray"_qs, u"-png"_qs, joined,
                             prefixes[part]});
    }
    if (!runTogether({&rasters[0], &rasters[1]}, failure))
        return {};
    QProcess scanners[2];
    QStringList images[2];
    for (int part = 0; part < 2; ++part) {
        const QString prefix = QFileInfo(prefixes[part]).fileName();
        for (const QString& name :
             QDir(workFolder).entryList({prefix + u"-*.png"_qs}, QDir::Files, QDir::Name))
            images[part].append(workFolder + u'/' + name);
        scanners[part].start(u"zbarimg"_qs, QStringList{u"-q"_qs} + images[part]);
    }
    if (!runTogether({&scanners[0], &scanners[1]}, failure))
        return {};
    QStringList symbols;
    for (int part = 0; part < 2; ++part) {
        symbols += QString::fromUtf8(scanners[part].readAllStandardOutput())
                       .split(u'\n', Qt::SkipEmptyParts);
        for (const QString& image : std::as_const(images[part]))
            QFile::remove(image);
    }
    QFile::remove(joined);
    return symbols;
}

// The offscreen platform warns once for every progress screen shown: 3,000
// times, past QtTest's limit, after which it would drop the figures too.
QtMessageHandler testHandler = nullptr;
void withoutSizeHintWarnings(QtMsgType type, const QMessageLogContext& context,
                             const QString& message)
{
    if (!message.contains(u"does not support propagateSizeHints"_qs))
        testHandler(type, context, message);
}

QStringList scannedCodes(const QStringList& barcodes)
{
    QStringList codes;
    for (const QString& barcode : barcodes)
        codes.append((barcode.size() == 8 ? u"EAN-8:"_qs : u"EAN-13:"_qs) + barcode);
    return codes;
}

} // namespace

class TestSoak : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { testHandler = qInstallMessageHandler(withoutSizeHintWarnings); }

    void tenRunsOf300LabelsInOneProcess()
    {
        RunFixture f;
        f.useProducts(labelsPerRun);
        QTemporaryDir pdfFolder;
        QTemporaryDir scans;
        QtPrinterBackend backend(pdfFolder.path(), QtPrinterBackend::SystemPrinters::Ignore);
        ActivePrinter printer(backend);
        LabelPipeline labels(std::make_unique<ZintBarcodeEncoder>(), printer.canvas(), f.progress,
                             f.cancel);
        PrinterSetup setup(printer, f.dialog, f.messages);
        f.context.printer = &printer;
        f.context.printerSetup = &setup;
        f.context.labels = &labels;
        const auto closeScreens = qScopeGuard([] { closeAllScreens(); });
        const QStringList expected = scannedCodes(RunFixture::barcodesOfRows(1, labelsPerRun));

        QList<qint64> residentKiB;
        QList<int> openFiles;
        QElapsedTimer printing;
        qint64 printingMs = 0;
        qsizetype decoded = 0;
        for (int run = 1; run <= runs; ++run) {
            printing.start();
            QPointer<ContinuousRunScreen> screen = f.screens.open<ContinuousRunScreen>();
            QVERIFY(screen);
            screen->findChild<QPushButton*>(u"Command3"_qs)->click();
            QTRY_VERIFY(screen.isNull());
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
            printingMs += printing.elapsed();
            QCOMPARE(f.messages.shown.size(), run);
            QCOMPARE(f.messages.shown.last().title, u"処理終了"_qs);
            residentKiB.append(statusFigureKiB("VmRSS:"));
            openFiles.append(openFileCount());

            // This run's files, in the order they were written.
            QStringList pdfs;
            for (const QString& name :
                 QDir(pdfFolder.path()).entryList({u"*.pdf"_qs}, QDir::Files, QDir::Name))
                pdfs.append(pdfFolder.filePath(name));
            QCOMPARE(pdfs.size(), labelsPerRun);
            QString failure;
            const QStringList scanned = scanLabels(pdfs, scans.path(), &failure);
            QVERIFY2(failure.isEmpty(), qPrintable(failure));
            QCOMPARE(scanned, expected);
            decoded += scanned.size();
            for (const QString& pdf : std::as_const(pdfs))
                QFile::remove(pdf);
        }

        QStringList figures;
        for (int i = 0; i < runs; ++i)
            figures.append(u"%1:%2KiB/%3fd"_qs.arg(i + 1).arg(residentKiB[i]).arg(openFiles[i]));
        qInfo("reliability: soak runs=%d labels=%d decoded=%d printing-ms=%lld "
              "rss-run2-kib=%lld rss-run10-kib=%lld fds-run2=%d fds-run10=%d peak-rss-kib=%lld",
              runs, runs * labelsPerRun, int(decoded), printingMs, residentKiB[1],
              residentKiB[runs - 1], openFiles[1], openFiles[runs - 1], statusFigureKiB("VmHWM:"));
        qInfo("soak figures after each run: %s", qPrintable(figures.join(u' ')));
        for (int i = 2; i < runs; ++i)
            QCOMPARE(openFiles[i], openFiles[1]);
        QVERIFY2(residentKiB[runs - 1] - residentKiB[1] <= allowedGrowthKiB,
                 qPrintable(figures.join(u' ')));
    }
};

QTEST_MAIN(TestSoak)
#include "tst_soak.moc"
