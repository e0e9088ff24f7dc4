// An ODBC data source: the test's own PostgreSQL server
// (support/postgresserver.h) through unixODBC and the PostgreSQL ODBC
// driver, configured in a folder of the test's own, never the machine's.

#include "core/datasource/databaseprovider.h"
#include "core/datasource/datasourcecount.h"
#include "core/datasource/datasourcesettings.h"
#include "core/error.h"
#include "core/printrun/recordgridmodel.h"
#include "core/settings/settingsfolder.h"
#include "platform/serversql/statementcount.h"
#include "platform/textfolder/textfolder.h"
#include "support/psqlodbc.h"
#include "support/queryrows.h"
#include "support/serverseed.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace hakobee;

namespace {

template<typename Body> QString errorOf(Body body)
{
    try {
        body();
    } catch (const Error& error) {
        return error.description();
    }
    return u"(no error)"_qs;
}

bool writeFile(const QString& path, const QString& text)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
           file.write(text.toUtf8()) == text.toUtf8().size();
}

} // namespace

class TestOdbcSource : public QObject
{
    Q_OBJECT

    test::PostgresServer server;
    QTemporaryDir settingsRoot;
    QTemporaryDir odbcFolder; // odbcinst.ini and odbc.ini

    std::unique_ptr<Connection> open(const QString& connectionString)
    {
        const SettingsFolder settings(settingsRoot.path());
        StandardDatabaseProvider databases(settings, openDataSourcePath);
        return databases.open(dataSourceConnectionString(connectionString));
    }

private slots:
    void initTestCase()
    {
        HAKOBEE_START_POSTGRES(server);
        HAKOBEE_REQUIRE_PSQLODBC();
        QVERIFY2(server.runSql(u"CREATE TABLE many AS SELECT n AS id, 'item ' || n AS label "
                               u"FROM generate_series(1, 1234) AS n;"_qs),
                 qPrintable(server.failure()));
        // The driver under its usual name, and the DSN `shop` as an
        // operator configures it, with the password where it belongs.
        QVERIFY(writeFile(odbcFolder.filePath(u"odbcinst.ini"_qs),
                          u"[PostgreSQL Unicode]\nDriver=%1\n"_qs.arg(test::psqlOdbcDriver())));
        QVERIFY(writeFile(
            odbcFolder.filePath(u"odbc.ini"_qs),
            u"[shop]\nDriver=PostgreSQL Unicode\nServername=%1\nPort=%2\n"
            u"Database=shop\nUsername=labeler\n"
            u"[shop-loopback]\nDriver=PostgreSQL Unicode\nServername=127.0.0.1\n"
            u"Port=%2\nDatabase=shop\nUsername=labeler\nPassword=%3\n"_qs.arg(server.socketFolder())
                .arg(server.port())
                .arg(server.labelerPassword())));
        qputenv("ODBCSYSINI", QFile::encodeName(odbcFolder.path()));
        qputenv("ODBCINSTINI", "odbcinst.ini");
        qputenv("ODBCINI", QFile::encodeName(odbcFolder.filePath(u"odbc.ini"_qs)));
    }

