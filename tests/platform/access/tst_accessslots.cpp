// Data pages as Access leaves them after deletes and updates: deleted rows
// (reclaimed at the page end, or keeping their bytes), moved rows (a pointer
// slot and the row on a later page), and pages where they mix with live
// rows. Every live record is read once and no deleted one, through the grid,
// the record count and `hakobee query`; mdb-export and mdb-reader read the
// same records in the same order from every generated file.
#include "accessfixtures.h"

#include "../../tools/jetreaders.h"
#include "../../tools/readerexpectations.h"
#include "core/error.h"
#include "platform/access/accessdatabase.h"
#include "platform/access/accesstextforms.h"
#include "support/queryrows.h"
#include "testdata/generatedproducts.h"

#include <QHash>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

using namespace hakobee;
using accessfixtures::SlotPattern;

Q_DECLARE_METATYPE(accessfixtures::SlotPattern)

namespace {

const QString query = u"select bar, hi, mei, as2 from Master"_qs;

QStringList expectedRecord(qint64 row)
{
    const testdata::GeneratedProduct product = testdata::generatedProduct(row);
    return {product.barcode, product.itemName, product.name,
            accesstext::currency(product.priceTimes10000)};
}

// The rows of a query as the grid shows them.
QList<QStringList> gridRows(Connection& connection)
{
    return test::queryRows(connection, query, CursorKind::Grid);
}

// The record count as the count check and the connection test learn it.
qint64 recordCount(Connection& connection)
{
    const auto records = connection.openRecordset(query, CursorKind::StaticRead);
    if (records->eof())
        return 0;
    records->moveLast();
    records->moveFirst();
    return records->recordCount();
}

// The barcodes `hakobee query` prints, in its order.
QStringList barcodesFromQueryCommand(const QString& file, QString* error)
{
    QProcess process;
    process.start(QStringLiteral(HAKOBEE_EXECUTABLE),
                  {u"query"_qs, u"--db"_qs, file, u"--sql"_qs, query});
    process.waitForFinished(60'000);
    *error = QString::fromUtf8(process.readAllStandardError());
    QStringList lines = QString::fromUtf8(process.readAllStandardOutput()).split(u'\n');
    if (!lines.isEmpty() && lines.back().isEmpty())
        lines.removeLast();
    if (lines.isEmpty() || lines.takeFirst() != u"bar,hi,mei,as2"_qs)
        return {u"(no header)"_qs};
    QStringList barcodes;
    for (const QString& line : std::as_const(lines))
        barcodes << line.section(u',', 0, 0);
    return barcodes;
}

} // namespace

class TestAccessSlots : public QObject
{
    Q_OBJECT

    QTemporaryDir dir;

private slots:
    void initTestCase() { QVERIFY(dir.isValid()); }

    void everyLiveRecordOnceNoDeletedOne_data()
    {
        QTest::addColumn<SlotPattern>("pattern");
        QTest::newRow("deleted at a page start") << SlotPattern::DeletedAtPageStart;
        QTest::newRow("deleted between live rows") << SlotPattern::DeletedBetweenRows;
        QTest::newRow("deleted at a page end") << SlotPattern::DeletedAtPageEnd;
        QTest::newRow("a page of deleted rows") << SlotPattern::PageOfDeletedRows;
        QTest::newRow("moved rows") << SlotPattern::MovedRows;
        QTest::newRow("mixed on many pages") << SlotPattern::Mixed;
        QTest::newRow("every row deleted") << SlotPattern::AllDeleted;
    }

    void everyLiveRecordOnceNoDeletedOne()
    {
        QFETCH(SlotPattern, pattern);
        const accessfixtures::SlotPatternTable written = accessfixtures::slotPatternTable(pattern);
        const qint64 rowCount = written.table.rowCount;
        const QString file = dir.filePath(u"slots%1.mdb"_qs.arg(int(pattern)));
        mdbwriter::writeDatabase(file, {written.table});

        QList<QStringList> rows;
        try {
            const auto connection = openAccessDatabase(file);
            rows = gridRows(*connection);
            QCOMPARE(recordCount(*connection), rowCount);
        } catch (const Error& error) {
            QFAIL(qPrintable(error.description()));
        }
        QCOMPARE(rows.size(), rowCount);

        // Each read record is a live one, read once, with its values.
        QHash<QString, qint64> writtenRow;
        for (qint64 row = 0; row < rowCount; ++row)
            writtenRow.insert(testdata::generatedProduct(row).barcode, row);
        QCOMPARE(writtenRow.size(), rowCount);
        QList<qint64> order;
        for (const QStringList& row : rows) {
            QVERIFY2(!row.at(0).startsWith(accessfixtures::deletedRowMark()),
                     qPrintable(row.join(u',')));
            const qint64 index = writtenRow.value(row.at(0), -1);
            QVERIFY2(index >= 0 && !order.contains(index), qPrintable(row.join(u',')));
            QCOMPARE(row, expectedRecord(index));
            order << index;
        }
        // Without moves the file order is the written order; a moved row is
        // read at its new place.
        if (!written.hasMovedRows) {
            for (qint64 i = 0; i < rowCount; ++i)
                QCOMPARE(order.at(i), i);
        }

        QString error;
        QStringList expectedBarcodes;
        for (const QStringList& row : rows)
            expectedBarcodes << row.at(0);
        QCOMPARE(barcodesFromQueryCommand(file, &error), expectedBarcodes);
        QCOMPARE(error, QString());

        // mdb-export and mdb-reader read the same records in the same order.
        const QString difference = tests::compareWithBothReaders(
            file, written.table.name, written.table.columns, rowCount, [&](qint64 position) {
                const testdata::GeneratedProduct product =
                    testdata::generatedProduct(order.at(position));
                return QList<mdbwriter::Value>{product.barcode, product.itemName, product.name,
                                               product.priceTimes10000};
            });
        QVERIFY2(difference.isEmpty(), qPrintable(difference));
    }
};

QTEST_GUILESS_MAIN(TestAccessSlots)
#include "tst_accessslots.moc"
