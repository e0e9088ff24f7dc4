// The sample database built beside the program: what a new installation
// prints from before the operator configures anything.
#include "jetreaders.h"
#include "readerexpectations.h"
#include "testdata/jancode.h"
#include "testdata/productstable.h"
#include "testdata/sampleproducts.h"

#include <QFileInfo>
#include <QTest>

#include <algorithm>

using namespace hakobee;
using mdbwriter::Value;

namespace {

const QString SampleFile = QStringLiteral(HAKOBEE_SAMPLE_DATABASE);

// Computed here independently of the generators' own helper.
bool checkDigitCorrect(const QString& code)
{
    int sum = 0;
    for (qsizetype i = 0; i + 1 < code.size(); ++i) {
        const qsizetype fromRight = code.size() - 2 - i; // 0 for the digit before the check
        sum += code[i].digitValue() * (fromRight % 2 == 0 ? 3 : 1);
    }
    return (10 - sum % 10) % 10 == code.back().digitValue();
}

bool hasHalfWidthKatakana(const QString& text)
{
    return std::any_of(text.cbegin(), text.cend(),
                       [](QChar c) { return c.unicode() >= 0xFF61 && c.unicode() <= 0xFF9F; });
}

} // namespace

class TestSampleDatabase : public QObject
{
    Q_OBJECT

private slots:
    void janCheckDigitsOfKnownCodes()
    {
        QVERIFY(testdata::isValidJan(u"4006381333931"_qs));
        QVERIFY(testdata::isValidJan(u"4901234567894"_qs));
        QVERIFY(testdata::isValidJan(u"96385074"_qs));
        QVERIFY(!testdata::isValidJan(u"4901234567895"_qs));
        QVERIFY(!testdata::isValidJan(u"96385075"_qs));
        QVERIFY(!testdata::isValidJan(u"490123456789"_qs));
        QVERIFY(!testdata::isValidJan(u"49012345678a4"_qs));
        QCOMPARE(testdata::withJanCheckDigit(u"490123456789"_qs), u"4901234567894"_qs);
    }

    // Both readers read table Master exactly as the product list has it.
    void readsBackThroughBothReaders()
    {
        QVERIFY2(QFileInfo(SampleFile).isFile(), qPrintable(SampleFile));
        QCOMPARE(tests::mdbToolsTableNames(SampleFile), QStringList{u"Master"_qs});
        const auto read = tests::readWithMdbReader(SampleFile, u"Master"_qs);
        QVERIFY(read);
        QCOMPARE(read->tableNames, QStringList{u"Master"_qs});
        QCOMPARE(read->columnTypes,
                 (QStringList{u"text"_qs, u"text"_qs, u"text"_qs, u"currency"_qs}));

        const QList<testdata::SampleProduct>& products = testdata::sampleProducts();
        const QString difference = tests::compareWithBothReaders(
            SampleFile, u"Master"_qs, testdata::productColumns(), products.size(), [&](qint64 row) {
                const testdata::SampleProduct& product = products[row];
                return QList<Value>{product.barcode, product.itemName, product.name,
                                    product.priceYen * 10000};
            });
        QVERIFY2(difference.isEmpty(), qPrintable(difference));
    }

    // About thirty products with valid Japanese JAN codes, some short ones,
    // half-width katakana, long names, and prices across the full range.
    void productsAreRealistic()
    {
        const auto exported = tests::exportWithMdbTools(SampleFile, u"Master"_qs);
        QVERIFY(exported);
        QCOMPARE(exported->rows.size(), 30);

        QSet<QString> codes;
        int shortCodes = 0;
        int halfWidthNames = 0;
        int longNames = 0;
        double lowest = 1e9;
        double highest = -1;
        for (const tests::ExportedRow& row : exported->rows) {
            QVERIFY(row.size() == 4 && row[0] && row[1] && row[2] && row[3]);
            const QString& code = *row[0];
            QVERIFY2(code.size() == 13 || code.size() == 8, qPrintable(code));
            QVERIFY2(code.startsWith(u"45") || code.startsWith(u"49"), qPrintable(code));
            QVERIFY2(checkDigitCorrect(code), qPrintable(code));
            codes.insert(code);
            shortCodes += code.size() == 8;
            halfWidthNames += hasHalfWidthKatakana(*row[1]) || hasHalfWidthKatakana(*row[2]);
            longNames += row[1]->size() > 50;
            const double price = row[3]->toDouble();
            lowest = std::min(lowest, price);
            highest = std::max(highest, price);
        }
        QCOMPARE(codes.size(), exported->rows.size());
        QVERIFY(shortCodes >= 3);
        QVERIFY(halfWidthNames >= 5);
        QVERIFY(longNames >= 2);
        QCOMPARE(lowest, 0.0);
        QCOMPARE(highest, 99999.0);
    }
};

QTEST_GUILESS_MAIN(TestSampleDatabase)
#include "tst_sampledatabase.moc"
