// Saved queries of an Access file as label sources: select queries (with
// aliases, joins, criteria, ordering, TOP with its ties, computed columns),
// a query on a query and a union query give their rows through the record
// set, named as the table or inside the operator's select text, in Jet 3,
// Jet 4 and ACE files; the kinds that give no labels are refused by name.
// The files' queries read back in mdbtools and mdb-reader as written.
#include "../../support/savedqueryfile.h"
#include "../../tools/jetreaders.h"
#include "core/error.h"
#include "platform/access/accessdatabase.h"
#include "support/queryrows.h"

#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

using namespace hakobee;
using mdbwriter::FileFormat;

Q_DECLARE_METATYPE(mdbwriter::FileFormat)

namespace {

// Each row as "bar|hi|mei|as2", and the count the record set learns.
struct Rows
{
    QStringList rows;
    qint64 count = -1;
};

Rows rowsOf(Connection& connection, const QString& query)
{
    Rows result;
    result.rows = test::joinedQueryRows(connection, query, CursorKind::Grid);
    const auto counted = connection.openRecordset(query, CursorKind::StaticRead);
    if (!counted->eof()) {
        counted->moveLast();
        result.count = counted->recordCount();
    }
    return result;
}

// The product of Master's row (A = 0) as a record of the label query.
QString product(char letter, const QString& mei = {})
{
    const test::SavedQueryProduct p = test::savedQueryProducts().at(letter - 'A');
    return QStringList{p.bar, p.hi, mei.isNull() ? p.mei : mei, QString::number(p.as2Yen)}.join(
        QLatin1Char('|'));
}

QString errorOf(Connection& connection, const QString& query)
{
    try {
        connection.openRecordset(query, CursorKind::StaticRead);
    } catch (const Error& error) {
        return error.description();
    }
    return u"(no error)"_qs;
}

QString run(const QString& program, const QStringList& arguments)
{
    QProcess process;
    process.start(program, arguments);
    process.waitForFinished(60'000);
    return QString::fromUtf8(process.readAllStandardOutput());
}

} // namespace

class TestSavedQueries : public QObject
{
    Q_OBJECT

    QTemporaryDir dir;

    QString file(FileFormat format)
    {
        const QString path = dir.filePath(u"queries-%1.mdb"_qs.arg(int(format)));
        if (!QFile::exists(path))
            test::writeSavedQueryFile(path, format);
        return path;
    }

private slots:
    void selectQueriesGiveTheRowsAccessGives_data()
    {
        QTest::addColumn<FileFormat>("format");
        QTest::addColumn<QString>("query");
        QTest::addColumn<QStringList>("rows");
        QTest::addColumn<bool>("ordered");
        const QString label = u"select bar,hi,mei,as2 from "_qs;
        const QString yamada = u"山田特価"_qs;
        const QString sato = u"佐藤特価"_qs;
        // TOP 3 by price, descending: the third price is shared, so four rows.
        const QStringList bargains{product('A', yamada), product('B', sato), product('C', yamada),
                                   product('D', sato)};
        for (const FileFormat format : {FileFormat::Jet3, FileFormat::Jet4, FileFormat::Ace}) {
            const QByteArray name = QByteArray::number(int(format));
            QTest::newRow("TOP, join, criterion, computed column " + name)
                << format << label + u"Bargains"_qs << bargains << false;
            QTest::newRow("query on a query, two orderings " + name)
                << format << label + u"BargainsByPrice"_qs
                << QStringList{product('C', yamada), product('D', sato), product('B', sato),
                               product('A', yamada)}
                << true;
            QTest::newRow("union query " + name) << format << label + u"Extremes"_qs
                                                 << QStringList{product('F'), product('G')} << true;
        }
        QTest::newRow("alias, left join, Japanese name")
            << FileFormat::Jet4 << u"select バーコード, mname from メーカー別"_qs
            << QStringList{product('E').section('|', 0, 0) + u"|山田"_qs,
                           product('F').section('|', 0, 0) + u"|(null)"_qs,
                           product('G').section('|', 0, 0) + u"|山田"_qs,
                           product('H').section('|', 0, 0) + u"|山田"_qs,
                           product('B').section('|', 0, 0) + u"|佐藤"_qs,
                           product('A').section('|', 0, 0) + u"|山田"_qs,
                           product('C').section('|', 0, 0) + u"|山田"_qs,
                           product('D').section('|', 0, 0) + u"|佐藤"_qs}
            << true;
        // Neither every joined row (seven) nor every distinct name (two).
        QTest::newRow("DISTINCTROW, the shown table's records once")
            << FileFormat::Jet4 << u"select mname from Makers"_qs
            << QStringList{u"佐藤"_qs, u"山田"_qs, u"山田"_qs} << true;
        QTest::newRow("inside the operator's criteria")
            << FileFormat::Jet4
            << u"select bar,hi,mei,as2 from Master where bar in (select bar from "
               u"Bargains) and as2 < 200 order by bar"_qs
            << QStringList{product('C'), product('D')} << true;
    }

