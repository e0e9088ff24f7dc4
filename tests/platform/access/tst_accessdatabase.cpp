#include "accessfixtures.h"

#include "core/datasource/databaseprovider.h"
#include "core/error.h"
#include "core/settings/settingsfolder.h"
#include "platform/access/accessdatabase.h"

#include <QCryptographicHash>
#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

using namespace hakobee;

namespace {

// Runs the body and returns the description of the hakobee::Error it throws;
// fails the test when it throws nothing.
template<typename Body> QString errorOf(Body body)
{
    try {
        body();
    } catch (const Error& error) {
        return error.description();
    }
    return u"(no error)"_qs;
}

QStringList column(Recordset& records, int position)
{
    QStringList values;
    for (; !records.eof(); records.moveNext())
        values << records.field(position).value_or(u"(null)"_qs);
    return values;
}

QByteArray contentHash(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QCryptographicHash::hash(file.readAll(), QCryptographicHash::Sha256);
}

} // namespace

class TestAccessDatabase : public QObject
{
    Q_OBJECT

    QTemporaryDir dir;
    QString products;
    QString allTypes;
    QString sampleShape;

private slots:
    void initTestCase()
    {
        QVERIFY(dir.isValid());
        products = dir.filePath(u"products.mdb"_qs);
        allTypes = dir.filePath(u"alltypes.mdb"_qs);
        accessfixtures::writeProducts(products, accessfixtures::threeProducts());
        accessfixtures::writeAllTypes(allTypes);
        sampleShape = dir.filePath(u"sampleshape.mdb"_qs);
        accessfixtures::writeSampleShape(sampleShape);
    }

    void exampleQueryRunsWithItsFullWidthBlank()
    {
        const auto connection = openAccessDatabase(products);
        const auto records = connection->openRecordset(
            u"select bar as ﾊﾞｰｺｰﾄﾞ,hi as 品名,mei as 名称,kakaku as 税込売価　from Master"_qs,
            CursorKind::StaticRead);
        QCOMPARE(records->fieldCount(), 4);
        QCOMPARE(records->fieldName(0), u"ﾊﾞｰｺｰﾄﾞ"_qs);
        QCOMPARE(records->fieldName(3), u"税込売価"_qs);
        QVERIFY(!records->eof());
        QCOMPARE(records->field(0), FieldValue(u"4901234567894"_qs));
        QCOMPARE(records->field(1), FieldValue(u"緑茶 500ml"_qs));
        QCOMPARE(records->field(2), FieldValue(u"ﾘｮｸﾁｬ"_qs));
        QCOMPARE(records->field(3), FieldValue(u"1000"_qs));
        // By alias name, in any letter case, as the screens ask for them.
        QCOMPARE(records->field(u"品名"_qs), FieldValue(u"緑茶 500ml"_qs));
        records->moveNext();
        QCOMPARE(records->field(u"税込売価"_qs), FieldValue(u"99.5"_qs));
        QCOMPARE(records->field(u"ﾊﾞｰｺｰﾄﾞ"_qs), FieldValue(u"4512345678906"_qs));
        QVERIFY(errorOf([&] { records->field(u"nosuch"_qs); }).contains("nosuch"));
        QVERIFY(errorOf([&] { records->field(4); }).contains("4"));
    }

    void bracketedNamesWhereAndOrderBy_data()
    {
        QTest::addColumn<QString>("query");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("brackets") << u"select [bar] from [Master] where [mei] = 'ｹｼｺﾞﾑ'"_qs
                                  << QStringList{u"49123456"_qs};
        QTest::newRow("Japanese table and column names")
            << u"select [品 名] from [商品 マスタ] order by [品 名] desc"_qs
            << QStringList{u"りんご"_qs, u"みかん"_qs};
        // Numerically 99.5 < 250 < 1000; as text it would be 1000, 250, 99.5.
        QTest::newRow("order by currency") << u"select kakaku from Master order by kakaku"_qs
                                           << QStringList{u"99.5"_qs, u"250"_qs, u"1000"_qs};
        QTest::newRow("order by desc")
            << u"select bar from Master order by kakaku desc"_qs
            << QStringList{u"4901234567894"_qs, u"49123456"_qs, u"4512345678906"_qs};
        QTest::newRow("where on a number")
            << u"select kakaku from Master where kakaku >= 250 and kakaku < 1000"_qs
            << QStringList{u"250"_qs};
        QTest::newRow("trailing semicolon and comment")
            << u"select bar from Master where kakaku = 250; -- 消しゴム"_qs
            << QStringList{u"49123456"_qs};
        QTest::newRow("where like")
            << u"select hi from Master where hi like '%茶%'"_qs << QStringList{u"緑茶 500ml"_qs};
        QTest::newRow("full-width blank in quotes is text")
            << u"select bar from Master where hi = '緑茶　500ml'"_qs << QStringList{};
        QTest::newRow("arithmetic")
            << u"select kakaku * 2 from Master where bar = '49123456'"_qs << QStringList{u"500"_qs};
        QTest::newRow("self join reads two scans at once")
            << u"select count(*) from Master a, Master b"_qs << QStringList{u"9"_qs};
    }

