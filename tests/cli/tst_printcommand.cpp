// `hakobee print` as a cron job runs it: the built program, with no display
// and no platform named, printing to the PDF printer.

#include "support/barcodescan.h"
#include "support/pdftools.h"
#include "support/postgresserver.h"
#include "support/programrun.h"
#include "support/psqlodbc.h"
#include "support/savedqueryfile.h"
#include "support/xlsxworkbook.h"

#include <mdbwriter/mdbwriter.h>
#include <testdata/generatedproducts.h>
#include <testdata/productstable.h>
#include <testdata/sampleproducts.h>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

using namespace hakobee;

namespace {

using Run = test::ProgramRun;

// The built program without a display; printing a whole table may take a while.
Run runHakobee(const QStringList& arguments)
{
    return test::runToEnd(QStringLiteral(HAKOBEE_EXECUTABLE), arguments,
                          test::environmentWithoutDisplay(), 120'000);
}

QStringList pdfFilesIn(const QString& folder)
{
    QStringList files;
    for (const QString& name : QDir(folder).entryList({u"*.pdf"_qs}, QDir::Files, QDir::Name))
        files.append(QDir(folder).filePath(name));
    return files;
}

QString scannedCode(const QString& barcode)
{
    return (barcode.size() == 8 ? u"EAN-8:"_qs : u"EAN-13:"_qs) + barcode;
}

// nimbeconfig2.txt naming this database and table, with the select text
// of the shipped settings.
QByteArray dataSourceNaming(const QString& database, const QString& table = u"Master"_qs)
{
    return u"\"DB\",\"TABLE\",\"KENSAKU\"\r\n\"%1\",\"%2\",\"select bar,hi,mei,as2 from \"\r\n"_qs
        .arg(database, table)
        .toUtf8();
}

// One file of the settings folder written as given. False when it failed.
bool writeSettingsFile(const QTemporaryDir& root, const QString& file, const QByteArray& contents)
{
    QFile written(root.filePath(u"qvx_ini/"_qs + file));
    return written.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
           written.write(contents) == contents.size();
}

// A settings root the command has restored (one label printed into a PDF
// folder), with one of its files then written as given. False when either
// step failed.
bool restoredRootWith(const QTemporaryDir& root, const QString& file, const QByteArray& contents)
{
    return runHakobee({u"print"_qs, u"--rows"_qs, u"1-1"_qs, u"--settings-root"_qs, root.path(),
                       u"--pdf"_qs, root.filePath(u"first"_qs)})
                   .exitCode == 0 &&
           writeSettingsFile(root, file, contents);
}

} // namespace

class TestPrintCommand : public QObject
{
    Q_OBJECT

    test::PostgresServer postgres;

private slots:
    void printsEveryRecordOfTheSampleAsAScannableLabel()
    {
        // An empty settings root: the defaults, pointing at the sample, are restored.
        QTemporaryDir root;
        const QString out = root.filePath(u"labels"_qs);
        const Run run =
            runHakobee({u"print"_qs, u"--settings-root"_qs, root.path(), u"--pdf"_qs, out});
        QVERIFY2(run.exitCode == 0, qPrintable(run.err));
        QVERIFY2(run.err.contains(u"設定ファイルを初期値に戻しました"_qs), qPrintable(run.err));
        QVERIFY(QFile::exists(root.filePath(u"qvx_ini/nimbeconfig4.txt"_qs)));

        const QList<testdata::SampleProduct>& products = testdata::sampleProducts();
        const QStringList files = pdfFilesIn(out);
        QCOMPARE(files.size(), products.size());
        QVERIFY2(run.out.contains(u"%1 枚"_qs.arg(products.size())) && run.out.contains(out),
                 qPrintable(run.out));
        for (qsizetype i = 0; i < files.size(); ++i) {
            const test::ScanResult scan = test::scanPrintedPdf(files[i]);
            QVERIFY2(scan.failure.isEmpty(), qPrintable(scan.failure));
            QCOMPARE(scan.symbols, QStringList{scannedCode(products[i].barcode)});
        }
    }

