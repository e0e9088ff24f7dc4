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
    return QStringLiteral("(no error)");
}

QStringList column(Recordset& records, int position)
{
    QStringList values;
    for (; !records.eof(); records.moveNext())
        values << records.field(position).value_or(QStringLiteral("(null)"));
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
        products = dir.filePath(QStringLiteral("products.mdb"));
        allTypes = dir.filePath(QStringLiteral("alltypes.mdb"));
        accessfixtures::writeProducts(products, accessfixtures::threeProducts());
        accessfixtures::writeAllTypes(allTypes);
        sampleShape = dir.filePath(QStringLiteral("sampleshape.mdb"));
        accessfixtures::writeSampleShape(sampleShape);
    }

    void exampleQueryRunsWithItsFullWidthBlank()
    {
        const auto connection = openAccessDatabase(products);
        const auto records = connection->openRecordset(
            QStringLiteral(
                "select bar as ﾊﾞｰｺｰﾄﾞ,hi as 品名,mei as 名称,kakaku as 税込売価　from Master"),
            CursorKind::StaticRead);
        QCOMPARE(records->fieldCount(), 4);
        QCOMPARE(records->fieldName(0), QStringLiteral("ﾊﾞｰｺｰﾄﾞ"));
        QCOMPARE(records->fieldName(3), QStringLiteral("税込売価"));
        QVERIFY(!records->eof());
        QCOMPARE(records->field(0), FieldValue(QStringLiteral("4901234567894")));
        QCOMPARE(records->field(1), FieldValue(QStringLiteral("緑茶 500ml")));
        QCOMPARE(records->field(2), FieldValue(QStringLiteral("ﾘｮｸﾁｬ")));
        QCOMPARE(records->field(3), FieldValue(QStringLiteral("1000")));
        // By alias name, in any letter case, as the screens ask for them.
        QCOMPARE(records->field(QStringLiteral("品名")), FieldValue(QStringLiteral("緑茶 500ml")));
        records->moveNext();
        QCOMPARE(records->field(QStringLiteral("税込売価")), FieldValue(QStringLiteral("99.5")));
        QCOMPARE(records->field(QStringLiteral("ﾊﾞｰｺｰﾄﾞ")),
                 FieldValue(QStringLiteral("4512345678906")));
        QVERIFY(errorOf([&] { records->field(QStringLiteral("nosuch")); }).contains("nosuch"));
        QVERIFY(errorOf([&] { records->field(4); }).contains("4"));
    }

    void bracketedNamesWhereAndOrderBy_data()
    {
        QTest::addColumn<QString>("query");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("brackets") << QStringLiteral(
                                         "select [bar] from [Master] where [mei] = 'ｹｼｺﾞﾑ'")
                                  << QStringList{QStringLiteral("49123456")};
        QTest::newRow("Japanese table and column names")
            << QStringLiteral("select [品 名] from [商品 マスタ] order by [品 名] desc")
            << QStringList{QStringLiteral("りんご"), QStringLiteral("みかん")};
        // Numerically 99.5 < 250 < 1000; as text it would be 1000, 250, 99.5.
        QTest::newRow("order by currency")
            << QStringLiteral("select kakaku from Master order by kakaku")
            << QStringList{QStringLiteral("99.5"), QStringLiteral("250"), QStringLiteral("1000")};
        QTest::newRow("order by desc")
            << QStringLiteral("select bar from Master order by kakaku desc")
            << QStringList{QStringLiteral("4901234567894"), QStringLiteral("49123456"),
                           QStringLiteral("4512345678906")};
        QTest::newRow("where on a number")
            << QStringLiteral("select kakaku from Master where kakaku >= 250 and kakaku < 1000")
            << QStringList{QStringLiteral("250")};
        QTest::newRow("trailing semicolon and comment")
            << QStringLiteral("select bar from Master where kakaku = 250; -- 消しゴム")
            << QStringList{QStringLiteral("49123456")};
        QTest::newRow("where like") << QStringLiteral("select hi from Master where hi like '%茶%'")
                                    << QStringList{QStringLiteral("緑茶 500ml")};
        QTest::newRow("full-width blank in quotes is text")
            << QStringLiteral("select bar from Master where hi = '緑茶　500ml'") << QStringList{};
        QTest::newRow("arithmetic")
            << QStringLiteral("select kakaku * 2 from Master where bar = '49123456'")
            << QStringList{QStringLiteral("500")};
        QTest::newRow("self join reads two scans at once")
            << QStringLiteral("select count(*) from Master a, Master b")
            << QStringList{QStringLiteral("9")};
    }

    void bracketedNamesWhereAndOrderBy()
    {
        QFETCH(QString, query);
        QFETCH(QStringList, expected);
        const bool onJapaneseTable = query.contains(QStringLiteral("商品 マスタ"));
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
            << QStringLiteral("select bar from Masterx")
            << QStringList{QStringLiteral("Masterx"), QStringLiteral("no such table")};
        QTest::newRow("missing column")
            << QStringLiteral("select bar, kakakuu from Master")
            << QStringList{QStringLiteral("kakakuu"), QStringLiteral("no such column")};
        QTest::newRow("does not parse") << QStringLiteral("selec bar from Master")
                                        << QStringList{QStringLiteral("syntax error")};
        QTest::newRow("empty") << QStringLiteral("  ") << QStringList{QStringLiteral("empty")};
        QTest::newRow("two statements")
            << QStringLiteral("select 1; select 2") << QStringList{QStringLiteral("one statement")};
        QTest::newRow("writing") << QStringLiteral("delete from Master")
                                 << QStringList{QStringLiteral("SELECT")};
        QTest::newRow("creating") << QStringLiteral("create table t(a)")
                                  << QStringList{QStringLiteral("SELECT")};
        QTest::newRow("attaching") << QStringLiteral("attach database 'x.db' as x")
                                   << QStringList{QStringLiteral("SELECT")};
        QTest::newRow("unsupported function")
            << QStringLiteral("select DateAdd('d', 1, kakaku) from Master")
            << QStringList{QStringLiteral("関数「DateAdd」は使えません"),
                           QStringLiteral("select DateAdd('d', 1, kakaku) from Master")};
        QTest::newRow("unsupported format")
            << QStringLiteral("select format(kakaku, 'yyyy/mm/dd') from Master")
            << QStringList{QStringLiteral("Format"), QStringLiteral("yyyy/mm/dd")};
        QTest::newRow("TOP n PERCENT") << QStringLiteral("select top 10 percent bar from Master")
                                       << QStringList{QStringLiteral("top 10 percent")};
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
        QVERIFY2(!QFile::exists(dir.filePath(QStringLiteral("x.db"))), "attach created a file");
    }

    void providerOpensTheDataSourceConnectionString()
    {
        const SettingsFolder settings(dir.path());
        StandardDatabaseProvider databases(settings, openAccessDatabase);
        const auto connection = databases.open(
            QStringLiteral("Provider=Microsoft.Jet.OLEDB.4.0;Data Source=") + products);
        const auto records = connection->openRecordset(
            QStringLiteral("select bar,hi,mei,kakaku from ") + QStringLiteral("Master"),
            CursorKind::StaticRead);
        records->moveLast();
        records->moveFirst();
        QCOMPARE(records->recordCount(), qint64(3));
    }

    void countIsKnownAfterMoveLastAndFirst()
    {
        const auto connection = openAccessDatabase(products);
        const auto records = connection->openRecordset(
            QStringLiteral("select bar, hi, mei, kakaku from Master"), CursorKind::StaticRead);
        QCOMPARE(records->recordCount(), qint64(-1));
        records->moveLast();
        QVERIFY(!records->eof());
        QCOMPARE(records->field(0), FieldValue(QStringLiteral("49123456")));
        records->moveFirst();
        QCOMPARE(records->recordCount(), qint64(3));
        QCOMPARE(records->field(0), FieldValue(QStringLiteral("4901234567894")));
        QCOMPARE(column(*records, 3), (QStringList{QStringLiteral("1000"), QStringLiteral("99.5"),
                                                   QStringLiteral("250")}));
        // Past the end there is no current row, and moveLast comes back to it.
        QVERIFY(errorOf([&] { records->moveNext(); }).contains(QStringLiteral("レコード")));
        QVERIFY(errorOf([&] { records->field(0); }).contains(QStringLiteral("レコード")));
        records->moveLast();
        QCOMPARE(records->field(3), FieldValue(QStringLiteral("250")));
        records->moveNext();
        QVERIFY(records->eof());
        QCOMPARE(records->recordCount(), qint64(3));
    }

    void emptyResultFailsAtMoveLast_data()
    {
        QTest::addColumn<QString>("query");
        QTest::newRow("where matches nothing")
            << QStringLiteral("select bar from Master where 1 = 0");
        QTest::newRow("empty table") << QStringLiteral("select * from Empty");
    }

    void emptyResultFailsAtMoveLast()
    {
        QFETCH(QString, query);
        const auto connection = openAccessDatabase(products);
        const auto records = connection->openRecordset(query, CursorKind::StaticRead);
        QVERIFY(records->eof());
        QVERIFY(errorOf([&] { records->moveLast(); }) != QStringLiteral("(no error)"));
        records->moveFirst();
        QVERIFY(records->eof());
        QCOMPARE(records->recordCount(), qint64(0));
    }

    void everyColumnTypeReadsAsAccessShowsIt()
    {
        const auto connection = openAccessDatabase(allTypes);
        const auto records = connection->openRecordset(QStringLiteral("select * from AllTypes"),
                                                       CursorKind::StaticRead);
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
        QCOMPARE(typical, (QList<FieldValue>{QStringLiteral("7"), QStringLiteral("-1234"),
                                             QStringLiteral("123456789"), QStringLiteral("1234.5"),
                                             QStringLiteral("1.1"), QStringLiteral("0.3"),
                                             QStringLiteral("2024/03/05 9:07:05"),
                                             QStringLiteral("True"), QStringLiteral("ｱｲｳ 漢字 ABC"),
                                             QStringLiteral("メモ 一行目\r\n二行目"),
                                             QStringLiteral("-12.5")}));

        const QList<FieldValue> extremes = row();
        QCOMPARE(extremes.mid(0, 8),
                 (QList<FieldValue>{QStringLiteral("255"), QStringLiteral("-32768"),
                                    QStringLiteral("-2147483648"),
                                    QStringLiteral("922337203685477.5807"),
                                    QStringLiteral("-3.4E+38"), QStringLiteral("0.333333333333333"),
                                    QStringLiteral("23:59:59"), QStringLiteral("False")}));
        QCOMPARE(extremes.at(8), FieldValue(QString(255, QChar(0x9AD9))));
        QVERIFY(extremes.at(9).has_value());
        QCOMPARE(extremes.at(9)->size(), 10'000);
        QVERIFY(extremes.at(9)->startsWith(QStringLiteral("0行目、1行目、")));
        // More digits than a double holds, so it reaches SQLite as text.
        QCOMPARE(extremes.at(10), FieldValue(QStringLiteral("12345678901234.5678")));

        // A null stays null; Yes/No cannot be null and reads as False.
        const QList<FieldValue> nulls = row();
        for (int i = 0; i < nulls.size(); ++i) {
            if (i == 7)
                QCOMPARE(nulls.at(i), FieldValue(QStringLiteral("False")));
            else
                QVERIFY2(!nulls.at(i).has_value(), qPrintable(names.at(i)));
        }
        QVERIFY(records->eof());
    }

    void currencyKeepsItsSmallestUnitThroughOrderBy()
    {
        const auto connection = openAccessDatabase(allTypes);
        const auto records = connection->openRecordset(
            QStringLiteral("select [値段] from [商品 マスタ] order by 1 desc"), CursorKind::Grid);
        QCOMPARE(column(*records, 0), (QStringList{QStringLiteral("0.0001"), QStringLiteral("0")}));
    }

    void recordSetsOutliveTheirConnection()
    {
        auto connection = openAccessDatabase(products);
        const auto first =
            connection->openRecordset(QStringLiteral("select bar from Master"), CursorKind::Grid);
        const auto second = connection->openRecordset(
            QStringLiteral("select bar from Master order by bar"), CursorKind::StaticRead);
        connection.reset();
        // Interleaved scans of the same table do not disturb each other.
        QCOMPARE(first->field(0), FieldValue(QStringLiteral("4901234567894")));
        QCOMPARE(second->field(0), FieldValue(QStringLiteral("4512345678906")));
        first->moveNext();
        second->moveNext();
        QCOMPARE(first->field(0), FieldValue(QStringLiteral("4512345678906")));
        QCOMPARE(second->field(0), FieldValue(QStringLiteral("4901234567894")));
    }

    void gridShowsFirstRowsBeforeReadingTheRest()
    {
        // The last pages are damaged: a grid that read the whole table before
        // showing anything would fail at once instead of showing the start.
        const QString path = dir.filePath(QStringLiteral("tail-damaged.mdb"));
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
            connection->openRecordset(QStringLiteral("select * from Master"), CursorKind::Grid);
        for (int row = 0; row < 50; ++row) {
            QCOMPARE(records->field(QStringLiteral("hi")),
                     FieldValue(QStringLiteral("商品 %1").arg(row)));
            records->moveNext();
        }
        const QString description = errorOf([&] { records->moveLast(); });
        QVERIFY2(description.contains(QStringLiteral("Master")), qPrintable(description));
        QVERIFY2(description.contains(QStringLiteral("壊れて")), qPrintable(description));
    }

    void readingNeverChangesTheFile()
    {
        const QString path = dir.filePath(QStringLiteral("readonly.mdb"));
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
                    QStringLiteral("select * from Master order by kakaku desc"), kind);
                records->moveLast();
                records->moveFirst();
                QCOMPARE(records->recordCount(), qint64(2000));
            }
            errorOf([&] {
                connection->openRecordset(QStringLiteral("delete from Master"),
                                          CursorKind::StaticRead);
            });
            errorOf([&] {
                connection->openRecordset(QStringLiteral("drop table Master"),
                                          CursorKind::StaticRead);
            });
        }
        QCOMPARE(contentHash(path), before);
        QCOMPARE(QFileInfo(path).lastModified().toUTC(), old.toUTC());
    }
};

QTEST_GUILESS_MAIN(TestAccessDatabase)
#include "tst_accessdatabase.moc"
