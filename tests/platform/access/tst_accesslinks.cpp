// Split databases: tables a front end links from other Access files are read
// from those files under the link's name; links that cannot be read say why
// when the table is used, and leave the front end's other tables usable.
#include "splitdatabases.h"

#include "core/error.h"
#include "mdbwriter/tablelink.h"
#include "platform/access/accessdatabase.h"
#include "platform/access/accessfile.h"
#include "platform/access/accesssession.h"
#include "support/queryrows.h"
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

const QString productQuery = u"select bar, hi, mei, as2 from Master"_qs;

template<typename Body> QString errorOf(Body body)
{
    try {
        body();
    } catch (const Error& error) {
        return error.description();
    }
    return u"(no error)"_qs;
}

QStringList rowsOf(Connection& connection, const QString& query)
{
    return test::joinedQueryRows(connection, query);
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
            u"select bar, as2 from Master where as2 > 0"_qs, CursorKind::Grid);
        records->moveLast();
        QCOMPARE(records->recordCount(), 12);
        QCOMPARE(accessColumnType(*records, 0), u"テキスト型 (50)"_qs);
        QCOMPARE(accessColumnType(*records, 1), u"通貨型"_qs);
        // The front end's own table beside it, and joined with it.
        QCOMPARE(rowsOf(*connection, u"select count(*) from Master, Shelf "
                                     u"where Shelf.code = 7"_qs),
                 QStringList{u"12"_qs});
        // The name the table has in the back end is not one of the front end.
        QVERIFY(errorOf([&] {
                    rowsOf(*connection, u"select * from 商品マスタ"_qs);
                }).contains(u"テーブル「商品マスタ」はデータベースファイル"_qs));
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
        QCOMPARE(rowsOf(*connection, u"select code from Shelf"_qs), QStringList{u"7"_qs});
    }

    // What the front end's catalog says of each link, for listing them.
    void linksListWhatTheyStore()
    {
        QTemporaryDir dir;
        const QString front = dir.filePath(u"front.mdb"_qs);
        const QString odbc = u"ODBC;DSN=在庫;DATABASE=stock"_qs;
        mdbwriter::writeDatabase(
            front, {},
            {{u"Master"_qs,
              u"C:\\データ\\back.mdb"_qs,
              u"商品"_qs,
              {},
              TableLink::Kind::AccessFile},
             {u"在庫"_qs, {}, u"dbo.Stock"_qs, odbc, TableLink::Kind::Odbc},
             {u"Sheet"_qs, u"C:\\データ\\price.xls"_qs, u"Sheet1$"_qs,
              u"Excel 8.0;HDR=YES;DATABASE=C:\\データ\\price.xls"_qs, TableLink::Kind::AccessFile},
             {u"Old"_qs,
              {},
              u"Items"_qs,
              u";DATABASE=C:\\データ\\old.mdb"_qs,
              TableLink::Kind::AccessFile}});
        const auto file = AccessFile::open(front);
        QVERIFY(file->tables().isEmpty());
        const QList<AccessLinkEntry>& links = file->links();
        QCOMPARE(links.size(), 4);
        QCOMPARE(links[0].name, u"Master"_qs);
        QCOMPARE(links[0].database, u"C:\\データ\\back.mdb"_qs);
        QCOMPARE(links[0].foreignName, u"商品"_qs);
        QCOMPARE(links[0].connect, QString());
        QCOMPARE(links[0].kind, AccessLinkEntry::Kind::AccessFile);
        QCOMPARE(links[1].name, u"在庫"_qs);
        QCOMPARE(links[1].connect, odbc);
        QCOMPARE(links[1].foreignName, u"dbo.Stock"_qs);
        QCOMPARE(links[1].kind, AccessLinkEntry::Kind::Odbc);
        QCOMPARE(links[2].kind, AccessLinkEntry::Kind::OtherSource);
        // Without a Database column value, the connect string's.
        QCOMPARE(links[3].database, u"C:\\データ\\old.mdb"_qs);
        QCOMPARE(links[3].kind, AccessLinkEntry::Kind::AccessFile);

        const auto connection = openAccessDatabase(front);
        const QString excel = errorOf([&] { rowsOf(*connection, u"select * from Sheet"_qs); });
        QVERIFY2(excel.contains(u"「Sheet」"_qs) && excel.contains(u"Excel 8.0"_qs),
                 qPrintable(excel));
        const QString old = errorOf([&] { rowsOf(*connection, u"select * from Old"_qs); });
        QVERIFY2(old.contains(u"C:\\データ\\old.mdb"_qs), qPrintable(old));
    }

    // Several links into one back end open it once, however their paths
    // spell it (here through a folder link); a copy whose name differs from
    // the link's only in case is the file Windows would open.
    void oneBackEndOpenedOnceForSeveralLinks()
    {
        QTemporaryDir dir;
        const QString back = dir.filePath(u"Back.mdb"_qs);
        mdbwriter::writeDatabase(back, {testdata::generatedProductsTable(u"A"_qs, 2),
                                        testdata::generatedProductsTable(u"B"_qs, 3)});
        QVERIFY(QFile::link(dir.path(), dir.filePath(u"share"_qs)));
        const QString front = dir.filePath(u"front.mdb"_qs);
        mdbwriter::writeDatabase(
            front, {},
            {{u"First"_qs, u"C:\\x\\BACK.MDB"_qs, u"a"_qs, {}, TableLink::Kind::AccessFile},
             {u"Second"_qs,
              dir.filePath(u"share/Back.mdb"_qs),
              u"B"_qs,
              {},
              TableLink::Kind::AccessFile},
             {u"Third"_qs, u"Back.mdb"_qs, u"B"_qs, {}, TableLink::Kind::AccessFile}});
        const auto session = AccessSession::open(front);
        QCOMPARE(session->linkedTables->openFileCount(), 1);
        QVERIFY(session->damagedTables.isEmpty());
        const auto connection = openAccessDatabase(front);
        QCOMPARE(rowsOf(*connection, u"select (select count(*) from First), "
                                     u"(select count(*) from Second), "
                                     u"(select count(*) from Third)"_qs),
                 QStringList{u"2|3|3"_qs});
    }
};

QTEST_GUILESS_MAIN(TestAccessLinks)
#include "tst_accesslinks.moc"