    void rowsPrintThatPartOfTheQuery()
    {
        QTemporaryDir root;
        const QString out = root.filePath(u"labels"_qs);
        const Run run = runHakobee({u"print"_qs, u"--rows"_qs, u"3-5"_qs, u"--settings-root"_qs,
                                    root.path(), u"--pdf"_qs, out});
        QVERIFY2(run.exitCode == 0, qPrintable(run.err));
        const QStringList files = pdfFilesIn(out);
        QCOMPARE(files.size(), 3);
        const QList<testdata::SampleProduct>& products = testdata::sampleProducts();
        for (int i = 0; i < 3; ++i) {
            const test::ScanResult scan = test::scanPrintedPdf(files[i]);
            QCOMPARE(scan.symbols, QStringList{scannedCode(products[2 + i].barcode)});
        }
    }

    void failureStopsAtItsRowWithAReason()
    {
        QTemporaryDir root;
        // The restored defaults, then a database whose 7th price is null.
        const QString database = root.filePath(u"spoiled.mdb"_qs);
        mdbwriter::Table table = testdata::generatedProductsTable(u"Master"_qs, 10);
        const auto generated = table.rowAt;
        table.rowAt = [generated](qint64 row, QList<mdbwriter::Value>& values) {
            generated(row, values);
            if (row == 6)
                values[3] = std::monostate();
        };
        mdbwriter::writeDatabase(database, {table});
        QVERIFY(restoredRootWith(root, u"nimbeconfig2.txt"_qs, dataSourceNaming(database)));

        const QString out = root.filePath(u"labels"_qs);
        const Run run =
            runHakobee({u"print"_qs, u"--settings-root"_qs, root.path(), u"--pdf"_qs, out});
        QCOMPARE(run.exitCode, 1);
        QVERIFY2(run.err.contains(u"7行目"_qs) && run.err.contains(u"税込価格"_qs),
                 qPrintable(run.err));
        QCOMPARE(pdfFilesIn(out).size(), 6);
    }

    // An empty barcode value prints the header alone, the run goes on, and
    // the summary names the row.
    void blankBarcodePrintsTheHeaderAloneAndGoesOn()
    {
        QTemporaryDir root;
        const QString database = root.filePath(u"blank.mdb"_qs);
        mdbwriter::Table table = testdata::generatedProductsTable(u"Master"_qs, 5);
        const auto generated = table.rowAt;
        table.rowAt = [generated](qint64 row, QList<mdbwriter::Value>& values) {
            generated(row, values);
            if (row == 2)
                values[0] = QString();
        };
        mdbwriter::writeDatabase(database, {table});
        QVERIFY(restoredRootWith(root, u"nimbeconfig2.txt"_qs, dataSourceNaming(database)));

        const QString out = root.filePath(u"labels"_qs);
        const Run run =
            runHakobee({u"print"_qs, u"--settings-root"_qs, root.path(), u"--pdf"_qs, out});
        QVERIFY2(run.exitCode == 0, qPrintable(run.err));
        QVERIFY2(run.out.contains(u"5 枚"_qs) && run.out.contains(u"1 枚はバーコードなし"_qs) &&
                     run.out.contains(u"（3行目）"_qs),
                 qPrintable(run.out));
        const QStringList files = pdfFilesIn(out);
        QCOMPARE(files.size(), 5);
        const QList<test::PdfTextLine> full = test::pdfTextLines(files[0]);
        for (int i = 0; i < 5; ++i) {
            const test::ScanResult scan = test::scanPrintedPdf(files[i]);
            QVERIFY2(scan.failure.isEmpty(), qPrintable(scan.failure));
            QCOMPARE(scan.symbols.size(), i == 2 ? 0 : 1);
        }
        // The header alone: the first title and nothing of the record.
        const QList<test::PdfTextLine> header = test::pdfTextLines(files[2]);
        QCOMPARE(header.size(), 1);
        QVERIFY(full.size() > 3);
        QCOMPARE(header.first().text, full.first().text);
    }