    void bracketedNamesWhereAndOrderBy()
    {
        QFETCH(QString, query);
        QFETCH(QStringList, expected);
        const bool onJapaneseTable = query.contains(u"商品 マスタ"_qs);
        const auto connection = openAccessDatabase(onJapaneseTable ? allTypes : products);
        const auto records = connection->openRecordset(query, CursorKind::StaticRead);
        QCOMPARE(column(*records, 0), expected);
    }

    // The Jet SQL operators write in KENSAKU, one case for each form, on a
    // table of the sample database's shape. Each expected entry is one row,
    // its fields joined by "|".
    void jetSqlForms_data()
    {
        QTest::addColumn<QString>("query");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("TOP n") << u"select top 2 bar from Master order by as2 desc"_qs
                               << QStringList{u"4512345678906"_qs, u"4901234567894"_qs};
        QTest::newRow("TOP n in a subquery")
            << u"select bar from Master where as2 in (select top 1 as2 from Master order by as2)"_qs
            << QStringList{u"49123456"_qs};
        QTest::newRow("& with a null and a number")
            << u"select hi & '/' & mei & '/' & as2 from Master order by bar"_qs
            << QStringList{u"おにぎり 鮭//1234567"_qs, u"緑茶 500ml/ﾘｮｸﾁｬ/1000"_qs,
                           u"Tea & Coffee/tea ＆ ｃｏｆｆｅｅ/250"_qs, u"消しゴム/ｹｼｺﾞﾑ/99.5"_qs};
        QTest::newRow("& in quotes and in [names] kept")
            << u"select 'A&B ' & [hi] as [品名&名称], \"&\" from Master where bar = '49123456'"_qs
            << QStringList{u"A&B 消しゴム|&"_qs};
        QTest::newRow("IIf")
            << u"select iif(as2 >= 1000, \"高い\", \"安い\") from Master order by bar"_qs
            << QStringList{u"高い"_qs, u"高い"_qs, u"安い"_qs, u"安い"_qs};
        QTest::newRow("Nz")
            << u"select nz(mei, '(なし)'), nz(mei) & '.' from Master where bar = '4512345678906'"_qs
            << QStringList{u"(なし)|."_qs};
        QTest::newRow("Left Right Mid Len")
            << u"select left(bar, 2), right(bar, 3), mid(hi, 2, 2), mid(hi, 4), len(hi) from Master where bar = '4901234567894'"_qs
            << QStringList{u"49|894|茶 |500ml|8"_qs};
        QTest::newRow("Trim UCase LCase")
            << u"select ucase(mei), lcase('ÀBC'), '[' & trim('  x y  ') & ']' from Master where bar = '4909876543210'"_qs
            << QStringList{u"TEA ＆ ＣＯＦＦＥＥ|àbc|[x y]"_qs};
        QTest::newRow("CStr CLng CDbl Val")
            << u"select cstr(as2) & '円', clng(as2), clng(2.5), cdbl('1,234.5') * 2, val(' 12 3abc') + 1 from Master where bar = '49123456'"_qs
            << QStringList{u"99.5円|100|2|2469|124"_qs};
        QTest::newRow("Format")
            << u"select format(as2, \"#,##0\"), format(as2, \"0\") from Master where as2 < 2000 or as2 > 1000000 order by bar"_qs
            << QStringList{u"1,234,567|1234567"_qs, u"1,000|1000"_qs, u"250|250"_qs, u"100|100"_qs};
        QTest::newRow("date literals")
            << u"select [Byte] from AllTypes where [DateTime] > #2024/03/05# and [DateTime] < #2024/03/06#"_qs
            << QStringList{u"7"_qs};
        QTest::newRow("Like with * and ?")
            << u"select bar from Master where hi like '*茶*' or bar like '4912345?' order by bar"_qs
            << QStringList{u"4901234567894"_qs, u"49123456"_qs};
        QTest::newRow("select * beside Like") << u"select * from Master where mei like 'ｹｼ*'"_qs
                                              << QStringList{u"49123456|消しゴム|ｹｼｺﾞﾑ|99.5"_qs};
    }