    void selectQueriesGiveTheRowsAccessGives()
    {
        QFETCH(FileFormat, format);
        QFETCH(QString, query);
        QFETCH(QStringList, rows);
        QFETCH(bool, ordered);
        const auto connection = openAccessDatabase(file(format));
        Rows read = rowsOf(*connection, query);
        if (!ordered) {
            read.rows.sort();
            rows.sort();
        }
        QCOMPARE(read.rows, rows);
        QCOMPARE(read.count, rows.size());
    }

    void queriesThatGiveNoLabelsAreRefusedByName_data()
    {
        QTest::addColumn<QString>("query");
        QTest::addColumn<QStringList>("said");
        QTest::newRow("update query as the table")
            << u"select bar,hi,mei,as2 from RaisePrices"_qs
            << QStringList{u"クエリ「RaisePrices」は更新クエリです"_qs,
                           u"ラベルのデータに使えません"_qs};
        QTest::newRow("parameter query as the table")
            << u"select bar,hi,mei,as2 from PriceAsked"_qs
            << QStringList{u"クエリ「PriceAsked」はパラメータークエリです"_qs};
        QTest::newRow("parameter query in a sub-select")
            << u"select bar from Master where bar in (select bar from PriceAsked)"_qs
            << QStringList{u"クエリ「PriceAsked」はパラメータークエリです"_qs};
        QTest::newRow("a query on a parameter query")
            << u"select bar from UsesPriceAsked"_qs
            << QStringList{
                   u"クエリ「UsesPriceAsked」は、ラベルのデータに使えないクエリ「PriceAsked」"_qs,
                   u"パラメータークエリ"_qs};
    }

    void queriesThatGiveNoLabelsAreRefusedByName()
    {
        QFETCH(QString, query);
        QFETCH(QStringList, said);
        for (const FileFormat format : {FileFormat::Jet3, FileFormat::Jet4, FileFormat::Ace}) {
            const auto connection = openAccessDatabase(file(format));
            const QString error = errorOf(*connection, query);
            for (const QString& part : said)
                QVERIFY2(error.contains(part), qPrintable(error));
        }
    }

    void listsTablesThenTheQueriesThatRun()
    {
        QStringList listed;
        for (const AccessSourceName& source : accessSourceNames(file(FileFormat::Jet4)))
            listed << source.name +
                          (source.kind == AccessSourceName::Kind::Query ? u" q"_qs : u" t"_qs);
        QCOMPARE(listed, (QStringList{u"Master t"_qs, u"Maker t"_qs, u"Bargains q"_qs,
                                      u"BargainsByPrice q"_qs, u"メーカー別 q"_qs, u"Extremes q"_qs,
                                      u"Makers q"_qs}));
    }

    // mdbtools and mdb-reader read the file as before, and the queries as
    // Access stores them; mdb-queries shows the select without its join
    // (it knows only tables, columns, criteria and the first ordering).
    void otherReadersReadTheQueries()
    {
        const QString path = file(FileFormat::Jet4);
        QCOMPARE(tests::mdbToolsTableNames(path), (QStringList{u"Master"_qs, u"Maker"_qs}));
        const auto exported = tests::exportWithMdbTools(path, u"Master"_qs);
        QVERIFY(exported);
        QCOMPARE(exported->rows.size(), test::savedQueryProducts().size());
        QCOMPARE(run(u"mdb-queries"_qs, {u"-1"_qs, path}),
                 u"Bargains\nBargainsByPrice\nメーカー別\nExtremes\nMakers\nRaisePrices\n"
                 u"PriceAsked\nUsesPriceAsked\n"_qs);
        QCOMPARE(run(u"mdb-queries"_qs, {path, u"BargainsByPrice"_qs}),
                 u"SELECT Bargains.bar,Bargains.hi,Bargains.mei,Bargains.as2 FROM [Bargains] "
                 u"ORDER BY Bargains.as2\n"_qs);
        QCOMPARE(run(u"mdb-queries"_qs, {path, u"Bargains"_qs}),
                 u"SELECT TOP 3 Master.bar,Master.hi,[Maker].[mname] & \"特価\",Master.as2 FROM "
                 u"[Master],[Maker] WHERE (((Master.as2)>=100)) ORDER BY Master.as2 "
                 u"DESCENDING\n"_qs);

        QString failure;
        const auto rows = tests::readWithMdbReader(path, u"MSysQueries"_qs, &failure);
        QVERIFY2(rows, qPrintable(failure));
        QCOMPARE(rows->tableNames, (QStringList{u"Master"_qs, u"Maker"_qs}));
        QCOMPARE(rows->columnNames,
                 (QStringList{u"ObjectId"_qs, u"Attribute"_qs, u"Order"_qs, u"Name1"_qs,
                              u"Name2"_qs, u"Expression"_qs, u"Flag"_qs, u"LvExtra"_qs}));
        // Bargains' second column: attribute 6, second place, big-endian.
        const auto second =
            std::find_if(rows->rows.cbegin(), rows->rows.cend(), [](const QJsonArray& row) {
                return row.at(5).toString() == u"Master.hi"_qs;
            });
        QVERIFY(second != rows->rows.cend());
        QCOMPARE(second->at(1).toInt(), 6);
        QCOMPARE(second->at(2).toObject().value(u"data"_qs).toArray(), (QJsonArray{0, 0, 0, 2}));
    }
};

QTEST_GUILESS_MAIN(TestSavedQueries)
#include "tst_savedqueries.moc"
