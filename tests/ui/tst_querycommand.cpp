#include "accessfixtures.h"

#include "../support/savedqueryfile.h"

#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

using namespace hakobee;

namespace {

struct Run
{
    int exitCode = -1;
    QString out;
    QString err;
};

Run runHakobee(const QStringList& arguments)
{
    QProcess process;
    process.start(QStringLiteral(HAKOBEE_EXECUTABLE), arguments);
    process.waitForFinished(60'000);
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            QString::fromUtf8(process.readAllStandardOutput()),
            QString::fromUtf8(process.readAllStandardError())};
}

} // namespace

// `hakobee query` run as operators and support run it: the built program.
class TestQueryCommand : public QObject
{
    Q_OBJECT

    QTemporaryDir dir;
    QString database;

private slots:
    void initTestCase()
    {
        QVERIFY(dir.isValid());
        database = dir.filePath(QStringLiteral("商品.mdb"));
        accessfixtures::writeProducts(
            database,
            {{QStringLiteral("4901234567894"), QStringLiteral("緑茶, 大 \"お徳\""),
              QStringLiteral("ﾘｮｸﾁｬ"), 1234'5000},
             {QStringLiteral("4512345678906"), QStringLiteral("二行の\n品名"), QString(), 1},
             {QStringLiteral("49123456"), QStringLiteral(""), QStringLiteral(" ｹｼｺﾞﾑ"), 0}});
    }

    void printsTheResultAsCsv()
    {
        const Run run = runHakobee(
            {QStringLiteral("query"), QStringLiteral("--db"), database, QStringLiteral("--sql"),
             QStringLiteral("select bar as ﾊﾞｰｺｰﾄﾞ,hi as 品名,mei as 名称,kakaku as 税込売価　from "
                            "Master")});
        QCOMPARE(run.err, QString());
        QCOMPARE(run.exitCode, 0);
        // Null is an empty field, an empty text is "", and a field with a
        // comma, quote, line break or outer blank is quoted.
        QCOMPARE(run.out, QStringLiteral("ﾊﾞｰｺｰﾄﾞ,品名,名称,税込売価\n"
                                         "4901234567894,\"緑茶, 大 \"\"お徳\"\"\",ﾘｮｸﾁｬ,1234.5\n"
                                         "4512345678906,\"二行の\n品名\",,0.0001\n"
                                         "49123456,\"\",\" ｹｼｺﾞﾑ\",0\n"));
    }

    void headerOnlyForAnEmptyResult()
    {
        const Run run =
            runHakobee({QStringLiteral("query"), QStringLiteral("--db"), database,
                        QStringLiteral("--sql"), QStringLiteral("select bar from Empty")});
        QCOMPARE(run.exitCode, 0);
        QCOMPARE(run.out, QStringLiteral("bar\n"));
    }

    void failuresGoToStandardError()
    {
        const Run run =
            runHakobee({QStringLiteral("query"), QStringLiteral("--db"), database,
                        QStringLiteral("--sql"), QStringLiteral("select bar from Mastre")});
        QCOMPARE(run.exitCode, 1);
        QCOMPARE(run.out, QString());
        QVERIFY2(run.err.contains(QStringLiteral("テーブル「Mastre」")), qPrintable(run.err));
        QVERIFY2(run.err.contains(QStringLiteral("no such table")), qPrintable(run.err));

        const Run missing = runHakobee({QStringLiteral("query"), QStringLiteral("--db"),
                                        dir.filePath(QStringLiteral("nothing.mdb")),
                                        QStringLiteral("--sql"), QStringLiteral("select 1")});
        QCOMPARE(missing.exitCode, 1);
        QVERIFY2(missing.err.contains(QStringLiteral("nothing.mdb")), qPrintable(missing.err));
    }

    // --types: one line per column, its name and its Access type.
    void typesNameEachColumnsAccessType()
    {
        const QString allTypes = dir.filePath(QStringLiteral("alltypes.mdb"));
        accessfixtures::writeAllTypes(allTypes);
        const Run run = runHakobee({QStringLiteral("query"), QStringLiteral("--db"), allTypes,
                                    QStringLiteral("--types"), QStringLiteral("--sql"),
                                    QStringLiteral("select *, [Long] + 1 as 次 from AllTypes")});
        QCOMPARE(run.err, QString());
        QCOMPARE(run.exitCode, 0);
        QCOMPARE(run.out, QStringLiteral("Byte,数値型 (バイト型)\n"
                                         "Integer,数値型 (整数型)\n"
                                         "Long,数値型 (長整数型)\n"
                                         "Currency,通貨型\n"
                                         "Single,数値型 (単精度浮動小数点型)\n"
                                         "Double,数値型 (倍精度浮動小数点型)\n"
                                         "DateTime,日付/時刻型\n"
                                         "YesNo,Yes/No 型\n"
                                         "Text,テキスト型 (255)\n"
                                         "Memo,メモ型\n"
                                         "Decimal,数値型 (十進型 精度 18 小数部 4)\n"
                                         "次,(式)\n"));
    }

    // --tables lists the tables, then the saved queries a query can name;
    // those run like tables, and the others say what they are.
    void savedQueriesAreListedAndRun()
    {
        const QString file = dir.filePath(QStringLiteral("queries.mdb"));
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

    void wrongCommandLineShowsUsage()
    {
        const Run run = runHakobee({QStringLiteral("query"), QStringLiteral("--db"), database});
        QCOMPARE(run.exitCode, 2);
        QVERIFY(run.err.contains(QStringLiteral("--sql")));
        QVERIFY(run.err.contains(QStringLiteral("--tables")));
        const Run both = runHakobee(
            {u"query"_qs, u"--db"_qs, database, u"--tables"_qs, u"--sql"_qs, u"select 1"_qs});
        QCOMPARE(both.exitCode, 2);
    }
};

QTEST_GUILESS_MAIN(TestQueryCommand)
#include "tst_querycommand.moc"