    void jetSqlForms()
    {
        QFETCH(QString, query);
        QFETCH(QStringList, expected);
        const QString file = query.contains(u"AllTypes"_qs) ? allTypes : sampleShape;
        QStringList rows;
        try {
            const auto connection = openAccessDatabase(file);
            const auto records = connection->openRecordset(query, CursorKind::StaticRead);
            for (; !records->eof(); records->moveNext()) {
                QStringList fields;
                for (int i = 0; i < records->fieldCount(); ++i)
                    fields << records->field(i).value_or(u"(null)"_qs);
                rows << fields.join(u'|');
            }
            if (query.contains(u"[品名&名称]"_qs))
                QCOMPARE(records->fieldName(0), u"品名&名称"_qs);
        } catch (const Error& error) {
            QFAIL(qPrintable(error.description()));
        }
        QCOMPARE(rows, expected);
    }

    void failuresNameWhatIsWrong_data()
    {
        QTest::addColumn<QString>("query");
        QTest::addColumn<QStringList>("mentions");
        QTest::newRow("missing table")
            << u"select bar from Masterx"_qs << QStringList{u"Masterx"_qs, u"no such table"_qs};
        QTest::newRow("missing column") << u"select bar, kakakuu from Master"_qs
                                        << QStringList{u"kakakuu"_qs, u"no such column"_qs};
        QTest::newRow("does not parse")
            << u"selec bar from Master"_qs << QStringList{u"syntax error"_qs};
        QTest::newRow("empty") << u"  "_qs << QStringList{u"empty"_qs};
        QTest::newRow("two statements")
            << u"select 1; select 2"_qs << QStringList{u"one statement"_qs};
        QTest::newRow("writing") << u"delete from Master"_qs << QStringList{u"SELECT"_qs};
        QTest::newRow("creating") << u"create table t(a)"_qs << QStringList{u"SELECT"_qs};
        QTest::newRow("attaching")
            << u"attach database 'x.db' as x"_qs << QStringList{u"SELECT"_qs};
        QTest::newRow("unsupported function")
            << u"select DateAdd('d', 1, kakaku) from Master"_qs
            << QStringList{u"関数「DateAdd」は使えません"_qs,
                           u"select DateAdd('d', 1, kakaku) from Master"_qs};
        QTest::newRow("unsupported format") << u"select format(kakaku, 'yyyy/mm/dd') from Master"_qs
                                            << QStringList{u"Format"_qs, u"yyyy/mm/dd"_qs};
        QTest::newRow("TOP n PERCENT")
            << u"select top 10 percent bar from Master"_qs << QStringList{u"top 10 percent"_qs};
    }

    void failuresNameWhatIsWrong()
    {
        QFETCH(QString, query);
        QFETCH(QStringList, mentions);
        const auto connection = openAccessDatabase(products);
        const QString description =
            errorOf([&] { connection->openRecordset(query, CursorKind::StaticRead); });
        for (const QString& mention : mentions)
            QVERIFY2(description.contains(mention), qPrintable(description));
        QVERIFY2(!QFile::exists(dir.filePath(u"x.db"_qs)), "attach created a file");
    }

    void providerOpensTheDataSourceConnectionString()
    {
        const SettingsFolder settings(dir.path());
        StandardDatabaseProvider databases(settings, openAccessDatabase);
        const auto connection =
            databases.open(u"Provider=Microsoft.Jet.OLEDB.4.0;Data Source="_qs + products);
        const auto records = connection->openRecordset(
            u"select bar,hi,mei,kakaku from "_qs + u"Master"_qs, CursorKind::StaticRead);
        records->moveLast();
        records->moveFirst();
        QCOMPARE(records->recordCount(), qint64(3));
    }

