#include "core/datasource/databaseprovider.h"
#include "core/error.h"
#include "core/settings/settingsfolder.h"
#include "platform/textfolder/textfolder.h"
#include "platform/workbook/workbook.h"
#include "support/queryrows.h"
#include "support/xlsxworkbook.h"

#include <zip.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace hakobee;

namespace {

// The workbook opened as the program opens a data source: through the
// provider, with the Access connection string naming the file.
std::unique_ptr<Connection> openBook(const QString& path)
{
    const SettingsFolder settings(QFileInfo(path).path());
    StandardDatabaseProvider databases(settings, openDataSourcePath);
    return databases.open(u"Provider=Microsoft.Jet.OLEDB.4.0;Data Source="_qs + path);
}

QList<QStringList> rowsOf(Connection& connection, const QString& query)
{
    return test::queryRows(connection, query);
}

template<typename Body> QString errorOf(Body body)
{
    try {
        body();
    } catch (const Error& error) {
        return error.description();
    }
    return u"(no error)"_qs;
}

// A product list as shops keep it: JAN codes typed as numbers and as text,
// a price, a date, a formula, a flag; and a second sheet.
bool writeProductList(const QString& path)
{
    test::XlsxWorkbook book(path);
    book.sheet(u"Master"_qs)
        .text(0, 0, u"bar"_qs)
        .text(0, 1, u"hi"_qs)
        .text(0, 2, u"as2"_qs)
        .text(0, 3, u"day"_qs)
        .text(0, 4, u"total"_qs)
        .text(0, 5, u"flag"_qs)
        .text(0, 6, u"note"_qs);
    book.number(1, 0, 4901234567894)
        .text(1, 1, u"緑茶 ﾄｸﾖｳ"_qs)
        .number(1, 2, 120)
        .date(1, 3, QDate(2026, 12, 9))
        .formula(1, 4, u"=C2*2"_qs, 240)
        .boolean(1, 5, true)
        .text(1, 6, u"髙橋①"_qs);
    book.text(2, 0, u"4512345678906"_qs)
        .text(2, 1, u"coffee"_qs)
        .number(2, 2, 98.5)
        .date(2, 3, QDate(2027, 1, 5), true)
        .formula(2, 4, u"=C3*2"_qs, 197)
        .boolean(2, 5, false);
    // Column 6 of row 3 is empty.
    book.number(3, 0, 49012344)
        .text(3, 1, u"tea"_qs)
        .number(3, 2, 300)
        .date(3, 3, QDate(1900, 1, 1))
        .formula(3, 4, u"=C4/8"_qs, 37.5)
        .boolean(3, 5, true);
    book.sheet(u"商品"_qs).text(0, 0, u"code"_qs).text(1, 0, u"A-1"_qs).text(2, 0, u"B-2"_qs);
    return book.close();
}

// Puts the part into the workbook's container in place of the one there.
bool replacePart(const QString& path, const char* part, const QByteArray& xml)
{
    int code = 0;
    zip_t* archive = zip_open(QFile::encodeName(path).constData(), 0, &code);
    if (!archive)
        return false;
    zip_source_t* source = zip_source_buffer(archive, xml.constData(), zip_uint64_t(xml.size()), 0);
    if (!source || zip_file_add(archive, part, source, ZIP_FL_OVERWRITE | ZIP_FL_ENC_UTF_8) < 0) {
        zip_source_free(source);
        zip_discard(archive);
        return false;
    }
    return zip_close(archive) == 0;
}

// The workbook LibreOffice saved as an .xls from writeProductList's rows
// (tests/data/README.md).
const QString productsXls = QStringLiteral(HAKOBEE_TEST_DATA "/workbooks/products.xls");

} // namespace