    // The connection test's count through a DSN, the fields as the
    // PostgreSQL source prints them, and every row streamed in order.
    void countsAndReadsEveryRowAsThePostgresSourceDoes()
    {
        const SettingsFolder settings(settingsRoot.path());
        StandardDatabaseProvider databases(settings, openDataSourcePath);
        QCOMPARE(
            countDataSourceRecords(databases, {u"DSN=shop"_qs, u"many"_qs, u"select id from "_qs}),
            1234);
        QCOMPARE(countDataSourceRecords(
                     databases, {u"DSN=shop-loopback"_qs, u"products"_qs, u"select * from "_qs}),
                 5);

        const auto connection = open(u"Driver={PostgreSQL Unicode};Servername=%1;Port=%2;"
                                     u"Database=shop;UID=labeler"_qs.arg(server.socketFolder())
                                         .arg(server.port()));
        QCOMPARE(test::joinedQueryRows(*connection, test::seededProductsQuery),
                 test::seededProductTexts());
        QCOMPARE(test::joinedQueryRows(*connection, u"select 1.5::real, 0.1::float8, "
                                                    u"'09:07:05'::time, '2024-03-05'::date, "
                                                    u"repeat('長', 3000) = repeat('長', 3000)"_qs),
                 QStringList{u"1.5|0.1|9:07:05|2024/03/05|True"_qs});
        QCOMPARE(test::queryRows(*connection, u"select repeat('長い', 1500)"_qs)
                     .value(0)
                     .value(0)
                     .size(),
                 3000);

        const QString streamed = test::manyRowsStreamInOrder(*connection);
        QVERIFY2(streamed.isEmpty(), qPrintable(streamed));

        const auto grid =
            openRecordGrid(databases, u"DSN=shop"_qs, u"select id, label from many order by id"_qs);
        QCOMPARE(grid->rowCount(), RecordGridModel::batchRows);
        while (grid->canFetchMore())
            grid->fetchMore();
        QCOMPARE(grid->rowCount(), 1234);
        QCOMPARE(grid->data(grid->index(1233, 1)).toString(), u"item 1234"_qs);
    }

    void selectTextsRefused_data()
    {
        QTest::addColumn<QString>("query");
        QTest::addColumn<QString>("sentence");
        QTest::addColumn<QString>("driver");
        QTest::newRow("missing table")
            << u"select jan from product"_qs
            << u"SQL 文のテーブルはODBC データソース「shop」のデータベース「shop」にありません"_qs
            << u"relation \"product\" does not exist"_qs;
        QTest::newRow("missing column") << u"select bar from products"_qs << u"SQL 文の列は"_qs
                                        << u"column \"bar\" does not exist"_qs;
        QTest::newRow("two statements")
            << u"select jan from products; delete from products"_qs
            << u"SQL 文が 2 つ以上あります。実行できるのは SELECT 文 1 つだけです。"_qs
            << QString();
        QTest::newRow("delete") << u"delete from products"_qs << u"読み取り専用で接続しています"_qs
                                << u"cannot execute DELETE in a read-only transaction"_qs;
        QTest::newRow("select for update") << u"select jan from products for update"_qs
                                           << u"読み取り専用で接続しています"_qs << u"(25006)"_qs;
        // psqlODBC reads through a cursor, which the server refuses to
        // declare for it.
        QTest::newRow("update in a with")
            << u"with changed as (update products set price = 0 returning *) "
               u"select * from changed"_qs
            << u"が SQL 文を受け付けません"_qs << u"data-modifying statements in WITH"_qs;
        QTest::newRow("session made writable")
            << u"set default_transaction_read_only = off"_qs
            << u"ラベルのデータになるのは SELECT 文の結果だけです"_qs << QString();
    }

    // Each refusal says what is wrong with the driver's own message, runs
    // none of a text of two statements, and leaves the table untouched.
    void selectTextsRefused()
    {
        QFETCH(QString, query);
        QFETCH(QString, sentence);
        QFETCH(QString, driver);
        const auto connection = open(u"DSN=shop"_qs);
        const QString error =
            errorOf([&] { connection->openRecordset(query, CursorKind::StaticRead); });
        QVERIFY2(error.contains(sentence) && error.contains(driver), qPrintable(error));
        // The same connection's next record set is read-only still.
        QVERIFY(errorOf([&] {
                    connection->openRecordset(u"delete from many"_qs, CursorKind::StaticRead);
                }).contains(u"読み取り専用"_qs));
        QString table;
        QVERIFY2(server.runSql(u"select count(*), sum(price) from products;"_qs, &table),
                 qPrintable(server.failure()));
        QCOMPARE(table.trimmed(), u"5|1638"_qs);
    }

