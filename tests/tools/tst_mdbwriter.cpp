// Files the Access writer produces must read back exactly through mdbtools'
// mdb-export and through mdb-reader.
#include "core/error.h"
#include "jetreaders.h"
#include "mdbwriter/mdbwriter.h"
#include "mdbwriter/tablelink.h"
#include "readerexpectations.h"
#include "testdata/generatedproducts.h"
#include "testdata/productstable.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <limits>

using namespace hakobee;
using mdbwriter::Column;
using mdbwriter::ColumnType;
using mdbwriter::Table;
using mdbwriter::Value;

namespace {

Table tableOf(const QString& name, const QList<Column>& columns, const QList<QList<Value>>& rows)
{
    Table table;
    table.name = name;
    table.columns = columns;
    table.rowCount = rows.size();
    table.rowAt = [rows](qint64 row, QList<Value>& values) {
        values = rows[row];
    };
    return table;
}

QString repeated(const QString& pattern, int length)
{
    QString text;
    while (text.size() < length)
        text += pattern;
    return text.left(length);
}

QDateTime wallClock(int y, int mo, int d, int h = 0, int mi = 0, int s = 0)
{
    return QDateTime(QDate(y, mo, d), QTime(h, mi, s));
}

const QList<Column> everyType{
    {QStringLiteral("byteCol"), ColumnType::Byte},
    {QStringLiteral("intCol"), ColumnType::Integer},
    {QStringLiteral("longCol"), ColumnType::Long},
    {QStringLiteral("moneyCol"), ColumnType::Currency},
    {QStringLiteral("singleCol"), ColumnType::Single},
    {QStringLiteral("doubleCol"), ColumnType::Double},
    {QStringLiteral("dateCol"), ColumnType::DateTime},
    {QStringLiteral("yesNoCol"), ColumnType::YesNo},
    {QStringLiteral("textCol"), ColumnType::Text, 255},
    {QStringLiteral("memoCol"), ColumnType::Memo},
    {QStringLiteral("decimalCol"), ColumnType::Decimal, 0, 18, 4},
};

} // namespace

class TestMdbWriter : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir dir_;
    QString path(const QString& name) const { return dir_.filePath(name); }

    void verify(const QString& file, const Table& table, qint64 rowCount,
                const tests::RowSource& expected, const QStringList& skipInMdbReader = {})
    {
        const QString difference = tests::compareWithBothReaders(
            file, table.name, table.columns, rowCount, expected, skipInMdbReader);
        QVERIFY2(difference.isEmpty(), qPrintable(difference));
    }

    void writeAndVerify(const QString& fileName, const Table& table,
                        const QList<QList<Value>>& rows)
    {
        const QString file = path(fileName);
        mdbwriter::writeDatabase(file, {table});
        verify(file, table, rows.size(), [&rows](qint64 row) { return rows[row]; });
    }

