// Split databases: tables a front end links from other Access files are read
// from those files under the link's name; links that cannot be read say why
// when the table is used, and leave the front end's other tables usable.
#include "splitdatabases.h"

#include "core/error.h"
#include "mdbwriter/tablelink.h"
#include "platform/access/accessdatabase.h"
#include "platform/access/accessfile.h"
#include "platform/access/accesssession.h"
#include "testdata/generatedproducts.h"
#include "testdata/productstable.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace hakobee;
using accessfixtures::LinkForm;
using mdbwriter::TableLink;

Q_DECLARE_METATYPE(accessfixtures::LinkForm)

namespace {

const QString productQuery = QStringLiteral("select bar, hi, mei, as2 from Master");

template<typename Body> QString errorOf(Body body)
{
    try {
        body();
    } catch (const Error& error) {
        return error.description();
    }
    return QStringLiteral("(no error)");
}

QStringList rowsOf(Connection& connection, const QString& query)
{
    QStringList rows;
    const auto records = connection.openRecordset(query, CursorKind::StaticRead);
    for (; !records->eof(); records->moveNext()) {
        QStringList fields;
        for (int i = 0; i < records->fieldCount(); ++i)
            fields << records->field(i).value_or(QStringLiteral("(null)"));
        rows << fields.join(QLatin1Char('|'));
    }
    return rows;
}

QStringList generatedRows(qint64 count)
{
    QStringList rows;
    for (qint64 row = 0; row < count; ++row) {
        const testdata::GeneratedProduct product = testdata::generatedProduct(row);
        rows << QStringList{product.barcode, product.itemName, product.name,
                            QString::number(product.priceTimes10000 / 10000)}
                    .join(QLatin1Char('|'));
    }
    return rows;
}

} // namespace

class TestAccessLinks : public QObject
{
    Q_OBJECT

private slots:
    void linkedTableReadsUnderItsLinkName_data()
    {
        QTest::addColumn<LinkForm>("form");
        QTest::newRow("Windows path, back end beside") << LinkForm::BackEndBeside;
        QTest::newRow("stored path exists") << LinkForm::StoredPathExists;
        QTest::newRow("through a link in the back end") << LinkForm::ThroughASecondLink;
    }
    void linkedTableReadsUnderItsLinkName()
    {
        QFETCH(LinkForm, form);
        QTemporaryDir dir;
        const auto split = accessfixtures::writeSplitDatabase(dir.path(), form, 12);
        const auto connection = openAccessDatabase(split.frontEnd);

        QCOMPARE(rowsOf(*connection, productQuery), generatedRows(12));
        const auto records = connection->openRecordset(
            QStringLiteral("select bar, as2 from Master where as2 > 0"), CursorKind::Grid);
        records->moveLast();
        QCOMPARE(records->recordCount(), 12);
        QCOMPARE(accessColumnType(*records, 0), QStringLiteral("テキスト型 (50)"));
        QCOMPARE(accessColumnType(*records, 1), QStringLiteral("通貨型"));
        // The front end's own table beside it, and joined with it.
        QCOMPARE(rowsOf(*connection, QStringLiteral("select count(*) from Master, Shelf "
                                                    "where Shelf.code = 7")),
                 QStringList{QStringLiteral("12")});
        // The name the table has in the back end is not one of the front end.
        QVERIFY(errorOf([&] {
                    rowsOf(*connection, QStringLiteral("select * from 商品マスタ"));
                }).contains(QStringLiteral("テーブル「商品マスタ」はデータベースファイル")));
    }

    void unreadableLinkSaysWhyWhenUsed_data()
    {
        QTest::addColumn<LinkForm>("form");
        QTest::newRow("linked file missing") << LinkForm::BackEndMissing;
        QTest::newRow("ODBC link") << LinkForm::OdbcLink;
        QTest::newRow("back end lacks the table") << LinkForm::BackEndLacksTable;
        QTest::newRow("back end damaged") << LinkForm::BackEndDamaged;
        QTest::newRow("links in a circle") << LinkForm::CircularLinks;
    }
    void unreadableLinkSaysWhyWhenUsed()
    {
        QFETCH(LinkForm, form);
        QTemporaryDir dir;
        const auto split = accessfixtures::writeSplitDatabase(dir.path(), form);
        const auto connection = openAccessDatabase(split.frontEnd);

        const QString failure = errorOf([&] { rowsOf(*connection, productQuery); });
        for (const QString& name : split.failureNames)
            QVERIFY2(failure.contains(name), qPrintable(name + QLatin1String(": ") + failure));
        QVERIFY2(!failure.contains(accessfixtures::odbcPassword()), qPrintable(failure));
        QVERIFY2(!failure.contains(QLatin1String("no such table")), qPrintable(failure));
        QCOMPARE(rowsOf(*connection, QStringLiteral("select code from Shelf")),
                 QStringList{QStringLiteral("7")});
    }