class TestWorkbook : public QObject
{
    Q_OBJECT

private slots:
    void cellsReadAsExcelShowsThem()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(u"Products.xlsx"_qs);
        QVERIFY(writeProductList(path));
        const auto book = openBook(path);
        QCOMPARE(rowsOf(*book, u"select * from [Master$]"_qs),
                 (QList<QStringList>{{u"4901234567894"_qs, u"緑茶 ﾄｸﾖｳ"_qs, u"120"_qs,
                                      u"2026/12/09"_qs, u"240"_qs, u"True"_qs, u"髙橋①"_qs},
                                     {u"4512345678906"_qs, u"coffee"_qs, u"98.5"_qs,
                                      u"2027/01/05"_qs, u"197"_qs, u"False"_qs, u"(null)"_qs},
                                     {u"49012344"_qs, u"tea"_qs, u"300"_qs, u"1900/01/01"_qs,
                                      u"37.5"_qs, u"True"_qs, u"(null)"_qs}}));
        // A sheet as operators name it: by its tab, or as Excel's driver does.
        const QList<QStringList> codes{{u"A-1"_qs}, {u"B-2"_qs}};
        QCOMPARE(rowsOf(*book, u"select code from 商品"_qs), codes);
        QCOMPARE(rowsOf(*book, u"select code from [商品$]"_qs), codes);
        QCOMPARE(rowsOf(*book, u"select bar from Master$ where hi = 'tea'"_qs),
                 QList<QStringList>{{u"49012344"_qs}});
        QCOMPARE(workbookSheetNames(path), (QStringList{u"Master"_qs, u"商品"_qs}));
    }

    // The same forms as from the .xlsx: FreeXL gives no value for a formula
    // or a TRUE/FALSE cell, so those columns are null.
    void xlsCellsReadAsTheXlsxReaderGivesThem()
    {
        const auto book = openBook(productsXls);
        QCOMPARE(rowsOf(*book, u"select * from [Master$]"_qs),
                 (QList<QStringList>{{u"4901234567894"_qs, u"緑茶 ﾄｸﾖｳ"_qs, u"120"_qs,
                                      u"2026/12/09"_qs, u"(null)"_qs, u"(null)"_qs, u"髙橋①"_qs},
                                     {u"4512345678906"_qs, u"coffee"_qs, u"98.5"_qs,
                                      u"2027/01/05"_qs, u"(null)"_qs, u"(null)"_qs, u"(null)"_qs},
                                     {u"49012344"_qs, u"tea"_qs, u"300"_qs, u"1900/01/01"_qs,
                                      u"(null)"_qs, u"(null)"_qs, u"(null)"_qs}}));
        const QList<QStringList> codes{{u"A-1"_qs}, {u"B-2"_qs}};
        QCOMPARE(rowsOf(*book, u"select code from 商品"_qs), codes);
        QCOMPARE(rowsOf(*book, u"select code from [商品$]"_qs), codes);
        QCOMPARE(rowsOf(*book, u"select code from 商品$"_qs), codes);
        QCOMPARE(rowsOf(*book, u"select at from Times"_qs),
                 QList<QStringList>{{u"2026/12/09 9:30:05"_qs}});
        QCOMPARE(workbookSheetNames(productsXls),
                 (QStringList{u"Master"_qs, u"商品"_qs, u"Times"_qs, u"Labels"_qs}));
    }

    // Japanese Excel keeps the reading typed through the input method beside
    // a text (<rPh>), and formatted runs (<r>) as pieces of it.
    void sharedTextsReadWithoutTheirPhoneticGuide()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(u"Kana.xlsx"_qs);
        {
            test::XlsxWorkbook book(path);
            book.sheet(u"Sheet1"_qs).text(0, 0, u"hi"_qs).text(1, 0, u"a"_qs).text(2, 0, u"b"_qs);
            QVERIFY(book.close());
        }
        QVERIFY(replacePart(
            path, "xl/sharedStrings.xml",
            u"<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\r\n"
            u"<sst xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\" "
            u"count=\"3\" uniqueCount=\"3\"><si><t>hi</t></si>"
            u"<si><t>緑茶</t><rPh sb=\"0\" eb=\"2\"><t>リョクチャ</t></rPh>"
            u"<phoneticPr fontId=\"1\"/></si>"
            u"<si><r><t>特選</t></r><r><rPr><b/><sz val=\"11\"/></rPr>"
            u"<t xml:space=\"preserve\"> 玉露</t></r><rPh sb=\"0\" eb=\"2\"><t>トクセン</t>"
            u"</rPh><phoneticPr fontId=\"1\" type=\"noConversion\"/></si></sst>"_qs.toUtf8()));
        const auto book = openBook(path);
        QCOMPARE(rowsOf(*book, u"select hi from [Sheet1$]"_qs),
                 (QList<QStringList>{{u"緑茶"_qs}, {u"特選 玉露"_qs}}));
    }

    void jetSelectRunsOverASheet()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(u"Products.xlsx"_qs);
        QVERIFY(writeProductList(path));
        const auto book = openBook(path);
        // Numbers compare as numbers, in both forms of workbook.
        for (const QString& file : {path, productsXls}) {
            const auto each = openBook(file);
            QCOMPARE(rowsOf(*each, u"SELECT bar & '-' & hi AS label FROM [Master$] "
                                   u"WHERE as2 > 100 ORDER BY as2 DESC"_qs),
                     (QList<QStringList>{{u"49012344-tea"_qs}, {u"4901234567894-緑茶 ﾄｸﾖｳ"_qs}}));
            QCOMPARE(rowsOf(*each, u"select count(*) from Master where note is null"_qs),
                     QList<QStringList>{{u"2"_qs}});
        }
        const QString writing = errorOf([&] { rowsOf(*book, u"delete from Master"_qs); });
        QVERIFY2(!writing.contains(u"(no error)"_qs), qPrintable(writing));
        const QString missing = errorOf([&] { rowsOf(*book, u"select * from [Sheet9$]"_qs); });
        QVERIFY2(missing.contains(u"Sheet9"_qs) && missing.contains(u"ブック「"_qs),
                 qPrintable(missing));
    }

    void unreadableBooksAndSheetsAreRefusedByName()
    {
        QTemporaryDir dir;
        // A sheet without names, beside one that reads; a repeated name.
        const QString path = dir.filePath(u"Mixed.xlsx"_qs);
        {
            test::XlsxWorkbook book(path);
            book.sheet(u"Empty"_qs);
            book.sheet(u"Twice"_qs).text(0, 0, u"bar"_qs).text(0, 1, u"BAR"_qs);
            book.sheet(u"Good"_qs).text(0, 0, u"bar"_qs).number(1, 0, 1);
            QVERIFY(book.close());
        }
        const auto book = openBook(path);
        QCOMPARE(rowsOf(*book, u"select bar from Good"_qs), QList<QStringList>{{u"1"_qs}});
        const QString empty = errorOf([&] { rowsOf(*book, u"select * from [Empty$]"_qs); });
        QVERIFY2(empty.contains(u"ブック「"_qs + QDir::toNativeSeparators(path)) &&
                     empty.contains(u"シート「Empty」"_qs) && empty.contains(u"列名"_qs),
                 qPrintable(empty));
        const QString twice = errorOf([&] { rowsOf(*book, u"select * from Twice"_qs); });
        QVERIFY2(twice.contains(u"シート「Twice」"_qs) && twice.contains(u"B1"_qs),
                 qPrintable(twice));

        // A copy cut short, as an interrupted download or a full disk leaves it.
        QFile whole(path);
        QVERIFY(whole.open(QIODevice::ReadOnly));
        const QByteArray bytes = whole.readAll();
        const QString cut = dir.filePath(u"Cut.xlsx"_qs);
        QFile cutFile(cut);
        QVERIFY(cutFile.open(QIODevice::WriteOnly) &&
                cutFile.write(bytes.left(bytes.size() / 2)) == bytes.size() / 2);
        cutFile.close();
        const QString truncated = errorOf([&] { openBook(cut); });
        QVERIFY2(truncated.contains(u"ブック「"_qs) && truncated.contains(u"Cut.xlsx"_qs),
                 qPrintable(truncated));

        // An .xlsx given the .xls name is no .xls: said how to save it instead.
        const QString old = dir.filePath(u"Old.xls"_qs);
        QVERIFY(QFile::copy(path, old));
        const QString refused = errorOf([&] { openBook(old); });
        QVERIFY2(refused.contains(u"Old.xls"_qs) && refused.contains(u".xlsx"_qs) &&
                     refused.contains(u"CSV"_qs),
                 qPrintable(refused));

        // A real .xls cut short, as for the .xlsx.
        QFile xls(productsXls);
        QVERIFY(xls.open(QIODevice::ReadOnly));
        const QByteArray xlsBytes = xls.readAll();
        const QString cutXls = dir.filePath(u"Cut.xls"_qs);
        QFile cutXlsFile(cutXls);
        QVERIFY(cutXlsFile.open(QIODevice::WriteOnly) &&
                cutXlsFile.write(xlsBytes.left(xlsBytes.size() / 2)) == xlsBytes.size() / 2);
        cutXlsFile.close();
        for (const QString& damaged :
             {errorOf([&] { openBook(cutXls); }), errorOf([&] { workbookSheetNames(cutXls); })}) {
            QVERIFY2(damaged.contains(u"ブック「"_qs + QDir::toNativeSeparators(cutXls)) &&
                         damaged.contains(u"壊れています"_qs) && damaged.contains(u"CSV"_qs),
                     qPrintable(damaged));
        }

        // An .xls with a password to open, as LibreOffice encrypts it.
        const QString locked = QStringLiteral(HAKOBEE_TEST_DATA "/workbooks/protected.xls");
        for (const QString& refusal :
             {errorOf([&] { openBook(locked); }), errorOf([&] { workbookSheetNames(locked); })}) {
            QVERIFY2(refusal.contains(u"ブック「"_qs + QDir::toNativeSeparators(locked)) &&
                         refusal.contains(u"パスワードで保護されていて読めません"_qs),
                     qPrintable(refusal));
        }
    }
};

QTEST_GUILESS_MAIN(TestWorkbook)
#include "tst_workbook.moc"
