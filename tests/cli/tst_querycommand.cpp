#include "accessfixtures.h"

#include "../support/postgresserver.h"
#include "../support/programrun.h"
#include "../support/psqlodbc.h"
#include "../support/savedqueryfile.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

using namespace hakobee;

namespace {

using Run = test::ProgramRun;

Run runHakobee(const QStringList& arguments,
               const QProcessEnvironment& environment = test::environmentWithoutDisplay())
{
    return test::runToEnd(QStringLiteral(HAKOBEE_EXECUTABLE), arguments, environment);
}

// A command run with the password in PGPASSWORD, as a cron job gives it.
QProcessEnvironment withPassword(const QString& password)
{
    QProcessEnvironment environment = test::environmentWithoutDisplay();
    environment.insert(u"PGPASSWORD"_qs, password);
    return environment;
}

} // namespace

// `hakobee query` run as operators and support run it: the built program.
class TestQueryCommand : public QObject
{
    Q_OBJECT

    QTemporaryDir dir;
    QString database;
    test::PostgresServer postgres;

private slots:
    void initTestCase()
    {
        QVERIFY(dir.isValid());
        database = dir.filePath(u"商品.mdb"_qs);
        accessfixtures::writeProducts(
            database, {{u"4901234567894"_qs, u"緑茶, 大 \"お徳\""_qs, u"ﾘｮｸﾁｬ"_qs, 1234'5000},
                       {u"4512345678906"_qs, u"二行の\n品名"_qs, QString(), 1},
                       {u"49123456"_qs, u""_qs, u" ｹｼｺﾞﾑ"_qs, 0}});
    }

    void printsTheResultAsCsv()
    {
        const Run run =
            runHakobee({u"query"_qs, u"--db"_qs, database, u"--sql"_qs,
                        u"select bar as ﾊﾞｰｺｰﾄﾞ,hi as 品名,mei as 名称,kakaku as 税込売価　from "
                        u"Master"_qs});
        QCOMPARE(run.err, QString());
        QCOMPARE(run.exitCode, 0);
        // Null is an empty field, an empty text is "", and a field with a
        // comma, quote, line break or outer blank is quoted.
        QCOMPARE(run.out, u"ﾊﾞｰｺｰﾄﾞ,品名,名称,税込売価\n"
                          u"4901234567894,\"緑茶, 大 \"\"お徳\"\"\",ﾘｮｸﾁｬ,1234.5\n"
                          u"4512345678906,\"二行の\n品名\",,0.0001\n"
                          u"49123456,\"\",\" ｹｼｺﾞﾑ\",0\n"_qs);
    }

    void headerOnlyForAnEmptyResult()
    {
        const Run run = runHakobee(
            {u"query"_qs, u"--db"_qs, database, u"--sql"_qs, u"select bar from Empty"_qs});
        QCOMPARE(run.exitCode, 0);
        QCOMPARE(run.out, u"bar\n"_qs);
    }

    void failuresGoToStandardError()
    {
        const Run run = runHakobee(
            {u"query"_qs, u"--db"_qs, database, u"--sql"_qs, u"select bar from Mastre"_qs});
        QCOMPARE(run.exitCode, 1);
        QCOMPARE(run.out, QString());
        QVERIFY2(run.err.contains(u"テーブル「Mastre」"_qs), qPrintable(run.err));
        QVERIFY2(run.err.contains(u"no such table"_qs), qPrintable(run.err));

        const Run missing = runHakobee({u"query"_qs, u"--db"_qs, dir.filePath(u"nothing.mdb"_qs),
                                        u"--sql"_qs, u"select 1"_qs});
        QCOMPARE(missing.exitCode, 1);
        QVERIFY2(missing.err.contains(u"nothing.mdb"_qs), qPrintable(missing.err));
    }

    // --types: one line per column, its name and its Access type.
    void typesNameEachColumnsAccessType()
    {
        const QString allTypes = dir.filePath(u"alltypes.mdb"_qs);
        accessfixtures::writeAllTypes(allTypes);
        const Run run = runHakobee({u"query"_qs, u"--db"_qs, allTypes, u"--types"_qs, u"--sql"_qs,
                                    u"select *, [Long] + 1 as 次 from AllTypes"_qs});
        QCOMPARE(run.err, QString());
        QCOMPARE(run.exitCode, 0);
        QCOMPARE(run.out, u"Byte,数値型 (バイト型)\n"
                          u"Integer,数値型 (整数型)\n"
                          u"Long,数値型 (長整数型)\n"
                          u"Currency,通貨型\n"
                          u"Single,数値型 (単精度浮動小数点型)\n"
                          u"Double,数値型 (倍精度浮動小数点型)\n"
                          u"DateTime,日付/時刻型\n"
                          u"YesNo,Yes/No 型\n"
                          u"Text,テキスト型 (255)\n"
                          u"Memo,メモ型\n"
                          u"Decimal,数値型 (十進型 精度 18 小数部 4)\n"
                          u"次,(式)\n"_qs);
    }

    // --tables lists the tables, then the saved queries a query can name;
    // those run like tables, and the others say what they are.
    void savedQueriesAreListedAndRun()
    {
        const QString file = dir.filePath(u"queries.mdb"_qs);
        test::writeSavedQueryFile(file);
        const Run listed = runHakobee({u"query"_qs, u"--db"_qs, file, u"--tables"_qs});
        QCOMPARE(listed.err, QString());
        QCOMPARE(listed.exitCode, 0);
        QCOMPARE(listed.out, u"Master\ttable\nMaker\ttable\nBargains\tquery\n"
                             u"BargainsByPrice\tquery\nメーカー別\tquery\nExtremes\tquery\n"
                             u"Makers\tquery\n"_qs);

        const Run rows = runHakobee({u"query"_qs, u"--db"_qs, file, u"--sql"_qs,
                                     u"select bar, mei, as2 from BargainsByPrice"_qs});
        QCOMPARE(rows.exitCode, 0);
        const QList<test::SavedQueryProduct> p = test::savedQueryProducts();
        QCOMPARE(rows.out, u"bar,mei,as2\n%1,山田特価,150\n%2,佐藤特価,150\n%3,佐藤特価,200\n"
                           u"%4,山田特価,300\n"_qs.arg(p[2].bar, p[3].bar, p[1].bar, p[0].bar));

        const Run refused = runHakobee(
            {u"query"_qs, u"--db"_qs, file, u"--sql"_qs, u"select bar from RaisePrices"_qs});
        QCOMPARE(refused.exitCode, 1);
        QVERIFY2(refused.err.contains(u"クエリ「RaisePrices」は更新クエリです"_qs),
                 qPrintable(refused.err));
    }

    // A folder as the database: its CSV files are its tables.
    void queriesAFolderOfCsvFiles()
    {
        const QString folder = dir.filePath(u"csv"_qs);
        QVERIFY(QDir().mkpath(folder));
        QFile master(folder + u"/Master.csv"_qs);
        QVERIFY(master.open(QIODevice::WriteOnly));
        // 緑茶 and ﾄｸ in Shift-JIS.
        master.write("bar,hi,mei\r\n4901234567894,\x97\xCE\x92\x83,\xC4\xB8\r\n"
                     "4512345678906,coffee,\"a,b\"\r\n");
        master.close();
        const Run run = runHakobee({u"query"_qs, u"--db"_qs, folder, u"--sql"_qs,
                                    u"select bar,hi,mei from Master.csv order by bar"_qs});
        QCOMPARE(run.err, QString());
        QCOMPARE(run.exitCode, 0);
        QCOMPARE(run.out, u"bar,hi,mei\n4512345678906,coffee,\"a,b\"\n4901234567894,緑茶,ﾄｸ\n"_qs);

        const Run types = runHakobee({u"query"_qs, u"--db"_qs, folder, u"--types"_qs, u"--sql"_qs,
                                      u"select bar, bar & hi as both from Master"_qs});
        QCOMPARE(types.out, u"bar,テキスト型\nboth,(式)\n"_qs);

        QVERIFY(QFile(folder + u"/notes.md"_qs).open(QIODevice::WriteOnly));
        const Run tables = runHakobee({u"query"_qs, u"--db"_qs, folder, u"--tables"_qs});
        QCOMPARE(tables.exitCode, 0);
        QCOMPARE(tables.out, u"Master.csv\ttable\n"_qs);
    }

    // A PostgreSQL URI as the database: the server's SQL, its tables and
    // views, the password from PGPASSWORD.
    void queriesAPostgresqlServer()
    {
        HAKOBEE_START_POSTGRES(postgres);
        const Run rows = runHakobee({u"query"_qs, u"--db"_qs, postgres.socketUri(), u"--sql"_qs,
                                     u"select jan, hinmei, meisho, price_numeric from products "
                                     u"where id <= 3 order by id"_qs});
        QCOMPARE(rows.err, QString());
        QCOMPARE(rows.exitCode, 0);
        QCOMPARE(rows.out, u"jan,hinmei,meisho,price_numeric\n4901234567894,緑茶 500ml,ﾘｮｸﾁｬ,128\n"
                           u"4512345678906,コーヒー 微糖,ｺｰﾋｰ,149.5\n49123456,消しゴム,,80\n"_qs);

        // --types: the server's own type names, a computed column's too.
        const Run types =
            runHakobee({u"query"_qs, u"--db"_qs, postgres.socketUri(), u"--types"_qs, u"--sql"_qs,
                        u"select jan, hinmei, price_numeric, updated, "
                        u"price * 2 as twice from products"_qs});
        QCOMPARE(types.err, QString());
        QCOMPARE(types.out, u"jan,bigint\nhinmei,text\nprice_numeric,\"numeric(10,2)\"\n"
                            u"updated,timestamp without time zone\ntwice,integer\n"_qs);

        const Run tables =
            runHakobee({u"query"_qs, u"--db"_qs, postgres.socketUri(), u"--tables"_qs});
        QCOMPARE(tables.exitCode, 0);
        QCOMPARE(tables.out, u"product_labels\tview\nproducts\ttable\n"_qs);
        if (!test::psqlOdbcDriver().isEmpty()) {
            const Run odbc = runHakobee({u"query"_qs, u"--db"_qs,
                                         test::psqlOdbcConnectionString(postgres), u"--tables"_qs});
            QCOMPARE(odbc.err, QString());
            QCOMPARE(odbc.out, tables.out);
        }

        const QStringList count{u"query"_qs, u"--db"_qs, postgres.loopbackUri(), u"--sql"_qs,
                                u"select count(*) from products"_qs};
        const Run wrong = runHakobee(count, withPassword(u"not-it"_qs));
        QCOMPARE(wrong.exitCode, 1);
        QVERIFY2(
            wrong.err.contains(u"認証で断りました"_qs) &&
                wrong.err.contains(u"password authentication failed for user \"labeler\""_qs) &&
                !wrong.err.contains(u"not-it"_qs),
            qPrintable(wrong.err));
        const Run right = runHakobee(count, withPassword(postgres.labelerPassword()));
        QCOMPARE(right.exitCode, 0);
        QCOMPARE(right.out, u"count\n5\n"_qs);

        const Run rejected = runHakobee({u"query"_qs, u"--db"_qs, postgres.socketUri(), u"--sql"_qs,
                                         u"select [jan] from products"_qs});
        QCOMPARE(rejected.exitCode, 1);
        QVERIFY2(rejected.err.contains(u"SQL 文を受け付けません"_qs) &&
                     rejected.err.contains(u"syntax error"_qs),
                 qPrintable(rejected.err));
    }

    void wrongCommandLineShowsUsage()
    {
        const Run run = runHakobee({u"query"_qs, u"--db"_qs, database});
        QCOMPARE(run.exitCode, 2);
        QVERIFY(run.err.contains(u"--sql"_qs));
        QVERIFY(run.err.contains(u"--tables"_qs));
        const Run both = runHakobee(
            {u"query"_qs, u"--db"_qs, database, u"--tables"_qs, u"--sql"_qs, u"select 1"_qs});
        QCOMPARE(both.exitCode, 2);
    }
};

QTEST_GUILESS_MAIN(TestQueryCommand)
#include "tst_querycommand.moc"