    // What the front end's catalog says of each link, for listing them.
    void linksListWhatTheyStore()
    {
        QTemporaryDir dir;
        const QString front = dir.filePath(QStringLiteral("front.mdb"));
        const QString odbc = QStringLiteral("ODBC;DSN=在庫;DATABASE=stock");
        mdbwriter::writeDatabase(
            front, {},
            {{QStringLiteral("Master"),
              QStringLiteral("C:\\データ\\back.mdb"),
              QStringLiteral("商品"),
              {},
              TableLink::Kind::AccessFile},
             {QStringLiteral("在庫"), {}, QStringLiteral("dbo.Stock"), odbc, TableLink::Kind::Odbc},
             {QStringLiteral("Sheet"), QStringLiteral("C:\\データ\\price.xls"),
              QStringLiteral("Sheet1$"),
              QStringLiteral("Excel 8.0;HDR=YES;DATABASE=C:\\データ\\price.xls"),
              TableLink::Kind::AccessFile},
             {QStringLiteral("Old"),
              {},
              QStringLiteral("Items"),
              QStringLiteral(";DATABASE=C:\\データ\\old.mdb"),
              TableLink::Kind::AccessFile}});
        const auto file = AccessFile::open(front);
        QVERIFY(file->tables().isEmpty());
        const QList<AccessLinkEntry>& links = file->links();
        QCOMPARE(links.size(), 4);
        QCOMPARE(links[0].name, QStringLiteral("Master"));
        QCOMPARE(links[0].database, QStringLiteral("C:\\データ\\back.mdb"));
        QCOMPARE(links[0].foreignName, QStringLiteral("商品"));
        QCOMPARE(links[0].connect, QString());
        QCOMPARE(links[0].kind, AccessLinkEntry::Kind::AccessFile);
        QCOMPARE(links[1].name, QStringLiteral("在庫"));
        QCOMPARE(links[1].connect, odbc);
        QCOMPARE(links[1].foreignName, QStringLiteral("dbo.Stock"));
        QCOMPARE(links[1].kind, AccessLinkEntry::Kind::Odbc);
        QCOMPARE(links[2].kind, AccessLinkEntry::Kind::OtherSource);
        // Without a Database column value, the connect string's.
        QCOMPARE(links[3].database, QStringLiteral("C:\\データ\\old.mdb"));
        QCOMPARE(links[3].kind, AccessLinkEntry::Kind::AccessFile);

        const auto connection = openAccessDatabase(front);
        const QString excel =
            errorOf([&] { rowsOf(*connection, QStringLiteral("select * from Sheet")); });
        QVERIFY2(excel.contains(QStringLiteral("「Sheet」")) &&
                     excel.contains(QStringLiteral("Excel 8.0")),
                 qPrintable(excel));
        const QString old =
            errorOf([&] { rowsOf(*connection, QStringLiteral("select * from Old")); });
        QVERIFY2(old.contains(QStringLiteral("C:\\データ\\old.mdb")), qPrintable(old));
    }

    // Several links into one back end open it once, however their paths
    // spell it (here through a folder link); a copy whose name differs from
    // the link's only in case is the file Windows would open.
    void oneBackEndOpenedOnceForSeveralLinks()
    {
        QTemporaryDir dir;
        const QString back = dir.filePath(QStringLiteral("Back.mdb"));
        mdbwriter::writeDatabase(back, {testdata::generatedProductsTable(QStringLiteral("A"), 2),
                                        testdata::generatedProductsTable(QStringLiteral("B"), 3)});
        QVERIFY(QFile::link(dir.path(), dir.filePath(QStringLiteral("share"))));
        const QString front = dir.filePath(QStringLiteral("front.mdb"));
        mdbwriter::writeDatabase(front, {},
                                 {{QStringLiteral("First"),
                                   QStringLiteral("C:\\x\\BACK.MDB"),
                                   QStringLiteral("a"),
                                   {},
                                   TableLink::Kind::AccessFile},
                                  {QStringLiteral("Second"),
                                   dir.filePath(QStringLiteral("share/Back.mdb")),
                                   QStringLiteral("B"),
                                   {},
                                   TableLink::Kind::AccessFile},
                                  {QStringLiteral("Third"),
                                   QStringLiteral("Back.mdb"),
                                   QStringLiteral("B"),
                                   {},
                                   TableLink::Kind::AccessFile}});
        const auto session = AccessSession::open(front);
        QCOMPARE(session->linkedTables->openFileCount(), 1);
        QVERIFY(session->damagedTables.isEmpty());
        const auto connection = openAccessDatabase(front);
        QCOMPARE(rowsOf(*connection, QStringLiteral("select (select count(*) from First), "
                                                    "(select count(*) from Second), "
                                                    "(select count(*) from Third)")),
                 QStringList{QStringLiteral("2|3|3")});
    }
};

QTEST_GUILESS_MAIN(TestAccessLinks)
#include "tst_accesslinks.moc"
