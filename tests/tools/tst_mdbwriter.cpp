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
    {u"byteCol"_qs, ColumnType::Byte},
    {u"intCol"_qs, ColumnType::Integer},
    {u"longCol"_qs, ColumnType::Long},
    {u"moneyCol"_qs, ColumnType::Currency},
    {u"singleCol"_qs, ColumnType::Single},
    {u"doubleCol"_qs, ColumnType::Double},
    {u"dateCol"_qs, ColumnType::DateTime},
    {u"yesNoCol"_qs, ColumnType::YesNo},
    {u"textCol"_qs, ColumnType::Text, 255},
    {u"memoCol"_qs, ColumnType::Memo},
    {u"decimalCol"_qs, ColumnType::Decimal, 0, 18, 4},
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
             wallClock(2026, 12, 8, 10, 30, 15), true, u"コーヒー豆 200g"_qs, u"短いメモ"_qs,
             qint64(12345678)},
            {qint64(0), qint64(-32768), qint64(std::numeric_limits<qint32>::min()),
             std::numeric_limits<qint64>::min(), -0.25, -1e-300, wallClock(1899, 12, 30), false,
             u"a"_qs, u"x"_qs, qint64(-999999999999999999)},
            {qint64(255), qint64(32767), qint64(std::numeric_limits<qint32>::max()),
             std::numeric_limits<qint64>::max(), 1024.125, 1e300,
             wallClock(2199, 12, 31, 23, 59, 59), true, u"café ÀÿÉ"_qs, u"Grüße"_qs,
             qint64(999999999999999999)},
            {Value{}, Value{}, Value{}, Value{}, Value{}, Value{}, Value{}, Value{}, Value{},
             Value{}, Value{}},
            {qint64(1), Value{}, qint64(-1), Value{}, 0.0, Value{}, wallClock(2000, 2, 29, 12),
             Value{}, Value{}, u"中"_qs, qint64(0)},
            {Value{}, qint64(0), Value{}, qint64(-123400), Value{}, 0.1, Value{}, true,
             u"全角　空白と一の字"_qs, Value{}, qint64(-5)},
        };
        writeAndVerify(u"types.mdb"_qs, tableOf(u"AllTypes"_qs, everyType, rows), rows);
    }

    // Text at its full declared length in Japanese and in Latin-1 (stored
    // compressed), characters whose low byte is zero, text that looks like
    // the compressed form's marker, and the empty string (which mdb-export
    // cannot tell from null).
    void text()
    {
        const QList<Column> columns{{u"t"_qs, ColumnType::Text, 255},
                                    {u"短い"_qs, ColumnType::Text, 10}};
        const QString japanese = repeated(u"日本語の品名ｶﾀｶﾅ　一丁目"_qs, 255);
        const QList<QList<Value>> rows{
            {japanese, u"0123456789"_qs},
            {repeated(u"Latin-1 ñ "_qs, 255), u"ﾊﾞｰｺｰﾄﾞ"_qs},
            {QString(QChar(0xFEFF)) + u"先頭にBOM"_qs, u"\"引用\",改行\n"_qs},
            {u"ÿþ looks like FF FE"_qs, QString()},
            {QString(), u"𠮷野家"_qs},
        };
        QCOMPARE(japanese.size(), 255);
        // Characters beyond the basic plane read back as "??" in mdb-export;
        // mdb-reader reads them exactly.
        const QString file = path(u"text.mdb"_qs);
        const Table table = tableOf(u"テキスト"_qs, columns, rows.mid(0, 4));
        writeAndVerify(u"text.mdb"_qs, table, rows.mid(0, 4));

        mdbwriter::writeDatabase(file, {tableOf(u"Surrogates"_qs, columns, rows.mid(4))});
        const auto read = tests::readWithMdbReader(file, u"Surrogates"_qs);
        QVERIFY(read);
        QCOMPARE(read->rows.value(0).at(1).toString(), u"𠮷野家"_qs);
    }

    // Memo values inline in the row, on one long-value row, and chained over
    // several pages; Japanese (two bytes a character) and Latin-1 (one).
    void memo()
    {
        const QList<Column> columns{{u"id"_qs, ColumnType::Long},
                                    {u"note"_qs, ColumnType::Memo},
                                    {u"extra"_qs, ColumnType::Memo}};
        const QString longJapanese = repeated(u"商品説明：賞味期限は製造日より一年。"_qs, 10000);
        const QList<QList<Value>> rows{
            {qint64(1), longJapanese, u"inline"_qs},
            {qint64(2), repeated(u"abcdefghij"_qs, 10000), Value{}},
            {qint64(3), repeated(u"一ページに収まる説明"_qs, 1000), repeated(u"Zz"_qs, 300)},
            {qint64(4), Value{}, QString()},
            {qint64(5), repeated(u"あ"_qs, 2038), repeated(u"い"_qs, 2039)},
        };
        QCOMPARE(longJapanese.size(), 10000);
        writeAndVerify(u"memo.mdb"_qs, tableOf(u"Memo"_qs, columns, rows), rows);
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
        const QString file = path(u"rows%1.mdb"_qs.arg(rowCount));
        const Table table = testdata::generatedProductsTable(u"Master"_qs, rowCount);
        mdbwriter::writeDatabase(file, {table});
        verify(
            file, table, rowCount,
            [](qint64 row) {
                const testdata::GeneratedProduct product = testdata::generatedProduct(row);
                return QList<Value>{product.barcode, product.itemName, product.name,
                                    product.priceTimes10000};
            },
            rowCount > 1000 ? QStringList{u"as2"_qs} : QStringList());
    }

    // Several tables in one file, with Japanese names; each reader lists
    // exactly the user tables (the catalog is hidden as a system table).
    void severalTables()
    {
        const QList<Column> columns{{u"コード"_qs, ColumnType::Long},
                                    {u"名前"_qs, ColumnType::Text, 40}};
        const QList<QList<Value>> first{{qint64(1), u"一"_qs}};
        const QList<QList<Value>> second{{qint64(2), u"二"_qs}, {qint64(3), u"三"_qs}};
        const QString file = path(u"tables.mdb"_qs);
        mdbwriter::writeDatabase(file, {tableOf(u"商品"_qs, columns, first),
                                        tableOf(u"Shelf"_qs, columns, second),
                                        testdata::generatedProductsTable(u"Master"_qs, 700)});

        QCOMPARE(tests::mdbToolsTableNames(file),
                 (QStringList{u"商品"_qs, u"Shelf"_qs, u"Master"_qs}));
        verify(file, tableOf(u"Shelf"_qs, columns, second), 2,
               [&](qint64 row) { return second[row]; });
        verify(file, tableOf(u"商品"_qs, columns, first), 1,
               [&](qint64 row) { return first[row]; });
        const auto read = tests::readWithMdbReader(file, u"Master"_qs);
        QVERIFY(read);
        QCOMPARE(read->tableNames, (QStringList{u"商品"_qs, u"Shelf"_qs, u"Master"_qs}));
        QCOMPARE(read->rows.size(), 700);
    }

    // Linked tables are catalog rows with the linked file, the table's name
    // there and the connect string, as Access writes them; readers that list
    // or read tables see only the tables, mdbtools lists the links by type.
    void linkRowsInTheCatalog()
    {
        const QList<Column> columns{{u"code"_qs, ColumnType::Long}};
        const QList<QList<Value>> rows{{qint64(1)}};
        const QList<mdbwriter::TableLink> links{{u"Master"_qs,
                                                 u"C:\\データ\\back.mdb"_qs,
                                                 u"商品マスタ"_qs,
                                                 {},
                                                 mdbwriter::TableLink::Kind::AccessFile},
                                                {u"在庫"_qs,
                                                 {},
                                                 u"dbo.Stock"_qs,
                                                 u"ODBC;DSN=在庫;"_qs,
                                                 mdbwriter::TableLink::Kind::Odbc}};
        const QString file = path(u"links.mdb"_qs);
        mdbwriter::writeDatabase(file, {tableOf(u"Shelf"_qs, columns, rows)}, links);

        QCOMPARE(tests::mdbToolsTableNames(file), QStringList{u"Shelf"_qs});
        QCOMPARE(tests::mdbToolsTableNames(file, u"linkedtable"_qs), QStringList{u"Master"_qs});
        verify(file, tableOf(u"Shelf"_qs, columns, rows), 1, [&](qint64 row) { return rows[row]; });
        const auto read = tests::readWithMdbReader(file, u"Shelf"_qs);
        QVERIFY(read);
        QCOMPARE(read->tableNames, QStringList{u"Shelf"_qs});

        QString failure;
        const auto catalog = tests::exportWithMdbTools(file, u"MSysObjects"_qs, &failure);
        QVERIFY2(catalog, qPrintable(failure));
        const auto at = [&](const tests::ExportedRow& row, const char* column) {
            return row.value(catalog->header.indexOf(QString::fromLatin1(column)))
                .value_or(u"(null)"_qs);
        };
        QStringList linkRows;
        for (const tests::ExportedRow& row : catalog->rows) {
            if (at(row, "Type") != QLatin1String("1"))
                linkRows << QStringList{at(row, "Name"), at(row, "Type"), at(row, "Database"),
                                        at(row, "ForeignName"), at(row, "Connect")}
                                .join(QLatin1Char('|'));
        }
        QCOMPARE(linkRows, (QStringList{u"Master|6|C:\\データ\\back.mdb|商品マスタ|(null)"_qs,
                                        u"在庫|4|(null)|dbo.Stock|ODBC;DSN=在庫;"_qs}));

        QProcess schema;
        schema.start(u"mdb-schema"_qs, {file});
        QVERIFY(schema.waitForFinished(60'000));
        QCOMPARE(schema.exitCode(), 0);
        const QString ddl = QString::fromUtf8(schema.readAllStandardOutput());
        QVERIFY2(ddl.contains(u"CREATE TABLE [Shelf]"_qs) && !ddl.contains(u"Master"_qs),
                 qPrintable(ddl));
    }

    // Enough tables that their usage maps fill more than one page.
    void manyTables()
    {
        const QList<Column> columns{{u"n"_qs, ColumnType::Long}};
        QList<Table> tables;
        QStringList names;
        for (int i = 0; i < 40; ++i) {
            names.append(u"棚%1"_qs.arg(i));
            tables.append(tableOf(names.back(), columns, {{qint64(i)}}));
        }
        const QString file = path(u"many.mdb"_qs);
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
        const QList<Column> columns{
            {u"id"_qs, ColumnType::Long},        {u"t"_qs, ColumnType::Text, 255},
            {u"u"_qs, ColumnType::Text, 255},    {u"m"_qs, ColumnType::Memo},
            {u"money"_qs, ColumnType::Currency}, {u"d"_qs, ColumnType::DateTime},
            {u"yes"_qs, ColumnType::YesNo}};
        const QList<QList<Value>> rows{
            {qint64(1), u"café"_qs, u"ÀÿÉ"_qs, u"memo"_qs, qint64(1980000),
             wallClock(2026, 12, 8, 10, 30, 15), true},
            {qint64(2), repeated(u"Grüße "_qs, 255), repeated(u"long row "_qs, 200),
             repeated(u"x"_qs, 300), Value{}, Value{}, false},
            {qint64(3), repeated(u"ab"_qs, 200), Value{},
             repeated(u"chained memo over pages. "_qs, 400), qint64(-5), Value{}, true},
            {Value{}, Value{}, Value{}, Value{}, Value{}, Value{}, Value{}},
        };
        const QString file = path(u"jet3.mdb"_qs);
        const Table table = tableOf(u"Jet3"_qs, columns, rows);
        mdbwriter::writeDatabase(file, {table}, {mdbwriter::FileFormat::Jet3, 1252, {}, 0});
        QFile written(file);
        QVERIFY(written.open(QIODevice::ReadOnly));
        QCOMPARE(written.size() % 2048, 0);
        QCOMPARE(written.read(0x15).at(0x14), '\0'); // the version byte of Jet 3
        verify(file, table, rows.size(), [&rows](qint64 row) { return rows[row]; });
    }

    void jet3RefusesWhatItCannotStore()
    {
        const QString file = path(u"jet3-refused.mdb"_qs);
        const mdbwriter::FileOptions jet3{mdbwriter::FileFormat::Jet3, 1252, {}, 0};
        QVERIFY_THROWS_EXCEPTION(
            Error,
            mdbwriter::writeDatabase(
                file, {tableOf(u"T"_qs, {{u"d"_qs, ColumnType::Decimal, 0, 10, 2}}, {})}, jet3));
        try {
            mdbwriter::writeDatabase(
                file,
                {tableOf(u"T"_qs, {{u"t"_qs, ColumnType::Text, 10}}, {{u"a"_qs}, {u"漢字"_qs}})},
                jet3);
            QFAIL("the write did not fail");
        } catch (const Error& error) {
            QVERIFY2(error.description().contains(u"2 行目"_qs), qPrintable(error.description()));
            QVERIFY2(error.description().contains(u"1252"_qs), qPrintable(error.description()));
        }
    }

    // A value that does not suit its column stops the write with a message
    // naming table, row and column, and leaves an existing file as it was.
    void rejectsUnsuitableValues_data()
    {
        QTest::addColumn<Column>("column");
        QTest::addColumn<Value>("value");
        QTest::newRow("byte above 255") << Column{u"c"_qs, ColumnType::Byte} << Value{qint64(256)};
        QTest::newRow("integer below range")
            << Column{u"c"_qs, ColumnType::Integer} << Value{qint64(-32769)};
        QTest::newRow("long above range")
            << Column{u"c"_qs, ColumnType::Long} << Value{qint64(1) << 31};
        QTest::newRow("text too long")
            << Column{u"c"_qs, ColumnType::Text, 5} << Value{u"六文字の値"_qs + u"だ"_qs};
        QTest::newRow("text given a number")
            << Column{u"c"_qs, ColumnType::Text, 5} << Value{qint64(1)};
        QTest::newRow("single out of range") << Column{u"c"_qs, ColumnType::Single} << Value{1e39};
        QTest::newRow("decimal beyond its precision")
            << Column{u"c"_qs, ColumnType::Decimal, 0, 5, 2} << Value{qint64(100000)};
        QTest::newRow("text no reader can get back")
            << Column{u"c"_qs, ColumnType::Text, 5} << Value{QString(QChar(0xFEFF)) + u"一"_qs};
        QTest::newRow("invalid date")
            << Column{u"c"_qs, ColumnType::DateTime} << Value{QDateTime()};
    }
    void rejectsUnsuitableValues()
    {
        QFETCH(Column, column);
        QFETCH(Value, value);
        const QString file = path(u"rejected.mdb"_qs);
        {
            QFile existing(file);
            QVERIFY(existing.open(QIODevice::WriteOnly | QIODevice::Truncate));
            existing.write("previous contents");
        }
        const QList<QList<Value>> rows{{Value{}}, {value}};
        try {
            mdbwriter::writeDatabase(file, {tableOf(u"品目"_qs, {column}, rows)});
            QFAIL("the write did not fail");
        } catch (const Error& error) {
            QVERIFY2(error.description().contains(u"「品目」"_qs), qPrintable(error.description()));
            QVERIFY2(error.description().contains(u"2 行目"_qs), qPrintable(error.description()));
            QVERIFY2(error.description().contains(u"「c」"_qs), qPrintable(error.description()));
        }
        QFile existing(file);
        QVERIFY(existing.open(QIODevice::ReadOnly));
        QCOMPARE(existing.readAll(), QByteArray("previous contents"));
    }

    void rejectsUnsuitableTables()
    {
        const QList<Column> one{{u"c"_qs, ColumnType::Long}};
        const QString file = path(u"badtables.mdb"_qs);
        QVERIFY_THROWS_EXCEPTION(
            Error,
            mdbwriter::writeDatabase(file, {tableOf(u"T"_qs, one, {}), tableOf(u"t"_qs, one, {})}));
        QVERIFY_THROWS_EXCEPTION(
            Error, mdbwriter::writeDatabase(file, {tableOf(u"MSysObjects"_qs, one, {})}));
        QVERIFY_THROWS_EXCEPTION(
            Error, mdbwriter::writeDatabase(file, {tableOf(u"T"_qs, {one[0], one[0]}, {})}));
        QVERIFY_THROWS_EXCEPTION(Error, mdbwriter::writeDatabase(file, {tableOf(u"T"_qs, {}, {})}));
        // A link named like a table.
        QVERIFY_THROWS_EXCEPTION(
            Error,
            mdbwriter::writeDatabase(
                file, {tableOf(u"T"_qs, one, {})},
                {{u"t"_qs, u"b.mdb"_qs, u"T"_qs, {}, mdbwriter::TableLink::Kind::AccessFile}}));
        QVERIFY_THROWS_EXCEPTION(
            Error, mdbwriter::writeDatabase(
                       file, {tableOf(u"T"_qs, {{u"c"_qs, ColumnType::Text, 256}}, {})}));
        // A row with more bytes than a page holds.
        QList<Column> wide;
        QList<Value> wideRow;
        for (int i = 0; i < 9; ++i) {
            wide.append({u"c%1"_qs.arg(i), ColumnType::Text, 255});
            wideRow.append(repeated(u"長"_qs, 255));
        }
        QVERIFY_THROWS_EXCEPTION(
            Error, mdbwriter::writeDatabase(file, {tableOf(u"T"_qs, wide, {wideRow})}));
        QVERIFY(!QFile::exists(file));
        QVERIFY_THROWS_EXCEPTION(Error, mdbwriter::writeDatabase(path(u"no/such/dir.mdb"_qs),
                                                                 {tableOf(u"T"_qs, one, {})}));
    }
};

QTEST_GUILESS_MAIN(TestMdbWriter)
#include "tst_mdbwriter.moc"