    void semicolonsThatEndNoStatement_data()
    {
        QTest::addColumn<QString>("query");
        QTest::addColumn<bool>("several");
        QTest::newRow("one, ended") << u"select 1;  -- last\n; "_qs << false;
        QTest::newRow("in quotes") << u"select ';', 'it''s;' as \"a;b\", [c;d] from t"_qs << false;
        QTest::newRow("in comments") << u"select 1 /* a; b */ from t -- c; d"_qs << false;
        QTest::newRow("dollar quoted") << u"select $x$;$x$, $$a;b$$, $1 from t"_qs << false;
        QTest::newRow("second") << u"select 1;select 2"_qs << true;
        QTest::newRow("after a quote") << u"select 'a'; 'b'"_qs << true;
        QTest::newRow("after a comment") << u"select 1; /* x */ delete from t"_qs << true;
    }

    // What is quoted or commented out never ends the statement.
    void semicolonsThatEndNoStatement()
    {
        QFETCH(QString, query);
        QFETCH(bool, several);
        QCOMPARE(hasSeveralStatements(query), several);
    }

    // Failures to connect say which driver, data source or database, with
    // the driver manager's words, and never the password.
    void connectionFailuresNameWhatIsMissing()
    {
        const QString noDriver =
            errorOf([&] { open(test::psqlOdbcConnectionString(server, u"{Sybase Gone 9}"_qs)); });
        QVERIFY2(
            noDriver.contains(u"ODBCドライバー「Sybase Gone 9」がインストールされていません"_qs) &&
                noDriver.contains(u"[unixODBC][Driver Manager]"_qs),
            qPrintable(noDriver));
        const QString noLibrary = errorOf(
            [&] { open(test::psqlOdbcConnectionString(server, u"/nowhere/libgone.so"_qs)); });
        QVERIFY2(noLibrary.contains(
                     u"ODBCドライバー「/nowhere/libgone.so」がインストールされていません"_qs) &&
                     noLibrary.contains(u"Can't open lib"_qs),
                 qPrintable(noLibrary));
        const QString noSource = errorOf([&] { open(u"DSN=nowhere"_qs); });
        QVERIFY2(noSource.contains(u"ODBC データソース「nowhere」がありません"_qs),
                 qPrintable(noSource));
        const QString noDatabase = errorOf([&] {
            open(test::psqlOdbcConnectionString(server).replace(u"Database=shop"_qs,
                                                                u"Database=nowhere"_qs));
        });
        QVERIFY2(noDatabase.contains(u"のデータベース「nowhere」はありません"_qs) &&
                     noDatabase.contains(u"database \"nowhere\" does not exist"_qs),
                 qPrintable(noDatabase));
        const QString refused = errorOf([&] {
            open(u"Driver={PostgreSQL Unicode};Servername=127.0.0.1;Port=%1;Database=shop;"
                 u"UID=labeler"_qs.arg(server.port()));
        });
        QVERIFY2(refused.contains(u"サーバー「127.0.0.1:%1」のデータベース「shop」への接続を、"
                                  u"サーバーがユーザーの認証で断りました"_qs.arg(server.port())),
                 qPrintable(refused));
    }

    // The server stopped under a record set: reading on fails after the
    // driver's block of rows, as a lost connection.
    void aStoppedServerIsALostConnection()
    {
        const auto connection = open(u"DSN=shop"_qs);
        const auto records = connection->openRecordset(u"select id from many order by id"_qs,
                                                       CursorKind::StaticRead);
        server.stop();
        qint64 read = 0;
        const QString lost = errorOf([&] {
            for (; !records->eof(); records->moveNext())
                ++read;
        });
        QCOMPARE(read, 500);
        QVERIFY2(lost.contains(
                     u"ODBC データソース「shop」のデータベース「shop」との接続が切れました"_qs),
                 qPrintable(lost));
        const QString unreachable = errorOf([&] { open(u"DSN=shop"_qs); });
        QVERIFY2(unreachable.contains(u"ODBC データソース「shop」に接続できません"_qs),
                 qPrintable(unreachable));
        QVERIFY2(server.start(), qPrintable(server.failure()));
    }
};

QTEST_GUILESS_MAIN(TestOdbcSource)
#include "tst_odbcsource.moc"