private slots:
    void initTestCase() { QVERIFY(dir_.isValid()); }

    // Every column type with typical values, extremes, and nulls in every
    // column (Yes/No has no null and reads as No). mdb-export shows no dates
    // after about 2700, so the latest date tested is in 2199.
    void everyTypeAndNulls()
    {
        const QList<QList<Value>> rows{
            {qint64(7), qint64(-1234), qint64(123456789), qint64(1980000), 1.5, 3.141592653589793,
             wallClock(2026, 12, 8, 10, 30, 15), true, QStringLiteral("コーヒー豆 200g"),
             QStringLiteral("短いメモ"), qint64(12345678)},
            {qint64(0), qint64(-32768), qint64(std::numeric_limits<qint32>::min()),
             std::numeric_limits<qint64>::min(), -0.25, -1e-300, wallClock(1899, 12, 30), false,
             QStringLiteral("a"), QStringLiteral("x"), qint64(-999999999999999999)},
            {qint64(255), qint64(32767), qint64(std::numeric_limits<qint32>::max()),
             std::numeric_limits<qint64>::max(), 1024.125, 1e300,
             wallClock(2199, 12, 31, 23, 59, 59), true, QStringLiteral("café ÀÿÉ"),
             QStringLiteral("Grüße"), qint64(999999999999999999)},
            {Value{}, Value{}, Value{}, Value{}, Value{}, Value{}, Value{}, Value{}, Value{},
             Value{}, Value{}},
            {qint64(1), Value{}, qint64(-1), Value{}, 0.0, Value{}, wallClock(2000, 2, 29, 12),
             Value{}, Value{}, QStringLiteral("中"), qint64(0)},
            {Value{}, qint64(0), Value{}, qint64(-123400), Value{}, 0.1, Value{}, true,
             QStringLiteral("全角　空白と一の字"), Value{}, qint64(-5)},
        };
        writeAndVerify(QStringLiteral("types.mdb"),
                       tableOf(QStringLiteral("AllTypes"), everyType, rows), rows);
    }

    // Text at its full declared length in Japanese and in Latin-1 (stored
    // compressed), characters whose low byte is zero, text that looks like
    // the compressed form's marker, and the empty string (which mdb-export
    // cannot tell from null).
    void text()
    {
        const QList<Column> columns{{QStringLiteral("t"), ColumnType::Text, 255},
                                    {QStringLiteral("短い"), ColumnType::Text, 10}};
        const QString japanese = repeated(QStringLiteral("日本語の品名ｶﾀｶﾅ　一丁目"), 255);
        const QList<QList<Value>> rows{
            {japanese, QStringLiteral("0123456789")},
            {repeated(QStringLiteral("Latin-1 ñ "), 255), QStringLiteral("ﾊﾞｰｺｰﾄﾞ")},
            {QString(QChar(0xFEFF)) + QStringLiteral("先頭にBOM"),
             QStringLiteral("\"引用\",改行\n")},
            {QStringLiteral("ÿþ looks like FF FE"), QString()},
            {QString(), QStringLiteral("𠮷野家")},
        };
        QCOMPARE(japanese.size(), 255);
        // Characters beyond the basic plane read back as "??" in mdb-export;
        // mdb-reader reads them exactly.
        const QString file = path(QStringLiteral("text.mdb"));
        const Table table = tableOf(QStringLiteral("テキスト"), columns, rows.mid(0, 4));
        writeAndVerify(QStringLiteral("text.mdb"), table, rows.mid(0, 4));

        mdbwriter::writeDatabase(file,
                                 {tableOf(QStringLiteral("Surrogates"), columns, rows.mid(4))});
        const auto read = tests::readWithMdbReader(file, QStringLiteral("Surrogates"));
        QVERIFY(read);
        QCOMPARE(read->rows.value(0).at(1).toString(), QStringLiteral("𠮷野家"));
    }

    // Memo values inline in the row, on one long-value row, and chained over
    // several pages; Japanese (two bytes a character) and Latin-1 (one).
    void memo()
    {
        const QList<Column> columns{{QStringLiteral("id"), ColumnType::Long},
                                    {QStringLiteral("note"), ColumnType::Memo},
                                    {QStringLiteral("extra"), ColumnType::Memo}};
        const QString longJapanese =
            repeated(QStringLiteral("商品説明：賞味期限は製造日より一年。"), 10000);
        const QList<QList<Value>> rows{
            {qint64(1), longJapanese, QStringLiteral("inline")},
            {qint64(2), repeated(QStringLiteral("abcdefghij"), 10000), Value{}},
            {qint64(3), repeated(QStringLiteral("一ページに収まる説明"), 1000),
             repeated(QStringLiteral("Zz"), 300)},
            {qint64(4), Value{}, QString()},
            {qint64(5), repeated(QStringLiteral("あ"), 2038), repeated(QStringLiteral("い"), 2039)},
        };
        QCOMPARE(longJapanese.size(), 10000);
        writeAndVerify(QStringLiteral("memo.mdb"), tableOf(QStringLiteral("Memo"), columns, rows),
                       rows);
    }

    // 0, 1 and 50,000 rows of the sample's shape; 50,000 rows need more than
    // 512 pages, so the table's page list is held on bitmap pages. On the
    // large table mdb-reader leaves the prices to mdb-export: it needs about
    // six seconds for 50,000 Currency values.
    void rowCounts_data()
    {
        QTest::addColumn<qint64>("rowCount");
        QTest::newRow("none") << qint64(0);
        QTest::newRow("one") << qint64(1);
        QTest::newRow("fifty thousand") << qint64(50000);
    }
    void rowCounts()
    {
        QFETCH(qint64, rowCount);
        const QString file = path(QStringLiteral("rows%1.mdb").arg(rowCount));
        const Table table = testdata::generatedProductsTable(QStringLiteral("Master"), rowCount);
        mdbwriter::writeDatabase(file, {table});
        verify(
            file, table, rowCount,
            [](qint64 row) {
                const testdata::GeneratedProduct product = testdata::generatedProduct(row);
                return QList<Value>{product.barcode, product.itemName, product.name,
                                    product.priceTimes10000};
            },
            rowCount > 1000 ? QStringList{QStringLiteral("as2")} : QStringList());
    }

    // Several tables in one file, with Japanese names; each reader lists
    // exactly the user tables (the catalog is hidden as a system table).
    void severalTables()
    {
        const QList<Column> columns{{QStringLiteral("コード"), ColumnType::Long},
                                    {QStringLiteral("名前"), ColumnType::Text, 40}};
        const QList<QList<Value>> first{{qint64(1), QStringLiteral("一")}};
        const QList<QList<Value>> second{{qint64(2), QStringLiteral("二")},
                                         {qint64(3), QStringLiteral("三")}};
        const QString file = path(QStringLiteral("tables.mdb"));
        mdbwriter::writeDatabase(file,
                                 {tableOf(QStringLiteral("商品"), columns, first),
                                  tableOf(QStringLiteral("Shelf"), columns, second),
                                  testdata::generatedProductsTable(QStringLiteral("Master"), 700)});

        QCOMPARE(tests::mdbToolsTableNames(file),
                 (QStringList{QStringLiteral("商品"), QStringLiteral("Shelf"),
                              QStringLiteral("Master")}));
        verify(file, tableOf(QStringLiteral("Shelf"), columns, second), 2,
               [&](qint64 row) { return second[row]; });
        verify(file, tableOf(QStringLiteral("商品"), columns, first), 1,
               [&](qint64 row) { return first[row]; });
        const auto read = tests::readWithMdbReader(file, QStringLiteral("Master"));
        QVERIFY(read);
        QCOMPARE(read->tableNames, (QStringList{QStringLiteral("商品"), QStringLiteral("Shelf"),
                                                QStringLiteral("Master")}));
        QCOMPARE(read->rows.size(), 700);
    }

    // Linked tables are catalog rows with the linked file, the table's name
    // there and the connect string, as Access writes them; readers that list
    // or read tables see only the tables, mdbtools lists the links by type.
    void linkRowsInTheCatalog()
    {
        const QList<Column> columns{{QStringLiteral("code"), ColumnType::Long}};
        const QList<QList<Value>> rows{{qint64(1)}};
        const QList<mdbwriter::TableLink> links{{QStringLiteral("Master"),
                                                 QStringLiteral("C:\\データ\\back.mdb"),
                                                 QStringLiteral("商品マスタ"),
                                                 {},
                                                 mdbwriter::TableLink::Kind::AccessFile},
                                                {QStringLiteral("在庫"),
                                                 {},
                                                 QStringLiteral("dbo.Stock"),
                                                 QStringLiteral("ODBC;DSN=在庫;"),
                                                 mdbwriter::TableLink::Kind::Odbc}};
        const QString file = path(QStringLiteral("links.mdb"));
        mdbwriter::writeDatabase(file, {tableOf(QStringLiteral("Shelf"), columns, rows)}, links);

        QCOMPARE(tests::mdbToolsTableNames(file), QStringList{QStringLiteral("Shelf")});
        QCOMPARE(tests::mdbToolsTableNames(file, QStringLiteral("linkedtable")),
                 QStringList{QStringLiteral("Master")});
        verify(file, tableOf(QStringLiteral("Shelf"), columns, rows), 1,
               [&](qint64 row) { return rows[row]; });
        const auto read = tests::readWithMdbReader(file, QStringLiteral("Shelf"));
        QVERIFY(read);
        QCOMPARE(read->tableNames, QStringList{QStringLiteral("Shelf")});

        QString failure;
        const auto catalog =
            tests::exportWithMdbTools(file, QStringLiteral("MSysObjects"), &failure);
        QVERIFY2(catalog, qPrintable(failure));
        const auto at = [&](const tests::ExportedRow& row, const char* column) {
            return row.value(catalog->header.indexOf(QString::fromLatin1(column)))
                .value_or(QStringLiteral("(null)"));
        };
        QStringList linkRows;
        for (const tests::ExportedRow& row : catalog->rows) {
            if (at(row, "Type") != QLatin1String("1"))
                linkRows << QStringList{at(row, "Name"), at(row, "Type"), at(row, "Database"),
                                        at(row, "ForeignName"), at(row, "Connect")}
                                .join(QLatin1Char('|'));
        }
        QCOMPARE(linkRows,
                 (QStringList{QStringLiteral("Master|6|C:\\データ\\back.mdb|商品マスタ|(null)"),
                              QStringLiteral("在庫|4|(null)|dbo.Stock|ODBC;DSN=在庫;")}));

        QProcess schema;
        schema.start(QStringLiteral("mdb-schema"), {file});
        QVERIFY(schema.waitForFinished(60'000));
        QCOMPARE(schema.exitCode(), 0);
        const QString ddl = QString::fromUtf8(schema.readAllStandardOutput());
        QVERIFY2(ddl.contains(QStringLiteral("CREATE TABLE [Shelf]")) &&
                     !ddl.contains(QStringLiteral("Master")),
                 qPrintable(ddl));
    }

    // Enough tables that their usage maps fill more than one page.
    void manyTables()
    {
        const QList<Column> columns{{QStringLiteral("n"), ColumnType::Long}};
        QList<Table> tables;
        QStringList names;
        for (int i = 0; i < 40; ++i) {
            names.append(QStringLiteral("棚%1").arg(i));
            tables.append(tableOf(names.back(), columns, {{qint64(i)}}));
        }
        const QString file = path(QStringLiteral("many.mdb"));
        mdbwriter::writeDatabase(file, tables);
        QCOMPARE(tests::mdbToolsTableNames(file), names);
        for (int i : {0, 39})
            verify(file, tables[i], 1, [i](qint64) { return QList<Value>{qint64(i)}; });
    }

    // Access 97 (Jet 3) files: 2 KiB pages, text in the code page (1252 here,
    // which both readers decode), one-byte row offsets with a jump table in
    // rows over 256 bytes, memos chained over the smaller pages.
    void jet3()
    {
        const QList<Column> columns{{QStringLiteral("id"), ColumnType::Long},
                                    {QStringLiteral("t"), ColumnType::Text, 255},
                                    {QStringLiteral("u"), ColumnType::Text, 255},
                                    {QStringLiteral("m"), ColumnType::Memo},
                                    {QStringLiteral("money"), ColumnType::Currency},
                                    {QStringLiteral("d"), ColumnType::DateTime},
                                    {QStringLiteral("yes"), ColumnType::YesNo}};
        const QList<QList<Value>> rows{
            {qint64(1), QStringLiteral("café"), QStringLiteral("ÀÿÉ"), QStringLiteral("memo"),
             qint64(1980000), wallClock(2026, 12, 8, 10, 30, 15), true},
            {qint64(2), repeated(QStringLiteral("Grüße "), 255),
             repeated(QStringLiteral("long row "), 200), repeated(QStringLiteral("x"), 300),
             Value{}, Value{}, false},
            {qint64(3), repeated(QStringLiteral("ab"), 200), Value{},
             repeated(QStringLiteral("chained memo over pages. "), 400), qint64(-5), Value{}, true},
            {Value{}, Value{}, Value{}, Value{}, Value{}, Value{}, Value{}},
        };
        const QString file = path(QStringLiteral("jet3.mdb"));
        const Table table = tableOf(QStringLiteral("Jet3"), columns, rows);
        mdbwriter::writeDatabase(file, {table}, {mdbwriter::FileFormat::Jet3, 1252, {}, 0});
        QFile written(file);
        QVERIFY(written.open(QIODevice::ReadOnly));
        QCOMPARE(written.size() % 2048, 0);
        QCOMPARE(written.read(0x15).at(0x14), '\0'); // the version byte of Jet 3
        verify(file, table, rows.size(), [&rows](qint64 row) { return rows[row]; });
    }

    void jet3RefusesWhatItCannotStore()
    {
        const QString file = path(QStringLiteral("jet3-refused.mdb"));
        const mdbwriter::FileOptions jet3{mdbwriter::FileFormat::Jet3, 1252, {}, 0};
        QVERIFY_THROWS_EXCEPTION(
            Error, mdbwriter::writeDatabase(
                       file,
                       {tableOf(QStringLiteral("T"),
                                {{QStringLiteral("d"), ColumnType::Decimal, 0, 10, 2}}, {})},
                       jet3));
        try {
            mdbwriter::writeDatabase(
                file,
                {tableOf(QStringLiteral("T"), {{QStringLiteral("t"), ColumnType::Text, 10}},
                         {{QStringLiteral("a")}, {QStringLiteral("漢字")}})},
                jet3);
            QFAIL("the write did not fail");
        } catch (const Error& error) {
            QVERIFY2(error.description().contains(QStringLiteral("2 行目")),
                     qPrintable(error.description()));
            QVERIFY2(error.description().contains(QStringLiteral("1252")),
                     qPrintable(error.description()));
        }
    }

    // A value that does not suit its column stops the write with a message
    // naming table, row and column, and leaves an existing file as it was.
    void rejectsUnsuitableValues_data()
    {
        QTest::addColumn<Column>("column");
        QTest::addColumn<Value>("value");
        QTest::newRow("byte above 255")
            << Column{QStringLiteral("c"), ColumnType::Byte} << Value{qint64(256)};
        QTest::newRow("integer below range")
            << Column{QStringLiteral("c"), ColumnType::Integer} << Value{qint64(-32769)};
        QTest::newRow("long above range")
            << Column{QStringLiteral("c"), ColumnType::Long} << Value{qint64(1) << 31};
        QTest::newRow("text too long")
            << Column{QStringLiteral("c"), ColumnType::Text, 5}
            << Value{QStringLiteral("六文字の値") + QStringLiteral("だ")};
        QTest::newRow("text given a number")
            << Column{QStringLiteral("c"), ColumnType::Text, 5} << Value{qint64(1)};
        QTest::newRow("single out of range")
            << Column{QStringLiteral("c"), ColumnType::Single} << Value{1e39};
        QTest::newRow("decimal beyond its precision")
            << Column{QStringLiteral("c"), ColumnType::Decimal, 0, 5, 2} << Value{qint64(100000)};
        QTest::newRow("text no reader can get back")
            << Column{QStringLiteral("c"), ColumnType::Text, 5}
            << Value{QString(QChar(0xFEFF)) + QStringLiteral("一")};
        QTest::newRow("invalid date")
            << Column{QStringLiteral("c"), ColumnType::DateTime} << Value{QDateTime()};
    }
    void rejectsUnsuitableValues()
    {
        QFETCH(Column, column);
        QFETCH(Value, value);
        const QString file = path(QStringLiteral("rejected.mdb"));
        {
            QFile existing(file);
            QVERIFY(existing.open(QIODevice::WriteOnly | QIODevice::Truncate));
            existing.write("previous contents");
        }
        const QList<QList<Value>> rows{{Value{}}, {value}};
        try {
            mdbwriter::writeDatabase(file, {tableOf(QStringLiteral("品目"), {column}, rows)});
            QFAIL("the write did not fail");
        } catch (const Error& error) {
            QVERIFY2(error.description().contains(QStringLiteral("「品目」")),
                     qPrintable(error.description()));
            QVERIFY2(error.description().contains(QStringLiteral("2 行目")),
                     qPrintable(error.description()));
            QVERIFY2(error.description().contains(QStringLiteral("「c」")),
                     qPrintable(error.description()));
        }
        QFile existing(file);
        QVERIFY(existing.open(QIODevice::ReadOnly));
        QCOMPARE(existing.readAll(), QByteArray("previous contents"));
    }

    void rejectsUnsuitableTables()
    {
        const QList<Column> one{{QStringLiteral("c"), ColumnType::Long}};
        const QString file = path(QStringLiteral("badtables.mdb"));
        QVERIFY_THROWS_EXCEPTION(
            Error, mdbwriter::writeDatabase(file, {tableOf(QStringLiteral("T"), one, {}),
                                                   tableOf(QStringLiteral("t"), one, {})}));
        QVERIFY_THROWS_EXCEPTION(
            Error,
            mdbwriter::writeDatabase(file, {tableOf(QStringLiteral("MSysObjects"), one, {})}));
        QVERIFY_THROWS_EXCEPTION(
            Error,
            mdbwriter::writeDatabase(file, {tableOf(QStringLiteral("T"), {one[0], one[0]}, {})}));
        QVERIFY_THROWS_EXCEPTION(
            Error, mdbwriter::writeDatabase(file, {tableOf(QStringLiteral("T"), {}, {})}));
        // A link named like a table.
        QVERIFY_THROWS_EXCEPTION(
            Error, mdbwriter::writeDatabase(file, {tableOf(QStringLiteral("T"), one, {})},
                                            {{QStringLiteral("t"),
                                              QStringLiteral("b.mdb"),
                                              QStringLiteral("T"),
                                              {},
                                              mdbwriter::TableLink::Kind::AccessFile}}));
        QVERIFY_THROWS_EXCEPTION(
            Error, mdbwriter::writeDatabase(
                       file, {tableOf(QStringLiteral("T"),
                                      {{QStringLiteral("c"), ColumnType::Text, 256}}, {})}));
        // A row with more bytes than a page holds.
        QList<Column> wide;
        QList<Value> wideRow;
        for (int i = 0; i < 9; ++i) {
            wide.append({QStringLiteral("c%1").arg(i), ColumnType::Text, 255});
            wideRow.append(repeated(QStringLiteral("長"), 255));
        }
        QVERIFY_THROWS_EXCEPTION(
            Error, mdbwriter::writeDatabase(file, {tableOf(QStringLiteral("T"), wide, {wideRow})}));
        QVERIFY(!QFile::exists(file));
        QVERIFY_THROWS_EXCEPTION(Error,
                                 mdbwriter::writeDatabase(path(QStringLiteral("no/such/dir.mdb")),
                                                          {tableOf(QStringLiteral("T"), one, {})}));
    }
};

QTEST_GUILESS_MAIN(TestMdbWriter)
#include "tst_mdbwriter.moc"