    // A saved query named as the table: its rows, in its order, each a
    // label; a query that gives no labels stops the command before the first.
    void savedQueryAsTheTablePrintsItsRows()
    {
        QTemporaryDir root;
        const QString database = root.filePath(u"queries.mdb"_qs);
        test::writeSavedQueryFile(database);
        QVERIFY(restoredRootWith(root, u"nimbeconfig2.txt"_qs,
                                 dataSourceNaming(database, u"BargainsByPrice"_qs)));
        const QString out = root.filePath(u"labels"_qs);
        const Run run =
            runHakobee({u"print"_qs, u"--settings-root"_qs, root.path(), u"--pdf"_qs, out});
        QVERIFY2(run.exitCode == 0, qPrintable(run.err));
        const QList<test::SavedQueryProduct> products = test::savedQueryProducts();
        const QStringList files = pdfFilesIn(out);
        QCOMPARE(files.size(), 4);
        const int order[] = {2, 3, 1, 0};
        for (int i = 0; i < 4; ++i) {
            const test::ScanResult scan = test::scanPrintedPdf(files[i]);
            QCOMPARE(scan.symbols, QStringList{scannedCode(products[order[i]].bar)});
        }

        QVERIFY(writeSettingsFile(root, u"nimbeconfig2.txt"_qs,
                                  dataSourceNaming(database, u"RaisePrices"_qs)));
        const QString refusedOut = root.filePath(u"refused"_qs);
        const Run refused =
            runHakobee({u"print"_qs, u"--settings-root"_qs, root.path(), u"--pdf"_qs, refusedOut});
        QCOMPARE(refused.exitCode, 1);
        QVERIFY2(refused.err.contains(u"クエリ「RaisePrices」は更新クエリです"_qs),
                 qPrintable(refused.err));
        QCOMPARE(pdfFilesIn(refusedOut).size(), 0);
    }

    void csvFolderPrintsItsRowsAsScannableLabels()
    {
        QTemporaryDir root;
        const QString folder = root.filePath(u"csv"_qs);
        QVERIFY(QDir().mkpath(folder));
        QFile master(folder + u"/Master.csv"_qs);
        QVERIFY(master.open(QIODevice::WriteOnly));
        // 緑茶 and ﾄｸ in Shift-JIS, as Japanese Excel saves a CSV file.
        master.write("bar,hi,mei,as2\r\n4901234567894,\x97\xCE\x92\x83,\xC4\xB8,128\r\n"
                     "4512345678906,\"coffee, dark\",B,300\r\n");
        master.close();
        QVERIFY(restoredRootWith(root, u"nimbeconfig2.txt"_qs,
                                 dataSourceNaming(folder, u"Master.csv"_qs)));
        const QString out = root.filePath(u"labels"_qs);
        const Run run =
            runHakobee({u"print"_qs, u"--settings-root"_qs, root.path(), u"--pdf"_qs, out});
        QVERIFY2(run.exitCode == 0, qPrintable(run.err));
        QVERIFY2(run.err.contains(u"緑茶"_qs), qPrintable(run.err));
        const QStringList files = pdfFilesIn(out);
        QCOMPARE(files.size(), 2);
        const QStringList codes{u"4901234567894"_qs, u"4512345678906"_qs};
        for (int i = 0; i < 2; ++i) {
            const test::ScanResult scan = test::scanPrintedPdf(files[i]);
            QVERIFY2(scan.failure.isEmpty(), qPrintable(scan.failure));
            QCOMPARE(scan.symbols, QStringList{scannedCode(codes[i])});
        }
    }

    // A view on the PostgreSQL server as the table, with the shipped select
    // text: both runs print its rows.
    void postgresqlMasterPrintsItsRowsAsScannableLabels()
    {
        HAKOBEE_START_POSTGRES(postgres);
        QTemporaryDir root;
        QVERIFY(restoredRootWith(root, u"nimbeconfig2.txt"_qs,
                                 dataSourceNaming(postgres.socketUri(), u"product_labels"_qs)));
        const QList<test::SeededProduct>& products = test::PostgresServer::seededProducts();
        const QString out = root.filePath(u"labels"_qs);
        const Run run =
            runHakobee({u"print"_qs, u"--settings-root"_qs, root.path(), u"--pdf"_qs, out});
        QVERIFY2(run.exitCode == 0, qPrintable(run.err));
        QVERIFY2(run.err.contains(u"4 枚目: 4987654321094 髙島屋 ①のり"_qs), qPrintable(run.err));
        QStringList files = pdfFilesIn(out);
        QCOMPARE(files.size(), products.size());
        for (qsizetype i = 0; i < files.size(); ++i) {
            const test::ScanResult scan = test::scanPrintedPdf(files[i]);
            QVERIFY2(scan.failure.isEmpty(), qPrintable(scan.failure));
            QCOMPARE(scan.symbols, QStringList{scannedCode(products[i].jan)});
        }

        const QString part = root.filePath(u"part"_qs);
        const Run partial = runHakobee({u"print"_qs, u"--rows"_qs, u"2-3"_qs, u"--settings-root"_qs,
                                        root.path(), u"--pdf"_qs, part});
        QVERIFY2(partial.exitCode == 0, qPrintable(partial.err));
        files = pdfFilesIn(part);
        QCOMPARE(files.size(), 2);
        for (int i = 0; i < 2; ++i)
            QCOMPARE(test::scanPrintedPdf(files[i]).symbols,
                     QStringList{scannedCode(products[1 + i].jan)});
    }

