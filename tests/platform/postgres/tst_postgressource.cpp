// A PostgreSQL product master as the data source, against a real server of
// the test's own (support/postgresserver.h).

#include "core/datasource/databaseprovider.h"
#include "core/datasource/datasourcecount.h"
#include "core/datasource/datasourcesettings.h"
#include "core/error.h"
#include "core/printrun/recordgridmodel.h"
#include "core/settings/settingsfolder.h"
#include "platform/textfolder/textfolder.h"
#include "support/postgresserver.h"
#include "support/queryrows.h"
#include "support/serverseed.h"

#include <QTemporaryDir>
#include <QTest>

using namespace hakobee;

namespace {

// The description of the hakobee::Error the body throws.
template<typename Body> QString errorOf(Body body)
{
    try {
        body();
    } catch (const Error& error) {
        return error.description();
    }
    return u"(no error)"_qs;
}

// PGPASSWORD as a command run's environment gives it, for one scope.
class PasswordInEnvironment
{
public:
    explicit PasswordInEnvironment(const QString& password)
    {
        qputenv("PGPASSWORD", password.toUtf8());
    }
    ~PasswordInEnvironment() { qunsetenv("PGPASSWORD"); }
};

} // namespace

class TestPostgresSource : public QObject
{
    Q_OBJECT

    test::PostgresServer server;
    QTemporaryDir settingsRoot;

    // The database the URI names, opened as the program opens a data
    // source: through the provider, the URI as the DB of the data source.
    std::unique_ptr<Connection> open(const QString& uri)
    {
        const SettingsFolder settings(settingsRoot.path());
        StandardDatabaseProvider databases(settings, openDataSourcePath);
        return databases.open(dataSourceConnectionString(uri));
    }

private slots:
    void initTestCase()
    {
        HAKOBEE_START_POSTGRES(server);
        // More rows than the first blocks the cursor fetches.
        QVERIFY2(server.runSql(u"CREATE TABLE many AS SELECT n AS id, 'item ' || n AS label "
                               u"FROM generate_series(1, 1234) AS n;"_qs),
                 qPrintable(server.failure()));
    }

    // Integers and texts exactly, a null as a null, and the types that Access
    // shows otherwise as Access shows them.
    void fieldsAreTheServersValuesAsLabelsPrintThem()
    {
        const auto connection = open(server.socketUri());
        QCOMPARE(test::joinedQueryRows(*connection, test::seededProductsQuery),
                 test::seededProductTexts());
        const auto records = connection->openRecordset(
            u"select jan as ﾊﾞｰｺｰﾄﾞ, hinmei as 品名 from products where id = 4"_qs,
            CursorKind::Grid);
        QCOMPARE(records->fieldName(1), u"品名"_qs);
        QCOMPARE(records->field(u"ﾊﾞｰｺｰﾄﾞ"_qs), FieldValue(u"4987654321094"_qs));
        QCOMPARE(test::joinedQueryRows(*connection, u"select 1.5::real, 0.1::float8, "
                                                    u"'09:07:05'::time, '\\x0aff'::bytea"_qs),
                 QStringList{u"1.5|0.1|9:07:05|0AFF"_qs});
    }

    // The count of the connection test, and every row streamed past the
    // first blocks, in order; the last row read after the count.
    void countsAndStreamsEveryRow()
    {
        const SettingsFolder settings(settingsRoot.path());
        StandardDatabaseProvider databases(settings, openDataSourcePath);
        QCOMPARE(countDataSourceRecords(databases,
                                        {server.socketUri(), u"many"_qs, u"select id from "_qs}),
                 1234);

        const auto connection = open(server.socketUri());
        const QString streamed = test::manyRowsStreamInOrder(*connection);
        QVERIFY2(streamed.isEmpty(), qPrintable(streamed));

        const auto empty = connection->openRecordset(u"select id from many where id < 0"_qs,
                                                     CursorKind::StaticRead);
        QVERIFY(empty->eof());
        QCOMPARE(errorOf([&] { empty->moveLast(); }), u"該当するレコードがありません。"_qs);
    }

    // The run screens' grid shows the first rows at once and reads on as it
    // scrolls, through to the last row.
    void theGridReadsRowsAsItScrolls()
    {
        const SettingsFolder settings(settingsRoot.path());
        StandardDatabaseProvider databases(settings, openDataSourcePath);
        const auto grid = openRecordGrid(databases, server.socketUri(),
                                         u"select id, label from many order by id"_qs);
        QCOMPARE(grid->rowCount(), RecordGridModel::batchRows);
        while (grid->canFetchMore())
            grid->fetchMore();
        QCOMPARE(grid->rowCount(), 1234);
        QCOMPARE(grid->data(grid->index(1233, 1)).toString(), u"item 1234"_qs);
    }

    // While a record set is open its session holds nothing the shop's other
    // users wait for, and the server lists it as hakobee.
    void anOpenRecordSetBlocksNoWriter()
    {
        const auto connection = open(server.socketUri());
        const auto records =
            connection->openRecordset(u"select * from products"_qs, CursorKind::Grid);
        QVERIFY(!records->eof());
        QString sessions;
        QVERIFY2(server.runSql(u"SET lock_timeout = '5s';"
                               u"UPDATE products SET price = price WHERE id = 1;"
                               u"INSERT INTO many VALUES (5000, 'new');"
                               u"DELETE FROM many WHERE id = 5000;"
                               // DISTINCT: the session of a record set closed
                               // just before may still be on its way out.
                               u"SELECT DISTINCT state FROM pg_stat_activity "
                               u"WHERE application_name = 'hakobee';"_qs,
                               &sessions),
                 qPrintable(server.failure()));
        QCOMPARE(sessions.trimmed(), u"idle in transaction"_qs);
    }