    void countIsKnownAfterMoveLastAndFirst()
    {
        const auto connection = openAccessDatabase(products);
        const auto records = connection->openRecordset(
            u"select bar, hi, mei, kakaku from Master"_qs, CursorKind::StaticRead);
        QCOMPARE(records->recordCount(), qint64(-1));
        records->moveLast();
        QVERIFY(!records->eof());
        QCOMPARE(records->field(0), FieldValue(u"49123456"_qs));
        records->moveFirst();
        QCOMPARE(records->recordCount(), qint64(3));
        QCOMPARE(records->field(0), FieldValue(u"4901234567894"_qs));
        QCOMPARE(column(*records, 3), (QStringList{u"1000"_qs, u"99.5"_qs, u"250"_qs}));
        // Past the end there is no current row, and moveLast comes back to it.
        QVERIFY(errorOf([&] { records->moveNext(); }).contains(u"レコード"_qs));
        QVERIFY(errorOf([&] { records->field(0); }).contains(u"レコード"_qs));
        records->moveLast();
        QCOMPARE(records->field(3), FieldValue(u"250"_qs));
        records->moveNext();
        QVERIFY(records->eof());
        QCOMPARE(records->recordCount(), qint64(3));
    }

    void emptyResultFailsAtMoveLast_data()
    {
        QTest::addColumn<QString>("query");
        QTest::newRow("where matches nothing") << u"select bar from Master where 1 = 0"_qs;
        QTest::newRow("empty table") << u"select * from Empty"_qs;
    }

    void emptyResultFailsAtMoveLast()
    {
        QFETCH(QString, query);
        const auto connection = openAccessDatabase(products);
        const auto records = connection->openRecordset(query, CursorKind::StaticRead);
        QVERIFY(records->eof());
        QVERIFY(errorOf([&] { records->moveLast(); }) != u"(no error)"_qs);
        records->moveFirst();
        QVERIFY(records->eof());
        QCOMPARE(records->recordCount(), qint64(0));
    }