    // The same view through the PostgreSQL ODBC driver, the connection
    // string as the DB: every label scans as its row's code.
    void odbcMasterPrintsItsRowsAsScannableLabels()
    {
        HAKOBEE_START_POSTGRES(postgres);
        HAKOBEE_REQUIRE_PSQLODBC();
        QTemporaryDir root;
        QVERIFY(restoredRootWith(
            root, u"nimbeconfig2.txt"_qs,
            dataSourceNaming(test::psqlOdbcConnectionString(postgres), u"product_labels"_qs)));
        const QString out = root.filePath(u"labels"_qs);
        const Run run =
            runHakobee({u"print"_qs, u"--settings-root"_qs, root.path(), u"--pdf"_qs, out});
        QVERIFY2(run.exitCode == 0, qPrintable(run.err));
        QVERIFY2(run.err.contains(u"4 枚目: 4987654321094 髙島屋 ①のり"_qs), qPrintable(run.err));
        const QList<test::SeededProduct>& products = test::PostgresServer::seededProducts();
        const QStringList files = pdfFilesIn(out);
        QCOMPARE(files.size(), products.size());
        for (qsizetype i = 0; i < files.size(); ++i) {
            const test::ScanResult scan = test::scanPrintedPdf(files[i]);
            QVERIFY2(scan.failure.isEmpty(), qPrintable(scan.failure));
            QCOMPARE(scan.symbols, QStringList{scannedCode(products[i].jan)});
        }
    }