    void selectTextsTheServerRefuses_data()
    {
        QTest::addColumn<QString>("query");
        QTest::addColumn<QString>("sentence");
        QTest::addColumn<QString>("server");
        QTest::newRow("missing table") << u"select jan from product"_qs << u"SQL 文のテーブルは"_qs
                                       << u"relation \"product\" does not exist (42P01)"_qs;
        QTest::newRow("missing column") << u"select bar from products"_qs << u"SQL 文の列は"_qs
                                        << u"column \"bar\" does not exist (42703)"_qs;
        QTest::newRow("Jet brackets")
            << u"select [jan] from products"_qs << u"SQL 文を受け付けません"_qs
            << u"syntax error at or near \"[\" (42601)"_qs;
        QTest::newRow("two statements")
            << u"select jan from products; select 1"_qs << u"SQL 文が 2 つ以上あります"_qs
            << u"cannot insert multiple commands into a prepared statement"_qs;
        QTest::newRow("delete") << u"delete from products"_qs << u"読み取り専用で接続しています"_qs
                                << u"cannot execute DELETE in a read-only transaction (25006)"_qs;
        QTest::newRow("update in a with")
            << u"with changed as (update products set price = 0 returning *) "
               u"select * from changed"_qs
            << u"読み取り専用で接続しています"_qs << u"in a read-only transaction (25006)"_qs;
        QTest::newRow("select for update")
            << u"select jan from products for update"_qs << u"読み取り専用で接続しています"_qs
            << u"in a read-only transaction (25006)"_qs;
    }

    // Each refusal names the server and database with the server's own
    // message, and leaves the session usable and the table untouched.
    void selectTextsTheServerRefuses()
    {
        QFETCH(QString, query);
        QFETCH(QString, sentence);
        QFETCH(QString, server);
        const auto connection = open(this->server.socketUri());
        const QString error =
            errorOf([&] { connection->openRecordset(query, CursorKind::StaticRead); });
        QVERIFY2(error.contains(sentence) && error.contains(server), qPrintable(error));
        if (!sentence.contains(u"読み取り専用"_qs) && !sentence.contains(u"2 つ"_qs))
            QVERIFY2(error.contains(u"のデータベース「shop」"_qs), qPrintable(error));
        QCOMPARE(
            test::joinedQueryRows(*connection, u"select count(*), sum(price) from products"_qs),
            QStringList{u"5|1638"_qs});
    }

    void connectionFailuresNameTheServerAndDatabase()
    {
        const QString loopback = u"127.0.0.1:%1"_qs.arg(server.port());
        {
            const PasswordInEnvironment password(u"wrong-secret"_qs);
            const QString refused = errorOf([&] { open(server.loopbackUri()); });
            QVERIFY2(
                refused.contains(u"認証で断りました"_qs) &&
                    refused.contains(u"サーバー「%1」のデータベース「shop」"_qs.arg(loopback)) &&
                    refused.contains(u"password authentication failed"_qs) &&
                    !refused.contains(u"wrong-secret"_qs),
                qPrintable(refused));
        }
        {
            const PasswordInEnvironment password(server.labelerPassword());
            QCOMPARE(test::joinedQueryRows(*open(server.loopbackUri()),
                                           u"select current_user, count(*) from products"_qs),
                     QStringList{u"labeler|5"_qs});
        }
        const QString missing = errorOf([&] { open(server.socketUri(u"nowhere"_qs)); });
        QVERIFY2(missing.contains(u"データベース「nowhere」はありません"_qs) &&
                     missing.contains(u"database \"nowhere\" does not exist"_qs),
                 qPrintable(missing));
        const QString malformed =
            errorOf([&] { open(u"postgresql://db.example/shop?sslmod=require"_qs); });
        QVERIFY2(malformed.contains(u"URI を読めません"_qs) && malformed.contains(u"sslmod"_qs),
                 qPrintable(malformed));
    }

    // The server stopped under a record set: reading on fails at the first
    // row that was still on the server; a stopped server cannot be reached;
    // started again it serves.
    void aStoppedServer()
    {
        const auto connection = open(server.socketUri());
        const auto records = connection->openRecordset(u"select id from many order by id"_qs,
                                                       CursorKind::StaticRead);
        server.stop();
        qint64 read = 0;
        const QString lost = errorOf([&] {
            for (; !records->eof(); records->moveNext())
                ++read;
        });
        QCOMPARE(read, 100);
        QVERIFY2(lost.contains(u"との接続が切れました"_qs) && lost.contains(u"「shop」"_qs),
                 qPrintable(lost));

        const QString unreachable = errorOf([&] { open(server.socketUri()); });
        QVERIFY2(unreachable.contains(u"に接続できません"_qs) &&
                     unreachable.contains(server.socketFolder()) &&
                     unreachable.contains(u"No such file or directory"_qs),
                 qPrintable(unreachable));
        const QString refused =
            errorOf([&] { open(u"postgresql://labeler@127.0.0.1:%1/shop"_qs.arg(server.port())); });
        QVERIFY2(refused.contains(u"に接続できません"_qs) &&
                     refused.contains(u"Connection refused"_qs),
                 qPrintable(refused));

        QVERIFY2(server.start(), qPrintable(server.failure()));
        QCOMPARE(test::joinedQueryRows(*open(server.socketUri()), u"select count(*) from many"_qs),
                 QStringList{u"1234"_qs});
    }
};

QTEST_GUILESS_MAIN(TestPostgresSource)
#include "tst_postgressource.moc"