    void everyColumnTypeReadsAsAccessShowsIt()
    {
        const auto connection = openAccessDatabase(allTypes);
        const auto records =
            connection->openRecordset(u"select * from AllTypes"_qs, CursorKind::StaticRead);
        QStringList names;
        for (int i = 0; i < records->fieldCount(); ++i)
            names << records->fieldName(i);
        QCOMPARE(names, (QStringList{"Byte", "Integer", "Long", "Currency", "Single", "Double",
                                     "DateTime", "YesNo", "Text", "Memo", "Decimal"}));

        auto row = [&] {
            QList<FieldValue> values;
            for (int i = 0; i < records->fieldCount(); ++i)
                values << records->field(i);
            records->moveNext();
            return values;
        };
        const QList<FieldValue> typical = row();
        QCOMPARE(typical,
                 (QList<FieldValue>{u"7"_qs, u"-1234"_qs, u"123456789"_qs, u"1234.5"_qs, u"1.1"_qs,
                                    u"0.3"_qs, u"2024/03/05 9:07:05"_qs, u"True"_qs,
                                    u"ｱｲｳ 漢字 ABC"_qs, u"メモ 一行目\r\n二行目"_qs, u"-12.5"_qs}));

        const QList<FieldValue> extremes = row();
        QCOMPARE(extremes.mid(0, 8),
                 (QList<FieldValue>{u"255"_qs, u"-32768"_qs, u"-2147483648"_qs,
                                    u"922337203685477.5807"_qs, u"-3.4E+38"_qs,
                                    u"0.333333333333333"_qs, u"23:59:59"_qs, u"False"_qs}));
        QCOMPARE(extremes.at(8), FieldValue(QString(255, QChar(0x9AD9))));
        QVERIFY(extremes.at(9).has_value());
        QCOMPARE(extremes.at(9)->size(), 10'000);
        QVERIFY(extremes.at(9)->startsWith(u"0行目、1行目、"_qs));
        // More digits than a double holds, so it reaches SQLite as text.
        QCOMPARE(extremes.at(10), FieldValue(u"12345678901234.5678"_qs));

        // A null stays null; Yes/No cannot be null and reads as False.
        const QList<FieldValue> nulls = row();
        for (int i = 0; i < nulls.size(); ++i) {
            if (i == 7)
                QCOMPARE(nulls.at(i), FieldValue(u"False"_qs));
            else
                QVERIFY2(!nulls.at(i).has_value(), qPrintable(names.at(i)));
        }
        QVERIFY(records->eof());
    }

    void currencyKeepsItsSmallestUnitThroughOrderBy()
    {
        const auto connection = openAccessDatabase(allTypes);
        const auto records = connection->openRecordset(
            u"select [値段] from [商品 マスタ] order by 1 desc"_qs, CursorKind::Grid);
        QCOMPARE(column(*records, 0), (QStringList{u"0.0001"_qs, u"0"_qs}));
    }

    void recordSetsOutliveTheirConnection()
    {
        auto connection = openAccessDatabase(products);
        const auto first =
            connection->openRecordset(u"select bar from Master"_qs, CursorKind::Grid);
        const auto second = connection->openRecordset(u"select bar from Master order by bar"_qs,
                                                      CursorKind::StaticRead);
        connection.reset();
        // Interleaved scans of the same table do not disturb each other.
        QCOMPARE(first->field(0), FieldValue(u"4901234567894"_qs));
        QCOMPARE(second->field(0), FieldValue(u"4512345678906"_qs));
        first->moveNext();
        second->moveNext();
        QCOMPARE(first->field(0), FieldValue(u"4512345678906"_qs));
        QCOMPARE(second->field(0), FieldValue(u"4901234567894"_qs));
    }

    void gridShowsFirstRowsBeforeReadingTheRest()
    {
        // The last pages are damaged: a grid that read the whole table before
        // showing anything would fail at once instead of showing the start.
        const QString path = dir.filePath(u"tail-damaged.mdb"_qs);
        accessfixtures::writeManyProducts(path, 5000);
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadWrite));
        const qint64 pageSize = 4096;
        const qint64 pages = file.size() / pageSize;
        for (qint64 page = pages - 3; page < pages; ++page) {
            file.seek(page * pageSize + 14);
            file.write(QByteArray(2, '\xFF'));
        }
        file.close();

        const auto connection = openAccessDatabase(path);
        const auto records =
            connection->openRecordset(u"select * from Master"_qs, CursorKind::Grid);
        for (int row = 0; row < 50; ++row) {
            QCOMPARE(records->field(u"hi"_qs), FieldValue(u"商品 %1"_qs.arg(row)));
            records->moveNext();
        }
        const QString description = errorOf([&] { records->moveLast(); });
        QVERIFY2(description.contains(u"Master"_qs), qPrintable(description));
        QVERIFY2(description.contains(u"壊れて"_qs), qPrintable(description));
    }

    void readingNeverChangesTheFile()
    {
        const QString path = dir.filePath(u"readonly.mdb"_qs);
        accessfixtures::writeManyProducts(path, 2000);
        const QDateTime old = QDateTime::currentDateTimeUtc().addDays(-3);
        {
            QFile file(path);
            QVERIFY(file.open(QIODevice::ReadWrite));
            QVERIFY(file.setFileTime(old, QFileDevice::FileModificationTime));
        }
        const QByteArray before = contentHash(path);
        {
            const auto connection = openAccessDatabase(path);
            for (const CursorKind kind : {CursorKind::StaticRead, CursorKind::Grid}) {
                const auto records = connection->openRecordset(
                    u"select * from Master order by kakaku desc"_qs, kind);
                records->moveLast();
                records->moveFirst();
                QCOMPARE(records->recordCount(), qint64(2000));
            }
            errorOf([&] {
                connection->openRecordset(u"delete from Master"_qs, CursorKind::StaticRead);
            });
            errorOf([&] {
                connection->openRecordset(u"drop table Master"_qs, CursorKind::StaticRead);
            });
        }
        QCOMPARE(contentHash(path), before);
        QCOMPARE(QFileInfo(path).lastModified().toUTC(), old.toUTC());
    }
};

QTEST_GUILESS_MAIN(TestAccessDatabase)
#include "tst_accessdatabase.moc"