    // The server stops while the run waits for its next block of rows: the
    // run stops at that row, names it and says how many labels came out.
    void serverStoppedMidRunStopsAtThatRow()
    {
        HAKOBEE_START_POSTGRES(postgres);
        // Row 101, the first of the cursor's second block, takes half a
        // minute to come: time enough to stop the server under the run.
        QVERIFY2(postgres.runSql(
                     u"CREATE FUNCTION slow_row(n integer) RETURNS boolean LANGUAGE plpgsql AS "
                     u"$$ BEGIN IF n = 101 THEN PERFORM pg_sleep(30); END IF; RETURN true; END $$;"
                     u"CREATE VIEW slow_master AS SELECT '4901234567894'::text AS bar, "
                     u"'品' || n AS hi, 'ﾒｲ'::text AS mei, n * 10 AS as2 "
                     u"FROM generate_series(1, 150) AS n WHERE slow_row(n);"_qs),
                 qPrintable(postgres.failure()));
        QTemporaryDir root;
        QVERIFY(restoredRootWith(root, u"nimbeconfig2.txt"_qs,
                                 dataSourceNaming(postgres.socketUri(), u"slow_master"_qs)));
        const QString out = root.filePath(u"labels"_qs);
        QProcess run;
        run.setProcessEnvironment(test::environmentWithoutDisplay());
        run.setReadChannel(QProcess::StandardError);
        run.start(QStringLiteral(HAKOBEE_EXECUTABLE),
                  {u"print"_qs, u"--rows"_qs, u"99-120"_qs, u"--settings-root"_qs, root.path(),
                   u"--pdf"_qs, out});
        QByteArray err;
        while (!err.contains("2 枚目") && run.waitForReadyRead(60'000))
            err += run.readAllStandardError();
        QVERIFY2(err.contains("2 枚目"), err.constData());
        postgres.stop();
        QVERIFY(run.waitForFinished(60'000));
        err += run.readAllStandardError();
        const QString said = QString::fromUtf8(err);
        QCOMPARE(run.exitCode(), 1);
        QVERIFY2(said.contains(u"101行目"_qs) && said.contains(u"との接続が切れました"_qs) &&
                     said.contains(u"のデータベース「shop」"_qs) &&
                     said.contains(u"2 枚印刷しました。"_qs),
                 qPrintable(said));
        QCOMPARE(pdfFilesIn(out).size(), 2);
        QVERIFY2(postgres.start(), qPrintable(postgres.failure()));
    }

    // The rows of an Access table typed into a workbook, JAN codes as numbers
    // and as text: the same labels, barcodes and texts.
    void workbookPrintsTheSameLabelsAsAnAccessFileOfItsRows()
    {
        QTemporaryDir root;
        constexpr int rows = 3;
        const QString database = root.filePath(u"products.mdb"_qs);
        mdbwriter::writeDatabase(database, {testdata::generatedProductsTable(u"Master"_qs, rows)});
        const QString workbook = root.filePath(u"products.xlsx"_qs);
        {
            test::XlsxWorkbook book(workbook);
            book.sheet(u"Master"_qs);
            const QStringList names{u"bar"_qs, u"hi"_qs, u"mei"_qs, u"as2"_qs};
            for (int column = 0; column < names.size(); ++column)
                book.text(0, column, names[column]);
            for (int row = 0; row < rows; ++row) {
                const testdata::GeneratedProduct product = testdata::generatedProduct(row);
                if (row == 0)
                    book.number(row + 1, 0, product.barcode.toDouble());
                else
                    book.text(row + 1, 0, product.barcode);
                book.text(row + 1, 1, product.itemName)
                    .text(row + 1, 2, product.name)
                    .number(row + 1, 3, product.priceTimes10000 / 10000.0);
            }
            QVERIFY(book.close());
        }

        // The same rows in an .xls LibreOffice saved (tests/data/README.md).
        const QString oldWorkbook = QStringLiteral(HAKOBEE_TEST_DATA "/workbooks/products.xls");

        QList<QStringList> labels;
        for (const auto& [source, table] :
             {std::pair{database, u"Master"_qs}, std::pair{workbook, u"[Master$]"_qs},
              std::pair{oldWorkbook, u"[Labels$]"_qs}}) {
            QTemporaryDir sourceRoot;
            QVERIFY(restoredRootWith(sourceRoot, u"nimbeconfig2.txt"_qs,
                                     dataSourceNaming(source, table)));
            const QString out = sourceRoot.filePath(u"labels"_qs);
            const Run run = runHakobee(
                {u"print"_qs, u"--settings-root"_qs, sourceRoot.path(), u"--pdf"_qs, out});
            QVERIFY2(run.exitCode == 0, qPrintable(run.err));
            QStringList printed;
            for (const QString& file : pdfFilesIn(out)) {
                const test::ScanResult scan = test::scanPrintedPdf(file);
                QVERIFY2(scan.failure.isEmpty(), qPrintable(scan.failure));
                printed << scan.symbols.join(QLatin1Char(' '))
                        << QString::fromUtf8(test::runTool(u"pdftotext"_qs, {file, u"-"_qs}));
            }
            labels << printed;
        }
        QCOMPARE(labels[0].size(), 2 * rows);
        QCOMPARE(labels[0].first(), scannedCode(testdata::generatedProduct(0).barcode));
        QCOMPARE(labels[1], labels[0]);
        QCOMPARE(labels[2], labels[0]);
    }

    // Without readable settings the printer's own paper, and the settings
    // folder left as it was.
    void calibrationLabelScansAndNamesItsPrinter()
    {
        QTemporaryDir root;
        const QString out = root.filePath(u"labels"_qs);
        const Run run = runHakobee({u"print"_qs, u"--calibration-label"_qs, u"--settings-root"_qs,
                                    root.path(), u"--pdf"_qs, out});
        QVERIFY2(run.exitCode == 0, qPrintable(run.err));
        QVERIFY2(run.out.contains(u"位置調整用ラベル"_qs) && run.out.contains(out),
                 qPrintable(run.out));
        QVERIFY(!QFile::exists(root.filePath(u"qvx_ini"_qs)));
        const QStringList files = pdfFilesIn(out);
        QCOMPARE(files.size(), 1);
        const test::ScanResult scan = test::scanPrintedPdf(files.first());
        QVERIFY2(scan.failure.isEmpty(), qPrintable(scan.failure));
        QCOMPARE(scan.symbols, QStringList{u"EAN-13:4901234567894"_qs});
        const QString text =
            QString::fromUtf8(test::runTool(u"pdftotext"_qs, {files.first(), u"-"_qs}));
        QVERIFY2(text.contains(u"PDFフォルダ"_qs) && text.contains(u"210 x 297 mm"_qs),
                 qPrintable(text));
    }

    // With the fixed connection type, the paper the labels print on.
    void calibrationLabelPrintsOnThePaperOfTheSettings()
    {
        QTemporaryDir root;
        QVERIFY(restoredRootWith(
            root, u"nimbeconfig4.txt"_qs,
            "\"TITLE1\",\"TITLE2\",\"YOSHI\",\"PRINTER\"\r\n\"T\",\"_\",\"11\",\"0\"\r\n"));

        const QString out = root.filePath(u"labels"_qs);
        const Run run = runHakobee({u"print"_qs, u"--calibration-label"_qs, u"--settings-root"_qs,
                                    root.path(), u"--pdf"_qs, out});
        QVERIFY2(run.exitCode == 0 && !run.err.contains(u"設定ファイル"_qs), qPrintable(run.err));
        const QStringList files = pdfFilesIn(out);
        QCOMPARE(files.size(), 1);
        const QSizeF pageMm = test::pdfPageSizePt(files.first()) / test::pointsPerMm;
        QVERIFY2(qAbs(pageMm.width() - 148) < 0.5 && qAbs(pageMm.height() - 210) < 0.5,
                 qPrintable(u"%1 x %2 mm"_qs.arg(pageMm.width()).arg(pageMm.height())));
        const QString text =
            QString::fromUtf8(test::runTool(u"pdftotext"_qs, {files.first(), u"-"_qs}));
        QVERIFY2(text.contains(u"148 x 210 mm"_qs), qPrintable(text));
    }

    void aRememberedPrinterThatIsGoneStopsTheCommand()
    {
        QTemporaryDir root;
        QVERIFY(restoredRootWith(
            root, u"hakobeeprinter.txt"_qs,
            "\"PRINTER\",\"CURRENT\",\"PAPERSIZE\",\"WIDTHTWIPS\",\"HEIGHTTWIPS\","
            "\"ORIENTATION\",\"PAPERSOURCE\",\"DPI\",\"OFFSETXMM\",\"OFFSETYMM\"\r\n"
            "\"hakobee-removed-queue\",\"1\",\"9\",\"\",\"\",\"1\",\"\",\"\",\"0\",\"0\"\r\n"));
        // The PDF folder never asks for the remembered printer.
        QVERIFY(runHakobee({u"print"_qs, u"--rows"_qs, u"1-1"_qs, u"--settings-root"_qs,
                            root.path(), u"--pdf"_qs, root.filePath(u"second"_qs)})
                    .exitCode == 0);

        const Run run = runHakobee({u"print"_qs, u"--settings-root"_qs, root.path()});
        QCOMPARE(run.exitCode, 1);
        QVERIFY2(run.err.contains(u"プリンタ「hakobee-removed-queue」が見つかりません。"_qs) &&
                     run.err.contains(u"--printer"_qs) && !run.err.contains(u"1 枚目"_qs),
                 qPrintable(run.err));
        QCOMPARE(run.out, QString());
    }

    // Labels per record from an Access number column (Long and Double, as
    // the database gives them), and from --copies without one: a record's
    // labels are that many files of the PDF folder.
    void aRecordsCountOfLabelsPrintsThatManyFiles()
    {
        QTemporaryDir root;
        const QString database = root.filePath(u"counts.mdb"_qs);
        mdbwriter::Table table = testdata::generatedProductsTable(u"Master"_qs, 3);
        table.columns.append({u"maisu"_qs, mdbwriter::ColumnType::Long});
        table.columns.append({u"bai"_qs, mdbwriter::ColumnType::Double});
        const auto generated = table.rowAt;
        table.rowAt = [generated](qint64 row, QList<mdbwriter::Value>& values) {
            generated(row, values);
            values[4] = qint64(QList<int>{2, 0, 5}.at(row));
            values[5] = QList<double>{2.0, 1.0, 2.5}.at(row);
        };
        mdbwriter::writeDatabase(database, {table});
        const auto selecting = [&](const QString& columns) {
            return u"\"DB\",\"TABLE\",\"KENSAKU\"\r\n\"%1\",\"Master\",\"select %2 from \"\r\n"_qs
                .arg(database, columns)
                .toUtf8();
        };
        QVERIFY(
            restoredRootWith(root, u"nimbeconfig2.txt"_qs, selecting(u"bar,hi,mei,as2,maisu"_qs)));
        QString out = root.filePath(u"labels"_qs);
        // The column wins over --copies.
        Run run = runHakobee({u"print"_qs, u"--copies"_qs, u"4"_qs, u"--settings-root"_qs,
                              root.path(), u"--pdf"_qs, out});
        QVERIFY2(run.exitCode == 0, qPrintable(run.err));
        QVERIFY2(run.out.contains(u"7 枚（3 件）のラベル"_qs), qPrintable(run.out));
        QVERIFY2(run.err.contains(u"2 枚目: "_qs) && run.err.contains(u"（2/2枚目）"_qs) &&
                     run.err.contains(u"7 枚目: "_qs) && run.err.contains(u"（5/5枚目）"_qs),
                 qPrintable(run.err));
        QStringList files = pdfFilesIn(out);
        QCOMPARE(files.size(), 7);
        const mdbwriter::Table written = testdata::generatedProductsTable(u"Master"_qs, 3);
        QList<mdbwriter::Value> first(4), third(4);
        written.rowAt(0, first);
        written.rowAt(2, third);
        for (qsizetype i = 0; i < files.size(); ++i) {
            const QString& barcode = std::get<QString>(i < 2 ? first[0] : third[0]);
            QCOMPARE(test::scanPrintedPdf(files[i]).symbols, QStringList{scannedCode(barcode)});
        }

        // A fraction stops the command at its row; the whole numbers before it print.
        QVERIFY(
            writeSettingsFile(root, u"nimbeconfig2.txt"_qs, selecting(u"bar,hi,mei,as2,bai"_qs)));
        out = root.filePath(u"fraction"_qs);
        run = runHakobee({u"print"_qs, u"--settings-root"_qs, root.path(), u"--pdf"_qs, out});
        QCOMPARE(run.exitCode, 1);
        QVERIFY2(run.err.contains(u"3行目"_qs) && run.err.contains(u"「2.5」"_qs) &&
                     run.err.contains(u"3枚（2件）印刷しました"_qs),
                 qPrintable(run.err));
        QCOMPARE(pdfFilesIn(out).size(), 3);

        // Four columns: --copies for every record.
        QVERIFY(writeSettingsFile(root, u"nimbeconfig2.txt"_qs, dataSourceNaming(database)));
        out = root.filePath(u"copies"_qs);
        run = runHakobee({u"print"_qs, u"--copies"_qs, u"3"_qs, u"--rows"_qs, u"2-3"_qs,
                          u"--settings-root"_qs, root.path(), u"--pdf"_qs, out});
        QVERIFY2(run.exitCode == 0, qPrintable(run.err));
        QVERIFY2(run.out.contains(u"6 枚（2 件）"_qs), qPrintable(run.out));
        files = pdfFilesIn(out);
        QCOMPARE(files.size(), 6);
        QCOMPARE(test::scanPrintedPdf(files[5]).symbols,
                 QStringList{scannedCode(std::get<QString>(third[0]))});
    }

    void wrongCommandLinesAndUnknownPrinters()
    {
        QTemporaryDir root;
        for (const QStringList& arguments :
             {QStringList{u"--rows"_qs, u"5-3"_qs}, QStringList{u"--rows"_qs, u"0-3"_qs},
              QStringList{u"--pdf"_qs, root.path(), u"--printer"_qs, u"x"_qs},
              QStringList{u"--colour"_qs, u"red"_qs}, QStringList{u"--pdf"_qs},
              QStringList{u"--calibration-label"_qs, u"--rows"_qs, u"1-2"_qs},
              QStringList{u"--copies"_qs, u"0"_qs}, QStringList{u"--copies"_qs, u"1000"_qs},
              QStringList{u"--copies"_qs, u"2.5"_qs}, QStringList{u"--copies"_qs, u"-1"_qs}}) {
            const Run run = runHakobee(QStringList{u"print"_qs} + arguments);
            QVERIFY2(run.exitCode == 2, qPrintable(arguments.join(u' ')));
            QVERIFY(run.err.contains(u"使い方: hakobee print"_qs));
        }
        const Run run = runHakobee({u"print"_qs, u"--settings-root"_qs, root.path(),
                                    u"--printer"_qs, u"どこにもないプリンタ"_qs});
        QCOMPARE(run.exitCode, 1);
        QVERIFY2(run.err.contains(u"使えるプリンタ"_qs), qPrintable(run.err));
    }
};

QTEST_GUILESS_MAIN(TestPrintCommand)
#include "tst_printcommand.moc"
